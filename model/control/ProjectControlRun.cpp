// The run: its state, fresh start, continue, pause and stop. The state is
// never stored: it follows from whether the loop is on the stack and from
// the time engine's Aborted and Finished flags after the loop returned.

#include <QDir>

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/run/RunDisplay.h"
#include "model/settings/KPSettings.h"

#include <cmath>
#include <exception>

namespace {

constexpr double DefaultRB = 0.1; // m·K/W

TRunCheck AlreadyRunning()
{
    return TRunCheck::Error(TRunField::None, QStringLiteral("Die Simulation läuft bereits."));
}

} // namespace

TRunState TProjectControl::RunState() const
{
    if (FInRun) return TRunState::Running;
    const TThermModel* m = Model();
    if (!m) return TRunState::Idle;
    const TTimeEngine& e = m->MainLoop()->TimeEngine();
    return e.Aborted() && !e.Finished() ? TRunState::Paused : TRunState::Idle;
}

bool TProjectControl::IsRunActive() const
{
    return RunState() != TRunState::Idle;
}

void TProjectControl::NotifyState()
{
    if (OnRunStateChanged) OnRunStateChanged(RunState());
}

TRunCheck TProjectControl::RunExecute(const TRunSettings& Settings)
{
    if (FInRun) return AlreadyRunning();
    return RunState() == TRunState::Paused ? Continue(Settings) : Start(Settings);
}

TRunCheck TProjectControl::Start(const TRunSettings& Settings)
{
    if (FInRun) return AlreadyRunning();
    const TThermModel* m = Model();
    if (!m) return TRunCheck::Error(TRunField::None, QStringLiteral("Es ist kein Projekt geöffnet."));
    const TRunCheck check = CheckFreshRun(*m, FProject->LoadProfils().Count(), Settings);
    if (!check.Ok()) return check;
    StopPausedRunSilently();
    Execute(true, Settings);
    return {};
}

TRunCheck TProjectControl::Continue(const TRunSettings& Settings)
{
    if (FInRun) return AlreadyRunning();
    if (RunState() != TRunState::Paused)
        return TRunCheck::Error(TRunField::None, QStringLiteral("Es gibt keine angehaltene Simulation."));
    const TRunCheck check = CheckSaving(Settings);
    if (!check.Ok()) return check;
    Execute(false, Settings);
    return {};
}

bool TProjectControl::Pause()
{
    if (!FInRun) return false;
    // The engine ends its loop after the current step.
    Model()->MainLoop()->TimeEngine().SetAborted(true);
    return true;
}

void TProjectControl::Stop()
{
    if (FInRun) {
        // The end handler runs now; the finish is reported once the loop unwound.
        Model()->MainLoop()->TimeEngine().Stop();
        return;
    }
    if (RunState() != TRunState::Paused) return;
    FEndReached = false;
    // The pause closed the counter update that the end handling closes again.
    ModelUI<TRunDisplay>().BeginCounterUpdate();
    Model()->MainLoop()->TimeEngine().Stop();
    NotifyState();
    if (FEndReached && OnSimulationFinished) OnSimulationFinished();
    FEndReached = false;
}

void TProjectControl::StopPausedRunSilently()
{
    if (FInRun || RunState() != TRunState::Paused) return;
    ModelUI<TRunDisplay>().BeginCounterUpdate();
    try {
        Model()->MainLoop()->TimeEngine().Stop();
    } catch (...) {
        // The project goes anyway; the engine is ended either way.
    }
    FEndReached = false;
}

void TProjectControl::ApplySaving(const TRunSettings& Settings)
{
    TMainLoop& loop = *Model()->MainLoop();
    const int n = Settings.CountMonthsToSave();
    loop.SetAutoSaveMonthly(n > 0);
    if (n > 0) loop.SetSaveDataLocation(QDir(Settings.DataDir).filePath(Settings.DataFile));
    for (int month = 1; month <= 12; ++month)
        loop.SetSavedMonth(month, Settings.Months[static_cast<size_t>(month - 1)]);
}

