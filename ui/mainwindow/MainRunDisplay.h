#pragma once

// The main window's run display: the run page's date, progress, remaining
// time, log, counter grid and surface, and (through TResultRunDisplay) the
// gauges and the energy dashboard. A run calls it every step; what it shows
// is refreshed at a bounded rate (RefreshInterval), so a run with every
// window shown costs little more than a headless one. Pending events are
// processed after every step, so Pause and Stop arrive at once.

#include <QElapsedTimer>
#include <QString>

#include "ui/results/ResultWindows.h"

#include <functional>

class TCounterGridModel;
class TSimulationCard;

class TMainRunDisplay : public TResultRunDisplay
{
public:
    // Between two refreshes of the labels, grid and gauges.
    static constexpr int RefreshInterval = 200;   // ms
    // Between two refreshes of the surface during a run.
    static constexpr int SurfaceInterval = 2000;  // ms

    TMainRunDisplay(TResultWindows& Windows, TSimulationCard& Card, TCounterGridModel& Grid);

    // The surface of the running model (the loop's UpdateSurface); called at
    // the surface's rate while the page shows.
    std::function<void()> RequestSurface;

    // Shows everything pending now.
    void Flush();
    // Begin/End of the counter update not yet balanced.
    int CounterUpdateDepth() const { return FCounterDepth; }

    void ShowDate(const QString& Text) override;
    void ShowProgress(int PartsComplete, int TotalParts) override;
    void HideProgress() override;
    void ShowRemainingTime(const QString& Text) override;
    void AddLogLine(const QString& Line) override;
    void BeginCounterUpdate() override;
    void CounterRowChanged(const TCounterTable& Table, int Row) override;
    void EndCounterUpdate(const TCounterTable& Table) override;
    bool HasSurfaceChart() override { return true; }
    void ShowSurface(const std::vector<TSurfacePoint>& Points) override;
    bool IsGaugeWindowVisible() override;
    void ShowGauges(const TGaugeValues& Values) override;
    bool IsDashboardVisible() override;
    void ShowDashboard(const TDashboardValues& Values) override;
    void ProcessMessages() override;

private:
    TSimulationCard& FCard;
    TCounterGridModel& FGrid;
    QElapsedTimer FRefreshClock;
    QElapsedTimer FSurfaceClock;
    QString FDate;
    int FParts = 0;
    int FTotal = 0;
    bool FDateDirty = false;
    bool FProgressDirty = false;
    // The next step may build the gauge and dashboard values: the loop only
    // computes them when asked whether they are visible.
    bool FGaugesDue = true;
    bool FDashboardDue = true;
    int FCounterDepth = 0;
};
