#include "model/model/MainModelObj.h"

#include "model/base/KPError.h"
#include "model/model/ThermModelDialogs.h"
#include "model/probes/ThermUtil.h"
#include "model/settings/KPSettings.h"

#include <QFile>

namespace {

struct TDummyProbe {
    const char* Name;
    double X;
    double Y;
};

constexpr TDummyProbe DummyProbes[] = {
    {"S 1", 0, 0}, {"S 2", 10, 5}, {"S 3", 20, -5}, {"S 4", 20, 5}, {"S 5", 15, 5},
};

}  // namespace

TThermModel::TThermModel()
{
    // The defaults below come from the settings, which are read on first use.
    ProgramSettings();
    FBHEs = std::make_unique<TMVObjectList>(true);
    FBHEDataList = std::make_unique<TMVObjectList>(true);
    FParamsets = std::make_unique<TMVObjectList>(true);
    FMonitoringList = std::make_unique<TMonitoringList>();
    FMainLoop = std::make_unique<TMainLoop>();
    FFluxFluid = 0.001;
    FFluid = flWasser;
    FInitalFluidTemperature = 10;
    FHeatPump = CreateExampleHeatpump();
    FFieldModel = std::make_unique<T2DTriangleTransient>();
    FDefAirTemperature = DefaultAirTemperature;
    FDefRhoCP = DefaultRhoCP;
    FDefQEarth = DefaultQEarth;
    FDefAlphaSurface = DefaultAlphaSurface;
    FDefLambda = DefaultLambda;
    FDefThickness = DefaultThickness;
    FDefFA = DefaultFA;
    FGridOuterArea = DefaultGridOuterArea;
    FGridInnerArea = DefaultGridInnerArea;
    FGridScaleFactor = DefaultGridScaleFactor;
    FGridDeltaBorder = DefaultGridDeltaBorder;
    fGW = std::make_unique<TGWGrid>();
    fContourMap = std::make_unique<TMVContourMap>();
    FContourMapCols = 50;
    FContourMapRows = 50;
    FShowDeltaInContour = true;
    FContourMethod = lcFe;
    FNumModelDirty = false;
    FDataFileDir = DataDir;
    WireMainLoop();
}

TThermModel::TThermModel(TBlank) {}

// Members go in reverse order of declaration: everything that refers to the
// probes, nodes and elements (contour map, groundwater cells, monitoring
// items, run data, main loop) is gone before what it refers to.
TThermModel::~TThermModel() = default;

void TThermModel::WireMainLoop()
{
    TMainLoop& L = *FMainLoop;
    L.SetHeatPump(FHeatPump.get());
    L.SetCurrentTemperatureIn(FInitalFluidTemperature);
    L.OnGetFlux = [this] { return GetFluxFluid(); };
    L.OnGetFluid = [this] { return GetFluid(); };
    L.SetBHEDataList(FBHEDataList.get());
    L.SetMonitoringList(FMonitoringList.get());
    L.SetFieldModel(FFieldModel.get());
    fGW->SetModel(FFieldModel.get());
    L.SetGWModel(fGW.get());
}

TBHE* TThermModel::AddBHE()
{
    return FBHEs->Add(std::make_unique<TBHE>());
}

bool TThermModel::RunActive() const
{
    return FMainLoop && !FMainLoop->TimeEngine().Finished();
}

void TThermModel::CheckNoRun(const char* What) const
{
    if (RunActive())
        throw EKPError(QStringLiteral("%1 ist während einer laufenden Simulation nicht möglich.")
                           .arg(QString::fromUtf8(What)));
}

void TThermModel::RemoveBHE(TBHE* TheBHE)
{
    if (FBHEs->IndexOf(TheBHE) < 0) return;
    CheckNoRun("Das Entfernen einer Sonde");
    const int node = FFieldModel->FindNode(TheBHE->X(), TheBHE->Y());
    if (node >= 0) FFieldModel->GetNodes(node)->SetBorderCondition(bc0None);
    // Nothing may keep pointing at the probe once it is freed.
    for (int i = FBHEDataList->Count() - 1; i >= 0; --i)
        if (FBHEDataList->ItemAs<TBHEDataWrapper>(i)->BHE() == TheBHE) FBHEDataList->Delete(i);
    FMonitoringList->DeleteItemsOf(TheBHE);
    FBHEs->Remove(TheBHE);
}

void TThermModel::MakeDummy(const TBHETypelist* BHETypelist)
{
    FName = QStringLiteral("Dummy-Modell");
    // Without types of the user's the built-in ones stand in.
    TBHETypelist builtIn;
    if (!BHETypelist || BHETypelist->Count() == 0) {
        builtIn.CreateDummy();
        BHETypelist = &builtIn;
    }
    const TBHE* type = BHETypelist->Items(0);
    for (const TDummyProbe& p : DummyProbes) {
        TBHE* bhe = AddBHE();
        bhe->SetX(p.X);
        bhe->SetY(p.Y);
        bhe->SetName(QString::fromUtf8(p.Name));
        bhe->AssignType(*type);
    }
    GridGenerate(nullptr, false);
    FFieldModel->InitTemperature(10);
    FFieldModel->InitElementParams(FDefLambda * FDefThickness, FDefQEarth, 1e20, FDefRhoCP * FDefThickness * 1000000,
                                   FDefThickness);
}

