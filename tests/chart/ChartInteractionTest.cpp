// The mouse modes driven through the surface's handlers with surface pixels: line
// hit, drag and turn, zoom rectangles, panning on linear and logarithmic axes.
#include <gtest/gtest.h>

#include "chart/ChartScreenMapping.h"
#include "chart/MVChart.h"
#include "chart/MVChartLine.h"
#include "chart/MVPaintBox.h"

#include <cmath>

namespace {

// The surface pixel of a chart point.
TPoint Px(const TMVChart& Chart, int X, int Y) { return Chart.ScreenMapping().ChartToDevice(TPoint{X, Y}); }

ChartTypes::TDblPoint RealAt(TMVChart& Chart, TPoint Pixel, const TMVHorzAxis* X, const TMVVertAxis* Y)
{
    ChartTypes::TDblPoint r;
    Chart.MapMousePosReal(Pixel.X, Pixel.Y, X, Y, r);
    return r;
}

void Drag(TMVChart& Chart, TMouseButton Button, TPoint From, TPoint To)
{
    Chart.PaintBoxMouseDown(Chart.PaintBox(), Button, {}, From.X, From.Y);
    Chart.PaintBoxMouseMove(Chart.PaintBox(), {}, To.X, To.Y);
    Chart.PaintBoxMouseUp(Chart.PaintBox(), Button, {}, To.X, To.Y);
}

} // namespace

TEST(ChartInteraction, AxesRangeTakesOnlyWhatItHas)
{
    TMVChart chart;
    const ChartTypes::TDblPoint two[2] = {{1, 8}, {4, 2}};
    TMVAxis* const three[3] = {chart.TopAxis(), chart.LeftAxis(), chart.BottomAxis()};
    chart.SetAxesRange(two, three);
    EXPECT_EQ(chart.TopAxis()->Min(), 1);
    EXPECT_EQ(chart.TopAxis()->Max(), 4);
    EXPECT_EQ(chart.LeftAxis()->Min(), 2);
    EXPECT_EQ(chart.LeftAxis()->Max(), 8);
    EXPECT_EQ(chart.BottomAxis()->Max(), 10);
    const ChartTypes::TDblPoint four[4] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    TMVAxis* const twoAxes[2] = {chart.TopAxis(), chart.LeftAxis()};
    chart.SetAxesRange(four, twoAxes);
    EXPECT_EQ(chart.BottomAxis()->Max(), 10);
    EXPECT_EQ(chart.TopAxis()->Max(), 1);
}

TEST(ChartInteraction, HiddenLinesAreNeverHit)
{
    TMVChart chart;
    const TPoint p = Px(chart, 500, 500);
    EXPECT_FALSE(chart.LineHitTest(p.X, p.Y, chart.FitLine()));
    EXPECT_FALSE(chart.LineHitTest(p.X, p.Y, chart.VertLine()));
    const double a = chart.FitLine()->A(), b = chart.FitLine()->B();
    Drag(chart, mbLeft, p, Px(chart, 600, 600));
    EXPECT_EQ(chart.FitLine()->A(), a);
    EXPECT_EQ(chart.FitLine()->B(), b);
}

TEST(ChartInteraction, DraggingAndTurningTheFitLine)
{
    TMVChart chart;
    TMVLine* line = chart.FitLine();
    line->SetVisible(true);
    line->SetA(0);
    line->SetB(5);  // y = 5: chart row 500 across the diagram
    const TPoint on = Px(chart, 500, 500);
    EXPECT_TRUE(chart.LineHitTest(on.X, on.Y, line));
    const TPoint off = Px(chart, 500, 530);
    EXPECT_FALSE(chart.LineHitTest(off.X, off.Y, line));

    const TPoint to{on.X, on.Y + 40};
    chart.PaintBoxMouseDown(chart.PaintBox(), mbLeft, {}, on.X, on.Y);
    EXPECT_TRUE(line->Dragging());
    EXPECT_EQ(chart.PaintBox()->cursor().shape(), Qt::DragMoveCursor);
    chart.PaintBoxMouseMove(chart.PaintBox(), {}, to.X, to.Y);
    const double moved = RealAt(chart, to, chart.TopAxis(), chart.LeftAxis()).y -
                         RealAt(chart, on, chart.TopAxis(), chart.LeftAxis()).y;
    EXPECT_NEAR(line->B(), 5 + moved, 1e-9);
    EXPECT_EQ(line->A(), 0);
    chart.PaintBoxMouseUp(chart.PaintBox(), mbLeft, {}, to.X, to.Y);
    EXPECT_FALSE(line->Dragging());

    // Turning with the middle button about the left end, through the mouse.
    const TPoint grab = Px(chart, 500, chart.GetScreenPoint(5, line->B(), chart.TopAxis(), chart.LeftAxis()).Y);
    chart.PaintBoxMouseDown(chart.PaintBox(), mbMiddle, {}, grab.X, grab.Y);
    EXPECT_TRUE(line->Rotating());
    const TPoint up = Px(chart, 900, 200);
    chart.PaintBoxMouseMove(chart.PaintBox(), {}, up.X, up.Y);
    const ChartTypes::TDblPoint c = RealAt(chart, up, chart.TopAxis(), chart.LeftAxis());
    EXPECT_NEAR(line->LineValue(c.x), c.y, 1e-9);
    chart.PaintBoxMouseUp(chart.PaintBox(), mbMiddle, {}, up.X, up.Y);
    EXPECT_FALSE(line->Rotating());
}

