#pragma once

// The run control of the simulation page: the run settings and their checks,
// Run, Pause and Stop, the run state and the end of a run. The run happens on
// the user-interface thread inside ModelRunExecute and is never entered
// twice; the state after it returns comes from the engine (through the
// project controller). The control owns the result windows and the run
// display and installs them as the model's hooks for the window's life.

#include <QObject>

#include <cstdint>
#include <memory>

class QAction;
class TCounterGridModel;
class TFormLoad;
class TMainRunDisplay;
class TResultCommands;
class TResultWindows;
class TCounterTable;
struct TRunCheck;
enum class TRunState : std::uint8_t;

class TRunControl : public QObject
{
    Q_OBJECT
public:
    explicit TRunControl(TFormLoad& Window);
    ~TRunControl() override;

    QAction* ModelRun = nullptr;
    QAction* ModelPause = nullptr;
    QAction* ModelStop = nullptr;

    TResultWindows& ResultWindows() const { return *FWindows; }
    TCounterGridModel& CounterGrid() const { return *FGrid; }
    TMainRunDisplay& RunDisplay() const { return *FDisplay; }
    TResultCommands& ResultCommands() const { return *FResults; }

    // Running or paused: nothing the run depends on may change.
    bool RunActive() const;

    void ModelRunExecute();
    void ModelPauseExecute();
    void ModelStopExecute();
    void SetRunState(TRunState State);
    void SimulationFinished();
    // EnterMonitoringPage: the page from the model, the monitoring list's
    // probes, the counter grid's header, the surface after a finished run.
    void RefreshRunPage();
    void SetupCounterGrid();
    void SetupSurfaceChart();
    void BtnSaveFieldClick();
    void ActionShowDashboardExecute();

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

private:
    QAction* MakeAction(const QString& Name, const QString& Caption, const QString& Hint, int Image);
    void BindButtons();
    void InstallHooks();
    // Shows a failed check; False when the run is to be tried again with
    // the answer taken (Ignore on no month).
    bool ShowCheck(const TRunCheck& Check);
    void FocusField(int Field);
    void RunStarting();
    int DurationRows() const;

    TFormLoad& FWindow;
    std::unique_ptr<TResultWindows> FWindows;
    TCounterGridModel* FGrid = nullptr;
    std::unique_ptr<TMainRunDisplay> FDisplay;
    // The header of the grid before the first run.
    std::unique_ptr<TCounterTable> FPreview;
    TResultCommands* FResults = nullptr;
    // ModelRunExecute is on the stack.
    bool FInRunCommand = false;
};
