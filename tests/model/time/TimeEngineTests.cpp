#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/time/TimeEngineObj.h"
#include "model/time/TimelineDataObj.h"

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

namespace {

// Records the events of an engine in the order they fire.
struct TEventLog {
    std::vector<std::string> events;
    void Bind(TTimeEngine& e)
    {
        e.OnYearChanged = [this](TObject*) { events.push_back("year"); };
        e.OnMonthChanged = [this](TObject*) { events.push_back("month"); };
        e.OnDayChanged = [this](TObject*) { events.push_back("day"); };
        e.OnNextTimeStep = [this](TObject*) { events.push_back("step"); };
        e.OnEndTimeReached = [this](TObject*) { events.push_back("end"); };
    }
};

std::string Flags(const TTimeEngine& e)
{
    std::string s;
    s += e.YearHasChanged() ? 'Y' : '-';
    s += e.MonthHasChanged() ? 'M' : '-';
    s += e.WeekHasChanged() ? 'W' : '-';
    s += e.DayHasChanged() ? 'D' : '-';
    s += e.HourHasChanged() ? 'h' : '-';
    s += e.MinuteHasChanged() ? 'm' : '-';
    return s;
}

}  // namespace

TEST(TimeEngine, NewEngineIsFinishedAndZero)
{
    TTimeEngine e;
    EXPECT_TRUE(e.Finished());
    EXPECT_EQ(e.CurrentTime(), 0.0);
    EXPECT_EQ(e.TimeStep(), 0.0);
    EXPECT_FALSE(e.NextTimeStep());
}

TEST(TimeEngine, FirstStepFlagsAndEvents)
{
    struct Case {
        const char* name;
        TDateTime start;
        double step;
        const char* flags;
        int level;
        std::vector<std::string> events;
    } cases[] = {
        {"new year", EncodeDateTime(2022, 12, 31, 23, 0, 0, 0), 3600, "YMWDhm", 5, {"year", "month", "day", "step"}},
        {"minute only", EncodeDateTime(2023, 5, 10, 10, 0, 0, 0), 60, "-----m", 0, {"step"}},
        {"nothing", EncodeDateTime(2023, 5, 10, 10, 0, 0, 0), 10, "------", 0, {"step"}},
        {"15th to 15th", EncodeDateTime(2023, 3, 15, 0, 0, 0, 0), 31 * 86400.0, "-MWDhm", 4, {"month", "step"}},
        // 2023-05-14 is a Sunday.
        {"Sunday to Monday", EncodeDateTime(2023, 5, 14, 23, 0, 0, 0), 3600, "--WDhm", 3, {"day", "step"}},
        {"next hour", EncodeDateTime(2023, 5, 10, 10, 30, 0, 0), 1800, "----hm", 1, {"step"}},
    };
    for (const Case& c : cases) {
        TTimeEngine e;
        TEventLog log;
        log.Bind(e);
        e.SetRealStartTime(c.start);
        e.SetTimeStep(c.step);
        e.SetEndtime(c.step * 10);
        e.SetFinished(false);
        ASSERT_TRUE(e.NextTimeStep()) << c.name;
        EXPECT_EQ(Flags(e), c.flags) << c.name;
        EXPECT_EQ(e.TimeLevel(), c.level) << c.name;
        EXPECT_EQ(log.events, c.events) << c.name;
        EXPECT_EQ(e.NumTimeStep(), 1);
    }
}

