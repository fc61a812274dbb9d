// One step of the loop: loads, groundwater, solve, estimate, recording.

#include "model/run/MainLoopObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/loads/LoadObject.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEObj.h"
#include "model/run/RunTexts.h"

#include <cmath>

namespace {

// Solves between two remaining-time estimates.
constexpr int SolvesPerEstimate = 20;

}  // namespace

void TMainLoop::DoNextTimeStep(TObject* Sender)
{
    (void)Sender;
    TTimeEngine& e = *FTimeEngine;
    TRunDisplay& display = ModelUI<TRunDisplay>();
    if (!FFieldModel) CheckMesh();
    // The first step of a run, also of one started on the engine itself.
    if (e.NumTimeStep() == 1) {
        FEndHandled = false;
        FEndingOnError = false;
        FTotalSteps = e.TotalNumberOfTimeSteps();
    }
    if (fTimeStepCounter == 0) {
        FTimer.start();
        FTimerStep = e.NumTimeStep();
    }
    // Asked once per step: the answer only decides what is shown.
    const bool gauges = display.IsGaugeWindowVisible();
    StepLabels(gauges);
    ApplyLoads(gauges);
    if (gauges) display.ShowGauges(FGauges);
    if (FUseGW) {
        CheckGroundwater();
        const int k = FloorInt(e.CurrentTime() / FGWModel->TimeForGrid());
        if (k != FAdvekCounter) {
            AdvanceGroundwater();
            FAdvekCounter = k;
        }
    }
    if (e.NumTimeStep() % FFieldMultiplier == 0) {
        SolveField();
        ++fTimeStepCounter;
        // Groundwater exchange is kept until a solve has taken it, once.
        // Without groundwater no node carries any: no pass over the nodes.
        if (FUseGW || FFieldModel->LastSolveUsedQGW()) FFieldModel->ResetQGWload();
    }
    if (fTimeStepCounter >= SolvesPerEstimate) Estimate();
    if (FMonitoringList) FMonitoringList->RecordNow(e.RealCurrentTime(), e.TimeLevel());
    RefreshDashboard();
    FIsDirty = true;
    display.ProcessMessages();
}

void TMainLoop::StepLabels(bool GaugesVisible)
{
    // Headless nothing is shown, so no text is built: a run's results never
    // depend on its display.
    TRunDisplay* display = TModelHooks<TRunDisplay>::Installed();
    if (!display) return;
    TTimeEngine& e = *FTimeEngine;
    const TDateTime t = e.RealCurrentTime();
    display->ShowDate(FormatDateTime(QStringLiteral("hh:nn:ss dd.mm.yyyy"), t));
    if (GaugesVisible) {
        FGauges.LblDateTime = FormatDateTime(QStringLiteral("dd mmm yyyy hh:nn:ss"), t);
        FGauges.LblDuration = TimeSpanText(e.CurrentTime());
    }
    display->ShowProgress(e.NumTimeStep(), FTotalSteps);
}

TNode* TMainLoop::NodeOf(const TBHEDataWrapper& W) const
{
    const int k = W.NodeIndex();
    if (k < 0 || k >= FFieldModel->NodeCount())
        throw EKPError(Format(QStringLiteral("Die Sonde \"%s\" liegt auf keinem Knoten des Netzes."),
                              {W.BHE() ? W.BHE()->Name() : QString()}));
    return FFieldModel->GetNodes(k);
}

void TMainLoop::CollectEntries()
{
    // One checked cast per probe and step; the passes of the step use these.
    FStepEntries.clear();
    for (int i = 0; i < EntryCount(); ++i) FStepEntries.push_back(Entry(i));
}

TMainLoop::TEntries TMainLoop::EntriesOf(int ProfileIndex) const
{
    TEntries entries;
    for (int i = 0; i < EntryCount(); ++i) {
        TBHEDataWrapper* w = Entry(i);
        if (w && w->BHE() && w->BHE()->LoadProfilIndex() == ProfileIndex) entries.push_back(w);
    }
    return entries;
}