void TThermModel::CreateDummys()
{
    for (int i = 0; i < 3; ++i) {
        TBHE* bhe = AddBHE();
        bhe->SetTubeType(ttDoubleU);
        bhe->SetX(10.0 * i);
        bhe->SetY(0);
        bhe->SetDepth(100);
        bhe->SetCasingLength(100);
        bhe->SetName(QStringLiteral("Dummy %1").arg(i + 1));
        bhe->SetBoringRadius(0.075);
        bhe->SetCasingRadius(0.0125);
        bhe->SetTubeX(0.035);
        bhe->SetTubeY(0.025);
        bhe->SetMessagelist(FMessagelist);
    }
}

QStringList TThermModel::ProbesWithoutNode() const
{
    QStringList names;
    for (int i = 0; i < FBHEs->Count(); ++i)
        if (FFieldModel->FindNode(BHE(i)->X(), BHE(i)->Y()) < 0) names << BHE(i)->Name();
    return names;
}

void TThermModel::InitModel()
{
    const int n = FBHEs->Count();
    if (n == 0) {
        FBHEDataList->Clear();
        if (FMessagelist) FMessagelist->append(QStringLiteral("Warnung: Keine Sonden im Modell vorhanden!"));
    } else {
        // A probe off the mesh would receive no load and give no wall
        // temperature; the run must not start with it.
        const QStringList missing = ProbesWithoutNode();
        if (!missing.isEmpty())
            throw EKPError(QStringLiteral("Die Sonde \"%1\" liegt auf keinem Knoten des FE-Netzes. "
                                          "Das FE-Netz muss neu erstellt werden.")
                               .arg(missing.first()));
        const double q = FFluxFluid / n;
        const double rhoCP = VolumetricHeatCapacity(FFluid, FInitalFluidTemperature);
        FBHEDataList->Clear();
        for (int i = 0; i < n; ++i) {
            auto w = std::make_unique<TBHEDataWrapper>(BHE(i));
            w->SetFlux(q);
            w->SetRhoCP(rhoCP);
            w->SetTempIn(FInitalFluidTemperature);
            w->SetTempOut(FInitalFluidTemperature);
            w->SetTempWall(FInitalFluidTemperature);
            w->SetNodeIndex(FFieldModel->FindNode(BHE(i)->X(), BHE(i)->Y()));
            FBHEDataList->Add(std::move(w));
        }
    }
    TMainLoop& L = *FMainLoop;
    L.SetDailyHeatPower(0);
    L.SetDailyTimeCounter(0);
    L.SetDailyFieldEnergy(0);
    L.SetCurrentTemperatureIn(FInitalFluidTemperature);
    FFieldModel->InitNodeParams(FDefFA, FDefAirTemperature);
    // Groundwater cells are dropped with every new mesh; a run with
    // groundwater lays them over the current one.
    if (L.UseGW() && fGW->Count() == 0) fGW->GenerateOverMesh(FDefFA);
    fGW->InitTemperatures(FDefFA);
    L.ResetCounters();
}

void TThermModel::InitMonitoring()
{
    FMonitoringList->AddBHEs(*FBHEs);
}

void TThermModel::SaveInitConditions(const QString& AFilename)
{
    WriteFileStream(AFilename, [this](TStream& S) { FFieldModel->WriteTemperatures(S); });
}

void TThermModel::LoadInitConditons(const QString& AFilename)
{
    ReadFileStream(AFilename, [this](TStream& S) { FFieldModel->ReadTemperatures(S); });
}

void TThermModel::StoreExtent()
{
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    FFieldModel->GetModelExtend(minX, maxX, minY, maxY);
    FGridMinX = minX;
    FGridMaxX = maxX;
    FGridMinY = minY;
    FGridMaxY = maxY;
}

double TThermModel::GetArea()
{
    StoreExtent();
    return (FGridMaxX - FGridMinX) * (FGridMaxY - FGridMinY);
}

void TThermModel::BindDataWrappers()
{
    // The wrappers were written in probe order (InitModel builds them so);
    // wrappers beyond the probes would have nothing to compute with.
    for (int i = FBHEDataList->Count() - 1; i >= FBHEs->Count(); --i) FBHEDataList->Delete(i);
    for (int i = 0; i < FBHEDataList->Count(); ++i) FBHEDataList->ItemAs<TBHEDataWrapper>(i)->SetBHE(BHE(i));
}