TEST(TimeEngine, RunsToTheEnd)
{
    struct Case {
        double start, end, step;
        int steps;
        double lastStep;
        bool finished;
    } cases[] = {
        {0, 10000, 3600, 3, 2800, true},  // the last step is cut
        {0, 7200, 3600, 2, 3600, true},
        {0, 0, 3600, 0, 3600, false},     // no step, no event, not finished
        {100, 50, 10, 0, 10, false},
    };
    for (const Case& c : cases) {
        TTimeEngine e;
        TEventLog log;
        log.Bind(e);
        e.SetStartTime(c.start);
        e.SetEndtime(c.end);
        e.SetTimeStep(c.step);
        EXPECT_EQ(e.TotalNumberOfTimeSteps(), c.steps);
        e.Run();
        EXPECT_EQ(e.NumTimeStep(), c.steps);
        EXPECT_EQ(e.TimeStep(), c.lastStep);
        EXPECT_EQ(e.Finished(), c.finished);
        const auto ends = std::count(log.events.begin(), log.events.end(), "end");
        EXPECT_EQ(ends, c.finished ? 1 : 0);
        if (c.steps > 0) {
            EXPECT_EQ(e.CurrentTime(), c.end);
            EXPECT_EQ(log.events.back(), "end");
        }
    }
}

TEST(TimeEngine, NonPositiveStepRaisesBeforeAnyStep)
{
    const double steps[] = {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()};
    for (double s : steps) {
        TTimeEngine e;
        int n = 0;
        e.OnNextTimeStep = [&](TObject*) { ++n; };
        e.SetEndtime(1000);
        e.SetTimeStep(s);
        EXPECT_THROW(e.Run(), EKPError);
        EXPECT_THROW(e.Cont(), EKPError);
        EXPECT_EQ(n, 0);
        EXPECT_EQ(e.CurrentTime(), 0.0);
    }
}

TEST(TimeEngine, PauseContinueAndStop)
{
    TTimeEngine e;
    TEventLog log;
    log.Bind(e);
    e.SetEndtime(10 * 3600.0);
    e.SetTimeStep(3600);
    auto onStep = e.OnNextTimeStep;
    e.OnNextTimeStep = [&](TObject* s) {
        onStep(s);
        if (e.NumTimeStep() == 4) e.SetAborted(true);
    };
    e.Run();
    EXPECT_EQ(e.NumTimeStep(), 4);
    EXPECT_FALSE(e.Finished());
    EXPECT_TRUE(e.Aborted());
    e.Cont();
    EXPECT_EQ(e.NumTimeStep(), 10);
    EXPECT_TRUE(e.Finished());
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "end"), 1);

    // Stop in the middle ends the loop; the end event fires once.
    TTimeEngine s;
    int ends = 0;
    s.SetEndtime(10 * 3600.0);
    s.SetTimeStep(3600);
    s.OnEndTimeReached = [&](TObject*) { ++ends; };
    s.OnNextTimeStep = [&](TObject*) {
        if (s.NumTimeStep() == 3) s.Stop();
    };
    s.Run();
    EXPECT_EQ(s.NumTimeStep(), 3);
    EXPECT_TRUE(s.Finished());
    EXPECT_EQ(ends, 1);

    // Stop during the last step also fires it only once.
    TTimeEngine last;
    ends = 0;
    last.SetEndtime(3 * 3600.0);
    last.SetTimeStep(3600);
    last.OnEndTimeReached = [&](TObject*) { ++ends; };
    last.OnNextTimeStep = [&](TObject*) {
        if (last.NumTimeStep() == 3) last.Stop();
    };
    last.Run();
    EXPECT_EQ(ends, 1);
}

TEST(TimeEngine, DayChangesFireAtTheRightStep)
{
    // Summed steps drift in binary; the day must still change exactly at midnight.
    const double steps[] = {600.0, 1800.0, 1800.0 / 7.0};
    for (double step : steps) {
        for (double startHour : {0.0, 12.0}) {
            TTimeEngine e;
            e.SetRealStartTime(EncodeDate(2023, 1, 1) + startHour / 24.0);
            e.SetTimeStep(step);
            e.SetEndtime(400 * 86400.0);
            int days = 0, months = 0, years = 0, mismatches = 0;
            e.OnDayChanged = [&](TObject*) {
                ++days;
                // The exact day boundary crossed during this step.
                const double secs = e.CurrentTime() + startHour * 3600.0;
                const double boundary = std::floor(secs / 86400.0 + 1e-9) * 86400.0;
                if (!(secs - boundary < step - 1e-6)) ++mismatches;
            };
            e.OnMonthChanged = [&](TObject*) { ++months; };
            e.OnYearChanged = [&](TObject*) { ++years; };
            e.Run();
            EXPECT_EQ(days, 400) << step << " " << startHour;
            EXPECT_EQ(mismatches, 0) << step;
            EXPECT_EQ(months, startHour == 0 ? 13 : 13) << step;
            EXPECT_EQ(years, 1) << step;
        }
    }
}

