// The step: loads per profile kind, solves per multiplier, groundwater,
// remaining-time estimate, and the checks before a run.

#include "RunFixture.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/groundwater/GWGrid.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

using namespace runtest;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TLoadObj* AddSeries(TRunFixture& F, std::vector<std::pair<double, double>> HoursAndKW)
{
    TLoadObj* p = F.AddProfile(ltFile);
    const TDateTime start = F.Loop.TimeEngine().RealStartTime();
    for (const auto& [h, kw] : HoursAndKW) p->AddPoint(start + h / 24, kw);
    p->Resort();
    return p;
}

// A month profile with KW of mean power in January, nothing in other months.
TLoadObj* AddJanuary(TRunFixture& F, double KW)
{
    TLoadObj* p = F.AddProfile(ltMonthProfile);
    for (int m = 1; m <= 12; ++m) {
        p->MonthEntry(m)->SetHeatLoad(m == 1 ? KW * 24 * 31 : 0);
        p->MonthEntry(m)->SetCoolingLoad(0);
    }
    return p;
}

// Groundwater cells of 30 m over the 80 m mesh: the outer cells reach past
// the mesh and keep their own water temperature there.
void AddGroundwater(TRunFixture& F, TGWGrid& GW, double Period, double WaterTemperature)
{
    GW.SetModel(F.Model.get());
    GW.SetTimeForGrid(Period);
    GW.SetGradient(1);
    GW.SetPorosity(0.2);
    GW.SetKF(30 / Period * 0.2);
    GW.SetThickness(100);
    GW.SetFluid(flWasser);
    ASSERT_TRUE(GW.GenerateOverMesh(10));
    GW.InitTemperatures(WaterTemperature);
    F.Loop.SetGWModel(&GW);
    F.Loop.SetUseGW(true);
}

}  // namespace

TEST(MainLoopStep, LoadsByProfileKind)
{
    struct TCase {
        const char* Name;
        std::vector<QPointF> Probes;
        std::function<void(TRunFixture&)> Setup;
        std::vector<double> Q;  // W per probe node after the step
        double Geothermal;      // kWh of the step
    };
    const std::vector<QPointF> four = {{30, 30}, {50, 30}, {30, 50}, {50, 50}};
    const TCase cases[] = {
        {"12 kW on 4 probes", four, [](TRunFixture& f) { f.AddConstant(12); }, {-3000, -3000, -3000, -3000}, -12},
        {"a profile without probes changes nothing", four,
         [](TRunFixture& f) {
             f.AddConstant(12);
             f.AddConstant(50);
         },
         {-3000, -3000, -3000, -3000}, -12},
        {"time series", four, [](TRunFixture& f) { AddSeries(f, {{0, 8}}); }, {-2000, -2000, -2000, -2000}, -8},
        {"month profile", four, [](TRunFixture& f) { AddJanuary(f, 4); }, {-1000, -1000, -1000, -1000}, -4},
        {"constant outside its date window", four,
         [](TRunFixture& f) {
             TLoadObj* p = f.AddConstant(12);
             p->SetUseEndDate(true);
             p->SetEndDate(EncodeDate(2020, 12, 31));
         },
         {0, 0, 0, 0}, 0},
        {"constant beside an idle year profile", four,
         [](TRunFixture& f) {
             f.AddConstant(6);
             f.AddYearProfile(0);
             f.Probe(2)->SetLoadProfilIndex(1);
             f.Probe(3)->SetLoadProfilIndex(1);
             for (int i = 2; i < 4; ++i) f.NodeOfProbe(i)->SetQ(-777);
         },
         {-3000, -3000, 0, 0}, -6},
        {"two probes on one node add up", {{30, 30}, {30, 30}, {50, 50}},
         [](TRunFixture& f) { f.AddConstant(12); }, {-8000, -8000, -4000}, -12},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f(c.Probes);
        f.SetTimes(EncodeDate(2021, 1, 1), 3600, 3600, 1);
        c.Setup(f);
        f.InitRun();
        f.Loop.Run();
        ASSERT_EQ(f.Loop.TimeEngine().NumTimeStep(), 1);
        for (size_t i = 0; i < c.Q.size(); ++i) EXPECT_DOUBLE_EQ(f.NodeOfProbe(int(i))->Q(), c.Q[i]) << i;
        EXPECT_NEAR(f.Loop.GeothermalEnergy().Balance(), c.Geothermal, 1e-12);
    }
}

