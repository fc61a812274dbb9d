// The chart's own painting on a recording canvas in chart units: diagram and frame,
// the Q diagram, the lines, markers and legend.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "chart/MVChart.h"
#include "chart/MVChartLine.h"
#include "model/settings/Streamft.h"

#include <algorithm>

namespace {

bool HasLine(const TRecordingCanvas& C, TPoint A, TPoint B)
{
    const auto lines = C.Lines();
    return std::find(lines.begin(), lines.end(), std::make_pair(A, B)) != lines.end();
}

} // namespace

TEST(ChartDraw, DiagramFrameAndAxesInOrder)
{
    TMVChart chart;
    TRecordingCanvas canvas;
    chart.Draw(canvas);
    const auto rects = canvas.OfKind(TRecordedOp::opRectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects[0].Points, (std::vector<TPoint>{{100, 100}, {900, 900}}));
    EXPECT_EQ(rects[0].BrushColor, clWhite);
    const auto frames = canvas.OfKind(TRecordedOp::opPolygon);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].Points, (std::vector<TPoint>{{100, 100}, {900, 100}, {900, 900}, {100, 900}}));
    EXPECT_EQ(frames[1].BrushStyle, bsClear);
    // Top axis ticks above, bottom axis ticks below, left axis ticks to the left.
    EXPECT_TRUE(HasLine(canvas, {100, 85}, {100, 100}));
    EXPECT_TRUE(HasLine(canvas, {900, 915}, {900, 900}));
    EXPECT_TRUE(HasLine(canvas, {85, 900}, {100, 900}));
}

TEST(ChartDraw, QDiagramSplitsWithASeparatorAndItsAxisOnTheRight)
{
    TMVChart chart;
    chart.SetQDiagram(true);
    chart.LeftAxis()->Font()->SetSize(12);
    TRecordingCanvas canvas;
    chart.Draw(canvas);
    const auto lines = canvas.OfKind(TRecordedOp::opLine);
    const auto sep = std::find_if(lines.begin(), lines.end(), [](const TRecordedOp& op) {
        return op.PenWidth == 4 && op.Points[0] == TPoint{100, 660} && op.Points[1] == TPoint{900, 660};
    });
    EXPECT_NE(sep, lines.end());
    // Q axis: right side, inverted, from 660 down to 900; left axis 100..660.
    EXPECT_TRUE(HasLine(canvas, {915, 900}, {900, 900}));
    EXPECT_TRUE(HasLine(canvas, {915, 660}, {900, 660}));
    EXPECT_TRUE(HasLine(canvas, {85, 660}, {100, 660}));
    EXPECT_FALSE(HasLine(canvas, {85, 900}, {100, 900}));
    EXPECT_EQ(chart.QAxis()->Font()->Size(), 12);
}

TEST(ChartDraw, LinesOnALogarithmicAxisAreMappedOnce)
{
    TMVChart chart;
    TMVLine* line = chart.FitLine();
    line->SetVisible(true);
    line->SetWidth(3);
    line->SetColor(clRed);
    chart.TopAxis()->SetMin(0);
    chart.TopAxis()->SetMax(10);
    chart.LeftAxis()->SetMax(1000);
    chart.LeftAxis()->SetLog(true);
    chart.LeftAxis()->SetMin(1);
    line->SetA(0.3);  // y' = 0.3 x: 1 at x = 0, 1000 at x = 10
    line->SetB(0);
    TRecordingCanvas canvas;
    chart.DrawLine(canvas, line);
    const auto lines = canvas.OfKind(TRecordedOp::opLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{100, 100}, {900, 900}}));
    EXPECT_EQ(lines[0].PenWidth, 3);
    EXPECT_EQ(lines[0].PenColor, clRed);
    EXPECT_TRUE(lines[0].Clipped);
    EXPECT_EQ(lines[0].Clip, (TRect{100, 100, 900, 900}));
    EXPECT_EQ(canvas.Pen().Width(), 1);
    EXPECT_FALSE(canvas.Painter().hasClipping());

    TVerticalLine* v = chart.VertLine();
    v->SetVisible(true);
    v->SetXValue(5);
    TRecordingCanvas c2;
    chart.DrawLine(c2, v);
    EXPECT_EQ(c2.Lines().at(0), std::make_pair(TPoint{500, 100}, TPoint{500, 900}));
    v->SetVisible(false);
    TRecordingCanvas c3;
    chart.DrawLine(c3, v);
    chart.DrawLine(c3, nullptr);
    EXPECT_TRUE(c3.Ops.empty());
}

TEST(ChartDraw, StraightAndVerticalLineHelpersRestoreThePen)
{
    TMVChart chart;
    chart.LeftAxis()->SetInvert(true);
    TRecordingCanvas canvas;
    chart.DrawStraightLine(canvas, 0.5, 0, chart.BottomAxis(), chart.LeftAxis(), clBlue, 4);
    chart.DrawVerticalLine(canvas, 2, chart.BottomAxis(), chart.LeftAxis(), clGreen, 2, psDash);
    const auto lines = canvas.OfKind(TRecordedOp::opLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{100, 900}, {900, 500}}));
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{260, 900}, {260, 100}}));
    EXPECT_EQ(canvas.Pen().Style(), psSolid);
    EXPECT_EQ(canvas.Pen().Width(), 1);
}