TEST(ChartInteraction, DraggingTheVerticalLine)
{
    TMVChart chart;
    TVerticalLine* v = chart.VertLine();
    v->SetVisible(true);
    v->SetXValue(2);
    const TPoint on = Px(chart, 260, 500);
    const TPoint to = Px(chart, 660, 300);
    Drag(chart, mbLeft, on, to);
    EXPECT_NEAR(v->XValue(), RealAt(chart, to, chart.TopAxis(), chart.LeftAxis()).x, 1e-9);
    EXPECT_NEAR(v->XValue(), 7, 0.05);
}

TEST(ChartInteraction, ZoomRectangle)
{
    TMVChart chart;
    chart.LeftAxis()->SetInvert(true);
    chart.SetState(csZooming);
    const TPoint a = Px(chart, 300, 300), b = Px(chart, 700, 500);
    const ChartTypes::TDblPoint ra = RealAt(chart, a, chart.TopAxis(), chart.LeftAxis());
    const ChartTypes::TDblPoint rb = RealAt(chart, b, chart.BottomAxis(), chart.LeftAxis());

    // Press and release at one point: nothing.
    Drag(chart, mbLeft, a, a);
    EXPECT_EQ(chart.TopAxis()->Max(), 10);

    // While dragging the rectangle is state for the paint.
    chart.PaintBoxMouseDown(chart.PaintBox(), mbLeft, {}, a.X, a.Y);
    chart.PaintBoxMouseMove(chart.PaintBox(), {}, b.X, b.Y);
    EXPECT_EQ(chart.ZoomRectangle(), QRect(QPoint(a.X, a.Y), QPoint(b.X, b.Y)));
    chart.PaintBoxMouseUp(chart.PaintBox(), mbLeft, {}, b.X, b.Y);
    EXPECT_TRUE(chart.ZoomRectangle().isNull());
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Min(), ra.x);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Max(), rb.x);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Max(), ra.y);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Min(), rb.y);
    EXPECT_NEAR(chart.LeftAxis()->Min(), 5, 0.05);

    // Dragging to the left or up restores the ranges saved when the mode was set.
    Drag(chart, mbLeft, b, a);
    EXPECT_EQ(chart.TopAxis()->Min(), 0);
    EXPECT_EQ(chart.TopAxis()->Max(), 10);
    EXPECT_EQ(chart.LeftAxis()->Max(), 10);

    // Another button does not zoom.
    Drag(chart, mbRight, a, b);
    EXPECT_EQ(chart.TopAxis()->Max(), 10);
}

TEST(ChartInteraction, PanKeepsTheGrabbedValueUnderTheMouse)
{
    for (const bool log : {false, true}) {
        SCOPED_TRACE(log ? "logarithmic" : "linear");
        TMVChart chart;
        chart.LeftAxis()->SetInvert(true);
        if (log) {
            chart.TopAxis()->SetMax(1000);
            chart.TopAxis()->SetMin(1);
            chart.TopAxis()->SetLog(true);
            chart.LeftAxis()->SetMax(100);
            chart.LeftAxis()->SetMin(1);
            chart.LeftAxis()->SetLog(true);
        }
        chart.SetState(csPanning);
        const TPoint from = Px(chart, 500, 740), to = Px(chart, 380, 420);
        const ChartTypes::TDblPoint grabbed = RealAt(chart, from, chart.TopAxis(), chart.LeftAxis());
        const ChartTypes::TDblPoint grabbedBottom = RealAt(chart, from, chart.BottomAxis(), chart.LeftAxis());
        chart.PaintBoxMouseDown(chart.PaintBox(), mbLeft, {}, from.X, from.Y);
        EXPECT_TRUE(chart.Panning());
        chart.PaintBoxMouseMove(chart.PaintBox(), {}, to.X, to.Y);
        const ChartTypes::TDblPoint now = RealAt(chart, to, chart.TopAxis(), chart.LeftAxis());
        EXPECT_NEAR(now.x / grabbed.x, 1, 1e-9);
        EXPECT_NEAR(now.y / grabbed.y, 1, 1e-9);
        EXPECT_NEAR(RealAt(chart, to, chart.BottomAxis(), chart.LeftAxis()).x, grabbedBottom.x, 1e-9);
        chart.PaintBoxMouseUp(chart.PaintBox(), mbLeft, {}, to.X, to.Y);
        EXPECT_FALSE(chart.Panning());
    }
}
