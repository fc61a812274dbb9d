#include "gfx/PolygonGeometry.h"
#include "model/geom/MVSpecialSink.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double ShoelaceArea(const std::vector<TPointD>& P)
{
    double a = 0;
    for (size_t i = 0; i < P.size(); ++i) {
        const TPointD& p = P[i];
        const TPointD& q = P[(i + 1) % P.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::abs(a) / 2;
}

}  // namespace

TEST(SpecializedSink, KeepsEveryFigureWithItsStartPoint)
{
    TSpecializedSink sink;
    EXPECT_TRUE(sink.ThePoints().empty());
    EXPECT_TRUE(sink.Figures().empty());

    const TPointD first[] = {{1, 0}, {1, 1}};
    const TPointD second[] = {{6, 5}, {6, 6}, {5, 6}};
    sink.SetFillMode(0);
    sink.BeginFigure({0, 0}, true);
    sink.AddLines(first, 2);
    sink.EndFigure(true);
    sink.BeginFigure({5, 5}, true);
    sink.AddLines(second, 1);
    sink.AddLines(second + 1, 2);  // a figure may arrive in several batches
    sink.EndFigure(true);
    EXPECT_TRUE(sink.Close());

    ASSERT_EQ(sink.Figures().size(), 2u);
    ASSERT_EQ(sink.Figures()[0].size(), 3u);
    ASSERT_EQ(sink.Figures()[1].size(), 4u);
    EXPECT_EQ(sink.Figures()[1][0].x, 5);
    EXPECT_EQ(sink.Figures()[1][3].y, 6);
    const std::vector<double> xs{0, 1, 1, 5, 6, 6, 5};
    ASSERT_EQ(sink.ThePoints().size(), xs.size());
    for (size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(sink.ThePoints()[i].x, xs[i]) << i;
}

TEST(SpecializedSink, CurvesGiveTheirEndPointsAndStrayLinesAFigure)
{
    TSpecializedSink sink;
    const TPointD lines[] = {{1, 2}};
    sink.AddLines(lines, 1);  // no BeginFigure before
    const TPointD curves[] = {{0, 0}, {0, 0}, {3, 4}, {0, 0}, {0, 0}, {7, 8}};
    sink.AddBeziers(curves, 6);
    ASSERT_EQ(sink.Figures().size(), 1u);
    ASSERT_EQ(sink.ThePoints().size(), 3u);
    EXPECT_EQ(sink.ThePoints()[1].x, 3);
    EXPECT_EQ(sink.ThePoints()[2].y, 8);
    sink.Clear();
    EXPECT_TRUE(sink.ThePoints().empty());
    EXPECT_TRUE(sink.Figures().empty());
}

// The groundwater overlap of a cell with a triangle, at georeferenced
// coordinates: every vertex of the outline arrives, the first one included.
TEST(SpecializedSink, CollectsTheWholeOutlineOfAnIntersection)
{
    const double X0 = 3500000, Y0 = 5800000;
    const TPolygonGeometry square(std::vector<TPointD>{{X0, Y0}, {X0 + 10, Y0}, {X0 + 10, Y0 + 10}, {X0, Y0 + 10}});
    const TPolygonGeometry triangle(std::vector<TPointD>{{X0 - 5, Y0 + 5}, {X0 + 5, Y0 - 5}, {X0 + 5, Y0 + 15}});
    TSpecializedSink sink;
    square.CombineWithGeometry(triangle, TCombineMode::Intersect, sink);
    ASSERT_EQ(sink.Figures().size(), 1u);
    // Inside the square the triangle leaves the strip x <= X0 + 5: four corners.
    EXPECT_EQ(sink.ThePoints().size(), 4u);
    EXPECT_EQ(sink.Figures()[0].size(), 4u);
    EXPECT_NEAR(ShoelaceArea(sink.ThePoints()), 50.0, 1e-3);
    for (const TPointD& p : sink.ThePoints()) {
        EXPECT_GE(p.x, X0 - 1e-3);
        EXPECT_LE(p.x, X0 + 5 + 1e-3);
    }
}

TEST(SpecializedSink, DisjointGeometriesGiveNoPoints)
{
    const TPolygonGeometry a(std::vector<TPointD>{{0, 0}, {1, 0}, {0, 1}});
    const TPolygonGeometry b(std::vector<TPointD>{{5, 5}, {6, 5}, {5, 6}});
    TSpecializedSink sink;
    a.CombineWithGeometry(b, TCombineMode::Intersect, sink);
    EXPECT_TRUE(sink.ThePoints().empty());
    EXPECT_TRUE(sink.Close());
}
