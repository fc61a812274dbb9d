#pragma once

#include "model/base/DateTime.h"
#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"

#include <functional>
#include <memory>

using TNotifyEvent = std::function<void(TObject* Sender)>;

// The gauge window the engine keeps visible during a run when asked to.
// Headless it is never visible and showing it does nothing.
class TDashboardHooks {
public:
    virtual ~TDashboardHooks() = default;
    virtual bool IsDashboardVisible() { return false; }
    // OnClose is called when the user closes the window.
    virtual void ShowDashboard(std::function<void()> OnClose) { (void)OnClose; }
};

// The simulation clock: times in seconds from RealStartTime, one step per
// NextTimeStep, calendar events for the units that changed in a step.
class TTimeEngine : public TObject {
public:
    TTimeEngine();
    TTimeEngine(const TTimeEngine&) = delete;
    TTimeEngine& operator=(const TTimeEngine&) = delete;

    virtual void Read(TStream& S);
    virtual void Write(TStream& S);
    virtual bool NextTimeStep();
    virtual int TotalNumberOfTimeSteps();
    virtual void Run();
    virtual void Cont();
    virtual void Stop();
    virtual std::uint8_t TimeLevel();

    double StartTime() const { return FStartTime; }
    void SetStartTime(double V) { FStartTime = V; }
    double TimeStep() const { return FTimeStep; }
    void SetTimeStep(double V) { FTimeStep = V; }
    double Endtime() const { return FEndtime; }
    void SetEndtime(double V) { FEndtime = V; }
    double CurrentTime() const { return FCurrentTime; }
    void SetCurrentTime(double V) { FCurrentTime = V; }
    bool Aborted() const { return FAborted; }
    void SetAborted(bool V) { FAborted = V; }
    TDateTime RealStartTime() const { return FRealStartTime; }
    void SetRealStartTime(TDateTime V) { FRealStartTime = V; }
    TDateTime RealCurrentTime() const { return FRealStartTime + FCurrentTime / SecsPerDay; }
    int NumTimeStep() const { return FNumTimeStep; }
    bool Finished() const { return FFinished; }
    void SetFinished(bool V) { FFinished = V; }
    bool ShowDashboard() const { return FShowDashboard; }
    void SetShowDashboard(bool V) { FShowDashboard = V; }

    bool MinuteHasChanged() const { return FMinuteHasChanged; }
    bool HourHasChanged() const { return FHourHasChanged; }
    bool DayHasChanged() const { return FDayHasChanged; }
    bool WeekHasChanged() const { return FWeekHasChanged; }
    bool MonthHasChanged() const { return FMonthHasChanged; }
    bool YearHasChanged() const { return FYearHasChanged; }

    TNotifyEvent OnNextTimeStep;
    TNotifyEvent OnEndTimeReached;
    TNotifyEvent OnDayChanged;
    TNotifyEvent OnMonthChanged;
    TNotifyEvent OnYearChanged;

private:
    struct TCalendar {
        TDateTimeParts Parts;
        int Week = 0;
    };
    TCalendar CalendarAt(double Seconds) const;
    void SetChangeFlags(const TCalendar& Old, const TCalendar& New);
    void CheckTimeStep() const;
    void Fire(const TNotifyEvent& Event);
    void DashboardClosed();

    double FStartTime = 0;
    double FTimeStep = 0;
    double FEndtime = 0;
    double FCurrentTime = 0;
    bool FAborted = false;
    TDateTime FRealStartTime = 0;
    int FNumTimeStep = 0;
    bool FMinuteHasChanged = false;
    bool FHourHasChanged = false;
    bool FDayHasChanged = false;
    bool FMonthHasChanged = false;
    bool FWeekHasChanged = false;
    bool FYearHasChanged = false;
    bool FFinished = false;
    bool FShowDashboard = false;
    // The gauge window's close callback reaches the engine only while it
    // lives: the window outlives any one engine.
    std::shared_ptr<TTimeEngine*> FAlive = std::make_shared<TTimeEngine*>(this);
};
