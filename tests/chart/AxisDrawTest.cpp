// Axis drawing on a recording canvas in chart units: ticks, labels, grids, captions,
// logarithmic decades and the ranges an axis must survive.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "TestLocale.h"
#include "chart/MVAxis.h"

#include <cmath>
#include <limits>

namespace {

std::vector<int> TickXs(const TRecordingCanvas& C, int Length)
{
    std::vector<int> xs;
    for (const auto& [a, b] : C.Lines())
        if (a.X == b.X && std::abs(a.Y - b.Y) == Length) xs.push_back(a.X);
    return xs;
}

struct TLinearCase {
    const char* Name;
    double Min, Max;
    int Segments, Length;
    bool German;
    std::vector<int> Offsets;
    std::vector<QString> Labels;
};

} // namespace

TEST(AxisDraw, LinearBottomAxisTicksAndLabels)
{
    const std::vector<TLinearCase> cases = {
        {"0..10 in 5", 0, 10, 5, 1000, false, {0, 200, 400, 600, 800, 1000},
         {QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8"),
          QStringLiteral("10")}},
        {"0..1 in 3, German", 0, 1, 3, 1000, true, {0, 333, 667, 1000},
         {QStringLiteral("0"), QStringLiteral("0,3"), QStringLiteral("0,7"), QStringLiteral("1")}},
        {"half a unit rounds to even", 0, 10, 2, 1005, false, {0, 502, 1005},
         {QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("10")}},
    };
    for (const TLinearCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLocaleScope locale(c.German ? QLocale(QLocale::German) : QLocale(QLocale::C));
        TMVHorzAxis axis;
        axis.SetVisible(true);
        axis.SetShowLabels(true);
        axis.SetLabelPos(lpdown);
        axis.SetMin(c.Min);
        axis.SetMax(c.Max);
        axis.SetSegmentCount(c.Segments);
        TRecordingCanvas canvas;
        axis.Draw(canvas, 100, 900, c.Length, 800, false);
        std::vector<int> expected;
        for (int o : c.Offsets) expected.push_back(100 + o);
        EXPECT_EQ(TickXs(canvas, 15), expected);
        const auto texts = canvas.OfKind(TRecordedOp::opText);
        ASSERT_EQ(texts.size(), c.Labels.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].Text, c.Labels[i]);
            // Centred under the tick, 5 units below its end.
            EXPECT_EQ(texts[i].Points[0].X, expected[i] - 10 * c.Labels[i].size() / 2);
            EXPECT_EQ(texts[i].Points[0].Y, 900 + 15 + 5);
        }
    }
}

TEST(AxisDraw, TopAxisGridAndCaption)
{
    TMVHorzAxis axis;
    axis.SetVisible(true);
    axis.SetShowLabels(true);
    axis.SetMainGrid(true);
    axis.SetCaption(QStringLiteral("Zeit"));
    TRecordingCanvas canvas;
    axis.Draw(canvas, 100, 100, 800, 700, true);
    const auto lines = canvas.Lines();
    // Tick from above onto the axis, then the grid line on down across the diagram.
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::make_pair(TPoint{100, 85}, TPoint{100, 100}));
    EXPECT_EQ(lines[1], std::make_pair(TPoint{100, 100}, TPoint{100, 800}));
    const auto texts = canvas.OfKind(TRecordedOp::opText);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].Points[0].Y, 100 - 15 - 30 - 5);
    EXPECT_EQ(texts.back().Text, QStringLiteral("Zeit"));
    EXPECT_EQ(texts.back().Points[0], (TPoint{100 + 400 - 20, 100 - 2 * 30 - 15 - 5}));
}

TEST(AxisDraw, VerticalAxisPlacesTicksLabelsAndTurnedCaption)
{
    TMVVertAxis axis;
    axis.SetVisible(true);
    axis.SetShowLabels(true);
    axis.SetCaption(QStringLiteral("Leistung [kW]"));
    axis.SetInvert(true);
    TRecordingCanvas canvas;
    axis.Draw(canvas, 100, 100, 800, 800, true);
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 6u);
    // Inverted: the minimum sits at the bottom.
    EXPECT_EQ(lines[0], std::make_pair(TPoint{85, 900}, TPoint{100, 900}));
    EXPECT_EQ(lines[5], std::make_pair(TPoint{85, 100}, TPoint{100, 100}));
    const auto texts = canvas.OfKind(TRecordedOp::opText);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("0"));
    EXPECT_EQ(texts[0].Points[0], (TPoint{100 - 15 - 5 - 10, 900 - 15}));
    // Caption left of the widest label ("10"), reading upward, centred on the axis.
    EXPECT_EQ(texts[6].Text, QStringLiteral("Leistung [kW]"));
    EXPECT_EQ(texts[6].FontOrientation, 900);
    EXPECT_EQ(texts[6].Points[0], (TPoint{100 - 15 - 20 - 30 - 30, 100 + 400 + 65}));
}