TEST(MainLoopStep, MonthProfileTracksNodeTemperatureOfItsProbes)
{
    TRunFixture f;
    AddJanuary(f, 4);
    f.AddConstant(1);
    f.Probe(3)->SetLoadProfilIndex(1);
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 3 * 3600, 1);
    f.InitRun();
    f.Loop.Run();
    // The load is set from the temperature before the step's solve.
    EXPECT_LT(f.Wrapper(0)->DailyMinTemp(), 10);
    EXPECT_EQ(f.Wrapper(0)->DailyMaxTemp(), 10);
    EXPECT_TRUE(std::isinf(f.Wrapper(3)->DailyMinTemp())) << "a probe of another profile";
}

TEST(MainLoopStep, SolvesEveryMultiplierthStep)
{
    struct TCase {
        int Multiplier;
        std::vector<int> SolveSteps;
    } cases[] = {{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {3, {3, 6, 9}}};
    for (const TCase& c : cases) {
        TRunFixture f;
        f.SetTimes(EncodeDate(2021, 1, 1), 1200, 9 * 1200, c.Multiplier);
        f.AddConstant(12);
        f.InitRun();
        TFakeDisplay display;
        display.Loop = &f.Loop;
        std::vector<int> changed;
        double last = f.NodeOfProbe(0)->F();
        display.OnProcess = [&](int Step) {
            if (f.NodeOfProbe(0)->F() != last) changed.push_back(Step);
            last = f.NodeOfProbe(0)->F();
        };
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        EXPECT_EQ(changed, c.SolveSteps) << c.Multiplier;
    }
}

TEST(MainLoopStep, SolveTakesTheMeanLoadOfItsSubSteps)
{
    // 3, 6 and 9 kW in the three sub-steps act like 6 kW over the solve's step.
    TRunFixture varying;
    varying.SetTimes(EncodeDate(2021, 1, 1), 3600, 3 * 3600, 3);
    AddSeries(varying, {{1, 3}, {2, 6}, {3, 9}});
    varying.InitRun();
    varying.Loop.Run();

    TRunFixture steady;
    steady.SetTimes(EncodeDate(2021, 1, 1), 3600, 3 * 3600, 3);
    steady.AddConstant(6);
    steady.InitRun();
    steady.Loop.Run();

    EXPECT_EQ(varying.Temperatures(), steady.Temperatures());
    EXPECT_DOUBLE_EQ(varying.Loop.GeothermalEnergy().Balance(), -18);
    EXPECT_DOUBLE_EQ(varying.NodeOfProbe(0)->Q(), -2250) << "the node shows the load of the last sub-step";
}

TEST(MainLoopStep, FirstGroundwaterMoveAfterOnePeriod)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 2400 * 3600.0, 3);
    f.AddConstant(12);
    TGWGrid gw;
    AddGroundwater(f, gw, 8.64e6, 10);
    f.InitRun();
    TFakeDisplay display;
    display.Loop = &f.Loop;
    std::vector<int> logSteps;
    display.OnProcess = [&](int Step) {
        if (!display.LogLines.empty() && logSteps.empty()) logSteps.push_back(Step);
    };
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    EXPECT_EQ(logSteps, std::vector<int>{2400});
    EXPECT_EQ(f.Loop.AdvekCounter(), 1);
    ASSERT_EQ(f.Loop.GWlog().size(), 1);
    EXPECT_EQ(f.Loop.GWlog()[0].split(QLatin1Char('\t')).size(), 5);
    ASSERT_EQ(display.LogLines.size(), 4u);
    EXPECT_EQ(display.LogLines[0], QStringLiteral("11.04.2021:"));
    EXPECT_TRUE(display.LogLines[1].startsWith(QStringLiteral("  Abstrom [MJ]: ")));
}

TEST(MainLoopStep, GroundwaterExchangeReachesOneSolveWithItsTimeStep)
{
    // Moves in steps 10, 20 and 30; solves in every third step. The field
    // gains exactly what the probes and the logged exchanges put into it.
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 30 * 3600.0, 3);
    f.AddConstant(12);
    TGWGrid gw;
    AddGroundwater(f, gw, 36000, 10);
    f.InitRun();
    gw.InitTemperatures(20);
    const double h0 = f.Model->Quantity();
    f.Loop.Run();
    ASSERT_EQ(f.Loop.GWlog().size(), 3);
    double transferred = 0;
    for (const QString& line : f.Loop.GWlog()) transferred += StrToFloat(line.section(QLatin1Char('\t'), -1));
    EXPECT_GT(transferred, 1000);
    const double gained = (f.Model->Quantity() - h0) / 3.6e6;
    EXPECT_NEAR(gained, f.Loop.GeothermalEnergy().Balance() + transferred, 3 * 0.005);
    EXPECT_EQ(f.Model->SumOfQGWload(), 0);
}