TEST(ChartDraw, Markers)
{
    struct TCase {
        TMarkerShape Shape;
        int Size;
        TRecordedOp::TKind Kind;
        int Count;
        int PenWidth;
        std::vector<TPoint> First;
    };
    const TCase cases[] = {
        {msCircle, 0, TRecordedOp::opEllipse, 0, 1, {}},
        {msCircle, 5, TRecordedOp::opEllipse, 1, 1, {{95, 95}, {105, 105}}},
        {msRectangle, 5, TRecordedOp::opRectangle, 1, 1, {{95, 95}, {105, 105}}},
        {msTriangle, 5, TRecordedOp::opPolygon, 1, 1, {{100, 95}, {105, 105}, {95, 105}}},
        {msInvertTriangle, 5, TRecordedOp::opPolygon, 1, 1, {{100, 105}, {105, 95}, {95, 95}}},
        {msCross, 8, TRecordedOp::opLine, 2, 3, {{92, 100}, {109, 100}}},
        {msCross, 5, TRecordedOp::opLine, 2, 2, {{95, 100}, {106, 100}}},
        {msDiagCross, 4, TRecordedOp::opLine, 2, 1, {{97, 97}, {104, 104}}},
        {msStar, 6, TRecordedOp::opLine, 4, 2, {{94, 100}, {107, 100}}},
        {msLineOnly, 6, TRecordedOp::opLine, 1, 6, {{80, 100}, {120, 100}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Shape) << " size " << c.Size);
        TRecordingCanvas canvas;
        TMVChart::DrawMarker(canvas, 100, 100, c.Size, clRed, c.Shape);
        if (c.Count == 0) {
            EXPECT_TRUE(canvas.Ops.empty());
            continue;
        }
        const auto ops = canvas.OfKind(c.Kind);
        ASSERT_EQ(static_cast<int>(ops.size()), c.Count);
        EXPECT_EQ(ops[0].Points, c.First);
        EXPECT_EQ(ops[0].PenWidth, c.PenWidth);
        EXPECT_EQ(ops[0].PenColor, c.Shape == msLineOnly ? clRed : clBlack);
        EXPECT_EQ(ops[0].BrushColor, clRed);
    }
}

TEST(ChartDraw, LegendRowsAndColumns)
{
    TMVChart chart;
    const TPointerStyle style(clRed, 5, msRectangle);
    std::vector<TLegendItem> items;
    for (int i = 0; i < 6; ++i) items.push_back({QStringLiteral("Reihe %1").arg(i + 1), &style});

    TRecordingCanvas hidden;
    chart.DrawLegend(hidden, items, true, 2);
    EXPECT_TRUE(hidden.Ops.empty());
    EXPECT_EQ(hidden.Font().Name(), QStringLiteral("Verdana"));

    chart.SetLegendVisible(true);
    TRecordingCanvas bottom;
    chart.DrawLegend(bottom, items, true, 2);
    const auto texts = bottom.OfKind(TRecordedOp::opText);
    ASSERT_EQ(texts.size(), 6u);
    // t = 30: two rows at 1000 - 2 x 40 - 10 = 910 and 950; columns 200 wide.
    EXPECT_EQ(texts[0].Points[0], (TPoint{160, 910}));
    EXPECT_EQ(texts[3].Points[0], (TPoint{760, 910}));
    EXPECT_EQ(texts[4].Points[0], (TPoint{160, 950}));
    EXPECT_EQ(texts[0].BrushStyle, bsClear);
    const auto lines = bottom.OfKind(TRecordedOp::opLine);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{100, 925}, {140, 925}}));
    EXPECT_EQ(lines[0].PenWidth, 2);
    EXPECT_EQ(lines[0].PenColor, clRed);
    EXPECT_EQ(bottom.OfKind(TRecordedOp::opRectangle)[0].Points, (std::vector<TPoint>{{115, 920}, {125, 930}}));

    chart.SetLegendPosition(akRight);
    chart.SetLegendRows(4);
    TRecordingCanvas right;
    chart.DrawLegend(right, items, false, 1);
    const auto rt = right.OfKind(TRecordedOp::opText);
    // Two columns of four beside the diagram, 50 units apart; rows 40 high.
    EXPECT_EQ(rt[0].Points[0], (TPoint{930 + 15, 100}));
    EXPECT_EQ(rt[3].Points[0], (TPoint{930 + 15, 220}));
    EXPECT_EQ(rt[4].Points[0], (TPoint{980 + 15, 100}));
    EXPECT_EQ(right.OfKind(TRecordedOp::opRectangle)[0].Points, (std::vector<TPoint>{{925, 115}, {935, 125}}));

    TRecordingCanvas none;
    chart.DrawLegend(none, {}, true, 1);
    EXPECT_TRUE(none.Ops.empty());
}
