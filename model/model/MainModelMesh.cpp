// Meshing the ground around the probes: the generator input, the generator
// run, the read-back and the initialisation of the new mesh, and the
// parameter dialog that edits the defaults a mesh is built from.

#include "model/model/MainModelObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/model/ThermModelDialogs.h"
#include "model/settings/KPSettings.h"

#include "gfx/Canvas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <map>

namespace {

// Transfer resistance of a surface that passes no heat.
constexpr double NoSurfaceTransfer = 1e30;
// Pixels per metre of the mesh drawing.
constexpr double MapPixelsPerMetre = 3;

}  // namespace

QString TThermModel::MeshWorkDir()
{
    // Two programs meshing at the same time must never read each other's
    // files; each process has its own folder, removed when it ends.
    static std::map<QString, std::unique_ptr<QTemporaryDir>> dirs;
    const QString base = WorkTempDir();
    std::unique_ptr<QTemporaryDir>& dir = dirs[base];
    if (!dir || !dir->isValid() || !QFileInfo(dir->path()).isDir()) {
        dir = std::make_unique<QTemporaryDir>(
            QDir(base).filePath(QStringLiteral("mesh-%1-XXXXXX").arg(QCoreApplication::applicationPid())));
        if (!dir->isValid())
            throw EFileError(QStringLiteral("Das Arbeitsverzeichnis für das FE-Netz kann in \"%1\" nicht angelegt "
                                            "werden: %2")
                                 .arg(base, dir->errorString()));
    }
    return dir->path();
}

QString TThermModel::MeshInputFile()
{
    return QDir(MeshWorkDir()).filePath(QStringLiteral("KPMOD.poly"));
}

void TThermModel::InitElementDefaults()
{
    const double leakage = FDefAlphaSurface > 0 ? 1 / FDefAlphaSurface : NoSurfaceTransfer;
    FFieldModel->InitElementParams(FDefThickness * FDefLambda, FDefQEarth, leakage,
                                   FDefRhoCP * 1000000 * FDefThickness, FDefThickness);
}

void TThermModel::ImportMesh(const QString& NodeFile)
{
    CheckNoRun("Das Ersetzen des FE-Netzes");
    // Reads completely or raises with the old mesh untouched.
    FFieldModel->GenerateGridFromTriangle(NodeFile);
    // The old nodes and elements are gone: nothing may point at them.
    fGW->DropCells();
    FMonitoringList->DeleteNodeItems();
    FBHEDataList->Clear();
    // Nodes first: the elements' surface loads use the nodes' air temperature.
    FFieldModel->InitNodeParams(FDefFA, FDefAirTemperature);
    InitElementDefaults();
    StoreExtent();
}

void TThermModel::GridGenerate(QImage* MapBMP, bool ShowDialog)
{
    if (FBHEs->Count() == 0) throw EKPError(QStringLiteral("Keine Sonden im Modell!"));
    CheckNoRun("Das Erstellen des FE-Netzes");
    if (ShowDialog && !GridParamsDlg()) return;

    TDblPointList points;
    points.reserve(static_cast<std::size_t>(FBHEs->Count()));
    for (int i = 0; i < FBHEs->Count(); ++i) points.emplace_back(BHE(i)->X(), BHE(i)->Y());
    const QString input = MeshInputFile();
    if (!GeneratePolyFile(points, FGridScaleFactor, FGridDeltaBorder, FGridInnerArea, FGridOuterArea,
                          NodeBHERadialDist, input))
        throw EKPError(QStringLiteral("Aus der Lage der Sonden lässt sich kein innerer Bereich für das FE-Netz "
                                      "bilden. Das FE-Netz wurde nicht erstellt."));

    TTriangleWrapper wrapper;
    wrapper.SetPathToExe(TriangleLocation);
    wrapper.SetInputFile(input);
    wrapper.SetCommandLineParams(TriangleParameter);
    if (wrapper.Execute() != TTriangleWrapper::mrOk)
        throw EKPError(QStringLiteral("Triangle wurde nicht ausgeführt. Das FE-Netz wurde nicht erstellt."));

    ImportMesh(wrapper.OutputNodeFile());
    for (int i = 0; i < FBHEs->Count(); ++i) {
        const int node = FFieldModel->FindNode(BHE(i)->X(), BHE(i)->Y());
        if (node >= 0) FFieldModel->GetNodes(node)->SetBorderCondition(bc2FixedFlow);
    }
    FInitalFluidTemperature = FDefFA;
    FMonitoringList->DeleteAllItems();
    FNumModelDirty = false;

    if (MapBMP) {
        const double s = MapPixelsPerMetre;
        const int offX = -FloorInt(s * FGridMinX);
        const int offY = -FloorInt(s * FGridMinY);
        const int height = CeilInt(s * (FGridMaxY - FGridMinY)) + 1;
        const int width = CeilInt(s * (FGridMaxX - FGridMinX)) + 1;
        *MapBMP = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        MapBMP->fill(Qt::white);
        TCanvas canvas(MapBMP);
        FFieldModel->DrawGrid(canvas, s, offX, offY, false, false, false);
    }
}

bool TThermModel::GridImport(const QString& AFilename)
{
    CheckNoRun("Das Importieren eines FE-Netzes");
    if (!GridParamsDlg()) return false;
    ImportMesh(AFilename);
    return true;
}

bool TThermModel::GridParamsDlg()
{
    TModelParamsEditData d;
    d.Lambda = FloatToStr(FDefLambda);
    d.RhoCP = FloatToStr(FDefRhoCP);
    d.Thickness = FloatToStr(FDefThickness);
    d.AirTemperature = FloatToStr(FDefAirTemperature);
    d.Alpha = FloatToStr(FDefAlphaSurface);
    d.QEarth = FloatToStr(FDefQEarth);
    d.FA = FloatToStr(FDefFA);
    d.MaxInnerArea = FloatToStr(FGridInnerArea);
    d.MaxOuterArea = FloatToStr(FGridOuterArea);
    d.ScaleFactorInner = FloatToStr(FGridScaleFactor);
    d.MinDistance = FloatToStr(FGridDeltaBorder);
    if (!ModelUI<TThermModelDialogs>().EditModelParams(d)) return false;
    // Every text is converted before any value is taken, so a bad entry
    // (EConvertError) leaves all defaults as they were.
    const double lambda = StrToFloat(d.Lambda);
    const double rhoCP = StrToFloat(d.RhoCP);
    const double air = StrToFloat(d.AirTemperature);
    const double alpha = StrToFloat(d.Alpha);
    const double qEarth = StrToFloat(d.QEarth);
    const double thickness = StrToFloat(d.Thickness);
    const double fa = StrToFloat(d.FA);
    const double inner = StrToFloat(d.MaxInnerArea);
    const double outer = StrToFloat(d.MaxOuterArea);
    const double scale = StrToFloat(d.ScaleFactorInner);
    const double border = StrToFloat(d.MinDistance);
    FDefLambda = lambda;
    FDefRhoCP = rhoCP;
    FDefAirTemperature = air;
    FDefAlphaSurface = alpha;
    FDefQEarth = qEarth;
    FDefThickness = thickness;
    FDefFA = fa;
    FGridInnerArea = inner;
    FGridOuterArea = outer;
    FGridScaleFactor = scale;
    FGridDeltaBorder = border;
    return true;
}