void TProjectControl::PrepareFreshRun(const TRunSettings& Settings)
{
    TThermModel& m = *Model();
    TRunDisplay& display = ModelUI<TRunDisplay>();
    if (OnRunStarting) OnRunStarting();
    // The initial field is kept for comparison; without it the run goes on.
    QString initFile = QStringLiteral("InitTemperatures.kpt");
    try {
        initFile = QDir(WorkTempDir()).filePath(initFile);
        m.SaveInitConditions(initFile);
    } catch (const EKPError&) {
        display.AddLogLine(Format(
            QStringLiteral("Fehler beim Schreiben der Datei %s mit den initialen Temperaturen"), {initFile}));
    }
    double days = 0, minutes = 0;
    ParseRunNumber(Settings.Duration, days);
    ParseRunNumber(Settings.DeltaTime, minutes);
    TMainLoop& loop = *m.MainLoop();
    TTimeEngine& e = loop.TimeEngine();
    const double deltaTime = minutes * 60;
    const double step = deltaTime / Settings.Multiplier;
    if (e.RealStartTime() != Settings.StartDate || e.Endtime() != days * 86400 || e.TimeStep() != step ||
        m.FieldModel()->DeltaTime() != deltaTime)
        FIsChanged = true;
    e.SetRealStartTime(Settings.StartDate);
    e.SetTimeStep(step);
    e.SetStartTime(0);
    e.SetCurrentTime(0);
    e.SetEndtime(days * 86400);
    m.FieldModel()->SetDeltaTime(deltaTime);
    loop.SetFieldMultiplier(Settings.Multiplier);
    loop.SetAdvekCounter(0);
    ApplySaving(Settings);
    LogRunStart();
    RepairBoreholeResistances();
    m.InitModel();
}

void TProjectControl::LogRunStart()
{
    TThermModel& m = *Model();
    const TGWGrid& gw = *m.GW();
    const int rows = gw.NumRows();
    TRunDisplay& display = ModelUI<TRunDisplay>();
    const auto area = [](const char* Fmt, double A) { return Format(QString::fromUtf8(Fmt), {A}); };
    display.AddLogLine(QStringLiteral("Simulation started"));
    display.AddLogLine(
        QStringLiteral("#Nodes: %1  #Elements:%2")
            .arg(IntToStr(m.FieldModel()->NodeCount()), IntToStr(m.FieldModel()->ElementCount())));
    display.AddLogLine(QStringLiteral("Thermisches Modell"));
    display.AddLogLine(area("Fläche [m²]: %f", m.GetArea()));
    display.AddLogLine(QStringLiteral("Grundwassermodell"));
    display.AddLogLine(area("Fläche [m²]: %f", gw.Area()));
    display.AddLogLine(area("Schnittfläche [m²]: %f", gw.IntersectionArea()));
    display.AddLogLine(area("Schnittfläche Reihe 0 [m²]: %f", rows > 0 ? gw.IntersectionAreaOfRow(0) : 0.0));
    display.AddLogLine(
        area("Schnittfläche letzte Reihe [m²]: %f", rows > 0 ? gw.IntersectionAreaOfRow(rows - 1) : 0.0));
}

void TProjectControl::RepairBoreholeResistances()
{
    // A probe without a borehole resistance would give no outlet
    // temperature; it runs with the usual 0.1 m·K/W, and the user is told.
    TThermModel& m = *Model();
    for (int i = 0; i < m.BHEs().Count(); ++i) {
        TBHE* b = m.BHE(i);
        if (std::isfinite(b->RB()) && b->RB() > 0) continue;
        b->SetRB(DefaultRB);
        FIsChanged = true;
        ModelUI<TRunDisplay>().AddLogLine(
            Format(QStringLiteral("Sonde \"%s\": kein gültiger Bohrlochwiderstand, %s m·K/W angenommen."),
                   {b->Name(), FloatToStr(DefaultRB)}));
    }
}

void TProjectControl::Execute(bool Fresh, const TRunSettings& Settings)
{
    FInRun = true;
    FEndReached = false;
    QString error;
    bool failed = false;
    try {
        NotifyState();
        TMainLoop& loop = *Model()->MainLoop();
        if (Fresh) {
            PrepareFreshRun(Settings);
            loop.Run();
        } else {
            ApplySaving(Settings);
            ModelUI<TRunDisplay>().BeginCounterUpdate();
            loop.TimeEngine().Cont();
        }
    } catch (const EKPError& e) {
        failed = true;
        error = e.Message();
    } catch (const std::exception& e) {
        failed = true;
        error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failed = true;
        error = QStringLiteral("Unbekannter Fehler während der Simulation.");
    }
    FInRun = false;
    Unwound(failed, error);
}

void TProjectControl::Unwound(bool Failed, const QString& Error)
{
    TMainLoop& loop = *Model()->MainLoop();
    TTimeEngine& e = loop.TimeEngine();
    if (Failed) {
        // Whatever failed, the run is over and the next one starts afresh.
        if (!e.Finished()) {
            try {
                e.Stop();
            } catch (...) {
            }
        }
        e.SetAborted(true);
        e.SetFinished(true);
        FEndReached = false;
        NotifyState();
        ModelUI<TPrompts>().ShowError(Error);
        return;
    }
    if (RunState() == TRunState::Paused) {
        loop.UpdateSurface();
        ModelUI<TRunDisplay>().EndCounterUpdate(loop.CounterTable());
    } else if (!e.Finished()) {
        // A loop that returned without pause and without end must not stay
        // half active.
        e.Stop();
    }
    NotifyState();
    if (FEndReached) {
        FEndReached = false;
        if (OnSimulationFinished) OnSimulationFinished();
    }
}
