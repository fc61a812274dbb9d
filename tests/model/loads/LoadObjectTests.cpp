#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/loads/LoadObject.h"
#include "model/loads/LoadStreamClasses.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TDateTime D(int Y, int M, int Day, int H = 0, int Min = 0) { return EncodeDateTime(Y, M, Day, H, Min, 0, 0); }

class LoadObjectTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLoadStreamClasses(); }
};

// Equal, or both NaN, or the same infinity.
void ExpectSame(double Expected, double Actual, const char* What)
{
    if (std::isnan(Expected))
        EXPECT_TRUE(std::isnan(Actual)) << What << ": " << Actual;
    else if (std::isinf(Expected))
        EXPECT_EQ(Expected, Actual) << What;
    else
        EXPECT_NEAR(Expected, Actual, 1e-9) << What;
}

TEST_F(LoadObjectTest, NewProfileDefaults)
{
    TLoadObj p;
    const int year = YearOf(Now());
    EXPECT_EQ(ltYearProfile, p.LoadType());
    EXPECT_TRUE(std::isnan(p.ConstantLoad()));
    EXPECT_TRUE(std::isnan(p.CoolingFluidTemp()));
    EXPECT_TRUE(std::isnan(p.COPCooling()));
    EXPECT_TRUE(std::isnan(p.COPHeating()));
    EXPECT_EQ(QStringLiteral("Standard"), p.Name());
    EXPECT_EQ(EncodeDate(year + 1, 1, 1), p.StartDate());
    EXPECT_EQ(EncodeDate(year + 5, 12, 31), p.EndDate());
    EXPECT_FALSE(p.UseStartDate());
    EXPECT_FALSE(p.UseEndDate());
    EXPECT_EQ(0, p.Count());
    ASSERT_EQ(12, p.MonthProfile()->Count());
    for (int m = 1; m <= 12; ++m) {
        const THeatCoolLoad* e = p.MonthEntry(m);
        EXPECT_EQ(m, e->Month());
        EXPECT_EQ(0, e->Day());
        EXPECT_TRUE(std::isnan(e->HeatLoad()) && std::isnan(e->CoolingLoad()));
        EXPECT_TRUE(std::isnan(e->COPHeating()) && std::isnan(e->COPCooling()));
    }
    EXPECT_EQ(nullptr, p.MonthEntry(0));
    EXPECT_EQ(nullptr, p.MonthEntry(13));
}

// Derived values of one month entry.
TEST_F(LoadObjectTest, MonthEntryValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* What;
        int Month;
        double Heat, Cool, COPHeat, COPCool;
        double HeatEff, CoolEff, Load, Power;
    } cases[] = {
        {"no cooling entered", 1, 3100, NaN, 4, NaN, 2325, NaN, NaN, NaN},
        {"cooling 0", 1, 3100, 0, 4, NaN, 2325, 0, 2325, 3.125},
        {"no COPs", 3, 744, 0, NaN, NaN, 744, 0, 744, 1},
        {"cooling COP 0 counts as none", 4, 0, 720, NaN, 0, 0, 720, -720, -1},
        {"cooling COP 3", 4, 0, 540, NaN, 3, 0, 720, -720, -1},
        {"February has 28 days", 2, 2800, 336, 4, 3, 2100, 448, 1652, 1652.0 / 24 / 28},
        {"heating COP 0", 5, 100, 0, 0, NaN, -inf, 0, -inf, -inf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        THeatCoolLoad e(c.Month, c.Heat, c.Cool, c.COPHeat, c.COPCool);
        ExpectSame(c.HeatEff, e.HeatEff(), "HeatEff");
        ExpectSame(c.CoolEff, e.CoolEff(), "CoolEff");
        ExpectSame(c.Load, e.LoadValue(), "LoadValue");
        ExpectSame(c.Power, e.PowerValue(), "PowerValue");
    }
}

