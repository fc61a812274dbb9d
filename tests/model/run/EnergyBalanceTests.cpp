// Without surface transfer and geothermal flux the field's heat content can
// only change by the probe loads: its change over a run must equal the
// geothermal energy the loop counted, for every load kind and multiplier.

#include "RunFixture.h"

#include "model/base/KPError.h"
#include "model/groundwater/GWGrid.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace runtest;

namespace {

// Every hour another power, kW.
void AddHourlySeries(TRunFixture& F, int Hours)
{
    TLoadObj* p = F.AddProfile(ltFile);
    const TDateTime start = F.Loop.TimeEngine().RealStartTime();
    const double powers[] = {2, 9, 4, 15, -3, 7, 11};
    for (int h = 0; h <= Hours; ++h) p->AddPoint(start + h / 24.0, powers[h % 7]);
    p->Resort();
}

// 5 kW in January, 9 kW in February.
void AddMonths(TRunFixture& F)
{
    TLoadObj* p = F.AddProfile(ltMonthProfile);
    for (int m = 1; m <= 12; ++m) {
        p->MonthEntry(m)->SetCoolingLoad(0);
        p->MonthEntry(m)->SetHeatLoad(m == 1 ? 5 * 24 * 31 : m == 2 ? 9 * 24 * 28 : 0);
    }
}

void SecondProfileOnLastProbes(TRunFixture& F)
{
    F.Probe(2)->SetLoadProfilIndex(1);
    F.Probe(3)->SetLoadProfilIndex(1);
}

}  // namespace