TEST(MainLoopStep, EstimateAfterTwentySolves)
{
    struct TCase {
        int Multiplier;
        int FirstStep;
    } cases[] = {{1, 20}, {3, 60}};
    for (const TCase& c : cases) {
        TRunFixture f;
        f.SetTimes(EncodeDate(2021, 1, 1), 600, 66 * 600.0, c.Multiplier);
        f.AddConstant(12);
        f.InitRun();
        TFakeDisplay display;
        display.Loop = &f.Loop;
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        ASSERT_FALSE(display.Estimates.empty());
        EXPECT_EQ(display.Estimates.front().first, c.FirstStep) << c.Multiplier;
        EXPECT_TRUE(display.Estimates.front().second.startsWith(QStringLiteral("Verbleibende Berechnungsdauer: ")));
    }
}

TEST(MainLoopStep, RefusesRunsThatCannotStart)
{
    struct TCase {
        const char* Name;
        std::function<void(TRunFixture&)> Setup;
        QString Message;
    };
    static T2DTriangleTransient emptyModel;
    static TGWGrid noCells;
    const TCase cases[] = {
        {"probe without node", [](TRunFixture& f) { f.Wrapper(1)->SetNodeIndex(-1); },
         QStringLiteral("Die Sonde \"S 2\" liegt auf keinem Knoten des Netzes.")},
        {"no mesh", [](TRunFixture& f) { f.Loop.SetFieldModel(&emptyModel); },
         QStringLiteral("Das Modell hat kein Finite-Elemente-Netz.")},
        {"solver step 0", [](TRunFixture& f) { f.Model->SetDeltaTime(0); },
         QStringLiteral("Der Zeitschritt des Untergrundmodells muss größer als 0 sein.")},
        {"constant not a number", [](TRunFixture& f) { f.Loop.LoadProfile()->SetConstantLoad(NaN); },
         QStringLiteral("Die Last des Lastprofils \"P\" ist keine gültige Zahl.")},
        {"series point not a number",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             AddSeries(f, {{0, 5}, {2, 7}})->PowerPoint(1)->SetPointOfTime(NaN);
         },
         QStringLiteral("Die Zeitreihe des Lastprofils \"P\" enthält im Punkt 2 keine gültige Zahl.")},
        {"month COP 0",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             AddJanuary(f, 4)->MonthEntry(1)->SetCOPHeating(0);
         },
         QStringLiteral("Die Leistungszahl für Heizen des Lastprofils \"P\" ist im Monat 1 gleich 0.")},
        {"heat pump COP 0",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(100);
             f.StaticHeatpump(10, 0, 20, 3);
         },
         QStringLiteral("Die Leistungszahl (COP) der Wärmepumpe \"HP\" ist bei 10.0 °C gleich 0.")},
        {"cooling COP 0 with a cooling demand",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(-50);
             f.StaticHeatpump(10, 4, 20, 0);
         },
         QStringLiteral("Die Leistungszahl für Kühlen der Wärmepumpe \"HP\" ist bei 10.0 °C gleich 0.")},
        {"no heat pump",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(100);
             f.Loop.SetHeatPump(nullptr);
         },
         QStringLiteral("Für das Jahreslastprofil \"P\" ist keine vollständige Wärmepumpe festgelegt.")},
        {"probe length 0",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(100);
             f.Probe(0)->SetCasingLength(0);
         },
         QStringLiteral("Die Sonde \"S 1\" hat keine positive Länge.")},
        {"probe flow 0",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(100);
             f.Wrapper(3)->SetFlux(0);
         },
         QStringLiteral("Der Volumenstrom der Sonde \"S 4\" muss größer als 0 sein.")},
        {"field flow 0",
         [](TRunFixture& f) {
             f.Profiles.Clear();
             f.AddYearProfile(100);
             f.FluxFluid = 0;
         },
         QStringLiteral("Der Volumenstrom des Sondenfelds muss größer als 0 sein.")},
        {"groundwater without grid",
         [](TRunFixture& f) {
             f.Loop.SetUseGW(true);
             f.Loop.SetGWModel(nullptr);
         },
         QStringLiteral("Das Modell hat kein Grundwassermodell.")},
        {"groundwater period 0",
         [](TRunFixture& f) {
             noCells.SetTimeForGrid(0);
             f.Loop.SetUseGW(true);
             f.Loop.SetGWModel(&noCells);
         },
         QStringLiteral("Die Dauer einer Grundwasserperiode muss größer als 0 sein.")},
    };
    const QLocale old;
    QLocale::setDefault(QLocale::c());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        f.AddConstant(12);
        f.InitRun();
        c.Setup(f);
        TFakeDisplay display;
        TModelUIScope<TRunDisplay> scope(&display);
        int ends = 0;
        f.Loop.OnEndTimeReached = [&](TObject*) { ++ends; };
        try {
            f.Loop.Run();
            ADD_FAILURE() << "no error";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().startsWith(c.Message)) << e.Message().toStdString();
        }
        EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 0);
        EXPECT_TRUE(f.Loop.TimeEngine().Finished());
        EXPECT_EQ(display.BeginUpdates, 0);
        EXPECT_EQ(ends, 0);
        EXPECT_EQ(f.NodeOfProbe(0)->Q(), 0);
    }
    QLocale::setDefault(old);
}

