// Energy counters, the loop's record and properties, and the texts of a run.

#include "RunFixture.h"

#include "model/base/KPError.h"
#include "model/base/Versions.h"
#include "model/run/RunTexts.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

using namespace runtest;

namespace {

// German number texts for the duration of a test.
struct TGermanLocale {
    QLocale Old;
    TGermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~TGermanLocale() { QLocale::setDefault(Old); }
};

}  // namespace

TEST(EnergyCounter, SortsAmountsBySign)
{
    TEnergyCounter c;
    c.Add(0);
    EXPECT_EQ(c.Cool(), 0);
    EXPECT_EQ(c.Heat(), 0);
    c.Add(5);
    c.Add(-3);
    EXPECT_EQ(c.Cool(), 5);
    EXPECT_EQ(c.Heat(), -3);
    EXPECT_EQ(c.Balance(), 2);
    EXPECT_EQ(c.Sum(), 8);
    c.Reset();
    EXPECT_EQ(c.Sum(), 0);
}

TEST(MainLoopRecord, UseGWByteDependsOnFileVersion)
{
    struct TCase {
        int Major, Minor;
        bool ReadsByte;
    } cases[] = {{1, 0, false}, {1, 1, true}, {2, 0, true}};
    for (const TCase& c : cases) {
        TMainLoop source;
        source.SetUseGW(true);
        source.TimeEngine().SetRealStartTime(45000.25);
        source.TimeEngine().SetStartTime(1);
        source.TimeEngine().SetEndtime(2);
        source.TimeEngine().SetTimeStep(3);
        TMemoryStream s;
        source.Write(s);
        ASSERT_EQ(s.Data().size(), 33);
        // A 1.0 record has no byte in front of the engine's times.
        QByteArray bytes = s.Data();
        if (!c.ReadsByte) bytes.remove(0, 1);
        TMemoryStream in(bytes);
        TFileVersionScope version(c.Major, c.Minor);
        TMainLoop target;
        target.Read(in);
        EXPECT_EQ(in.Remaining(), 0) << c.Major << "." << c.Minor;
        EXPECT_EQ(target.UseGW(), c.ReadsByte) << "1.0 keeps the current value";
        EXPECT_EQ(target.TimeEngine().RealStartTime(), 45000.25);
        EXPECT_EQ(target.TimeEngine().TimeStep(), 3);
    }
}

TEST(MainLoopRecord, ShortRecordChangesNothing)
{
    TMainLoop loop;
    const double end = loop.TimeEngine().Endtime();
    TMemoryStream in(QByteArray(10, '\1'));
    TFileVersionScope version(2, 1);
    EXPECT_THROW(loop.Read(in), EReadError);
    EXPECT_FALSE(loop.UseGW());
    EXPECT_EQ(loop.TimeEngine().Endtime(), end);
}