TEST(EnergyBalance, HeatContentChangeEqualsCountedEnergy)
{
    struct TCase {
        const char* Name;
        int Multiplier;
        std::function<void(TRunFixture&)> Setup;
    };
    const int hours = 72;
    const TCase cases[] = {
        {"constant", 1, [](TRunFixture& f) { f.AddConstant(12); }},
        {"constant, multiplier 3", 3, [](TRunFixture& f) { f.AddConstant(12); }},
        {"constant ending inside the run", 3,
         [](TRunFixture& f) {
             TLoadObj* p = f.AddConstant(12);
             p->SetUseEndDate(true);
             p->SetEndDate(EncodeDateTime(2021, 1, 31, 12, 0, 0, 0));
         }},
        {"time series", 1, [&](TRunFixture& f) { AddHourlySeries(f, hours); }},
        {"time series, multiplier 3", 3, [&](TRunFixture& f) { AddHourlySeries(f, hours); }},
        {"month profile", 1, [](TRunFixture& f) { AddMonths(f); }},
        {"month profile, multiplier 3", 3, [](TRunFixture& f) { AddMonths(f); }},
        {"year profile heating", 1, [](TRunFixture& f) { f.AddYearProfile(150); }},
        {"year profile heating, multiplier 3", 3, [](TRunFixture& f) { f.AddYearProfile(150); }},
        {"year profile cooling, multiplier 3", 3, [](TRunFixture& f) { f.AddYearProfile(-120); }},
        {"year profile beside a constant one", 3,
         [](TRunFixture& f) {
             f.AddYearProfile(150);
             f.AddConstant(6);
             SecondProfileOnLastProbes(f);
         }},
        {"two year profiles", 3,
         [](TRunFixture& f) {
             f.AddYearProfile(150);
             f.AddYearProfile(-80);
             SecondProfileOnLastProbes(f);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        f.SetTimes(EncodeDate(2021, 1, 30), 3600, hours * 3600.0, c.Multiplier);
        c.Setup(f);
        f.InitRun();
        const double h0 = f.Model->Quantity();
        f.Loop.Run();
        ASSERT_EQ(f.Loop.TimeEngine().NumTimeStep(), hours);
        const double counted = f.Loop.GeothermalEnergy().Balance();
        const double gained = (f.Model->Quantity() - h0) / 3.6e6;
        EXPECT_GT(std::abs(counted), 10);
        EXPECT_NEAR(gained, counted, 1e-9 * std::abs(counted));
        EXPECT_DOUBLE_EQ(f.Loop.InitialQuantity(), h0);
    }
}

namespace {

// Groundwater cells of 30 m over the 80 m mesh, warmer than the ground, so
// that every move puts heat into the field.
void AddWarmGroundwater(TRunFixture& F, TGWGrid& GW, double Period)
{
    GW.SetModel(F.Model.get());
    GW.SetTimeForGrid(Period);
    GW.SetGradient(1);
    GW.SetPorosity(0.2);
    GW.SetKF(30 / Period * 0.2);
    GW.SetThickness(100);
    GW.SetFluid(flWasser);
    ASSERT_TRUE(GW.GenerateOverMesh(10));
    F.Loop.SetGWModel(&GW);
    F.Loop.SetUseGW(true);
}

}  // namespace

TEST(EnergyBalance, RunsThatDoNotEndOnASolve)
{
    // 12 kW: the field must receive what the counter counts, also for the
    // steps after the last solve and for a last step cut short, and the
    // groundwater exchange of those steps must reach it too.
    struct TCase {
        const char* Name;
        double Step;
        double Duration;
        int Multiplier;
        double GWPeriod;  // 0: no groundwater
        int StopAfter;    // 0: run to the end
        double Counted;   // kWh
    };
    const TCase cases[] = {
        {"4 steps, multiplier 3", 3600, 4 * 3600, 3, 0, 0, -48},
        {"10 000 s in 3 600 s steps", 3600, 10000, 1, 0, 0, -12 * 10000 / 3600.0},
        {"10 000 s in 3 600 s steps, multiplier 3", 3600, 10000, 3, 0, 0, -12 * 10000 / 3600.0},
        {"7 steps, multiplier 3, stopped after step 4", 3600, 7 * 3600, 3, 0, 4, -48},
        {"4 steps, multiplier 3, groundwater moves in step 4", 3600, 4 * 3600, 3, 4 * 3600, 0, -48},
        {"cut last step with a groundwater move", 3600, 10000, 1, 10000, 0, -12 * 10000 / 3600.0},
        {"cut last step, multiplier 3, groundwater", 3600, 10000, 3, 5000, 0, -12 * 10000 / 3600.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        f.SetTimes(EncodeDate(2021, 1, 30), c.Step, c.Duration, c.Multiplier);
        f.AddConstant(12);
        TGWGrid gw;
        if (c.GWPeriod > 0) AddWarmGroundwater(f, gw, c.GWPeriod);
        f.InitRun();
        if (c.GWPeriod > 0) gw.InitTemperatures(20);
        TFakeDisplay display;
        display.Loop = &f.Loop;
        display.OnProcess = [&](int Step) {
            if (Step == c.StopAfter) f.Loop.TimeEngine().Stop();
        };
        TModelUIScope<TRunDisplay> scope(&display);
        const double h0 = f.Model->Quantity();
        f.Loop.Run();
        const double counted = f.Loop.GeothermalEnergy().Balance();
        EXPECT_NEAR(counted, c.Counted, 1e-9);
        const double exchanged = f.Loop.GWTransferredEnergy();
        if (c.GWPeriod > 0) {
            EXPECT_GT(exchanged, 1) << "the groundwater must have moved";
        }
        const double gained = (f.Model->Quantity() - h0) / 3.6e6;
        EXPECT_NEAR(gained, counted + exchanged, 1e-9 * std::abs(counted + exchanged));
        EXPECT_EQ(f.Model->SumOfQGWload(), 0) << "no exchange is left for a later run";
        EXPECT_DOUBLE_EQ(f.Model->DeltaTime(), c.Step * c.Multiplier) << "the solver's step is restored";
    }
}

TEST(EnergyBalance, RunRefusesASolverStepOtherThanStepTimesMultiplier)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 24 * 3600.0, 3);
    f.Model->SetDeltaTime(3600);
    f.AddConstant(12);
    f.InitRun();
    const std::vector<double> before = f.Temperatures();
    try {
        f.Loop.Run();
        FAIL() << "the run started";
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Der Zeitschritt des Untergrundmodells (3600 s) stimmt nicht mit dem "
                                              "Zeitschritt der Simulation mal Multiplikator (3600 s × 3 = 10800 s) "
                                              "überein. Bitte die Zeitschritte neu festlegen."));
    }
    EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 0);
    EXPECT_EQ(f.Loop.GeothermalEnergy().Balance(), 0);
    EXPECT_EQ(f.Temperatures(), before);
}

TEST(EnergyBalance, FreshRunCountsGroundwaterPeriodsFromItsStart)
{
    // A counter left from an earlier, longer run must not move the water in
    // the first step of the next one.
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 24 * 3600.0, 1);
    f.AddConstant(12);
    TGWGrid gw;
    AddWarmGroundwater(f, gw, 8.64e6);
    f.InitRun();
    f.Loop.SetAdvekCounter(7);
    f.Loop.Run();
    EXPECT_TRUE(f.Loop.GWlog().isEmpty());
    EXPECT_EQ(f.Loop.AdvekCounter(), 0);
}

TEST(EnergyBalance, ProgressReachesItsEndWhenTheLastStepIsCut)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 10000, 1);
    f.AddConstant(12);
    f.InitRun();
    TFakeDisplay display;
    display.Loop = &f.Loop;
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    EXPECT_EQ(display.Progress, std::make_pair(3, 3));
}