TEST(AxisDraw, VerticalAxisWithoutLastTickLabelsOnlyItsFirst)
{
    TMVVertAxis axis;
    axis.SetVisible(true);
    axis.SetShowLabels(true);
    axis.SetLabelsMinMaxOnly(true);
    TRecordingCanvas canvas;
    axis.Draw(canvas, 100, 100, 800, 800, false);
    EXPECT_EQ(TickXs(canvas, 0).size(), 0u);
    EXPECT_EQ(canvas.Lines().size(), 5u);
    EXPECT_EQ(canvas.Texts(), std::vector<QString>{QStringLiteral("0")});
}

TEST(AxisDraw, DepthLabelsComeFromTheEvent)
{
    TMVVertAxis axis;
    axis.SetVisible(true);
    axis.SetShowLabels(true);
    axis.SetSegmentCount(1);
    axis.SetOnGetDepthString([](const QString&, double D) { return QStringLiteral("%1 m").arg(D); });
    TRecordingCanvas canvas;
    axis.Draw(canvas, 100, 100, 800, 800, true);
    EXPECT_EQ(canvas.Texts(), (std::vector<QString>{QStringLiteral("0 m"), QStringLiteral("10 m")}));
}

TEST(AxisDraw, LogarithmicDecadesWithEightMinorTicks)
{
    TMVHorzAxis axis;
    axis.SetVisible(true);
    axis.SetShowLabels(true);
    axis.SetLabelPos(lpdown);
    axis.SetMax(1000);
    axis.SetLog(true);
    axis.SetMin(1);
    axis.SetMinGrid(true);
    TRecordingCanvas canvas;
    axis.Draw(canvas, 0, 900, 900, 800, true);
    EXPECT_EQ(TickXs(canvas, 15), (std::vector<int>{0, 300, 600, 900}));
    EXPECT_EQ(TickXs(canvas, 7).size(), 24u);
    // Minor grid lines in gray, the pen black again afterwards.
    const auto grid = canvas.OfKind(TRecordedOp::opLine);
    int gray = 0;
    for (const auto& op : grid)
        if (op.PenColor == 0x808080) ++gray;
    EXPECT_EQ(gray, 24);
    EXPECT_EQ(canvas.Pen().Color(), clBlack);
    EXPECT_EQ(canvas.Texts(), (std::vector<QString>{QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
                                                    QStringLiteral("1000")}));
}

TEST(AxisDraw, RangesThatCannotBeDrawnReturnAtOnce)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        const char* Name;
        double Min, Max;
    };
    for (const TCase& c : {TCase{"infinite max", 1, inf}, TCase{"NaN min", nan, 100}, TCase{"negative min", -1, 100},
                           TCase{"min above max", 100, 10}}) {
        SCOPED_TRACE(c.Name);
        TMVHorzAxis axis;
        axis.SetVisible(true);
        axis.SetCaption(QStringLiteral("x"));
        axis.SetLog(true);
        axis.SetMin(c.Min);
        axis.SetMax(c.Max);
        TRecordingCanvas canvas;
        axis.Draw(canvas, 0, 900, 900, 800, true);
        EXPECT_TRUE(canvas.Ops.empty());
    }
}

TEST(AxisDraw, EmptyRangeAndLoadedZeroSegmentsDrawWithoutError)
{
    TMVHorzAxis same;
    same.SetVisible(true);
    same.SetShowLabels(true);
    same.SetMin(5);
    same.SetMax(5);
    TRecordingCanvas c1;
    EXPECT_NO_THROW(same.Draw(c1, 0, 900, 900, 800, true));
    EXPECT_EQ(c1.Texts().size(), 6u);

    // A segment count of 0 can only come from a record; the paint keeps the caption.
    TMVHorzAxis zero;
    zero.SetVisible(true);
    zero.SetCaption(QStringLiteral("x"));
    zero.SetSegmentCount(0);
    EXPECT_EQ(zero.SegmentCount(), 5);
    TRecordingCanvas c2;
    zero.Draw(c2, 0, 900, 900, 800, true);
    EXPECT_EQ(c2.Lines().size(), 6u);

    TRecordingCanvas c3;
    TMVHorzAxis hidden;
    hidden.Draw(c3, 0, 900, 900, 800, true);
    EXPECT_TRUE(c3.Ops.empty());
}
