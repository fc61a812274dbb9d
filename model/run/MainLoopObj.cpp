// The loop's construction, references, record and the start and end of a run.

#include "model/run/MainLoopObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/Versions.h"
#include "model/fe/NumModel.h"
#include "model/loads/LoadObject.h"
#include "model/probes/BHEObj.h"

#include <cmath>

// ------------------------------------------------------------ TEnergyCounter

void TEnergyCounter::Reset()
{
    FCool = 0;
    FHeat = 0;
}

void TEnergyCounter::Add(double Amount)
{
    if (Amount > 0)
        FCool += Amount;
    else if (Amount < 0)
        FHeat += Amount;
}

double TEnergyCounter::Sum() const { return std::abs(FHeat) + std::abs(FCool); }

// ----------------------------------------------------------------- TMainLoop

TMainLoop::TMainLoop()
    : FTimeEngine(std::make_unique<TTimeEngine>()),
      FGeothermalEnergy(std::make_unique<TEnergyCounter>()),
      FElectricEnergy(std::make_unique<TEnergyCounter>()),
      FTotalEnergy(std::make_unique<TEnergyCounter>()),
      FYearOutputEnergy(std::make_unique<TEnergyCounter>()),
      FYearGeothermalEnergy(std::make_unique<TEnergyCounter>()),
      FYearElectricEnergy(std::make_unique<TEnergyCounter>())
{
    FTimeEngine->SetStartTime(0);
    FTimeEngine->SetEndtime(365 * 86400.0);
    FTimeEngine->SetTimeStep(3600);
    FTimeEngine->SetRealStartTime(EncodeDate(YearOf(Now()) + 1, 1, 1));
    BindEngine();
}

TMainLoop::~TMainLoop() = default;

void TMainLoop::BindEngine()
{
    // Through the virtual handlers, so that a descendant's overrides receive
    // the events; every handler is guarded so that an error stops the run.
    TTimeEngine& e = *FTimeEngine;
    e.OnNextTimeStep = [this](TObject* S) { Guarded(&TMainLoop::DoNextTimeStep, S); };
    e.OnDayChanged = [this](TObject* S) { Guarded(&TMainLoop::DoDayChanged, S); };
    e.OnYearChanged = [this](TObject* S) { Guarded(&TMainLoop::DoYearChanged, S); };
    e.OnEndTimeReached = [this](TObject* S) { Guarded(&TMainLoop::DoEndTimeReached, S); };
    e.OnMonthChanged = [this](TObject* S) { Guarded(&TMainLoop::DoMonthChanged, S); };
}

void TMainLoop::Guarded(void (TMainLoop::*Handler)(TObject*), TObject* Sender)
{
    try {
        (this->*Handler)(Sender);
    } catch (...) {
        StopAfterError();
        throw;
    }
}

void TMainLoop::StopAfterError()
{
    // The run ends as if stopped: the end handler runs (once) and the engine
    // is idle, so the next run starts afresh. The first error is the one the
    // caller gets; a second one from the end handling is dropped.
    FEndingOnError = true;
    try {
        if (!FEndHandled)
            FTimeEngine->Stop();
    } catch (...) {
    }
    FEndingOnError = false;
    FTimeEngine->SetAborted(true);
    FTimeEngine->SetFinished(true);
}

double TMainLoop::Flux() const
{
    if (!OnGetFlux) throw EKPError(QStringLiteral("Flux in Mainloop not hooked!"));
    return OnGetFlux();
}

TFluid TMainLoop::Fluid() const
{
    if (!OnGetFluid) throw EKPError(QStringLiteral("Fluid in Mainloop not hooked!"));
    return OnGetFluid();
}

void TMainLoop::SetFieldMultiplier(int V)
{
    if (V < 1) throw EKPError(QStringLiteral("Multiplikator muss 1 oder größer sein"));
    FFieldMultiplier = V;
}

bool TMainLoop::SavedMonth(int Month) const
{
    return Month >= 1 && Month <= 12 && FSavedMonth[static_cast<size_t>(Month - 1)];
}

void TMainLoop::SetSavedMonth(int Month, bool V)
{
    if (Month >= 1 && Month <= 12) FSavedMonth[static_cast<size_t>(Month - 1)] = V;
}

TBHEDataWrapper* TMainLoop::FindBHEWrapper(const TBHE* ABHE) const
{
    for (int i = 0; i < EntryCount(); ++i)
        if (Entry(i) && Entry(i)->BHE() == ABHE) return Entry(i);
    return nullptr;
}

int TMainLoop::EntryCount() const { return FBHEDataList ? FBHEDataList->Count() : 0; }

TBHEDataWrapper* TMainLoop::Entry(int Index) const
{
    return dynamic_cast<TBHEDataWrapper*>(FBHEDataList->Items(Index));
}

TLoadObj* TMainLoop::Profile(int Index) const { return dynamic_cast<TLoadObj*>(FLoadProfils->Items(Index)); }

void TMainLoop::Read(TStream& S)
{
    bool useGW = FUseGW;
    if (FileVersionAtLeast(1, 1)) useGW = S.ReadBoolean();
    FTimeEngine->Read(S);
    FUseGW = useGW;
}

void TMainLoop::Write(TStream& S)
{
    S.WriteBoolean(FUseGW);
    FTimeEngine->Write(S);
}

void TMainLoop::Run()
{
    CheckRunnable();
    TRunDisplay& display = ModelUI<TRunDisplay>();
    FEndHandled = false;
    FEndingOnError = false;
    fTimeStepCounter = 0;
    FOtherCircuits.clear();
    // A fresh run counts its groundwater periods from its start, whoever
    // started it before.
    FAdvekCounter = 0;
    FGWTransferred = 0;
    // Loads and groundwater exchange of an earlier run that never reached a
    // solve must not leak into this one.
    FPendingLoads.clear();
    FLoadSums.assign(static_cast<size_t>(FFieldModel->NodeCount()), TLoadSum());
    FLoadNodes.clear();
    FLoadTime = 0;
    FFieldModel->ResetQGWload();
    // A probe that no profile drives must not keep a load of an earlier run.
    for (int i = 0; i < EntryCount(); ++i) FFieldModel->GetNodes(Entry(i)->NodeIndex())->SetQ(0);

    QStringList names;
    for (int i = 0; i < EntryCount(); ++i) names << Entry(i)->BHE()->Name();
    FCounterTable.Clear();
    FCounterTable.SetHeader(CounterHeader(FLoadProfile ? FLoadProfile->LoadType() : ltConstant, names));
    display.BeginCounterUpdate();
    FTimeEngine->Run();
}

void TMainLoop::DoEndTimeReached(TObject* Sender)
{
    // The engine reports the end after the last step and on Stop; a Stop
    // during the last step must not end the run twice.
    if (FEndHandled) return;
    // The steps after the last solve were counted; the field gets them too.
    // A failing solve here ends the run through the error path, which comes
    // back with FEndingOnError set.
    if (!FEndingOnError) SolvePendingSteps();
    FEndHandled = true;
    TRunDisplay& display = ModelUI<TRunDisplay>();
    display.EndCounterUpdate(FCounterTable);
    display.RepaintTemperatureChart();
    UpdateSurface();
    display.HideProgress();
    if (OnEndTimeReached) OnEndTimeReached(Sender);
}
