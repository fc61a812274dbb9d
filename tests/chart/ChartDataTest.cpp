// Data series on a recording canvas in chart units: heat-pump lines, gaps, steps,
// profiles, bars, hatching and the point of interest.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "chart/MVChart.h"

#include <cmath>

namespace {

using TLines = std::vector<std::pair<TPoint, TPoint>>;

// A chart as the heat-pump page sets it up: bottom -10..30 in 8, left 0..30 inverted.
void HeatPumpAxes(TMVChart& Chart)
{
    Chart.BottomAxis()->SetMin(-10);
    Chart.BottomAxis()->SetMax(30);
    Chart.BottomAxis()->SetSegmentCount(8);
    Chart.LeftAxis()->SetMin(0);
    Chart.LeftAxis()->SetMax(30);
    Chart.LeftAxis()->SetInvert(true);
}

void DrawHeatPumpLine(TMVChart& Chart, TCanvas& Canvas, double A, double B)
{
    const ChartTypes::TDblPoint points[2] = {{-5, A * -5 + B}, {25, A * 25 + B}};
    Chart.DrawData(Canvas, points, Chart.BottomAxis(), Chart.LeftAxis(), false, dlLine, 6, msCircle, 0, 0xFF0000,
                   7346457, false, 20);
}

TMtx Rows(std::initializer_list<std::pair<double, double>> R)
{
    TMtx m(static_cast<Eigen::Index>(R.size()), 2);
    int i = 0;
    for (const auto& [x, y] : R) {
        m(i, 0) = x;
        m(i, 1) = y;
        ++i;
    }
    return m;
}

} // namespace

TEST(ChartData, HeatPumpLineIsOneClippedSegment)
{
    TMVChart chart;
    HeatPumpAxes(chart);
    struct TCase {
        const char* Name;
        double A, B;
        TLines Want;
    };
    const double nan = std::nan("");
    const TCase cases[] = {
        // 0.5 x + 10: 7.5 at -5 and 22.5 at 25, inside the ranges.
        {"inside", 0.5, 10, {{{200, 700}, {800, 300}}}},
        // Leaves the value range at the top: drawn to the far end, the clip cuts it.
        {"beyond the top", 2, 10, {{{200, 900}, {800, -700}}}},
        {"blank heat pump", nan, nan, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordingCanvas canvas;
        DrawHeatPumpLine(chart, canvas, c.A, c.B);
        EXPECT_EQ(canvas.Lines(), c.Want);
        for (const TRecordedOp& op : canvas.OfKind(TRecordedOp::opLine)) {
            EXPECT_EQ(op.PenWidth, 6);
            EXPECT_EQ(op.PenColor, 7346457u);
            EXPECT_EQ(op.Clip, (TRect{100, 100, 900, 900}));
        }
        EXPECT_FALSE(canvas.Painter().hasClipping());
        EXPECT_TRUE(canvas.OfKind(TRecordedOp::opEllipse).empty());
    }
}

TEST(ChartData, FarAwayEndsAreCutInTheirOwnDirection)
{
    TMVChart chart;
    HeatPumpAxes(chart);
    TRecordingCanvas canvas;
    DrawHeatPumpLine(chart, canvas, 1e9, 0);
    const TLines lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 1u);
    // The line stays on its true course through (x = 0, y = 0) = chart (300, 900).
    const auto [a, b] = lines[0];
    const double t = (900.0 - a.Y) / (b.Y - a.Y);
    EXPECT_NEAR(a.X + t * (b.X - a.X), 300, 1);
    EXPECT_LE(std::abs(a.Y), 3000);
    EXPECT_LE(std::abs(b.Y), 3000);
}

