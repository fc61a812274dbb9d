#include "model/time/TimeEngineObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"

#include <cmath>

TTimeEngine::TTimeEngine() { FFinished = true; }

void TTimeEngine::Read(TStream& S)
{
    // Read all four before assigning, so a short record changes nothing.
    const double realStart = S.ReadDouble();
    const double start = S.ReadDouble();
    const double end = S.ReadDouble();
    const double step = S.ReadDouble();
    FRealStartTime = realStart;
    FStartTime = start;
    FEndtime = end;
    FTimeStep = step;
}

void TTimeEngine::Write(TStream& S)
{
    S.WriteDouble(FRealStartTime);
    S.WriteDouble(FStartTime);
    S.WriteDouble(FEndtime);
    S.WriteDouble(FTimeStep);
}

TTimeEngine::TCalendar TTimeEngine::CalendarAt(double Seconds) const
{
    TCalendar c;
    const TDateTime dt = FRealStartTime + Seconds / SecsPerDay;
    c.Parts = DecodeDateTime(dt);
    c.Week = WeekOfTheYear(dt);
    return c;
}

void TTimeEngine::SetChangeFlags(const TCalendar& Old, const TCalendar& New)
{
    const bool changed[6] = {Old.Parts.Year != New.Parts.Year, Old.Parts.Month != New.Parts.Month,
                             Old.Week != New.Week,             Old.Parts.Day != New.Parts.Day,
                             Old.Parts.Hour != New.Parts.Hour, Old.Parts.Minute != New.Parts.Minute};
    bool* flags[6] = {&FYearHasChanged, &FMonthHasChanged, &FWeekHasChanged,
                      &FDayHasChanged,  &FHourHasChanged,  &FMinuteHasChanged};
    // The first unit that changed sets itself and every finer unit.
    bool on = false;
    for (int i = 0; i < 6; ++i) {
        on = on || changed[i];
        *flags[i] = on;
    }
}

void TTimeEngine::Fire(const TNotifyEvent& Event)
{
    if (Event) Event(this);
}

bool TTimeEngine::NextTimeStep()
{
    if (!(FEndtime > FCurrentTime)) return false;
    ++FNumTimeStep;
    const TCalendar oldCal = CalendarAt(FCurrentTime);
    const double t = FCurrentTime + FTimeStep;
    if (t <= FEndtime) {
        FCurrentTime = t;
    } else {
        FTimeStep = FEndtime - FCurrentTime;
        FCurrentTime = FEndtime;
    }
    const TCalendar newCal = CalendarAt(FCurrentTime);
    SetChangeFlags(oldCal, newCal);

    if (FYearHasChanged) Fire(OnYearChanged);
    if (oldCal.Parts.Month != newCal.Parts.Month) Fire(OnMonthChanged);
    if (oldCal.Parts.Day != newCal.Parts.Day) Fire(OnDayChanged);
    Fire(OnNextTimeStep);

    // A Stop inside this step has already ended the run and fired the end event.
    if (t >= FEndtime && !FFinished) {
        FFinished = true;
        Fire(OnEndTimeReached);
    }
    return true;
}

int TTimeEngine::TotalNumberOfTimeSteps()
{
    CheckTimeStep();
    const double q = (FEndtime - FStartTime) / FTimeStep;
    if (!(q > 0)) return 0;
    const double whole = std::trunc(q);
    const double n = whole + (q - whole > 0 ? 1 : 0);
    return n >= 2147483647.0 ? 2147483647 : static_cast<int>(n);
}

void TTimeEngine::CheckTimeStep() const
{
    if (!(std::isfinite(FTimeStep) && FTimeStep > 0))
        throw EKPError(QStringLiteral("Der Zeitschritt muss eine positive Zahl sein."));
}

void TTimeEngine::Run()
{
    CheckTimeStep();
    FAborted = false;
    FCurrentTime = FStartTime;
    FNumTimeStep = 0;
    FFinished = false;
    Cont();
}

void TTimeEngine::Cont()
{
    CheckTimeStep();
    FAborted = false;
    for (;;) {
        if (FShowDashboard) {
            TDashboardHooks& dash = ModelUI<TDashboardHooks>();
            if (!dash.IsDashboardVisible())
                dash.ShowDashboard([alive = std::weak_ptr<TTimeEngine*>(FAlive)] {
                    if (const auto engine = alive.lock()) (*engine)->DashboardClosed();
                });
        }
        if (!NextTimeStep() || FAborted) break;
    }
}

void TTimeEngine::DashboardClosed() { FShowDashboard = false; }

void TTimeEngine::Stop()
{
    FAborted = true;
    FFinished = true;
    Fire(OnEndTimeReached);
}

std::uint8_t TTimeEngine::TimeLevel()
{
    if (FYearHasChanged) return 5;
    if (FMonthHasChanged) return 4;
    if (FWeekHasChanged) return 3;
    if (FDayHasChanged) return 2;
    if (FHourHasChanged) return 1;
    return 0;
}
