#pragma once

// The thermal model of one probe field: the probes and their run-time data,
// the ground parameter sets, the monitoring list, the main loop with its time
// engine, the heat pump, the finite-element model, the groundwater grid and
// the contour map, plus the ground and mesh defaults a new mesh is built from.

#include "model/base/MVStreamList.h"
#include "model/contours/MVContourObj.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/loads/HeatpumpObj.h"
#include "model/model/ThermModelDialogs.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "model/run/MainLoopObj.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <pugixml.hpp>

class TThermModel : public TObject {
    KP_CLASS(TThermModel)
public:
    TThermModel();
    // The registry's instance: no parts at all until Read builds them.
    explicit TThermModel(TBlank);
    ~TThermModel() override;
    TThermModel(const TThermModel&) = delete;
    TThermModel& operator=(const TThermModel&) = delete;

    // ---- parts
    TMVObjectList& BHEs() const { return *FBHEs; }
    TBHE* BHE(int Index) const { return FBHEs->ItemAs<TBHE>(Index); }
    TMainLoop* MainLoop() const { return FMainLoop.get(); }
    THeatpump* HeatPump() const { return FHeatPump.get(); }
    TMVObjectList& BHEDataList() const { return *FBHEDataList; }
    T2DTriangleTransient* FieldModel() const { return FFieldModel.get(); }
    TMonitoringList* MonitoringList() const { return FMonitoringList.get(); }
    TMVObjectList& Paramsets() const { return *FParamsets; }
    TGWGrid* GW() const { return fGW.get(); }
    TMVContourMap* ContourMap() const { return fContourMap.get(); }

    // ---- values
    double FluxFluid() const { return GetFluxFluid(); }
    void SetFluxFluid(double V) { FFluxFluid = V; }
    TFluid Fluid() const { return GetFluid(); }
    void SetFluid(TFluid V) { FFluid = V; }
    // Lent by the main window; may be null.
    QStringList* Messagelist() const { return FMessagelist; }
    void SetMessagelist(QStringList* V) { FMessagelist = V; }
    double InitalFluidTemperature() const { return FInitalFluidTemperature; }
    void SetInitalFluidTemperature(double V) { FInitalFluidTemperature = V; }
    double GridMinX() const { return FGridMinX; }
    double GridMaxX() const { return FGridMaxX; }
    double GridMaxY() const { return FGridMaxY; }
    double GridMinY() const { return FGridMinY; }
    double DefAirTemperature() const { return FDefAirTemperature; }
    void SetDefAirTemperature(double V) { FDefAirTemperature = V; }
    double DefRhoCP() const { return FDefRhoCP; }
    void SetDefRhoCP(double V) { FDefRhoCP = V; }
    double DefQEarth() const { return FDefQEarth; }
    void SetDefQEarth(double V) { FDefQEarth = V; }
    double DefAlphaSurface() const { return FDefAlphaSurface; }
    void SetDefAlphaSurface(double V) { FDefAlphaSurface = V; }
    double DefLambda() const { return FDefLambda; }
    void SetDefLambda(double V) { FDefLambda = V; }
    double DefThickness() const { return FDefThickness; }
    void SetDefThickness(double V) { FDefThickness = V; }
    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    double DefFA() const { return FDefFA; }
    void SetDefFA(double V) { FDefFA = V; }
    double GridOuterArea() const { return FGridOuterArea; }
    void SetGridOuterArea(double V) { FGridOuterArea = V; }
    double GridInnerArea() const { return FGridInnerArea; }
    void SetGridInnerArea(double V) { FGridInnerArea = V; }
    double GridScaleFactor() const { return FGridScaleFactor; }
    void SetGridScaleFactor(double V) { FGridScaleFactor = V; }
    double GridDeltaBorder() const { return FGridDeltaBorder; }
    void SetGridDeltaBorder(double V) { FGridDeltaBorder = V; }
    int ContourMapCols() const { return FContourMapCols; }
    void SetContourMapCols(int V) { FContourMapCols = V; }
    int ContourMapRows() const { return FContourMapRows; }
    void SetContourMapRows(int V) { FContourMapRows = V; }
    const TNotifyEvent& RedrawEvent() const { return FRedrawEvent; }
    void SetRedrawEvent(TNotifyEvent V) { FRedrawEvent = std::move(V); }
    bool ShowDeltaInContour() const { return FShowDeltaInContour; }
    void SetShowDeltaInContour(bool V) { FShowDeltaInContour = V; }
    bool NumModelDirty() const { return FNumModelDirty; }
    void SetNumModelDirty(bool V) { FNumModelDirty = V; }
    TMVContourLineCalc ContourMethod() const { return FContourMethod; }
    void SetContourMethod(TMVContourLineCalc V) { FContourMethod = V; }
    const QString& DataFilePrefix() const { return FDataFilePrefix; }
    void SetDataFilePrefix(const QString& V) { FDataFilePrefix = V; }
    const QString& DataFileDir() const { return FDataFileDir; }
    void SetDataFileDir(const QString& V) { FDataFileDir = V; }
    // Area of the mesh's bounding box, m²; stores the extent.
    double Area() { return GetArea(); }