void TMainLoop::ApplyLoads(bool GaugesVisible)
{
    FPendingLoads.clear();
    const int count = FLoadProfils ? FLoadProfils->Count() : 0;
    // The probes of each profile, in one pass over the probes; the lists keep
    // their room from step to step.
    std::vector<TEntries>& groups = FProfileGroups;
    groups.resize(static_cast<size_t>(count));
    for (TEntries& g : groups) g.clear();
    CollectEntries();
    for (TBHEDataWrapper* w : FStepEntries) {
        const int p = w && w->BHE() ? w->BHE()->LoadProfilIndex() : -1;
        if (p >= 0 && p < count) groups[static_cast<size_t>(p)].push_back(w);
    }
    PruneCircuits();
    for (int i = 0; i < count; ++i) {
        const TEntries& entries = groups[static_cast<size_t>(i)];
        if (entries.empty()) continue;
        TLoadObj* p = Profile(i);
        if (!p) throw EKPError(Format(QStringLiteral("Das Lastprofil Nr. %d ist kein Lastprofil."), {std::int64_t{i + 1}}));
        ApplyProfile(*p, entries, GaugesVisible);
    }
    CommitNodeLoads();
    AccumulateLoads();
}

void TMainLoop::ApplyProfile(TLoadObj& P, const TEntries& Entries, bool GaugesVisible)
{
    switch (P.LoadType()) {
    case ltConstant:
    case ltFile:
        ApplyPower(P, Entries);
        break;
    case ltMonthProfile:
        ApplyMonthProfile(P, Entries);
        break;
    case ltYearProfile:
        CoupleHeatpump(Entries, CircuitOf(P), GaugesVisible && &P == OwnProfile());
        break;
    }
}

void TMainLoop::ApplyPower(TLoadObj& P, const TEntries& Entries)
{
    // The energy counted is the power the nodes get: outside a constant
    // profile's date window both are zero.
    const double power = P.GetPower(FTimeEngine->RealCurrentTime());
    FGeothermalEnergy->Add(-power * FTimeEngine->TimeStep() / 3600);
    const double n = static_cast<double>(Entries.size());
    for (const TBHEDataWrapper* w : Entries) AddNodeLoad(*w, -power * 1000 / n);
}

void TMainLoop::ApplyMonthProfile(TLoadObj& P, const TEntries& Entries)
{
    const double power = P.GetPower(FTimeEngine->RealCurrentTime());
    const double n = static_cast<double>(Entries.size());
    for (const TBHEDataWrapper* w : Entries) AddNodeLoad(*w, -power * 1000 / n);
    for (TBHEDataWrapper* w : Entries) {
        const double fa = NodeOf(*w)->FA();
        w->SetDailyMinTemp(std::min(w->DailyMinTemp(), fa));
        w->SetDailyMaxTemp(std::max(w->DailyMaxTemp(), fa));
    }
    FGeothermalEnergy->Add(-power * FTimeEngine->TimeStep() / 3600);
}

void TMainLoop::AddNodeLoad(const TBHEDataWrapper& W, double Q)
{
    NodeOf(W);  // checks the index
    FPendingLoads.emplace_back(W.NodeIndex(), Q);
}

void TMainLoop::CommitNodeLoads()
{
    // Probes that share a node add up their loads.
    for (const auto& [k, q] : FPendingLoads) FFieldModel->GetNodes(k)->SetQ(0);
    for (const auto& [k, q] : FPendingLoads) {
        TNode* node = FFieldModel->GetNodes(k);
        node->SetQ(node->StoredQ() + q);
    }
}

void TMainLoop::AccumulateLoads()
{
    const double dt = FTimeEngine->TimeStep();
    const int step = FTimeEngine->NumTimeStep();
    if (FLoadSums.size() != static_cast<size_t>(FFieldModel->NodeCount())) {
        FLoadSums.assign(static_cast<size_t>(FFieldModel->NodeCount()), TLoadSum());
        FLoadNodes.clear();
        FLoadTime = 0;
    }
    for (const TBHEDataWrapper* w : FStepEntries) {
        if (!w) continue;
        const double q = NodeOf(*w)->StoredQ();
        TLoadSum& s = FLoadSums[static_cast<size_t>(w->NodeIndex())];
        if (s.Step == step) continue;  // a node shared by two probes
        if (s.Step < 0) {
            s.First = q;
            FLoadNodes.push_back(w->NodeIndex());
        } else if (!(q == s.First)) {
            s.Varies = true;
        }
        s.Integral += q * dt;
        s.Step = step;
    }
    FLoadTime += dt;
}

