#pragma once

// The simulation loop: every step turns the load profiles into heat loads on
// the probes' finite-element nodes, couples year profiles through the heat
// pump, moves the groundwater, solves the field every FieldMultiplier-th
// step, records the monitoring items and updates the run display.

#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"
#include "model/probes/ThermUtil.h"
#include "model/run/CounterTable.h"
#include "model/run/RunDisplay.h"
#include "model/time/TimeEngineObj.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class T2DTriangleTransient;
class TBHE;
class TBHEDataWrapper;
class TGWGrid;
class THeatpump;
class TLoadObj;
class TMonitoringList;
class TNode;

// Energy sums in kWh: positive amounts (heat put into the ground, cooling)
// and negative amounts (heat taken, heating) are kept apart.
class TEnergyCounter : public TObject {
    KP_CLASS(TEnergyCounter)
public:
    TEnergyCounter() { TEnergyCounter::Reset(); }

    virtual void Reset();
    void Add(double Amount);
    double Balance() const { return FHeat + FCool; }
    double Sum() const;

    double Cool() const { return FCool; }
    double Heat() const { return FHeat; }

private:
    double FCool = 0;
    double FHeat = 0;
};

// The fluid circuit of a heat pump serving a year profile, with the daily
// and yearly values of that circuit. Running times are ticks of 100 ns.
struct THeatpumpCircuit {
    double TemperatureIn = 0;   // °C, mean outlet temperature of the probes
    double TemperatureOut = 0;  // °C, inlet temperature of the probes
    double RequestedLoad = 0;   // kWh per day, negative for cooling
    double DailyHeatPower = 0;  // kWh delivered since the day began
    double DailyFieldEnergy = 0;
    std::int64_t DailyTimeCounter = 0;
    double YearOpsTime = 0;     // s
};

class TMainLoop : public TObject {
    KP_CLASS(TMainLoop)
public:
    TMainLoop();
    ~TMainLoop() override;
    TMainLoop(const TMainLoop&) = delete;
    TMainLoop& operator=(const TMainLoop&) = delete;

