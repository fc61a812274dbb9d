// Year profiles: the heat pump serves the daily demand at full power and
// closes the fluid circuit through the probes of its profile.

#include "RunFixture.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace runtest;

namespace {

struct TGermanLocale {
    QLocale Old;
    TGermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~TGermanLocale() { QLocale::setDefault(Old); }
};

// Hourly steps from 1 January 00:00 with the solve in every step.
void Hourly(TRunFixture& F, int Hours) { F.SetTimes(EncodeDate(2021, 1, 1), 3600, Hours * 3600.0, 1); }

}  // namespace

TEST(HeatpumpCoupling, ServesTheDailyDemandAtFullPower)
{
    struct TCase {
        double Demand, HeatKW, CoolKW;
        int RunningSteps;
        double Delivered;
    } cases[] = {{100, 10, 20, 10, 100}, {100, 15, 20, 7, 105}, {-50, 10, 20, 3, -60}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Demand);
        TRunFixture f;
        Hourly(f, 24);
        f.AddYearProfile(c.Demand);
        f.StaticHeatpump(c.HeatKW, 4, c.CoolKW, 3);
        f.InitRun();
        TFakeDisplay display;
        display.Loop = &f.Loop;
        std::vector<int> running;
        double last = 0;
        display.OnProcess = [&](int Step) {
            if (f.Loop.DailyHeatPower() != last) running.push_back(Step);
            last = f.Loop.DailyHeatPower();
        };
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        std::vector<int> expected;
        for (int s = 1; s <= c.RunningSteps; ++s) expected.push_back(s);
        // Step 24 begins the next day: new demand, zeroed totals, running again.
        expected.push_back(24);
        EXPECT_EQ(running, expected);
        const TCounterTable& t = f.Loop.CounterTable();
        EXPECT_DOUBLE_EQ(t.CellValue(1, 4), c.Delivered);
        EXPECT_DOUBLE_EQ(t.CellValue(1, 2), c.RunningSteps);
    }
}

TEST(HeatpumpCoupling, HeatingStepEnergiesAndTemperatures)
{
    TRunFixture f;
    Hourly(f, 1);
    f.AddYearProfile(100);
    f.StaticHeatpump(10, 4, 20, 3);
    f.InitRun();
    f.Loop.Run();
    // G = 10 × 3 / 4 = 7.5 kW from the ground, E = 2.5 kW electric.
    EXPECT_DOUBLE_EQ(f.Loop.YearOutputEnergy().Heat(), -10);
    EXPECT_DOUBLE_EQ(f.Loop.YearGeothermalEnergy().Heat(), -7.5);
    EXPECT_DOUBLE_EQ(f.Loop.YearElectricEnergy().Cool(), 2.5);
    const double tout = 10 - 7.5 * 1000 / 0.001 / VolumetricHeatCapacity(flWasser, 10);
    EXPECT_NEAR(tout, 10 - 1.794, 0.01);
    EXPECT_DOUBLE_EQ(f.Loop.CurrentTemperatureOut(), tout);
    double power = 0, tin = 0;
    for (int i = 0; i < 4; ++i) {
        const TBHEDataWrapper* w = f.Wrapper(i);
        EXPECT_EQ(w->TempIn(), tout);
        EXPECT_GT(w->Power(), 0) << "the probes extract heat";
        EXPECT_EQ(f.NodeOfProbe(i)->Q(), -w->Power());
        EXPECT_DOUBLE_EQ(w->DailyEnergyCounter(), w->Power() / 1000);
        power += w->Power();
        tin += w->TempOut();
    }
    EXPECT_DOUBLE_EQ(f.Loop.CurrentTemperatureIn(), tin / 4);
    EXPECT_DOUBLE_EQ(f.Loop.DailyFieldEnergy(), power / 1000);
    EXPECT_DOUBLE_EQ(f.Loop.GeothermalEnergy().Balance(), -power / 1000);
    EXPECT_EQ(f.Loop.DailyTimeCounter(), 3600 * TCounterTable::TicksPerSecond);
}

