// The model's record in the project file. Fields added in later file
// versions are read only from files of that version on; a record written
// by this program always holds all of them.

#include "model/model/MainModelObj.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/probes/ThermUtil.h"

namespace {

// The contours dialog offers 10 to 1000; anything far beyond is no setting
// but a damaged record, and would ask for an impossibly large grid.
constexpr std::int32_t MaxContourGridSize = 100000;

template <typename T>
void CheckItems(const TMVObjectList& List, const char* What)
{
    for (int i = 0; i < List.Count(); ++i)
        if (!dynamic_cast<const T*>(List.Items(i)))
            throw EReadError(QStringLiteral("Die Liste \"%1\" enthält ein Objekt der Klasse \"%2\".")
                                 .arg(QString::fromUtf8(What), List.Items(i)->ClassName()));
}

std::int32_t ReadGridSize(TStream& S, const char* What)
{
    const std::int32_t v = S.ReadInt32();
    if (v < 0 || v > MaxContourGridSize) S.FailCorrupt(What, v);
    return v;
}

std::unique_ptr<TMVObjectList> ReadList(TStream& S)
{
    auto list = std::make_unique<TMVObjectList>(true);
    list->ReadData(S);
    list->SetOwnsObjects(true);
    return list;
}

}  // namespace

void TThermModel::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    for (double v : {FDefLambda, FDefRhoCP, FDefAirTemperature, FDefAlphaSurface, FDefQEarth, FDefThickness, FDefFA,
                     FGridInnerArea, FGridOuterArea, FGridScaleFactor, FGridDeltaBorder})
        S.WriteDouble(v);
    FBHEs->WriteData(S);
    FBHEDataList->WriteData(S);
    FMonitoringList->SetContainersIndex(*FBHEs, FFieldModel->NodesList());
    FMonitoringList->WriteData(S);
    FParamsets->WriteData(S);
    FMainLoop->Write(S);
    S.WriteDouble(FFluxFluid);
    WriteFluidToStream(S, FFluid);
    S.WriteDouble(FInitalFluidTemperature);
    FHeatPump->Write(S);
    FFieldModel->Write(S);
    fGW->WriteData(S);
    S.WriteInt32(FContourMapCols);
    S.WriteInt32(FContourMapRows);
    S.WriteBoolean(FShowDeltaInContour);
    fContourMap->WriteData(S);
    S.WriteEnum(FContourMethod);
    WriteStringToStream(S, FDataFileDir);
    WriteStringToStream(S, FDataFilePrefix);
}

void TThermModel::Read(TStream& S)
{
    FNumModelDirty = false;
    FName = ReadStringFromStream(S);
    for (double* v : {&FDefLambda, &FDefRhoCP, &FDefAirTemperature, &FDefAlphaSurface, &FDefQEarth, &FDefThickness,
                      &FDefFA, &FGridInnerArea, &FGridOuterArea, &FGridScaleFactor, &FGridDeltaBorder})
        *v = S.ReadDouble();

    FBHEs = ReadList(S);
    CheckItems<TBHE>(*FBHEs, "Sonden");
    FBHEDataList = ReadList(S);
    CheckItems<TBHEDataWrapper>(*FBHEDataList, "Sondendaten");
    FMonitoringList = std::make_unique<TMonitoringList>();
    FMonitoringList->ReadData(S);
    FParamsets = ReadList(S);
    CheckItems<TParameterSet>(*FParamsets, "Parametersätze");

    FMainLoop = std::make_unique<TMainLoop>();
    FMainLoop->Read(S);
    FFluxFluid = S.ReadDouble();
    FFluid = ReadFluidFromStream(S);
    FInitalFluidTemperature = S.ReadDouble();

    FHeatPump = CreateExampleHeatpump();
    const double coolWater = FHeatPump->CoolWaterTemperature();
    FHeatPump->Read(S);
    // Older records carry no cooling water temperature: the model's heat
    // pump keeps the one it was made with.
    if (!FileVersionAtLeast(1, 2)) FHeatPump->SetCoolWaterTemperature(coolWater);

    FFieldModel = std::make_unique<T2DTriangleTransient>();
    FFieldModel->Read(S);
    FMonitoringList->UpdateContainers(*FBHEs, FFieldModel->NodesList());

    fGW = std::make_unique<TGWGrid>();
    if (FileVersionAtLeast(1, 1)) fGW->ReadData(S);

    fContourMap = std::make_unique<TMVContourMap>();
    if (FileVersionAtLeast(1, 2)) {
        FContourMapCols = ReadGridSize(S, "Spalten des Isothermenrasters");
        FContourMapRows = ReadGridSize(S, "Zeilen des Isothermenrasters");
        FShowDeltaInContour = S.ReadBoolean();
        fContourMap->ReadData(S);
    }
    if (FileVersionAtLeast(1, 3)) {
        // A method this program does not know draws no lines but is kept, so
        // that saving the model again does not change it.
        FContourMethod = static_cast<TMVContourLineCalc>(S.ReadByte());
        FDataFileDir = ReadStringFromStream(S);
        FDataFilePrefix = ReadStringFromStream(S);
    }
    WireMainLoop();
    BindDataWrappers();
}

void RegisterThermModelStreamClasses()
{
    RegisterStreamClass<TThermModel>();
}