// The four kinds as the main loop asks them for a power.
TEST_F(LoadObjectTest, GetPowerByKind)
{
    using TSetup = std::function<void(TLoadObj&)>;
    const TSetup constant = [](TLoadObj& p) {
        p.SetLoadType(ltConstant);
        p.SetConstantLoad(4.5);
    };
    const TSetup windowed = [&](TLoadObj& p) {
        constant(p);
        p.SetStartDate(D(2020, 3, 1));
        p.SetEndDate(D(2020, 10, 1));
        p.SetUseStartDate(true);
        p.SetUseEndDate(true);
    };
    const TSetup series = [](TLoadObj& p) {
        p.SetLoadType(ltFile);
        p.AddPoint(D(2020, 1, 1, 0), 5);
        p.AddPoint(D(2020, 1, 1, 6), 8);
        p.SetStartDate(D(2030, 1, 1));  // not applied to a series
        p.SetUseStartDate(true);
    };
    const TSetup months = [](TLoadObj& p) {
        p.SetLoadType(ltMonthProfile);
        p.SetCOPHeating(4);
        p.SetCOPCooling(3);
        p.MonthEntry(1)->SetHeatLoad(3100);
        p.MonthEntry(1)->SetCoolingLoad(0);
        p.MonthEntry(2)->SetHeatLoad(2800);
        p.MonthEntry(2)->SetCoolingLoad(336);
    };
    const TSetup monthsWindowed = [&](TLoadObj& p) {
        months(p);
        p.SetEndDate(D(2020, 2, 10));
        p.SetUseEndDate(true);
    };
    struct Case {
        const char* What;
        TSetup Setup;
        TDateTime Time;
        double Power;
    } cases[] = {
        {"constant", constant, D(1990, 5, 5), 4.5},
        {"constant, window open", windowed, D(2020, 3, 1), 4.5},
        {"constant, window end", windowed, D(2020, 10, 1), 4.5},
        {"constant, before start", windowed, D(2020, 2, 29, 23), 0},
        {"constant, after end", windowed, D(2020, 10, 1, 1), 0},
        {"series, before first point", series, D(2019, 12, 31, 23), 0},
        {"series, first point", series, D(2020, 1, 1, 0), 5},
        {"series, between", series, D(2020, 1, 1, 3), 5},
        {"series, second point", series, D(2020, 1, 1, 6), 8},
        {"series, long after", series, D(2025, 7, 1), 8},
        {"month, January", months, D(2021, 1, 15), 3.125},
        {"month, February of a leap year", months, D(2020, 2, 29, 12), 1652.0 / 24 / 28},
        {"month, never entered", months, D(2021, 3, 1), NaN},
        {"month, within window", monthsWindowed, D(2020, 2, 10), 1652.0 / 24 / 28},
        {"month, after window", monthsWindowed, D(2020, 2, 11), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TLoadObj p;
        c.Setup(p);
        ExpectSame(c.Power, p.GetPower(c.Time), "GetPower");
    }
}

TEST_F(LoadObjectTest, SeriesPointWithoutPowerGivesZero)
{
    TLoadObj p;
    p.SetLoadType(ltFile);
    p.AddPoint(D(2020, 1, 1), 5);
    p.AddPoint(D(2020, 1, 2), NaN);
    EXPECT_EQ(5, p.GetPower(D(2020, 1, 1, 12)));
    EXPECT_EQ(0, p.GetPower(D(2020, 1, 2, 12)));
    EXPECT_EQ(0, p.GetPower(NaN));
}

TEST_F(LoadObjectTest, YearProfileHasNoPower)
{
    TLoadObj p;
    p.AddPoint(1, 1, 10);
    try {
        p.GetPower(D(2020, 1, 1));
        FAIL() << "no error";
    } catch (const EKPError& e) {
        EXPECT_EQ(QStringLiteral("Für dieses Lastprofil steht keine Leistungsangabe zur Verfügung"), e.Message());
    }
}

// A time series gives what scanning back from the last point gives, for
// every time, sorted or in the order the points were added, also with
// several points at one time.
TEST_F(LoadObjectTest, SeriesPowerIsTheBackwardScanInAnyOrder)
{
    for (const bool sorted : {true, false}) {
        SCOPED_TRACE(sorted ? "sorted" : "as added");
        TLoadObj p;
        p.SetLoadType(ltFile);
        const double base = D(2021, 6, 1);
        const double offsets[] = {0.5, 0.25, 0.25, 1, 3, 2, 2, 2, 7.75, 0};
        for (int i = 0; i < 10; ++i) p.AddPoint(base + offsets[i], i + 1);
        if (sorted) p.Resort();
        auto scan = [&](double t) {
            for (int i = p.Count() - 1; i >= 0; --i)
                if (p.PowerPoint(i)->PointOfTime() <= t) return p.PowerPoint(i)->Power();
            return 0.0;
        };
        for (double t = base - 1; t <= base + 9; t += 0.125) EXPECT_EQ(scan(t), p.GetPower(t)) << t - base;
    }
}

TEST_F(LoadObjectTest, UnsortedSeriesTakesTheLastPointAddedBeforeTheTime)
{
    TLoadObj p;
    p.SetLoadType(ltFile);
    p.AddPoint(D(2021, 1, 1, 0), 5);
    p.AddPoint(D(2021, 1, 1, 12), 2);
    p.AddPoint(D(2021, 1, 1, 6), 8);
    EXPECT_EQ(8, p.GetPower(D(2021, 1, 1, 9)));
    EXPECT_EQ(8, p.GetPower(D(2021, 1, 1, 13)));
    EXPECT_EQ(5, p.GetPower(D(2021, 1, 1, 3)));
    EXPECT_EQ(0, p.GetPower(D(2020, 12, 31, 23)));
}

TEST_F(LoadObjectTest, GetLoadIsAStepFunctionOverTheYear)
{
    TLoadObj p;
    p.AddPoint(1, 10, 20);
    p.AddPoint(1, 3, 100);
    p.Resort();
    struct Case {
        TDateTime Time;
        double Load;
    } cases[] = {
        {D(2021, 1, 15), 20},      {D(2021, 2, 28, 23), 20}, {D(2021, 3, 1), 100},
        {D(2021, 9, 30, 23), 100}, {D(2021, 10, 1), 20},     {D(2021, 12, 31), 20},
    };
    for (const Case& c : cases) EXPECT_EQ(c.Load, p.GetLoad(c.Time)) << FormatDateTime("dd.mm.yyyy hh:nn", c.Time).toStdString();

    TLoadObj single;
    single.AddPoint(17, 6, 42);
    for (int day = 0; day < 366; day += 13) EXPECT_EQ(42, single.GetLoad(D(2020, 1, 1) + day));

    TLoadObj none;
    EXPECT_EQ(0, none.GetLoad(D(2020, 5, 5)));
}

TEST_F(LoadObjectTest, GetLoadHonoursTheWindow)
{
    TLoadObj p;
    p.AddPoint(1, 1, 10);
    p.SetStartDate(D(2020, 3, 1));
    p.SetEndDate(D(2020, 3, 31));
    p.SetUseStartDate(true);
    EXPECT_EQ(0, p.GetLoad(D(2020, 2, 29)));
    EXPECT_EQ(10, p.GetLoad(D(2020, 3, 1)));
    EXPECT_EQ(10, p.GetLoad(D(2020, 4, 1)));
    p.SetUseEndDate(true);
    EXPECT_EQ(10, p.GetLoad(D(2020, 3, 31)));
    EXPECT_EQ(0, p.GetLoad(D(2020, 3, 31, 1)));
}

// 29 February starts on 1 March in a year without it, and never hides a
// point of 1 March.
TEST_F(LoadObjectTest, LeapDayPointInOtherYears)
{
    TLoadObj p;
    p.AddPoint(1, 1, 1);
    p.AddPoint(29, 2, 2);
    p.AddPoint(1, 3, 3);
    EXPECT_EQ(2, p.GetLoad(D(2020, 2, 29)));
    EXPECT_EQ(1, p.GetLoad(D(2021, 2, 28)));
    EXPECT_EQ(3, p.GetLoad(D(2021, 3, 1)));
}

TEST_F(LoadObjectTest, YearlyDemands)
{
    TLoadObj year;
    year.AddPoint(1, 1, 10);
    year.AddPoint(1, 7, -5);
    EXPECT_DOUBLE_EQ(181 * 10.0, year.HeatDemandPerYear());
    EXPECT_DOUBLE_EQ(184 * -5.0, year.CoolDemandPerYear());
    year.SetStartDate(D(2014, 1, 1));
    year.SetUseStartDate(true);
    EXPECT_EQ(0, year.HeatDemandPerYear());
    EXPECT_EQ(0, year.CoolDemandPerYear());

    TLoadObj months;
    months.SetLoadType(ltMonthProfile);
    for (int m = 1; m <= 12; ++m) {
        months.MonthEntry(m)->SetHeatLoad(100 * m);
        months.MonthEntry(m)->SetCoolingLoad(10);
    }
    months.SetCOPHeating(5);
    months.SetCOPCooling(4);
    EXPECT_DOUBLE_EQ(7800 * 0.8, months.HeatDemandPerYear());
    EXPECT_DOUBLE_EQ(120 * 1.25, months.CoolDemandPerYear());

    for (TLoadType kind : {ltConstant, ltFile}) {
        TLoadObj p;
        p.SetLoadType(kind);
        p.SetConstantLoad(3);
        EXPECT_EQ(0, p.HeatDemandPerYear());
        EXPECT_EQ(0, p.CoolDemandPerYear());
    }
}

TEST_F(LoadObjectTest, ChangingTheKindDropsThePoints)
{
    TLoadObj p;
    p.AddPoint(1, 2, 3);
    p.SetLoadType(ltYearProfile);
    EXPECT_EQ(1, p.Count());
    p.SetLoadType(ltFile);
    EXPECT_EQ(0, p.Count());
    p.SetLoadType(ltYearProfile);
    EXPECT_EQ(0, p.Count());
}

TEST_F(LoadObjectTest, PointsOnlyForTheirKind)
{
    TLoadObj p;
    EXPECT_EQ(nullptr, p.AddPoint(D(2020, 1, 1), 5.0));
    TLoadPoint* lp = p.AddPoint(29, 2, 7);
    ASSERT_NE(nullptr, lp);
    EXPECT_EQ(2, lp->Month());
    EXPECT_EQ(29, lp->Day());
    EXPECT_EQ(7, lp->LoadValue());
    p.SetLoadType(ltFile);
    EXPECT_EQ(nullptr, p.AddPoint(1, 1, 5.0));
    TPowerPoint* pp = p.AddPoint(D(2020, 1, 1, 6), 5.0);
    ASSERT_NE(nullptr, pp);
    EXPECT_EQ(D(2020, 1, 1, 6), pp->PointOfTime());
    for (TLoadType kind : {ltConstant, ltMonthProfile}) {
        p.SetLoadType(kind);
        EXPECT_EQ(nullptr, p.AddPoint(1, 1, 5.0));
        EXPECT_EQ(nullptr, p.AddPoint(D(2020, 1, 1), 5.0));
    }
}

TEST_F(LoadObjectTest, ImpossiblePointsAreRefused)
{
    TLoadObj year;
    const int bad[][2] = {{0, 1}, {1, 0}, {30, 2}, {31, 4}, {1, 13}, {32, 1}};
    for (const auto& dm : bad) EXPECT_THROW(year.AddPoint(dm[0], dm[1], 1), EKPError) << dm[0] << "." << dm[1];
    EXPECT_EQ(0, year.Count());
    TLoadObj series;
    series.SetLoadType(ltFile);
    EXPECT_THROW(series.AddPoint(NaN, 1.0), EKPError);
    EXPECT_EQ(0, series.Count());
}

TEST_F(LoadObjectTest, COPsReachEveryMonth)
{
    TLoadObj p;
    p.SetCOPHeating(4.5);
    p.SetCOPCooling(3.5);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(4.5, p.MonthEntry(m)->COPHeating());
        EXPECT_EQ(3.5, p.MonthEntry(m)->COPCooling());
    }
}

TEST_F(LoadObjectTest, ResortOrdersByKind)
{
    TLoadObj year;
    year.AddPoint(15, 3, 1);
    year.AddPoint(1, 12, 2);
    year.AddPoint(2, 3, 3);
    year.AddPoint(1, 1, 4);
    year.Resort();
    const double order[] = {4, 3, 1, 2};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i], year.LoadPoint(i)->LoadValue());

    TLoadObj series;
    series.SetLoadType(ltFile);
    series.AddPoint(D(2020, 1, 3), 1.0);
    series.AddPoint(D(2020, 1, 1), 2.0);
    series.AddPoint(D(2020, 1, 2), 3.0);
    series.PowerPoint(1)->SetPointOfTime(NaN);  // an unset time sorts last
    series.Resort();
    EXPECT_EQ(3, series.PowerPoint(0)->Power());
    EXPECT_EQ(1, series.PowerPoint(1)->Power());
    EXPECT_EQ(2, series.PowerPoint(2)->Power());
    EXPECT_EQ(1, series.GetPower(D(2030, 1, 1)));
}

}  // namespace