TEST(ChartData, PointStepsArrowsAndMarkers)
{
    TMVChart chart;
    TRecordingCanvas one;
    const ChartTypes::TDblPoint single[1] = {{5, 5}};
    chart.DrawData(one, single, chart.BottomAxis(), chart.LeftAxis(), false, dlHistogram, 1, msCircle, 0, 0, 0,
                   false, 20);
    EXPECT_EQ(one.Lines(), (TLines{{{100, 100}, {100, 500}}, {{100, 500}, {500, 500}}, {{500, 500}, {500, 100}}}));

    TRecordingCanvas arrows;
    const ChartTypes::TDblPoint four[4] = {{0, 0}, {5, 0}, {5, 5}, {10, 5}};
    chart.DrawData(arrows, four, chart.BottomAxis(), chart.LeftAxis(), true, dlLine, 2, msRectangle, 4, clRed,
                   clBlue, true, 20);
    const auto heads = arrows.OfKind(TRecordedOp::opPolygon);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].Points[0], (TPoint{320, 100}));  // middle of 0-1 plus the size
    EXPECT_EQ(heads[1].Points[0], (TPoint{720, 500}));  // middle of 2-3
    EXPECT_EQ(heads[0].BrushColor, clBlue);
    EXPECT_EQ(arrows.OfKind(TRecordedOp::opRectangle).size(), 4u);

    TRecordingCanvas spline;
    chart.DrawData(spline, four, chart.BottomAxis(), chart.LeftAxis(), true, dlSpline, 2, msCircle, 3, clRed,
                   clBlue, false, 20);
    EXPECT_TRUE(spline.Lines().empty());
    EXPECT_EQ(spline.OfKind(TRecordedOp::opEllipse).size(), 4u);
}

TEST(ChartData, MatrixLineBreaksAtNaNRows)
{
    TMVChart chart;
    const double nan = std::nan("");
    const TMtx m = Rows({{0, 0}, {1, 1}, {2, 2}, {3, nan}, {4, 4}, {5, 5}});
    const TLines pieces = {{{100, 100}, {180, 180}}, {{180, 180}, {260, 260}}, {{420, 420}, {500, 500}}};
    TRecordingCanvas plain;
    chart.DrawData(plain, &m, 0, 1, 0, 5, chart.BottomAxis(), chart.LeftAxis(), true, dlLine, 1, msCircle, 2, 0, 0,
                   false, 0, false);
    EXPECT_EQ(plain.Lines(), pieces);
    EXPECT_EQ(plain.OfKind(TRecordedOp::opEllipse).size(), 5u);

    TRecordingCanvas origin;
    chart.DrawData(origin, &m, 0, 1, 0, 5, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 1, msCircle, 0, 0, 0,
                   false, 0, true);
    const TLines withOrigin = {{{100, 100}, {100, 100}}, {{100, 100}, {180, 180}}, {{180, 180}, {260, 260}},
                               {{100, 100}, {420, 420}}, {{420, 420}, {500, 500}}};
    EXPECT_EQ(origin.Lines(), withOrigin);

    // Rows beyond the matrix are left out, not read.
    TRecordingCanvas clamped;
    chart.DrawData(clamped, &m, 0, 1, -3, 99, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 1, msCircle, 0, 0,
                   0, false, 0, false);
    EXPECT_EQ(clamped.Lines(), pieces);
    TRecordingCanvas badColumn;
    chart.DrawData(badColumn, &m, 0, 2, 0, 5, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 1, msCircle, 0, 0,
                   0, false, 0, false);
    EXPECT_TRUE(badColumn.Ops.empty());
}

TEST(ChartData, MatrixHistogramStandsOnTheOrigin)
{
    TMVChart chart;
    chart.LeftAxis()->SetInvert(true);
    const TMtx m = Rows({{1, 9}, {2, 8}, {3, 5}, {4, 6}, {5, std::nan("")}});
    TRecordingCanvas canvas;
    chart.DrawData(canvas, &m, 0, 1, 2, 4, chart.BottomAxis(), chart.LeftAxis(), false, dlHistogram, 1, msCircle, 0,
                   0, 0, true, clYellow, false);
    // From the origin (100, 900) up to row 2, across, on to row 3, down at the last valid row.
    const TLines want = {{{100, 900}, {100, 500}}, {{100, 500}, {340, 500}}, {{340, 500}, {340, 420}},
                         {{340, 420}, {420, 420}}, {{420, 420}, {420, 900}}};
    EXPECT_EQ(canvas.Lines(), want);
    const auto fills = canvas.OfKind(TRecordedOp::opRectangle);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Points, (std::vector<TPoint>{{100, 500}, {340, 899}}));
    EXPECT_EQ(fills[0].BrushColor, clYellow);
}