TEST(MainLoopStep, LoadsOfIdleProfilesAreNotChecked)
{
    TRunFixture f;
    f.AddConstant(12);
    f.AddConstant(NaN);  // no probe uses it
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 2 * 3600, 1);
    f.InitRun();
    EXPECT_NO_THROW(f.Loop.Run());
    EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 2);
}

TEST(MainLoopStep, SeriesPointWithoutPowerRunsAsZero)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 3 * 3600, 1);
    AddSeries(f, {{0, 6}, {1, NaN}, {2, 6}});
    f.InitRun();
    ASSERT_NO_THROW(f.Loop.Run());
    EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 3);
    EXPECT_DOUBLE_EQ(f.Loop.GeothermalEnergy().Balance(), 0 - 6 - 6) << "the step ending at 01:00 runs at 0 kW";
}

TEST(MainLoopStep, OnlyMonthsOfTheRunAndTheWindowAreChecked)
{
    // A 24 h run in January: the other months may be empty or unusable.
    struct TCase {
        const char* Name;
        std::function<void(TLoadObj&)> Setup;
        bool Runs;
    };
    const TCase cases[] = {
        {"March COP 0", [](TLoadObj& p) { p.MonthEntry(3)->SetCOPHeating(0); }, true},
        {"March without loads", [](TLoadObj& p) { p.MonthEntry(3)->SetHeatLoad(NaN); }, true},
        {"January without loads", [](TLoadObj& p) { p.MonthEntry(1)->SetHeatLoad(NaN); }, false},
        {"January without loads, window from February",
         [](TLoadObj& p) {
             p.MonthEntry(1)->SetHeatLoad(NaN);
             p.SetUseStartDate(true);
             p.SetStartDate(EncodeDate(2021, 2, 1));
         },
         true},
        {"January without loads, window ended in 2020",
         [](TLoadObj& p) {
             p.MonthEntry(1)->SetHeatLoad(NaN);
             p.SetUseEndDate(true);
             p.SetEndDate(EncodeDate(2020, 12, 31));
         },
         true},
        {"February without loads, run ends on 1 February",
         [](TLoadObj& p) { p.MonthEntry(2)->SetHeatLoad(NaN); }, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        const bool toFebruary = std::string(c.Name).find("1 February") != std::string::npos;
        f.SetTimes(EncodeDate(2021, 1, toFebruary ? 31 : 1), 3600, 24 * 3600.0, 1);
        TLoadObj* p = AddJanuary(f, 4);
        c.Setup(*p);
        f.InitRun();
        if (c.Runs) {
            EXPECT_NO_THROW(f.Loop.Run());
            EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 24);
        } else {
            EXPECT_THROW(f.Loop.Run(), EKPError);
            EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 0);
        }
    }
}

TEST(MainLoopStep, NonFiniteTemperaturesStopTheRunAndKeepTheField)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 5 * 3600, 1);
    f.AddConstant(12);
    f.InitRun();
    // A surface node whose air temperature is not a number poisons the solve.
    TNode* node = f.Model->GetNodes(0);
    node->SetBorderCondition(bc3SemiPervious);
    node->SetAlpha(1);
    node->SetFN(NaN);
    f.Model->InitNodeParams(10, NaN);
    f.Loop.ResetCounters();
    int ends = 0;
    f.Loop.OnEndTimeReached = [&](TObject*) { ++ends; };
    try {
        f.Loop.Run();
        ADD_FAILURE() << "no error";
    } catch (const EKPError& e) {
        // The solver refuses the solution before the loop's own check sees it.
        EXPECT_TRUE(e.Message().contains(QStringLiteral("keine endliche Lösung")) ||
                    e.Message().contains(QStringLiteral("keine gültige Temperatur")))
            << e.Message().toStdString();
    }
    for (double t : f.Temperatures()) EXPECT_EQ(t, 10);
    EXPECT_TRUE(f.Loop.TimeEngine().Finished());
    EXPECT_TRUE(f.Loop.TimeEngine().Aborted());
    EXPECT_EQ(f.Loop.TimeEngine().NumTimeStep(), 1);
    EXPECT_EQ(ends, 1);
}
