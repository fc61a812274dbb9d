// Chart geometry and mappings without a canvas: the diagram, the split, real points to
// chart units and back, sizing.
#include <gtest/gtest.h>

#include "chart/ChartScreenMapping.h"
#include "chart/MVChart.h"
#include "chart/MVChartLine.h"
#include "chart/MVPaintBox.h"
#include "model/settings/Streamft.h"

#include <cmath>
#include <limits>

TEST(ChartLayout, NewChartDefaults)
{
    TMVChart chart;
    EXPECT_EQ(chart.ChartWidth(), 1000);
    EXPECT_EQ(chart.ChartHeight(), 1000);
    TPoint tl, br;
    chart.GetDiagramRect(chart.LeftAxis(), tl, br);
    EXPECT_EQ(tl, (TPoint{100, 100}));
    EXPECT_EQ(br, (TPoint{900, 900}));
    EXPECT_FALSE(chart.LeftAxis()->Invert());
    EXPECT_TRUE(chart.QAxis()->Invert());
    EXPECT_FALSE(chart.QAxis()->Leftside());
    EXPECT_EQ(chart.LegendFont()->FontName(), QStringLiteral("Verdana"));
    EXPECT_EQ(chart.FitLine()->XAxis(), chart.TopAxis());
    EXPECT_EQ(chart.VertLine()->YAxis(), chart.LeftAxis());
    // The left axis is not inverted: its minimum lies at the top.
    EXPECT_EQ(chart.GetScreenPoint(0, 0, chart.BottomAxis(), chart.LeftAxis()), (TPoint{100, 100}));
}

TEST(ChartLayout, SplitRatioAndQDiagram)
{
    TMVChart chart;
    chart.SetSplitRatio(0.5);
    EXPECT_EQ(chart.GetSplitRatio(), 1);
    chart.SetQDiagram(true);
    EXPECT_TRUE(chart.QAxis()->Visible());
    EXPECT_EQ(chart.GetSplitRatio(), 0.5);
    chart.SetSplitRatio(1.5);
    chart.SetSplitRatio(-0.1);
    EXPECT_EQ(chart.GetSplitRatio(), 0.5);
    chart.SetSplitRatio(0.7);
    TPoint tl, br;
    chart.GetDiagramRect(chart.QAxis(), tl, br);
    EXPECT_EQ(tl, (TPoint{100, 660}));
    EXPECT_EQ(br, (TPoint{900, 900}));
    chart.GetDiagramRect(chart.LeftAxis(), tl, br);
    EXPECT_EQ(br, (TPoint{900, 660}));
    // The Q axis maps into the lower part, inverted: its minimum at the bottom.
    chart.QAxis()->SetMax(10);
    EXPECT_EQ(chart.GetScreenPoint(0, 0, chart.BottomAxis(), chart.QAxis()), (TPoint{100, 900}));
    EXPECT_EQ(chart.GetScreenPoint(0, 10, chart.BottomAxis(), chart.QAxis()), (TPoint{100, 660}));
    EXPECT_EQ(chart.GetScreenPoint(10, 10, chart.BottomAxis(), chart.LeftAxis()), (TPoint{900, 660}));
    chart.SetQDiagram(false);
    EXPECT_FALSE(chart.QAxis()->Visible());
}

TEST(ChartLayout, ScreenPointValidity)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    TMVChart chart;
    chart.LeftAxis()->SetInvert(true);
    struct TCase {
        const char* Name;
        double X, Y;
        bool LogX, EmptyY;
        bool Valid;
    };
    const TCase cases[] = {
        {"inside", 5, 5, false, false, true},       {"far outside", 1e12, -1e12, false, false, true},
        {"NaN y", 5, nan, false, false, false},     {"infinite x", inf, 5, false, false, false},
        {"0 on a log x axis", 0, 5, true, false, false}, {"empty y range", 5, 5, false, true, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TMVHorzAxis x;
        TMVVertAxis y;
        x.SetMin(c.LogX ? 1 : 0);
        x.SetLog(c.LogX);
        if (c.EmptyY) y.SetMax(0);
        bool valid = !c.Valid;
        const TPoint p = chart.GetScreenPoint(c.X, c.Y, &x, &y, valid);
        EXPECT_EQ(valid, c.Valid);
        // The plain form never fails and never leaves a sane range.
        const TPoint q = chart.GetScreenPoint(c.X, c.Y, &x, &y);
        EXPECT_LE(std::abs(q.X), 200000000);
        EXPECT_LE(std::abs(q.Y), 200000000);
        if (!c.Valid && (std::isnan(c.Y) || std::isinf(c.X))) {
            EXPECT_EQ(p, (TPoint{0, 0}));
        }
    }
    TMVHorzAxis x;
    TMVVertAxis y;
    bool valid = false;
    EXPECT_EQ(chart.GetScreenPoint(2.5, 2.5, &x, &y, valid), (TPoint{300, 300}));
    EXPECT_TRUE(valid);
}