TEST(ChartData, VerticalProfile)
{
    TMVChart chart;
    const TMtx m = Rows({{2, 1}, {4, 3}, {6, 5}});
    TRecordingCanvas steps;
    chart.DrawDataVert(steps, &m, 0, 1, 0, 2, chart.BottomAxis(), chart.LeftAxis(), false, dlHistogram, 1, msCircle,
                       0, 0, 0, false, 0);
    const auto polyline = steps.OfKind(TRecordedOp::opPolyline);
    ASSERT_EQ(polyline.size(), 1u);
    const std::vector<TPoint> want = {{100, 100}, {260, 100}, {260, 260}, {420, 260}, {420, 420},
                                      {580, 420}, {580, 580}, {100, 580}};
    EXPECT_EQ(polyline[0].Points, want);

    TRecordingCanvas fill;
    chart.DrawDataVert(fill, &m, 0, 1, 0, 2, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 1, msCircle, 0, 0, 0,
                       true, clAqua);
    const auto polys = fill.OfKind(TRecordedOp::opPolygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].Points,
              (std::vector<TPoint>{{100, 180}, {260, 180}, {420, 340}, {580, 500}, {100, 500}}));
    EXPECT_EQ(fill.Lines().size(), 2u);

    const TMtx single = Rows({{2, 1}});
    TRecordingCanvas one;
    chart.DrawDataVert(one, &single, 0, 1, 0, 0, chart.BottomAxis(), chart.LeftAxis(), false, dlHistogram, 1,
                       msCircle, 0, 0, 0, true, 0);
    EXPECT_TRUE(one.OfKind(TRecordedOp::opPolygon).empty());
    EXPECT_TRUE(one.OfKind(TRecordedOp::opPolyline).empty());
}

TEST(ChartData, BarsGridAndPointOfInterest)
{
    TMVChart chart;
    const double values[3] = {5, std::nan(""), 2.5};
    TRecordingCanvas bars;
    chart.DrawBarData(bars, values, chart.BottomAxis(), 1, clGreen);
    const auto rects = bars.OfKind(TRecordedOp::opRectangle);
    ASSERT_EQ(rects.size(), 2u);
    // 800 div 6 = 133 high, centred on the left-axis value 1 resp. 3.
    EXPECT_EQ(rects[0].Points, (std::vector<TPoint>{{100, 180 - 66}, {500, 180 + 66}}));
    EXPECT_EQ(rects[1].Points, (std::vector<TPoint>{{100, 340 - 66}, {300, 340 + 66}}));

    TRecordingCanvas grid;
    chart.DrawGrid(grid, 0, 100, clGray, 1);
    TLines want;
    for (int y = 100; y < 900; y += 100) want.push_back({{100, y}, {900, y}});
    EXPECT_EQ(grid.Lines(), want);

    TRecordingCanvas slanted;
    chart.DrawGrid(slanted, 45, 100, clGray, 1);
    const TLines s = slanted.Lines();
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[1].first.Y - s[0].first.Y, 141);  // 100 / cos 45°
    TRecordingCanvas refused;
    chart.DrawGrid(refused, 90, 100, clGray, 1);
    chart.DrawGrid(refused, 30, 0, clGray, 1);
    EXPECT_TRUE(refused.Ops.empty());

    TRecordingCanvas poi;
    chart.DrawPOI(poi, 5, 5);
    EXPECT_EQ(poi.Lines(), (TLines{{{90, 500}, {500, 500}}, {{500, 500}, {500, 90}}}));
    EXPECT_EQ(poi.OfKind(TRecordedOp::opLine)[0].PenWidth, 5);
    EXPECT_EQ(poi.OfKind(TRecordedOp::opEllipse)[0].Points, (std::vector<TPoint>{{490, 490}, {510, 510}}));
}