    // ---- operations
    virtual void ApplyContourSettings(const TContoursEditData& Data);
    // The demonstration model; an empty (or missing) type list gives the
    // probes the first built-in probe type.
    virtual void MakeDummy(const TBHETypelist* BHETypelist);
    virtual TBHE* AddBHE();
    virtual void CreateDummys();
    virtual bool ReadXML(pugi::xml_node Node);
    virtual bool WriteXML(pugi::xml_node Node) const;
    virtual bool SaveXML(const QString& AFilename) const;
    virtual bool LoadXML(const QString& AFilename);
    // Prepares a run. Raises EKPError, before anything changes, when a probe
    // stands on no node of the mesh.
    virtual void InitModel();
    // Meshes the probe field with the generator. Every failure raises and
    // leaves the previous mesh, monitoring list and run data alone; MapBMP,
    // when given, receives a drawing of the new mesh.
    virtual void GridGenerate(QImage* MapBMP, bool ShowDialog);
    // Builds the mesh from a generator node file; False when the parameter
    // dialog was cancelled. A file that cannot be read raises and keeps the
    // previous mesh.
    virtual bool GridImport(const QString& AFilename);
    virtual bool GridParamsDlg();
    virtual void InitMonitoring();
    // Removes the probe with its run-time data and monitoring items; refused
    // with an EKPError while a run is active.
    virtual void RemoveBHE(TBHE* TheBHE);
    virtual void SaveInitConditions(const QString& AFilename);
    virtual void LoadInitConditons(const QString& AFilename);
    virtual bool ContoursEdit();
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    void RefreshContourMap();
    static QString XMLName() { return QStringLiteral("ThermalModel"); }

    double GetArea();
    double GetFluxFluid() const { return FFluxFluid; }
    TFluid GetFluid() const { return FFluid; }

    // A run is active from its start until it ends or is stopped, also while
    // it is paused: probes and mesh must stay as they are.
    bool RunActive() const;
    // Names of the probes that stand on no node of the current mesh.
    QStringList ProbesWithoutNode() const;
    // The contour dialog's current values, as ContoursEdit shows them.
    TContoursEditData ContourSettings() const;

    // Replaces the mesh by the generator files of NodeFile and initialises
    // it from the defaults; what pointed at the old mesh (groundwater cells,
    // node monitoring items, run data) is dropped. A file that cannot be read
    // raises and keeps the previous mesh. Refused while a run is active.
    void ImportMesh(const QString& NodeFile);

    // The per-process folder of the generator files, and the generator input
    // that GridGenerate writes there ("KPMOD.poly").
    static QString MeshWorkDir();
    static QString MeshInputFile();

private:
    void WireMainLoop();
    void InitElementDefaults();
    void StoreExtent();
    void BindDataWrappers();
    void CheckNoRun(const char* What) const;

    std::unique_ptr<TMVObjectList> FBHEs;
    std::unique_ptr<TMainLoop> FMainLoop;
    double FFluxFluid = 0;
    TFluid FFluid = flWasser;
    QStringList* FMessagelist = nullptr;
    double FInitalFluidTemperature = 0;
    std::unique_ptr<THeatpump> FHeatPump;
    std::unique_ptr<TMVObjectList> FBHEDataList;
    std::unique_ptr<T2DTriangleTransient> FFieldModel;
    double FGridMinX = 0;
    double FGridMaxX = 0;
    double FGridMaxY = 0;
    double FGridMinY = 0;
    double FDefAirTemperature = 0;
    double FDefRhoCP = 0;
    double FDefQEarth = 0;
    double FDefAlphaSurface = 0;
    double FDefLambda = 0;
    double FDefThickness = 0;
    QString FName;
    std::unique_ptr<TMonitoringList> FMonitoringList;
    std::unique_ptr<TMVObjectList> FParamsets;
    double FDefFA = 0;
    double FGridOuterArea = 0;
    double FGridInnerArea = 0;
    double FGridScaleFactor = 0;
    double FGridDeltaBorder = 0;
    std::unique_ptr<TGWGrid> fGW;
    std::unique_ptr<TMVContourMap> fContourMap;
    std::int32_t FContourMapCols = 0;
    std::int32_t FContourMapRows = 0;
    TNotifyEvent FRedrawEvent;
    bool FShowDeltaInContour = false;
    bool FNumModelDirty = false;
    TMVContourLineCalc FContourMethod = lcFe;
    QString FDataFilePrefix;
    QString FDataFileDir;
};

// Registers TThermModel.
void RegisterThermModelStreamClasses();
