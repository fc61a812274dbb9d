// Arrowheads and the vector helpers behind the line hit test.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "chart/ArrowUtil.h"
#include "chart/VectorUnit.h"

TEST(ArrowHead, PointsAlongTheSegmentFromItsMiddle)
{
    struct TCase {
        TPoint P1, P2;
        std::vector<TPoint> Want;
    };
    const TCase cases[] = {
        {{0, 0}, {100, 0}, {{70, 0}, {30, -10}, {30, 10}}},
        {{0, 0}, {0, 100}, {{0, 70}, {10, 30}, {-10, 30}}},
        {{100, 0}, {0, 0}, {{30, 0}, {70, 10}, {70, -10}}},
        {{0, 0}, {0, 0}, {}},
    };
    for (const TCase& c : cases) {
        TRecordingCanvas canvas;
        canvas.Brush().SetColor(clRed);
        DrawArrowHead(canvas, c.P1, c.P2, 20);
        const auto polys = canvas.OfKind(TRecordedOp::opPolygon);
        if (c.Want.empty()) {
            EXPECT_TRUE(polys.empty());
            continue;
        }
        ASSERT_EQ(polys.size(), 1u);
        EXPECT_EQ(polys[0].Points, c.Want);
        EXPECT_EQ(polys[0].PenColor, clBlack);
        EXPECT_EQ(polys[0].PenWidth, 1);
        EXPECT_EQ(polys[0].BrushColor, clRed);
    }
}

TEST(ArrowHead, RotationTurnsClockwiseOnTheScreen)
{
    TPointRows p(1, 2);
    p << 10, 0;
    RotatePointsAbout(p, std::acos(-1.0) / 2, 0, 0);
    EXPECT_NEAR(p(0, 0), 0, 1e-12);
    EXPECT_NEAR(p(0, 1), 10, 1e-12);
}

TEST(VectorHelpers, PointNearSegment)
{
    struct TCase {
        TPoint M;
        bool Near;
    };
    for (const TCase& c : {TCase{{50, 6}, true}, TCase{{50, -7}, true}, TCase{{50, 7}, false},
                           TCase{{107, 0}, false}, TCase{{-7, 0}, true}, TCase{{50, 100}, false}}) {
        SCOPED_TRACE(testing::Message() << c.M.X << "," << c.M.Y);
        EXPECT_EQ(PointNearSegment({0, 0}, {100, 0}, c.M, 15), c.Near);
    }
    EXPECT_FALSE(PointNearSegment({5, 5}, {5, 5}, {5, 5}, 15));
    // A diagonal: distance counts, not the box alone.
    EXPECT_TRUE(PointNearSegment({0, 0}, {100, 100}, {52, 48}, 15));
    EXPECT_FALSE(PointNearSegment({0, 0}, {100, 100}, {60, 40}, 15));
}

TEST(VectorHelpers, ProjectionAndRectangles)
{
    const TProjection p = ProjectVector(TVector2{3, 4}, TVector2{10, 0});
    EXPECT_EQ(p.Along, (TVector2{3, 0}));
    EXPECT_EQ(p.Across, (TVector2{0, 4}));
    EXPECT_DOUBLE_EQ(p.AcrossLength, 4);
    EXPECT_DOUBLE_EQ(DistanceToLine({0, 0}, {0, 10}, {7, 3}), 7);
    TRect r{10, 20, 0, 5};
    NormalizeRect(r);
    EXPECT_EQ(r, (TRect{0, 5, 10, 20}));
}
