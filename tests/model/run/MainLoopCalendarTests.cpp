// Day rows, monthly node dumps, the year change and the end of a run.

#include "RunFixture.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

using namespace runtest;

namespace {

struct TCLocale {
    QLocale Old;
    TCLocale() { QLocale::setDefault(QLocale::c()); }
    ~TCLocale() { QLocale::setDefault(Old); }
};

}  // namespace

TEST(MainLoopCalendar, FirstDayRowAtTheFirstMidnight)
{
    TCLocale c;
    struct TCase {
        int Hour;
        int Step;
    } cases[] = {{0, 24}, {12, 12}};
    for (const TCase& tc : cases) {
        TRunFixture f;
        f.SetTimes(EncodeDateTime(2021, 1, 1, tc.Hour, 0, 0, 0), 3600, 30 * 3600.0, 1);
        f.AddConstant(12);
        f.InitRun();
        TFakeDisplay display;
        display.Loop = &f.Loop;
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        ASSERT_FALSE(display.Rows.empty());
        EXPECT_EQ(display.Rows.front(), std::make_pair(tc.Step, 1)) << tc.Hour;
        const TCounterTable& t = f.Loop.CounterTable();
        EXPECT_EQ(t.RowKind(1), TCounterRowKind::Power);
        EXPECT_EQ(t.RowDate(1), EncodeDate(2021, 1, 1));
        EXPECT_EQ(t.CellText(1, 2), QStringLiteral("12.00"));
        EXPECT_EQ(t.CellText(1, 3), QStringLiteral("3.00"));
        EXPECT_EQ(t.CellText(1, 4), QString()) << "constant loads keep no temperature extremes";
        EXPECT_EQ(t.Header().size(), 4 + 2 * 4);
    }
}

TEST(MainLoopCalendar, DayRowsFollowTheRunsOwnProfile)
{
    // A year profile last in the list, driving no probe, must not take over
    // the rows of the run's constant profile.
    TCLocale c;
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 48 * 3600.0, 1);
    f.AddConstant(12);
    f.AddYearProfile(500);
    f.InitRun();
    f.Loop.Run();
    const TCounterTable& t = f.Loop.CounterTable();
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(t.RowKind(row), TCounterRowKind::Power);
        EXPECT_EQ(t.CellText(row, 2), QStringLiteral("12.00"));
    }
    EXPECT_EQ(f.Loop.RequestedLoad(), 0);
}

TEST(MainLoopCalendar, MonthlyNodeDumps)
{
    struct TCase {
        std::vector<int> Months;
        QStringList Files;
    } cases[] = {{{2}, {QStringLiteral("feld_2021_02_01_00_00.txt")}},
                 {{1, 2, 3},
                  {QStringLiteral("feld_2021_02_01_00_00.txt"), QStringLiteral("feld_2021_03_01_00_00.txt")}},
                 {{}, {}}};
    for (const TCase& tc : cases) {
        QTemporaryDir dir;
        TRunFixture f;
        // Six-hour steps from 1 January to 5 March.
        f.SetTimes(EncodeDate(2021, 1, 1), 21600, 63 * 86400.0, 1);
        f.AddConstant(12);
        f.InitRun();
        for (int m : tc.Months) f.Loop.SetSavedMonth(m, true);
        f.Loop.SetAutoSaveMonthly(!tc.Months.empty());
        f.Loop.SetSaveDataLocation(QDir(dir.path()).filePath(QStringLiteral("feld")));
        TFakeDisplay display;
        display.Loop = &f.Loop;
        std::vector<double> endOfJanuary;
        display.OnProcess = [&](int Step) {
            if (Step == 31 * 4 - 1) endOfJanuary = f.Temperatures();
        };
        TModelUIScope<TRunDisplay> scope(&display);
        f.Loop.Run();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), tc.Files);
        if (tc.Files.isEmpty()) continue;
        // The file holds the field at the end of January, one CR LF line per node.
        QFile file(QDir(dir.path()).filePath(tc.Files[0]));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        ASSERT_EQ(lines.size(), f.Model->NodeCount() + 1);
        EXPECT_TRUE(lines.last().isEmpty());
        ASSERT_EQ(endOfJanuary.size(), size_t(f.Model->NodeCount()));
        for (int k = 0; k < f.Model->NodeCount(); ++k) {
            const TNode* node = f.Model->GetNodes(k);
            const QByteArray expected = (FloatToDumpText(node->X()) + QLatin1Char('\t') + FloatToDumpText(node->Y()) +
                                         QLatin1Char('\t') + FloatToDumpText(endOfJanuary[size_t(k)]) +
                                         QLatin1Char('\r'))
                                            .toUtf8();
            EXPECT_EQ(lines[k], expected) << k;
        }
    }
}