TEST(MainLoop, DefaultsAndGuardedProperties)
{
    TMainLoop loop;
    EXPECT_EQ(loop.FieldMultiplier(), 3);
    EXPECT_TRUE(loop.UseBHEAnalytic());
    EXPECT_FALSE(loop.UseGW());
    EXPECT_EQ(loop.TimeEngine().Endtime(), 31536000);
    EXPECT_EQ(loop.TimeEngine().TimeStep(), 3600);
    EXPECT_EQ(MonthOf(loop.TimeEngine().RealStartTime()), 1);
    EXPECT_EQ(YearOf(loop.TimeEngine().RealStartTime()), YearOf(Now()) + 1);

    try {
        loop.SetFieldMultiplier(0);
        FAIL();
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Multiplikator muss 1 oder größer sein"));
    }
    EXPECT_EQ(loop.FieldMultiplier(), 3);

    struct TCase {
        std::function<void()> Call;
        QString Message;
    } cases[] = {{[&] { loop.Flux(); }, QStringLiteral("Flux in Mainloop not hooked!")},
                 {[&] { loop.Fluid(); }, QStringLiteral("Fluid in Mainloop not hooked!")}};
    for (const TCase& c : cases) {
        try {
            c.Call();
            ADD_FAILURE() << c.Message.toStdString();
        } catch (const EKPError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
    for (int m = 0; m <= 13; ++m) loop.SetSavedMonth(m, true);
    EXPECT_FALSE(loop.SavedMonth(0));
    EXPECT_TRUE(loop.SavedMonth(1));
    EXPECT_TRUE(loop.SavedMonth(12));
    EXPECT_FALSE(loop.SavedMonth(13));
}

TEST(MainLoop, FindBHEWrapperByProbe)
{
    TRunFixture f;
    EXPECT_EQ(f.Loop.FindBHEWrapper(f.Probe(2)), f.Wrapper(2));
    TBHE other;
    EXPECT_EQ(f.Loop.FindBHEWrapper(&other), nullptr);
}

TEST(RunTexts, RemainingTime)
{
    const QString prefix = QStringLiteral("Verbleibende Berechnungsdauer: ");
    struct TCase {
        double Seconds;
        QString Tail;
    } cases[] = {{5400, QStringLiteral("1 h 30 min ")},
                 {59, QStringLiteral(" < 1 Minute")},
                 {3600, QStringLiteral("1 h ")},
                 {60, QStringLiteral("1 min ")},
                 {90061, QStringLiteral("1 d 1 h 1 min ")},
                 {2 * 86400.0 + 59, QStringLiteral("2 d ")}};
    for (const TCase& c : cases) EXPECT_EQ(RemainingTimeText(c.Seconds), prefix + c.Tail) << c.Seconds;
}

TEST(RunTexts, EstimateIsPerMeasuredStep)
{
    // With three steps per solve the twenty solves span 58 measured steps.
    EXPECT_DOUBLE_EQ(EstimateRemaining(160, 60, 5.8, 58), 10);
    EXPECT_DOUBLE_EQ(EstimateRemaining(120, 20, 2, 20), 10);
    EXPECT_EQ(EstimateRemaining(10, 10, 3, 0), 0);
}

TEST(RunTexts, SpansAndFileNames)
{
    EXPECT_EQ(TimeSpanText(3 * 86400 + 5 * 3600 + 1800), QStringLiteral("Time Span: 3 days 5 hours"));
    const std::int64_t hour = 3600 * TCounterTable::TicksPerSecond;
    struct TCase {
        std::int64_t Ticks;
        QString LED, Table;
    } cases[] = {{0, QStringLiteral("00 h 00 min"), QStringLiteral("0 h 0 min")},
                 {hour * 7 + hour / 4, QStringLiteral("07 h 15 min"), QStringLiteral("7 h 15 min")},
                 {hour * 24, QStringLiteral("24 h 00 min"), QStringLiteral("24 h 0 min")}};
    for (const TCase& c : cases) {
        EXPECT_EQ(LEDDurationText(c.Ticks), c.LED);
        EXPECT_EQ(CounterDurationText(c.Ticks), c.Table);
    }
    EXPECT_EQ(NodeDumpFileName(QStringLiteral("/data/feld"), EncodeDate(2021, 2, 1)),
              QStringLiteral("/data/feld_2021_02_01_00_00.txt"));
    EXPECT_EQ(NodeDumpFileName(QStringLiteral("x"), EncodeDateTime(987, 11, 30, 7, 5, 0, 0)),
              QStringLiteral("x_0987_11_30_07_05.txt"));
}

TEST(RunTexts, DashboardCells)
{
    TGermanLocale german;
    TEnergyCounter total, geo, elec;
    geo.Add(-12.25);
    geo.Add(3);
    const TDashboardValues v = MakeDashboardValues(1.5 * 86400, total, geo, elec, 3.6e9, 3.6e9 - 36e6);
    EXPECT_EQ(v.LblElapsedTime, QStringLiteral("Zeit seit Simulationsbeginn: 1,50 [d]"));
    EXPECT_EQ(v.Counters[0][0], QStringLiteral("0,0"));
    EXPECT_EQ(v.Counters[1][0], QStringLiteral("12,3"));  // |Heat|, halves away from zero
    EXPECT_EQ(v.Counters[1][1], QStringLiteral("3,0"));
    EXPECT_EQ(v.Counters[1][2], QStringLiteral("-9,3"));
    EXPECT_EQ(v.Counters[1][3], QStringLiteral("15,3"));
    EXPECT_EQ(v.InitialQuantity, QStringLiteral("1000,0"));
    EXPECT_EQ(v.CurrentQuantity, QStringLiteral("990,0"));
    EXPECT_EQ(v.DeltaQuantity, QStringLiteral("-10,0"));
}

TEST(RunTexts, BestAndWorstProbe)
{
    TGermanLocale german;
    TGaugeValues even;
    FillBestWorst(even, {8.0, 8.05, 7.98}, {1, 2, 3});
    EXPECT_FALSE(even.BestGaugesVisible);
    EXPECT_FALSE(even.WorstGaugesVisible);
    EXPECT_EQ(even.LblBest, QStringLiteral("Best:\r\nno BHE exceeds 0,1 °C threshold"));
    EXPECT_EQ(even.LblWorst, QStringLiteral("Worst:\r\nno BHE exceeds 0,1 °C threshold"));
    EXPECT_EQ(even.GaugeBHEAverageP, 2);

    TGaugeValues spread;
    FillBestWorst(spread, {8, 9, 10}, {1.5, 2.5, 0.5});
    EXPECT_TRUE(spread.BestGaugesVisible);
    EXPECT_EQ(spread.LblBest, QStringLiteral("Best:"));
    EXPECT_EQ(spread.GaugeBHEBestT, 10);
    EXPECT_EQ(spread.GaugeBHEBestP, 2.5);
    EXPECT_EQ(spread.GaugeBHEWorstT, 8);
    EXPECT_EQ(spread.GaugeBHEWorstP, 0.5);
}

TEST(CounterTable, CellsOfBothRowKinds)
{
    TGermanLocale german;
    const double inf = std::numeric_limits<double>::infinity();
    TCounterTable t;
    t.SetHeader(CounterHeader(ltYearProfile, {QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(t.Header().size(), 6 + 4 * 2);
    EXPECT_EQ(t.Header()[10], QStringLiteral("B Energie [kWh]"));
    // A day without heat-pump output: the share is empty, energies show 0,00.
    t.SetYearProfileRow(1, EncodeDate(2021, 1, 1), 0, 0, 0, 2, {{0, inf, -inf}, {0, inf, -inf}});
    // 3 h, 30 kWh from the field for 40 kWh; probes 14 and 16 kWh around a mean of 15.
    t.SetYearProfileRow(3, EncodeDate(2021, 1, 3), 3 * 3600 * TCounterTable::TicksPerSecond, 30, 40, 2,
                        {{14, 7.5, 9.25}, {16, 7, 9}});
    struct TCase {
        int Row, Col;
        QString Text;
    } cases[] = {{0, 2, QStringLiteral("Betriebsdauer [h]")},
                 {1, 0, QStringLiteral("1")},
                 {1, 1, QStringLiteral("01.01.2021")},
                 {1, 2, QStringLiteral("0 h 0 min")},
                 {1, 5, QString()},
                 {1, 6, QStringLiteral("0,00")},
                 {1, 8, QString()},
                 {2, 1, QString()},
                 {3, 2, QStringLiteral("3 h 0 min")},
                 {3, 5, QStringLiteral("75,00")},
                 {3, 7, QString()},
                 {3, 8, QStringLiteral("7,50")},
                 {3, 13, QStringLiteral("9,00")}};
    for (const TCase& c : cases) EXPECT_EQ(t.CellText(c.Row, c.Col), c.Text) << c.Row << "," << c.Col;
    TCounterIndicator ind;
    ASSERT_TRUE(t.Indicator(3, 7, ind));
    EXPECT_EQ(ind.Value, -10);  // 14 kWh × 10 − 150
    EXPECT_EQ(ind.Range, 150);
    EXPECT_EQ(ind.NegativeColor, 0x0000FFu);
    ASSERT_TRUE(t.Indicator(3, 11, ind));
    EXPECT_EQ(ind.Value, 10);
    EXPECT_FALSE(t.Indicator(3, 8, ind));
    EXPECT_EQ(t.RowCount(), 4);

    TCounterTable p;
    p.SetHeader(CounterHeader(ltFile, {QStringLiteral("A")}));
    EXPECT_EQ(p.Header()[4], QStringLiteral("A ϑ min [°C]"));
    p.SetPowerRow(1, EncodeDate(2021, 1, 1), 12.344, 4, {{0, 7.126, 8}});
    p.SetPowerRow(2, EncodeDate(2021, 1, 2), 5, 0, {{0, 7, 8}});
    EXPECT_EQ(p.CellText(1, 2), QStringLiteral("12,34"));
    EXPECT_EQ(p.CellText(1, 3), QStringLiteral("3,09"));
    EXPECT_EQ(p.CellText(1, 4), QStringLiteral("7,13"));
    EXPECT_EQ(p.CellText(2, 3), QString()) << "no probes, no probe columns";
    EXPECT_EQ(p.CellValue(1, 2), 12.344);
    EXPECT_TRUE(p.AsText().startsWith(QStringLiteral("Nr.\tDatum\t")));
}