TEST(HeatpumpCoupling, OffTakesTheMeanNodeTemperatureAndKeepsTheGauges)
{
    TGermanLocale german;
    TRunFixture f;
    Hourly(f, 2);
    f.AddYearProfile(12);  // one hour of 12 kW, then off
    f.StaticHeatpump(12, 4, 20, 3);
    f.InitRun();
    TFakeDisplay display;
    display.Loop = &f.Loop;
    display.Visible = true;
    std::vector<double> probeNodeF;
    display.OnProcess = [&](int Step) {
        if (Step != 1) return;
        probeNodeF.clear();
        for (int i = 0; i < 4; ++i) probeNodeF.push_back(f.NodeOfProbe(i)->F());
    };
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    ASSERT_EQ(display.Gauges.size(), 2u);
    const TGaugeValues& on = display.Gauges[0];
    EXPECT_EQ(on.StatusHeatpump, QStringLiteral("Heating"));
    EXPECT_EQ(on.StatusHeatpumpColor, 0x0000CEu);
    EXPECT_EQ(on.GaugeHeatpumpPower, 12);
    EXPECT_EQ(on.GaugeElectricity, 3);
    EXPECT_EQ(on.GaugeCOP, 4);
    EXPECT_EQ(on.GaugeHeatpumpIn, 10);
    EXPECT_EQ(on.LblHeatpumpSpecs, QStringLiteral("T = 35,0 °C"));
    EXPECT_EQ(on.LblFluidFlux, QStringLiteral("Flux (Wasser): 3,6 m³/h"));
    EXPECT_EQ(on.LblDateTime, QStringLiteral("01 Jan 2021 01:00:00"));
    EXPECT_EQ(on.LblDuration, QStringLiteral("Time Span: 0 days 1 hours"));
    EXPECT_EQ(on.LEDDisplayEnergy, QStringLiteral("12,0 kWh"));
    EXPECT_EQ(on.LEDDisplayDuration, QStringLiteral("01 h 00 min"));
    EXPECT_EQ(on.LEDDisplayAnnualOpTime, QStringLiteral("1 h"));
    EXPECT_EQ(on.LEDDisplayAnnualHeating, QStringLiteral("12 kWh"));
    EXPECT_EQ(on.LEDDisplayAnnualEnergy, QStringLiteral("12 kWh"));
    EXPECT_EQ(on.LEDDisplayGeothermalAnnualHeating, QStringLiteral("9 kWh"));
    EXPECT_EQ(on.LEDDisplayEnergyYear, QStringLiteral("3 kWh"));

    const TGaugeValues& off = display.Gauges[1];
    EXPECT_EQ(off.StatusHeatpump, QStringLiteral("Off"));
    EXPECT_EQ(off.StatusHeatpumpColor, 0xC0C0C0u);
    EXPECT_EQ(off.GaugeHeatpumpPower, 0);
    EXPECT_EQ(off.GaugeElectricity, 0);
    EXPECT_EQ(off.GaugeCOP, 4) << "kept from the last running step";
    EXPECT_EQ(off.LblHeatpumpSpecs, QStringLiteral("T = 35,0 °C"));
    double mean = 0;
    for (double t : probeNodeF) mean += t / 4;
    EXPECT_DOUBLE_EQ(f.Loop.CurrentTemperatureIn(), mean);
    EXPECT_EQ(off.GaugeHeatpumpIn, mean);
    EXPECT_EQ(off.GaugeHeatpumpOut, mean);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.NodeOfProbe(i)->Q(), 0);
}

TEST(HeatpumpCoupling, AWholeDayOfRunningReads24Hours)
{
    TRunFixture f;
    Hourly(f, 48);
    f.AddYearProfile(1e6);
    f.StaticHeatpump(10, 4, 20, 3);
    f.InitRun();
    TFakeDisplay display;
    display.Loop = &f.Loop;
    display.Visible = true;
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    // Day 2 runs from step 24 (its first step) to step 47.
    ASSERT_EQ(display.Gauges.size(), 48u);
    EXPECT_EQ(display.Gauges[46].LEDDisplayDuration, QStringLiteral("24 h 00 min"));
    EXPECT_EQ(f.Loop.CounterTable().CellText(2, 2), QStringLiteral("24 h 0 min"));
    EXPECT_EQ(f.Loop.CounterTable().CellText(1, 2), QStringLiteral("23 h 0 min"));
}

TEST(HeatpumpCoupling, ActsOnTheProbesOfItsOwnProfile)
{
    // Probes 0 and 1 on the year profile, 2 and 3 on a constant 6 kW.
    TRunFixture f;
    Hourly(f, 1);
    f.AddYearProfile(100);
    f.AddConstant(6);
    f.Probe(2)->SetLoadProfilIndex(1);
    f.Probe(3)->SetLoadProfilIndex(1);
    f.StaticHeatpump(10, 4, 20, 3);
    f.InitRun();
    f.Loop.Run();
    EXPECT_EQ(f.NodeOfProbe(2)->Q(), -3000);
    EXPECT_EQ(f.NodeOfProbe(3)->Q(), -3000);
    EXPECT_EQ(f.Wrapper(2)->DailyEnergyCounter(), 0);
    EXPECT_EQ(f.Wrapper(2)->TempIn(), 10);
    // The circuit carries half the field's flow.
    const double tout = 10 - 7.5 * 1000 / 0.0005 / VolumetricHeatCapacity(flWasser, 10);
    EXPECT_DOUBLE_EQ(f.Loop.CurrentTemperatureOut(), tout);
    const double power = f.Wrapper(0)->Power() + f.Wrapper(1)->Power();
    EXPECT_EQ(f.NodeOfProbe(0)->Q(), -f.Wrapper(0)->Power());
    EXPECT_DOUBLE_EQ(f.Loop.GeothermalEnergy().Balance(), -6 - power / 1000);
    EXPECT_DOUBLE_EQ(f.Loop.DailyFieldEnergy(), power / 1000);
}

TEST(HeatpumpCoupling, EachYearProfileRunsItsOwnCircuit)
{
    // The run's profile asks nothing; the second one heats its two probes.
    TRunFixture f;
    Hourly(f, 3);
    f.AddYearProfile(0);
    f.AddYearProfile(1000);
    f.Probe(2)->SetLoadProfilIndex(1);
    f.Probe(3)->SetLoadProfilIndex(1);
    f.StaticHeatpump(10, 4, 20, 3);
    f.InitRun();
    f.Loop.Run();
    EXPECT_EQ(f.NodeOfProbe(0)->Q(), 0);
    EXPECT_EQ(f.NodeOfProbe(1)->Q(), 0);
    EXPECT_LT(f.NodeOfProbe(2)->Q(), 0);
    EXPECT_LT(f.NodeOfProbe(3)->Q(), 0);
    EXPECT_EQ(f.Loop.DailyHeatPower(), 0) << "the run's own circuit stayed off";
    EXPECT_EQ(f.Loop.DailyTimeCounter(), 0);
    EXPECT_DOUBLE_EQ(f.Loop.YearOutputEnergy().Heat(), -30);
}