TEST(MainLoopCalendar, YearChangeResetsOnlyYearlyCounters)
{
    TRunFixture f;
    f.SetTimes(EncodeDateTime(2021, 12, 31, 22, 0, 0, 0), 3600, 4 * 3600.0, 1);
    f.AddYearProfile(1000);
    f.StaticHeatpump(10, 4, 20, 3);
    f.InitRun();
    TFakeDisplay display;
    display.Loop = &f.Loop;
    double geothermalOfFirstStep = 0;
    display.OnProcess = [&](int Step) {
        if (Step == 1) geothermalOfFirstStep = f.Loop.GeothermalEnergy().Balance();
    };
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    // Three heating steps in the new year.
    EXPECT_DOUBLE_EQ(f.Loop.YearOutputEnergy().Heat(), -30);
    EXPECT_DOUBLE_EQ(f.Loop.YearGeothermalEnergy().Heat(), -22.5);
    EXPECT_DOUBLE_EQ(f.Loop.YearElectricEnergy().Cool(), 7.5);
    EXPECT_EQ(f.Loop.YearOpsTime(), 3 * 3600);
    // The run's counter keeps the old year's step.
    EXPECT_LT(geothermalOfFirstStep, 0);
    EXPECT_LT(f.Loop.GeothermalEnergy().Balance(), 3.5 * geothermalOfFirstStep);
    EXPECT_EQ(f.Loop.CounterTable().RowDate(1), EncodeDate(2021, 12, 31));
}

TEST(MainLoopCalendar, ResetCountersStartsFromTheFieldAndTheDemand)
{
    TRunFixture f;
    f.AddYearProfile(250);
    f.InitRun();
    f.Loop.GeothermalEnergy().Add(-5);
    f.Loop.YearOutputEnergy().Add(-5);
    f.Loop.SetYearOpsTime(99);
    f.Model->InitTemperature(12);
    f.Loop.ResetCounters();
    EXPECT_EQ(f.Loop.GeothermalEnergy().Sum(), 0);
    EXPECT_EQ(f.Loop.YearOutputEnergy().Sum(), 0);
    EXPECT_EQ(f.Loop.YearOpsTime(), 0);
    EXPECT_EQ(f.Loop.RequestedLoad(), 250);
    EXPECT_DOUBLE_EQ(f.Loop.InitialQuantity(), 80 * 80 * Storage * 12);
}

TEST(MainLoopCalendar, EndOfRunShowsTheSurface)
{
    TRunFixture f;
    f.SetTimes(EncodeDate(2021, 1, 1), 3600, 3 * 3600, 1);
    f.AddConstant(12);
    f.InitRun();
    TFakeDisplay display;
    display.Surface = true;
    TModelUIScope<TRunDisplay> scope(&display);
    f.Loop.Run();
    EXPECT_EQ(display.SurfaceCalls, 1);
    EXPECT_EQ(display.Hidden, 1);
    EXPECT_EQ(display.BeginUpdates, 1);
    EXPECT_EQ(display.EndUpdates, 1);
    ASSERT_EQ(display.SurfacePoints.size(), size_t(f.Model->NodeCount()));
    const TNode* node = f.NodeOfProbe(3);
    const TSurfacePoint& p = display.SurfacePoints[size_t(f.Wrapper(3)->NodeIndex())];
    EXPECT_EQ(p.X, node->X());
    EXPECT_EQ(p.Y, node->F());
    EXPECT_EQ(p.Z, node->Y());
}