TEST(TimeEngine, RecordKeepsTheFourTimes)
{
    TTimeEngine e;
    e.SetRealStartTime(45000.25);
    e.SetStartTime(1);
    e.SetEndtime(2);
    e.SetTimeStep(3);
    e.SetCurrentTime(99);
    TMemoryStream s;
    e.Write(s);
    EXPECT_EQ(s.Data().size(), 32);
    TTimeEngine back;
    TMemoryStream r(s.Data());
    back.Read(r);
    EXPECT_EQ(back.RealStartTime(), 45000.25);
    EXPECT_EQ(back.StartTime(), 1.0);
    EXPECT_EQ(back.Endtime(), 2.0);
    EXPECT_EQ(back.TimeStep(), 3.0);
    EXPECT_EQ(back.CurrentTime(), 0.0);
    TMemoryStream shortRecord(s.Data().left(31));
    TTimeEngine untouched;
    EXPECT_THROW(untouched.Read(shortRecord), EReadError);
    EXPECT_EQ(untouched.RealStartTime(), 0.0);
}

TEST(TimeEngine, DashboardShownBeforeEachStepWhileWanted)
{
    struct TFakeDashboard : TDashboardHooks {
        bool visible = false;
        int shown = 0;
        std::function<void()> onClose;
        bool IsDashboardVisible() override { return visible; }
        void ShowDashboard(std::function<void()> c) override
        {
            visible = true;
            ++shown;
            onClose = std::move(c);
        }
    } dash;
    TModelUIScope<TDashboardHooks> scope(&dash);
    TTimeEngine e;
    e.SetShowDashboard(true);
    e.SetEndtime(5 * 3600.0);
    e.SetTimeStep(3600);
    e.OnNextTimeStep = [&](TObject*) {
        if (e.NumTimeStep() == 2) dash.visible = false;  // hidden: comes back at the next step
        if (e.NumTimeStep() == 4) {
            dash.visible = false;
            dash.onClose();  // closed by the user: stays closed
        }
    };
    e.Run();
    EXPECT_EQ(dash.shown, 2);
    EXPECT_FALSE(e.ShowDashboard());
}

TEST(TimeEngine, GaugeWindowClosedAfterTheEngineIsGone)
{
    // The window outlives the engine; closing it then must not reach a
    // freed engine (the sanitizer build reports such a use).
    struct TFakeDashboard : TDashboardHooks {
        std::function<void()> onClose;
        void ShowDashboard(std::function<void()> c) override { onClose = std::move(c); }
    } dash;
    TModelUIScope<TDashboardHooks> scope(&dash);
    {
        auto e = std::make_unique<TTimeEngine>();
        e->SetShowDashboard(true);
        e->SetEndtime(3600);
        e->SetTimeStep(3600);
        e->Run();
    }
    ASSERT_TRUE(dash.onClose);
    dash.onClose();
}

TEST(TimeData, RecordIsSixteenBytesAndRegistered)
{
    RegisterTimeStreamClasses();
    TTimeData d;
    d.SetTime(1.5);
    d.SetData(-2);
    TMemoryStream s;
    WriteObjectToStream(&d, s);
    TMemoryStream r(s.Data());
    auto back = ReadObjectFromStreamAs<TTimeData>(r, "TTimeData");
    EXPECT_EQ(back->Time(), 1.5);
    EXPECT_EQ(back->Data(), -2.0);
    EXPECT_EQ(s.Data().size(), 4 + 2 * 9 + 16);
}