    // The engine's handlers.
    virtual void DoNextTimeStep(TObject* Sender);
    virtual void DoDayChanged(TObject* Sender);
    virtual void DoYearChanged(TObject* Sender);
    // Runs once per run: after the last step, or when the run is stopped.
    virtual void DoEndTimeReached(TObject* Sender);
    virtual void DoMonthChanged(TObject* Sender);
    // A fresh run. Raises EKPError, before anything changes, when the run
    // cannot start (CheckRunnable). An error inside a step stops the run
    // (the end handler runs) and reaches the caller.
    virtual void Run();
    virtual void UpdateSurface();
    virtual void PrepareMonitoring();
    virtual TBHEDataWrapper* FindBHEWrapper(const TBHE* ABHE) const;
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);
    // Writes the node temperatures to Directory (directory and file stem)
    // followed by the simulated date and ".txt".
    virtual void SaveNodes(const QString& Directory);
    virtual void ResetCounters();

    // Raises EKPError with the first reason the configured run cannot start.
    void CheckRunnable() const;

    TTimeEngine& TimeEngine() const { return *FTimeEngine; }

    // The heat-pump circuit of the run's own profile.
    double CurrentTemperatureIn() const { return FCircuit.TemperatureIn; }
    void SetCurrentTemperatureIn(double V) { FCircuit.TemperatureIn = V; }
    double CurrentTemperatureOut() const { return FCircuit.TemperatureOut; }
    void SetCurrentTemperatureOut(double V) { FCircuit.TemperatureOut = V; }
    double RequestedLoad() const { return FCircuit.RequestedLoad; }
    void SetRequestedLoad(double V) { FCircuit.RequestedLoad = V; }
    double DailyHeatPower() const { return FCircuit.DailyHeatPower; }
    void SetDailyHeatPower(double V) { FCircuit.DailyHeatPower = V; }
    double DailyFieldEnergy() const { return FCircuit.DailyFieldEnergy; }
    void SetDailyFieldEnergy(double V) { FCircuit.DailyFieldEnergy = V; }
    std::int64_t DailyTimeCounter() const { return FCircuit.DailyTimeCounter; }
    void SetDailyTimeCounter(std::int64_t V) { FCircuit.DailyTimeCounter = V; }
    double YearOpsTime() const { return FCircuit.YearOpsTime; }
    void SetYearOpsTime(double V) { FCircuit.YearOpsTime = V; }
    const THeatpumpCircuit& Circuit() const { return FCircuit; }

    // The run's own profile (set by the project); the day rows and the
    // gauges follow it. Not owned.
    TLoadObj* LoadProfile() const { return FLoadProfile; }
    void SetLoadProfile(TLoadObj* V) { FLoadProfile = V; }
    // The project's load profiles; not owned.
    TMVObjectList* LoadProfils() const { return FLoadProfils; }
    void SetLoadProfils(TMVObjectList* V) { FLoadProfils = V; }

    // Model references, set by the thermal model and not owned.
    THeatpump* HeatPump() const { return FHeatPump; }
    void SetHeatPump(THeatpump* V) { FHeatPump = V; }
    TMVObjectList* BHEDataList() const { return FBHEDataList; }
    void SetBHEDataList(TMVObjectList* V) { FBHEDataList = V; }
    T2DTriangleTransient* FieldModel() const { return FFieldModel; }
    void SetFieldModel(T2DTriangleTransient* V) { FFieldModel = V; }
    TMonitoringList* MonitoringList() const { return FMonitoringList; }
    void SetMonitoringList(TMonitoringList* V) { FMonitoringList = V; }
    TGWGrid* GWModel() const { return FGWModel; }
    void SetGWModel(TGWGrid* V) { FGWModel = V; }
    TDblFunction OnGetFlux;
    TFluidFunction OnGetFluid;
    // Total fluid flow of the probe field (m³/s) and the fluid; raise
    // EKPError while the events are unbound.
    double Flux() const;
    TFluid Fluid() const;

    bool UseBHEAnalytic() const { return FUseBHEAnalytic; }
    void SetUseBHEAnalytic(bool V) { FUseBHEAnalytic = V; }
    int FieldMultiplier() const { return FFieldMultiplier; }
    // Raises EKPError below 1 and keeps the old value.
    void SetFieldMultiplier(int V);
    bool UseGW() const { return FUseGW; }
    void SetUseGW(bool V) { FUseGW = V; }
    int AdvekCounter() const { return FAdvekCounter; }
    void SetAdvekCounter(int V) { FAdvekCounter = V; }

    const QString& SaveDataLocation() const { return FSaveDataLocation; }
    void SetSaveDataLocation(const QString& V) { FSaveDataLocation = V; }
    bool AutoSaveMonthly() const { return FAutoSaveMonthly; }
    void SetAutoSaveMonthly(bool V) { FAutoSaveMonthly = V; }
    // Month 1..12: a node dump when that month begins.
    bool SavedMonth(int Month) const;
    void SetSavedMonth(int Month, bool V);

    TNotifyEvent OnEndTimeReached;

    double InitialQuantity() const { return FInitialQuantity; }
    // Groundwater exchange put onto the nodes since the run started (kWh).
    double GWTransferredEnergy() const { return FGWTransferred / 3.6e6; }
    bool IsDirty() const { return FIsDirty; }
    void SetIsDirty(bool V) { FIsDirty = V; }
    const QStringList& GWlog() const { return FGWlog; }

    TEnergyCounter& GeothermalEnergy() const { return *FGeothermalEnergy; }
    TEnergyCounter& ElectricEnergy() const { return *FElectricEnergy; }
    TEnergyCounter& TotalEnergy() const { return *FTotalEnergy; }
    TEnergyCounter& YearOutputEnergy() const { return *FYearOutputEnergy; }
    TEnergyCounter& YearGeothermalEnergy() const { return *FYearGeothermalEnergy; }
    TEnergyCounter& YearElectricEnergy() const { return *FYearElectricEnergy; }

    // The daily counter table of the current or last run.
    const TCounterTable& CounterTable() const { return FCounterTable; }
    // What the gauge window shows (kept between steps).
    const TGaugeValues& GaugeValues() const { return FGauges; }

