#pragma once

#include "model/run/RunDisplay.h"
#include "model/time/TimeEngineObj.h"

#include <functional>
#include <memory>

class TFormConceptAndValues;
class TFormDashboard;
class TFormGraph;
class TSurfaceForm;
class TFormMonitoring;

// The result windows, made once and kept for the program's life (closing
// one only hides it). The main window owns one TResultWindows, installs its
// hooks and binds the status window's run buttons.
//
// A run started from a result window's button runs inside that button's
// click handler; the windows must outlive it. While any run is on the stack
// (TRunOnStack), ReleaseWindows only marks them and the last guard to leave
// frees them.
class TResultWindows {
public:
    TResultWindows();
    ~TResultWindows();
    TResultWindows(const TResultWindows&) = delete;
    TResultWindows& operator=(const TResultWindows&) = delete;

    TFormGraph* FormGraph() const { return FGraph; }
    TFormDashboard* FormDashboard() const { return FDashboard; }
    TFormConceptAndValues* FormConceptAndValues() const { return FConcept; }
    TSurfaceForm* SurfaceForm() const { return FSurface; }
    TFormMonitoring* FormMonitoring() const { return FMonitoring; }

    // Marks a run on the stack for its lifetime.
    class TRunOnStack {
    public:
        explicit TRunOnStack(TResultWindows& W);
        ~TRunOnStack();
        TRunOnStack(const TRunOnStack&) = delete;
        TRunOnStack& operator=(const TRunOnStack&) = delete;

    private:
        TResultWindows& FWindows;
    };
    bool RunOnStack() const { return FRunDepth > 0; }
    // Frees the windows now, or when the last run on the stack has returned.
    void ReleaseWindows();
    bool Released() const { return FGraph == nullptr; }

    // The project is closed or replaced: rows and series that point into it go.
    void ProjectClosed();

    // Installs the time engine's gauge-window hooks and the monitoring
    // window; InstallHooks(false) returns both to the headless defaults.
    void InstallHooks(bool On);

private:
    void FreeWindows();

    TFormGraph* FGraph = nullptr;
    TFormDashboard* FDashboard = nullptr;
    TFormConceptAndValues* FConcept = nullptr;
    TSurfaceForm* FSurface = nullptr;
    TFormMonitoring* FMonitoring = nullptr;
    int FRunDepth = 0;
    bool FReleasePending = false;
    std::unique_ptr<TDashboardHooks> FDashboardHooks;
};

// The time engine's gauge window: the status window. Closing it tells the
// engine once (it then stops showing it).
class TGaugeWindowHooks : public TDashboardHooks {
public:
    explicit TGaugeWindowHooks(TResultWindows& W) : FWindows(W) {}
    bool IsDashboardVisible() override;
    void ShowDashboard(std::function<void()> OnClose) override;

private:
    TResultWindows& FWindows;
};

// The part of the run display that the result windows show: the gauges and
// LED read-outs and the energy dashboard. The main
// window's run display derives from it (or forwards to it) and adds the run
// page's date, progress, log, counter grid and surface.
class TResultRunDisplay : public TRunDisplay {
public:
    explicit TResultRunDisplay(TResultWindows& W) : FWindows(W) {}

    bool IsGaugeWindowVisible() override;
    void ShowGauges(const TGaugeValues& Values) override;
    bool IsDashboardVisible() override;
    void ShowDashboard(const TDashboardValues& Values) override;

private:
    TResultWindows& FWindows;
};
