// The chart's straight and vertical lines: slope rule, visible ends, moving and turning.
#include <gtest/gtest.h>

#include "chart/MVChartLine.h"

#include <cmath>

namespace {

struct TAxes {
    TMVHorzAxis X;
    TMVVertAxis Y;
    TAxes(double XMin, double XMax, double YMin, double YMax)
    {
        X.SetMin(XMin);
        X.SetMax(XMax);
        Y.SetMin(YMin);
        Y.SetMax(YMax);
    }
};

} // namespace

TEST(ChartLine, SlopeRule)
{
    TMVLine line;
    line.SetLineSlope(lsPositive);
    line.SetA(-2);
    EXPECT_EQ(line.A(), 1);
    line.SetA(3);
    EXPECT_EQ(line.A(), 3);
    line.SetLineSlope(lsNegative);
    line.SetA(4);
    EXPECT_EQ(line.A(), 3);
    line.SetLineSlope(lsDontCare);
    line.SetA(0);
    EXPECT_EQ(line.A(), 0);
}

TEST(ChartLine, VisibleEnds)
{
    struct TCase {
        const char* Name;
        double A, B;
        bool LogY;
        bool LeftOk;
        ChartTypes::TDblPoint Left;
        bool RightOk;
        ChartTypes::TDblPoint Right;
    };
    const TCase cases[] = {
        {"rising, leaves at the top", 1, 0, false, true, {0, 0}, true, {5, 5}},
        {"falling, enters beyond the x range", -1, 20, false, false, {15, 5}, false, {20, 0}},
        {"horizontal outside the value range", 0, 7, false, false, {0, 5}, false, {10, 0}},
        {"logarithmic y", 1, 0, true, true, {0, 1}, true, {3, 1000}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAxes axes(0, 10, c.LogY ? 1 : 0, c.LogY ? 1000 : 5);
        axes.Y.SetLog(c.LogY);
        TMVLine line;
        line.SetXAxis(&axes.X);
        line.SetYAxis(&axes.Y);
        line.SetA(c.A);
        line.SetB(c.B);
        ChartTypes::TDblPoint l, r;
        EXPECT_EQ(line.GetLeft(l), c.LeftOk);
        EXPECT_EQ(line.GetRight(r), c.RightOk);
        EXPECT_NEAR(l.x, c.Left.x, 1e-9);
        EXPECT_NEAR(l.y, c.Left.y, 1e-9);
        EXPECT_NEAR(r.x, c.Right.x, 1e-9);
        EXPECT_NEAR(r.y, c.Right.y, 1e-9);
    }
    TMVLine free;
    ChartTypes::TDblPoint p{42, 42};
    EXPECT_FALSE(free.GetLeft(p));
    EXPECT_EQ(p, (ChartTypes::TDblPoint{42, 42}));
}

TEST(ChartLine, VerticalLineEnds)
{
    TVerticalLine v;
    EXPECT_EQ(v.YMin(), 0);
    EXPECT_EQ(v.YMax(), 1);
    TAxes axes(0, 10, -3, 8);
    v.SetYAxis(&axes.Y);
    EXPECT_EQ(v.YMin(), -3);
    EXPECT_EQ(v.YMax(), 8);
    v.SetOnGetYMax([] { return 4.5; });
    EXPECT_EQ(v.YMax(), 4.5);
}

TEST(ChartLine, MovingKeepsTheSlopeTurningPassesThroughTheMouse)
{
    TAxes axes(0, 10, 0, 10);
    TMVLine line;
    line.SetXAxis(&axes.X);
    line.SetYAxis(&axes.Y);
    line.SetA(0.5);
    line.SetB(1);
    line.MoveBy(ChartTypes::TDblPoint{2, 2}, ChartTypes::TDblPoint{3, 4});
    EXPECT_DOUBLE_EQ(line.A(), 0.5);
    // Shifted by (1, 2): y = 0.5 (x - 1) + 1 + 2.
    EXPECT_DOUBLE_EQ(line.LineValue(1), 3);
    line.TurnThrough(ChartTypes::TDblPoint{8, 9});
    ChartTypes::TDblPoint l;
    ASSERT_TRUE(line.GetLeft(l));
    EXPECT_NEAR(line.LineValue(8), 9, 1e-12);
    EXPECT_NEAR(line.LineValue(0), 2.5, 1e-12);
    // A mouse straight above the pivot gives no slope: the line stays.
    line.TurnThrough(ChartTypes::TDblPoint{0, 9});
    EXPECT_NEAR(line.LineValue(8), 9, 1e-12);
}

TEST(ChartLine, MovingOnLogarithmicAxesShiftsInDecades)
{
    TAxes axes(1, 100, 1, 1000);
    axes.X.SetLog(true);
    axes.Y.SetLog(true);
    TMVLine line;
    line.SetXAxis(&axes.X);
    line.SetYAxis(&axes.Y);
    line.SetA(1);
    line.SetB(0);  // y = x
    line.MoveBy(ChartTypes::TDblPoint{10, 10}, ChartTypes::TDblPoint{10, 100});
    EXPECT_NEAR(line.ValueAt(10), 100, 1e-9);
}