void TMainLoop::AdvanceGroundwater()
{
    TGWGrid& gw = *FGWModel;
    const TDateTime t = FTimeEngine->RealCurrentTime();
    gw.UpdateTemperature();
    gw.MoveCells();
    gw.CalculateHCapacity();
    TRunDisplay& display = ModelUI<TRunDisplay>();
    for (const QString& line : gw.ReportLines(t)) display.AddLogLine(line);
    FGWlog.append(gw.LogLine(t));
    // The exchange is spread over the time step of the solve that takes it.
    const double dtSolve = FFieldModel->DeltaTime();
    const double before = FFieldModel->SumOfQGWload();
    gw.TransferEnergy(false, dtSolve);
    const double transferred = FFieldModel->SumOfQGWload() - before;
    FGWTransferred += transferred * dtSolve;
    FGWlog.last() += TGWGrid::TransferLogText(transferred, dtSolve);
}

void TMainLoop::SolveField()
{
    // The solve's time step spans the steps since the last solve: the probe
    // nodes get the mean of their loads over those steps.
    std::vector<std::pair<int, double>> current;
    for (const int k : FLoadNodes) {
        const TLoadSum& s = FLoadSums[static_cast<size_t>(k)];
        if (!s.Varies) continue;
        TNode* node = FFieldModel->GetNodes(k);
        current.emplace_back(k, node->StoredQ());
        node->SetQ(s.Integral / FLoadTime);
    }
    for (const int k : FLoadNodes) FLoadSums[static_cast<size_t>(k)] = TLoadSum();
    FLoadNodes.clear();
    const double span = FLoadTime;
    FLoadTime = 0;
    auto restoreLoads = [&] {
        for (const auto& [k, q] : current) FFieldModel->GetNodes(k)->SetQ(q);
    };
    try {
        CheckProbeLoads();
        // The model's solve changes no node unless every new temperature is
        // finite: no snapshot and no check pass here.
        SolveOver(span);
    } catch (...) {
        restoreLoads();
        throw;
    }
    restoreLoads();
}

void TMainLoop::SolveOver(double Span)
{
    T2DTriangleTransient& fe = *FFieldModel;
    const double dt = fe.DeltaTime();
    if (std::abs(Span - dt) <= 1e-9 * dt) {
        fe.Solve();
        return;
    }
    // A cut last step, or the steps left after the last solve of a run: the
    // field advances by the time the counters counted. The groundwater loads
    // were spread over dt; over Span they must carry the same energy.
    const double scale = dt / Span;
    for (int k = 0; k < fe.NodeCount(); ++k) {
        TNode* node = fe.GetNodes(k);
        if (node->QGW() != 0) node->SetQGW(node->QGW() * scale);
    }
    auto restore = [&] {
        fe.SetDeltaTime(dt);
        for (int k = 0; k < fe.NodeCount(); ++k) {
            TNode* node = fe.GetNodes(k);
            if (node->QGW() != 0) node->SetQGW(node->QGW() / scale);
        }
    };
    fe.SetDeltaTime(Span);
    try {
        fe.Solve();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TMainLoop::SolvePendingSteps()
{
    if (!FFieldModel || !(FLoadTime > 0)) return;
    CollectEntries();
    SolveField();
    if (FUseGW || FFieldModel->LastSolveUsedQGW()) FFieldModel->ResetQGWload();
    FIsDirty = true;
}

void TMainLoop::CheckProbeLoads() const
{
    for (const TBHEDataWrapper* w : FStepEntries) {
        if (!w || std::isfinite(NodeOf(*w)->StoredQ())) continue;
        throw EKPError(Format(QStringLiteral("Die Last der Sonde \"%s\" ist keine gültige Zahl. "
                                             "Die Simulation wurde angehalten."),
                              {w->BHE() ? w->BHE()->Name() : QString()}));
    }
}

void TMainLoop::Estimate()
{
    fTimeStepCounter = 0;
    TTimeEngine& e = *FTimeEngine;
    // The measured stretch covers the steps since FTimerStep, whatever the
    // multiplier, so the rate per step is exact.
    const double elapsed = static_cast<double>(FTimer.nsecsElapsed()) / 1e9;
    const double remaining =
        EstimateRemaining(FTotalSteps, e.NumTimeStep(), elapsed, e.NumTimeStep() - FTimerStep + 1);
    if (TRunDisplay* display = TModelHooks<TRunDisplay>::Installed())
        display->ShowRemainingTime(RemainingTimeText(remaining));
}

void TMainLoop::RefreshDashboard()
{
    TRunDisplay& display = ModelUI<TRunDisplay>();
    if (!display.IsDashboardVisible()) return;
    display.ShowDashboard(MakeDashboardValues(FTimeEngine->CurrentTime(), *FTotalEnergy, *FGeothermalEnergy,
                                              *FElectricEnergy, FInitialQuantity, FFieldModel->Quantity()));
}
