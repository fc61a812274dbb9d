// The chart's stored record byte for byte, its round trip, the older and legacy
// records, and loads that fail without changing the chart.
#include <gtest/gtest.h>

#include "StreamBytes.h"
#include "chart/MVChart.h"
#include "chart/MVPaintBox.h"
#include "model/base/Stream.h"
#include "model/settings/Streamft.h"

namespace {

// Fields 3 to 15 of a new chart's record, after the width.
void AppendLayout(TBytes& B, bool LegacyFont)
{
    B.Bool(false).Int32(1000).Bool(false).Int32(100).Int32(100).Int32(100).Int32(100).Int32(0xFFFFFF);
    B.Bool(false).Int32(4).Int32(10).Byte(3);
    if (LegacyFont)
        B.Short("Verdana").Int32(35).Bool(false).Bool(false).Bool(false).Bool(false).Int32(0);
    else
        B.Font(QStringLiteral("Verdana"), 9, false);
}

void AppendAxes(TBytes& B, bool Legacy)
{
    TAxisBytes top{true, 0, 10, 5, true, false, QString()};
    top.Horizontal = true;
    top.LabelPos = 0;
    TAxisBytes left{true, 0, 10, 5, true, false, QString()};
    TAxisBytes bottom = top;
    bottom.LabelPos = 1;
    top.AppendTo(B, Legacy);
    left.AppendTo(B, Legacy);
    bottom.AppendTo(B, Legacy);
}

} // namespace

TEST(ChartRecord, NewChartBytes)
{
    TMVChart chart;
    TMemoryStream s;
    chart.WriteToStream(s);
    TBytes want;
    want.Int32(-2).Int32(1000);
    AppendLayout(want, false);
    AppendAxes(want, false);
    TAxisBytes{false, 0, 10, 5, true, true, QString()}.AppendTo(want);
    want.Bool(false).Double(0.7);
    EXPECT_EQ(s.Data().left(4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(s.Data(), want.Data());
}

TEST(ChartRecord, RoundTrip)
{
    TMVChart chart;
    chart.SetChartWidth(1600);
    chart.SetChartHeightAuto(true);
    chart.SetMarginLeft(150);
    chart.SetChartColor(0xF0F0F0);
    chart.SetLegendVisible(true);
    chart.SetLegendCols(2);
    chart.SetLegendPosition(akRight);
    chart.LegendFont()->SetBold(true);
    chart.BottomAxis()->SetCaption(QStringLiteral("Soleeintrittstemperatur [°C]"));
    chart.LeftAxis()->SetInvert(true);
    chart.QAxis()->SetCaption(QStringLiteral("Leistungszahl"));
    chart.SetQDiagram(true);
    chart.SetSplitRatio(0.6);
    chart.SetZoom(150);  // not stored
    TMemoryStream s;
    chart.WriteToStream(s);

    TMVChart copy;
    TMemoryStream in(s.Data());
    copy.LoadFromStream(in);
    EXPECT_EQ(in.Remaining(), 0);
    TMemoryStream again;
    copy.WriteToStream(again);
    EXPECT_EQ(again.Data(), s.Data());
    EXPECT_EQ(copy.ChartWidth(), 1600);
    EXPECT_EQ(copy.LegendPosition(), akRight);
    EXPECT_EQ(copy.SplitRatio(), 0.6);
    EXPECT_TRUE(copy.QAxis()->Visible());
    EXPECT_EQ(copy.Zoom(), 100);
    // The axes are the same objects as before: lines and owners keep them.
    EXPECT_EQ(copy.BottomAxis()->Caption(), QStringLiteral("Soleeintrittstemperatur [°C]"));
}

TEST(ChartRecord, OlderRecordWithoutMarkerLeavesTheQDiagram)
{
    TBytes b;
    b.Int32(1000);
    AppendLayout(b, false);
    AppendAxes(b, false);
    TMVChart chart;
    chart.SetChartWidth(700);
    chart.QAxis()->SetCaption(QStringLiteral("bleibt"));
    chart.SetQDiagram(true);
    chart.SetSplitRatio(0.4);
    TMemoryStream s(b.Data());
    chart.LoadFromStream(s);
    EXPECT_EQ(s.Remaining(), 0);
    EXPECT_EQ(chart.ChartWidth(), 1000);
    EXPECT_EQ(chart.QAxis()->Caption(), QStringLiteral("bleibt"));
    EXPECT_EQ(chart.SplitRatio(), 0.4);
}

TEST(ChartRecord, LegacyRecordWithOlderFontsAndAxes)
{
    TBytes b;
    b.Int32(-2).Int32(1200);
    AppendLayout(b, true);
    AppendAxes(b, true);
    TAxisBytes q{true, 1, 5, 4, true, true, QStringLiteral("COP")};
    q.AppendTo(b, true);
    b.Bool(true).Double(0.5);
    TMVChart chart;
    TMemoryStream s(b.Data());
    chart.LoadLegacy(s);
    EXPECT_EQ(s.Remaining(), 0);
    EXPECT_EQ(chart.ChartWidth(), 1200);
    EXPECT_EQ(chart.LegendFont()->Size(), 9);  // 35 x 0.254
    EXPECT_EQ(chart.QAxis()->Caption(), QStringLiteral("COP"));
    EXPECT_TRUE(chart.QDiagram());
    EXPECT_EQ(chart.SplitRatio(), 0.5);
}

TEST(ChartRecord, FailedLoadsChangeNothing)
{
    TMVChart source;
    source.SetChartWidth(1500);
    source.BottomAxis()->SetMin(-10);
    TMemoryStream s;
    source.WriteToStream(s);

    TMVChart chart;
    TMemoryStream cut(s.Data().left(s.Data().size() - 4));
    EXPECT_THROW(chart.LoadFromStream(cut), EReadError);
    EXPECT_EQ(chart.ChartWidth(), 1000);
    EXPECT_EQ(chart.BottomAxis()->Min(), 0);

    // A legend count of 0 would divide by zero when drawn.
    QByteArray bad = s.Data();
    const int colsAt = 4 + 4 + 1 + 4 + 1 + 16 + 4 + 1;
    bad.replace(colsAt, 4, QByteArray(4, '\0'));
    TMemoryStream zero(bad);
    EXPECT_THROW(chart.LoadFromStream(zero), EReadError);
    EXPECT_EQ(chart.ChartWidth(), 1000);

    // A segment count of 0 in a record is kept, and the chart still paints.
    TBytes b;
    b.Int32(1000);
    AppendLayout(b, false);
    TAxisBytes top{true, 0, 10, 0, true, false, QString()};
    top.Horizontal = true;
    top.AppendTo(b);
    TAxisBytes{true, 0, 10, 5, true, false, QString()}.AppendTo(b);
    TAxisBytes bottom{true, 0, 10, 5, true, false, QString()};
    bottom.Horizontal = true;
    bottom.LabelPos = 1;
    bottom.AppendTo(b);
    TMemoryStream zs(b.Data());
    chart.LoadFromStream(zs);
    EXPECT_EQ(chart.TopAxis()->SegmentCount(), 0);
    QImage image(400, 400, QImage::Format_ARGB32);
    EXPECT_NO_THROW(chart.PaintBox()->render(&image));
}