TEST(ChartLayout, ChartToRealOnAnInvertedAxis)
{
    TMVChart chart;
    chart.LeftAxis()->SetInvert(true);
    ChartTypes::TDblPoint r;
    EXPECT_TRUE(chart.MapChartToReal(100, 100, chart.BottomAxis(), chart.LeftAxis(), r));
    EXPECT_DOUBLE_EQ(r.y, 10);
    EXPECT_FALSE(chart.MapChartToReal(900, 900, chart.BottomAxis(), chart.LeftAxis(), r));
    EXPECT_DOUBLE_EQ(r.y, 0);
    EXPECT_DOUBLE_EQ(r.x, 10);
    chart.LeftAxis()->SetMin(1);
    chart.LeftAxis()->SetMax(1000);
    chart.LeftAxis()->SetLog(true);
    chart.MapChartToReal(500, 366, chart.BottomAxis(), chart.LeftAxis(), r);
    EXPECT_NEAR(std::log10(r.y), 2, 0.01);
    // Back and forth: a real point maps to the chart point it came from.
    const TPoint p = chart.GetScreenPoint(3, 50, chart.BottomAxis(), chart.LeftAxis());
    chart.MapChartToReal(p.X, p.Y, chart.BottomAxis(), chart.LeftAxis(), r);
    EXPECT_NEAR(r.x, 3, 0.02);
    EXPECT_NEAR(std::log10(r.y), std::log10(50.0), 0.01);
}

TEST(ChartLayout, ScreenMappingSizesTheSurfaceInTheSetters)
{
    TMVChart chart;
    const int dpi = chart.PaintBox()->logicalDpiX();
    const TChartScreenMapping m(1000, 500, 100, 96, 96);
    EXPECT_EQ(m.ViewportExt(), (TSize{378, 189}));
    EXPECT_EQ(m.DeviceToChart(TPoint{378, 189}), (TPoint{1000, 500}));
    EXPECT_EQ(m.ChartToDevice(TPoint{500, 250}), (TPoint{189, 95}));
    chart.SetChartWidth(2000);
    chart.SetZoom(200);
    EXPECT_EQ(chart.PaintBox()->width(), MulDiv(2000, 200 * dpi, 25400));
    chart.SetZoom(0);
    chart.SetChartWidth(0);
    EXPECT_EQ(chart.Zoom(), 200);
    EXPECT_EQ(chart.ChartWidth(), 2000);
}

TEST(ChartLayout, AutoSizeAndIsometry)
{
    TMVChart chart;
    EXPECT_FALSE(chart.AutoSize());
    EXPECT_EQ(chart.ChartWidth(), 1000);
    chart.resize(400, 300);
    chart.SetChartWidthAuto(true);
    EXPECT_TRUE(chart.AutoSize());
    const int dpi = chart.PaintBox()->logicalDpiX();
    EXPECT_NEAR(chart.ChartWidth(), 391 * 254.0 / dpi, 2);
    EXPECT_EQ(chart.ChartHeight(), 1000);
    EXPECT_FALSE(chart.AutoSize());

    TMVChart iso;
    TMVHorzAxis x;
    TMVVertAxis y;
    x.SetMin(1);
    x.SetMax(10000);
    y.SetMin(1);
    y.SetMax(100);
    iso.MakeIsometric(&x, &y);
    EXPECT_EQ(iso.ChartWidth(), 1000);
    EXPECT_EQ(iso.ChartHeight(), 600);
    // A range reaching 0 has no decades: nothing changes.
    y.SetMin(0);
    iso.MakeIsometric(&x, &y);
    EXPECT_EQ(iso.ChartHeight(), 600);
}

TEST(ChartLayout, PropertySettersKeepSaneValues)
{
    TMVChart chart;
    chart.SetLegendCols(0);
    chart.SetLegendRows(-1);
    chart.SetMouseThreshold(0);
    EXPECT_EQ(chart.LegendCols(), 4);
    EXPECT_EQ(chart.LegendRows(), 10);
    EXPECT_EQ(chart.MouseThreshold(), 10);
    chart.setObjectName(QStringLiteral("ChartPower"));
    EXPECT_EQ(chart.PaintBox()->objectName(), QStringLiteral("ChartPowerSubPaintBox"));
}
