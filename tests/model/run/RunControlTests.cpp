// Pause, continue and stop acting from inside a step, errors inside a step,
// and runs with and without a display.

#include "RunFixture.h"

#include "model/base/KPError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <stdexcept>

using namespace runtest;

namespace {

constexpr int Steps = 30;

// A year profile with the example heat pump and three steps per solve, so
// that a pause can fall between the sub-steps of a solve.
void PrepareYearRun(TRunFixture& F)
{
    F.SetTimes(EncodeDateTime(2021, 1, 1, 12, 0, 0, 0), 1200, Steps * 1200.0, 3);
    F.AddYearProfile(150);
    F.InitRun();
}

struct TOutcome {
    std::vector<double> Temperatures;
    double Geothermal, YearOutput, Tin;
    QString Table;
};

TOutcome Outcome(const TRunFixture& F)
{
    return {F.Temperatures(), F.Loop.GeothermalEnergy().Balance(), F.Loop.YearOutputEnergy().Balance(),
            F.Loop.CurrentTemperatureIn(), F.Loop.CounterTable().AsText()};
}

void ExpectSame(const TOutcome& A, const TOutcome& B)
{
    EXPECT_EQ(A.Temperatures, B.Temperatures);
    EXPECT_EQ(A.Geothermal, B.Geothermal);
    EXPECT_EQ(A.YearOutput, B.YearOutput);
    EXPECT_EQ(A.Tin, B.Tin);
    EXPECT_EQ(A.Table, B.Table);
}

TOutcome Uninterrupted()
{
    TRunFixture f;
    PrepareYearRun(f);
    f.Loop.Run();
    return Outcome(f);
}

}  // namespace

TEST(RunControl, PauseInsideAStepAndContinue)
{
    const TOutcome reference = Uninterrupted();
    for (int k : {7, 12}) {
        SCOPED_TRACE(k);
        TRunFixture f;
        PrepareYearRun(f);
        TFakeDisplay display;
        display.Loop = &f.Loop;
        display.OnProcess = [&](int Step) {
            if (Step == k) f.Loop.TimeEngine().SetAborted(true);
        };
        int ends = 0;
        f.Loop.OnEndTimeReached = [&](TObject*) { ++ends; };
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), k);
        EXPECT_FALSE(f.Loop.TimeEngine().Finished());
        EXPECT_EQ(ends, 0);
        f.Loop.TimeEngine().Cont();
        EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), Steps);
        EXPECT_TRUE(f.Loop.TimeEngine().Finished());
        EXPECT_EQ(ends, 1);
        ExpectSame(Outcome(f), reference);
    }
}

TEST(RunControl, StopEndsTheRunOnce)
{
    // Also when Stop comes during the last step, which reaches the end anyway.
    for (int k : {5, Steps}) {
        SCOPED_TRACE(k);
        TRunFixture f;
        PrepareYearRun(f);
        TFakeDisplay display;
        display.Loop = &f.Loop;
        display.OnProcess = [&](int Step) {
            if (Step == k) f.Loop.TimeEngine().Stop();
        };
        int ends = 0;
        f.Loop.OnEndTimeReached = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &f.Loop.TimeEngine());
            ++ends;
        };
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), k);
        EXPECT_TRUE(f.Loop.TimeEngine().Finished());
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(display.EndUpdates, 1);
        EXPECT_EQ(display.Hidden, 1);
        // A stopped loop stays ended.
        f.Loop.TimeEngine().Stop();
        EXPECT_EQ(ends, 1);
    }
}

TEST(RunControl, ErrorInsideAStepStopsTheRunAndReachesTheCaller)
{
    QTemporaryDir dir;
    struct TCase {
        const char* Name;
        std::function<void(TRunFixture&, TFakeDisplay&)> Setup;
        int FailingStep;
    };
    const TCase cases[] = {
        {"monthly dump into a missing folder",
         [&](TRunFixture& f, TFakeDisplay&) {
             f.SetTimes(EncodeDateTime(2021, 1, 31, 20, 0, 0, 0), 3600, 10 * 3600.0, 1);
             f.Loop.SetAutoSaveMonthly(true);
             f.Loop.SetSavedMonth(2, true);
             f.Loop.SetSaveDataLocation(QDir(dir.path()).filePath(QStringLiteral("missing/feld")));
         },
         4},
        {"heat pump COP falls to 0 during the run",
         [](TRunFixture& f, TFakeDisplay& d) {
             f.StaticHeatpump(10, 4, 20, 3);
             d.OnProcess = [&f](int Step) {
                 if (Step == 3) f.HeatPump->COP()->SetB(0);
             };
         },
         4},
        {"error from the display",
         [](TRunFixture&, TFakeDisplay& d) {
             d.OnProcess = [](int Step) {
                 if (Step == 6) throw std::runtime_error("display");
             };
         },
         6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        PrepareYearRun(f);
        TFakeDisplay display;
        display.Loop = &f.Loop;
        c.Setup(f, display);
        int ends = 0;
        f.Loop.OnEndTimeReached = [&](TObject*) { ++ends; };
        TModelUIScope<TRunDisplay> scope(&display);
        bool thrown = false;
        try {
            f.Loop.Run();
        } catch (const EKPError&) {
            thrown = true;
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        EXPECT_TRUE(thrown);
        EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), c.FailingStep);
        EXPECT_TRUE(f.Loop.TimeEngine().Finished());
        EXPECT_TRUE(f.Loop.TimeEngine().Aborted());
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(display.EndUpdates, 1);
        // The next run starts afresh.
        display.OnProcess = nullptr;
        f.Loop.SetAutoSaveMonthly(false);
        f.StaticHeatpump(10, 4, 20, 3);
        f.InitRun();
        EXPECT_NO_THROW(f.Loop.Run());
        EXPECT_EQ(ends, 2);
    }
}

TEST(RunControl, DisplayDoesNotChangeTheResults)
{
    const TOutcome headless = Uninterrupted();
    TRunFixture f;
    PrepareYearRun(f);
    TFakeDisplay display;
    display.Loop = &f.Loop;
    display.Visible = true;
    display.Surface = true;
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    ExpectSame(Outcome(f), headless);
    EXPECT_EQ(display.Gauges.size(), size_t(Steps));
    EXPECT_EQ(display.Dashboards.size(), size_t(Steps));
    EXPECT_EQ(display.Dates.size(), size_t(Steps));
    EXPECT_EQ(display.Dates.front(), QStringLiteral("12:20:00 01.01.2021"));
}