private:
    // Entries of BHEDataList driven by one profile.
    using TEntries = std::vector<TBHEDataWrapper*>;

    void BindEngine();
    void Guarded(void (TMainLoop::*Handler)(TObject*), TObject* Sender);
    void StopAfterError();

    // Checks of CheckRunnable.
    void CheckMesh() const;
    void CheckProbes() const;
    void CheckProfile(const TLoadObj& P, const TEntries& Entries) const;
    void CheckYearProfile(const TLoadObj& P, const TEntries& Entries) const;
    void CheckGroundwater() const;
    void CheckSolverTimeStep() const;
    // Calendar times of the run's start and end.
    TDateTime RunStart() const;
    TDateTime RunEnd() const;

    // The step.
    int EntryCount() const;
    TBHEDataWrapper* Entry(int Index) const;
    TLoadObj* Profile(int Index) const;
    TEntries EntriesOf(int ProfileIndex) const;
    // FStepEntries := the entries of BHEDataList, typed.
    void CollectEntries();
    TNode* NodeOf(const TBHEDataWrapper& W) const;
    void StepLabels(bool GaugesVisible);
    void ApplyLoads(bool GaugesVisible);
    void ApplyProfile(TLoadObj& P, const TEntries& Entries, bool GaugesVisible);
    void ApplyPower(TLoadObj& P, const TEntries& Entries);
    void ApplyMonthProfile(TLoadObj& P, const TEntries& Entries);
    void AddNodeLoad(const TBHEDataWrapper& W, double Q);
    void CommitNodeLoads();
    void AccumulateLoads();
    void AdvanceGroundwater();
    void SolveField();
    // Solves the steps taken since the last solve, at the end of a run.
    void SolvePendingSteps();
    // One finite-element step over Span seconds (the steps since the last solve).
    void SolveOver(double Span);
    void CheckProbeLoads() const;
    void Estimate();
    void RefreshDashboard();

    // The heat-pump coupling of a year profile. OwnProfile is the run's own
    // profile while it is one of the project's profiles.
    TLoadObj* OwnProfile() const;
    // Drops the circuits of profiles that left the project.
    void PruneCircuits();
    THeatpumpCircuit& CircuitOf(const TLoadObj& P);
    void CoupleHeatpump(const TEntries& Entries, THeatpumpCircuit& C, bool ShowGauges);
    enum class THeatpumpLine { COP, HeatPower, CoolCOP, CoolPower };
    // Raises EKPError for a coefficient of performance of 0 and for values
    // that are not numbers.
    void CheckHeatpumpValue(double Value, THeatpumpLine Line, double Tin) const;

    // Calendar.
    void FillCounterRow(TDateTime T);
    void ResetDailyValues();

    std::unique_ptr<TTimeEngine> FTimeEngine;
    THeatpumpCircuit FCircuit;
    // Circuits of year profiles other than the run's own, by profile.
    std::vector<std::pair<const TLoadObj*, THeatpumpCircuit>> FOtherCircuits;
    TLoadObj* FLoadProfile = nullptr;
    TMVObjectList* FLoadProfils = nullptr;
    THeatpump* FHeatPump = nullptr;
    TMVObjectList* FBHEDataList = nullptr;
    T2DTriangleTransient* FFieldModel = nullptr;
    TMonitoringList* FMonitoringList = nullptr;
    TGWGrid* FGWModel = nullptr;
    bool FUseBHEAnalytic = true;
    int FFieldMultiplier = 3;
    QString FSaveDataLocation;
    bool FAutoSaveMonthly = false;
    bool FUseGW = false;
    double FInitialQuantity = 0;
    bool FIsDirty = false;
    QStringList FGWlog;
    std::array<bool, 12> FSavedMonth{};
    int FAdvekCounter = 0;
    std::unique_ptr<TEnergyCounter> FGeothermalEnergy;
    std::unique_ptr<TEnergyCounter> FElectricEnergy;
    std::unique_ptr<TEnergyCounter> FTotalEnergy;
    std::unique_ptr<TEnergyCounter> FYearOutputEnergy;
    std::unique_ptr<TEnergyCounter> FYearGeothermalEnergy;
    std::unique_ptr<TEnergyCounter> FYearElectricEnergy;
    TCounterTable FCounterTable;
    TGaugeValues FGauges;

    // Remaining-time estimate: solves since the last estimate, and the wall
    // clock from the step that began the measured stretch.
    int fTimeStepCounter = 0;
    QElapsedTimer FTimer;
    int FTimerStep = 0;

    // The end handler has run for the current run.
    bool FEndHandled = true;
    // The run ends because of an error: the end handler solves nothing.
    bool FEndingOnError = false;
    // Steps of the current run, fixed at its first step (the engine cuts its
    // step length in the last step).
    int FTotalSteps = 0;
    // Groundwater exchange put onto the nodes in this run (J).
    double FGWTransferred = 0;

    // Node loads of this step, summed per node before they are written.
    std::vector<std::pair<int, double>> FPendingLoads;
    // Load of each probe node integrated over the steps since the last solve,
    // so that the solve sees the mean load of its time step.
    struct TLoadSum {
        double Integral = 0;
        double First = 0;
        bool Varies = false;
        int Step = -1;
    };
    std::vector<TLoadSum> FLoadSums;  // by node index
    std::vector<int> FLoadNodes;      // nodes with a running sum
    double FLoadTime = 0;
    // The probes of each profile in this step, kept so a step allocates nothing.
    std::vector<TEntries> FProfileGroups;
    // The entries of BHEDataList in this step, typed (null where an item is
    // not an entry).
    TEntries FStepEntries;
};
