#pragma once

// The project's command layer: the one place through which the main window,
// the tests and the benchmarks create, open, save and close the project,
// change its probes and mesh, set the run's times and run the simulation.
// It owns the current project and its file name and changed flag, and it
// knows whether a run is active, so that nothing frees or changes what a
// running or paused simulation depends on. It never shows anything: errors
// are EKPError with the German message (the window shows them), run checks
// come back as values, and an error inside a running simulation goes to the
// model's prompts (TPrompts::ShowError), once.
//
// The simulation runs on the caller's thread inside RunExecute; the run
// display's ProcessMessages lets Pause and Stop (and the commands that the
// run leaves enabled) arrive nested inside it.

#include <QString>
#include <QStringList>

#include "model/control/RunChecks.h"

#include <cstdint>
#include <functional>
#include <memory>

class TBHE;
class TProject;
class TThermModel;

// The values passed to the window's SetRunState.
enum class TRunState : std::uint8_t { Running = 0, Paused = 1, Idle = 2 };

class TProjectControl
{
public:
    TProjectControl();
    ~TProjectControl();
    TProjectControl(const TProjectControl&) = delete;
    TProjectControl& operator=(const TProjectControl&) = delete;

    // ---- project
    // Null on the start page.
    TProject* Project() const { return FProject.get(); }
    // The current model of the project; null without a project.
    TThermModel* Model() const;
    // Empty for a project that was never saved.
    const QString& FileName() const { return FFileName; }
    bool IsChanged() const { return FIsChanged; }
    void SetIsChanged(bool Value) { FIsChanged = Value; }
    // "Mirvatek KP - " with the file name (no folder), "Mirvatek KP" without
    // a project.
    QString Caption() const;

    // New, Open and Close are refused (EKPError) while the run loop is on
    // the stack; a paused run is ended first, without OnSimulationFinished.
    //
    // An empty project (one load profile, one thermal model, an empty map),
    // no file name, not changed. Asking to save the old one is the window's.
    void NewProject();
    // Loads AFileName (extension ".kpm" in any letter case) into a fresh
    // project that replaces the current one only when it was read completely.
    // A missing file, another extension, a damaged file or one of a newer
    // version raise EKPError and leave project, file name and flag as they were.
    void OpenProject(const QString& AFileName);
    // Saves under FileName(); EKPError when there is none (use SaveProjectAs).
    void SaveProject();
    // Saves under AFileName, which becomes the file name only when the save
    // succeeded. A failed save raises and keeps the old file, name and flag.
    void SaveProjectAs(const QString& AFileName);
    // No project afterwards (the start page).
    void CloseProject();
    // Called right before a project is freed or replaced, so that the window
    // can drop everything that points into it.
    std::function<void()> OnProjectFreeing;

    // Lines for the window's hint memo; lent to the model as its message list.
    const QStringList& Messages() const { return FMessages; }
    void ClearMessages() { FMessages.clear(); }

    // ---- probes and mesh
    // A probe at world position X, Y (m) taking over Type (when given), named
    // Name or "Sonde " with the probe count. Marks the project changed and
    // the mesh out of date.
    TBHE* AddProbe(const TBHE* Type, double X, double Y, const QString& Name = QString());
    void MoveProbe(TBHE* Probe, double X, double Y);
    // The probe goes with its run data and monitoring items.
    void DeleteProbe(TBHE* Probe);
    // Meshes the probe field with the generator, showing the mesh parameter
    // dialog when asked; False when that dialog was cancelled. On success
    // the hint lines "Grid generated" and the element and node counts are
    // added and the project is marked changed; a failure raises and keeps
    // the previous mesh.
    bool GenerateMesh(bool ShowDialog);

    // ---- run settings
    // The finite-element step DeltaTime (s) and the load-side evaluations per
    // step together: the engine steps DeltaTime / Multiplier, the main loop
    // solves every Multiplier-th step. Raises for a step that is no positive
    // number or a multiplier outside 1 .. 100.
    void SetRunTimes(double DeltaTime, int Multiplier);
    // True when engine step × multiplier is the finite-element step.
    bool RunTimesConsistent() const;
    // Simulated duration, days (> 0).
    void SetDuration(double Days);
    void SetUseGW(bool Value);
    // The run page's settings as the model holds them (months not ticked,
    // the data folder only when it exists).
    TRunSettings RunSettings() const;

    // ---- run
    TRunState RunState() const;
    // The run loop is on the stack.
    bool IsRunLoopActive() const { return FInRun; }
    // Running or paused: what the run depends on must not change.
    bool IsRunActive() const;
    // Raises EKPError "<What> ist während einer laufenden Simulation nicht
    // möglich." while a run is active; for the window's other commands that
    // change the model (load profiles, parameter sets, groundwater).
    void CheckRunInactive(const QString& What) const;

    // ModelRunExecute: a paused run continues, otherwise a fresh start. A
    // failed check comes back and starts nothing; so does a call while the
    // loop is already on the stack.
    TRunCheck RunExecute(const TRunSettings& Settings);
    // Fresh start (a paused run is ended first): initial temperatures saved,
    // times from Settings, the model initialised, then the run until its
    // end, a pause or a stop. AskAbortIgnore comes back when no month is
    // ticked: on "Ignore" the window calls again with IgnoreNoMonths set.
    TRunCheck Start(const TRunSettings& Settings);
    // Continues a paused run without resetting time, counters or
    // temperatures; only the saving settings are taken from Settings.
    TRunCheck Continue(const TRunSettings& Settings);
    // The run stops after the current step and is paused. False when no run
    // loop is active.
    bool Pause();
    // Ends a running or paused run: the end handling runs once and the run
    // is idle. Does nothing when the run is idle.
    void Stop();

    // The window's SetRunState, after every change of the run state.
    std::function<void(TRunState)> OnRunStateChanged;
    // The window's SimulationFinished: once per run that reached its end or
    // was stopped (not after an error, which is shown instead), after the
    // loop unwound.
    std::function<void()> OnSimulationFinished;
    // A fresh start begins (after the checks): the window clears its log and
    // sets up its counter grid and progress.
    std::function<void()> OnRunStarting;

private:
    void ReplaceProject(std::unique_ptr<TProject> Project, const QString& FileName);
    void BindModel();
    void StopPausedRunSilently();
    void CheckNoRunLoop(const QString& What) const;
    void MarkMeshOutOfDate();
    TThermModel& CheckedModel() const;
    void CheckProbeOfModel(const TBHE* Probe) const;
    void ApplySaving(const TRunSettings& Settings);
    void PrepareFreshRun(const TRunSettings& Settings);
    void LogRunStart();
    void RepairBoreholeResistances();
    void Execute(bool Fresh, const TRunSettings& Settings);
    void Unwound(bool Failed, const QString& Error);
    void NotifyState();

    std::unique_ptr<TProject> FProject;
    QString FFileName;
    bool FIsChanged = false;
    QStringList FMessages;
    // The run loop is on the stack.
    bool FInRun = false;
    // The model's end handler ran for the run on the stack or being stopped.
    bool FEndReached = false;
};
