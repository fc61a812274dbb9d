// Axis properties, the step and range helpers, and the axis's stored record.
#include <gtest/gtest.h>

#include "StreamBytes.h"
#include "chart/MVAxis.h"
#include "model/base/Stream.h"
#include "model/settings/Streamft.h"

#include <cmath>

TEST(AxisProperties, LogSetterRepairsRangesALogarithmCannotShow)
{
    struct TCase {
        double Min, Max, WantMin, WantMax;
    };
    for (const TCase& c : {TCase{-5, 20, 0.2, 20}, TCase{0, 0, 0.01, 0.1}, TCase{3, -1, 0.01, 0.1},
                           TCase{1, 1000, 1, 1000}, TCase{5, 2, 5, 50}, TCase{NAN, 10, 0.1, 10}}) {
        SCOPED_TRACE(testing::Message() << c.Min << ".." << c.Max);
        TMVHorzAxis axis;
        axis.SetMin(c.Min);
        axis.SetMax(c.Max);
        axis.SetLog(true);
        EXPECT_DOUBLE_EQ(axis.Min(), c.WantMin);
        EXPECT_DOUBLE_EQ(axis.Max(), c.WantMax);
        axis.SetLog(false);
        EXPECT_DOUBLE_EQ(axis.Min(), c.WantMin);
    }
}

TEST(AxisProperties, DefaultsAndSegmentCountRule)
{
    TMVVertAxis axis;
    EXPECT_FALSE(axis.Visible());
    EXPECT_EQ(axis.Max(), 10);
    EXPECT_EQ(axis.TickLen(), 15);
    EXPECT_EQ(axis.LabelFormat(), QStringLiteral("0.#"));
    EXPECT_TRUE(axis.Leftside());
    EXPECT_EQ(axis.Font()->Size(), 8);
    EXPECT_TRUE(axis.CaptionFont()->Bold());
    axis.SetSegmentCount(0);
    axis.SetSegmentCount(-3);
    EXPECT_EQ(axis.SegmentCount(), 5);
    axis.SetSegmentCount(7);
    EXPECT_EQ(axis.SegmentCount(), 7);
}

TEST(AxisProperties, AxisStepAndItsErrors)
{
    EXPECT_DOUBLE_EQ(AxisStep(0, 10, 4), 2.5);
    EXPECT_DOUBLE_EQ(AxisStep(0, 10, -2), -5);
    try {
        AxisStep(0, 10, 0);
        FAIL();
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Number of steps must be greater then 0!"));
    }
    EXPECT_THROW(AxisStep(3, 3, 0), EInvalidOp);
}

TEST(AxisProperties, RangeValuesLinearAndLogarithmic)
{
    TMVHorzAxis axis;
    Eigen::VectorXd v;
    axis.RangeValues(&v, 100, 25);
    ASSERT_EQ(v.size(), 5);
    EXPECT_DOUBLE_EQ(v[4], 10);
    EXPECT_DOUBLE_EQ(v[1], 2.5);
    axis.SetMin(1);
    axis.SetMax(1000);
    axis.SetLog(true);
    axis.RangeValues(&v, 90, 30);
    ASSERT_EQ(v.size(), 4);
    EXPECT_NEAR(v[1], 10, 1e-9);
    EXPECT_NEAR(v[3], 1000, 1e-9);
    Eigen::VectorXd untouched(2);
    axis.RangeValues(&untouched, 0, 10);
    axis.RangeValues(nullptr, 100, 10);
    EXPECT_EQ(untouched.size(), 2);
    TMVHorzAxis linear;
    EXPECT_THROW(linear.RangeValues(&v, 5, 10), EZeroDivide);
}

TEST(AxisRecord, HorizontalAxisWritesNineteenFieldsVerticalEighteen)
{
    TMVHorzAxis h;
    h.SetVisible(true);
    h.SetMin(-10);
    h.SetMax(30);
    h.SetSegmentCount(8);
    h.SetCaption(QStringLiteral("Soleeintrittstemperatur [°C]"));
    h.SetLabelPos(lpdown);
    TMemoryStream s;
    h.WriteToStream(s);
    TBytes want;
    TAxisBytes{true, -10, 30, 8, false, false, QStringLiteral("Soleeintrittstemperatur [°C]"), true, 1}.AppendTo(want);
    EXPECT_EQ(s.Data(), want.Data());

    TMVVertAxis v;
    v.SetInvert(true);
    TMemoryStream sv;
    v.WriteToStream(sv);
    TBytes wantV;
    TAxisBytes{false, 0, 10, 5, false, true, QString()}.AppendTo(wantV);
    EXPECT_EQ(sv.Data(), wantV.Data());
}

TEST(AxisRecord, LoadStoresFieldsStraightAndKeepsWhatIsNotStored)
{
    TBytes b;
    // Segment count 0 and a log flag over a range the setter would repair: both kept.
    TAxisBytes rec{true, -5, 20, 0, true, true, QStringLiteral("Tiefe")};
    rec.AppendTo(b);
    TMVVertAxis axis;
    axis.SetLeftside(false);
    bool called = false;
    axis.SetOnGetDepthString([&](const QString&, double) {
        called = true;
        return QString();
    });
    TMemoryStream s(b.Data());
    axis.LoadFromStream(s);
    EXPECT_EQ(axis.SegmentCount(), 0);
    EXPECT_EQ(axis.Min(), -5);
    EXPECT_EQ(axis.Caption(), QStringLiteral("Tiefe"));
    EXPECT_TRUE(axis.Invert());
    EXPECT_FALSE(axis.Leftside());
    ASSERT_TRUE(axis.OnGetDepthString());
    axis.OnGetDepthString()(QString(), 0);
    EXPECT_TRUE(called);
}

TEST(AxisRecord, LegacyRecordAndACutRecordChangingNothing)
{
    TBytes b;
    TAxisBytes{true, 1, 2, 4, true, false, QStringLiteral("Alt"), true, 0}.AppendTo(b, true);
    TMVHorzAxis axis;
    axis.SetLabelPos(lpdown);
    TMemoryStream s(b.Data());
    axis.LoadLegacy(s);
    EXPECT_EQ(axis.Caption(), QStringLiteral("Alt"));
    EXPECT_EQ(axis.SegmentCount(), 4);
    EXPECT_EQ(axis.LabelPos(), lpUp);
    EXPECT_EQ(axis.Font()->Size(), 8);  // 31 x 0.254
    EXPECT_EQ(axis.CaptionFont()->Size(), 10);

    TBytes full;
    TAxisBytes{true, 7, 9, 3, true, false, QStringLiteral("Neu"), true, 1}.AppendTo(full);
    TMVHorzAxis kept;
    TMemoryStream cut(full.Data().left(full.Data().size() - 3));
    EXPECT_THROW(kept.LoadFromStream(cut), EReadError);
    EXPECT_EQ(kept.Min(), 0);
    EXPECT_FALSE(kept.Visible());
    EXPECT_TRUE(kept.Caption().isEmpty());
}
