#include "gfx/PolygonGeometry.h"

#include "RecordingSink.h"

#include <gtest/gtest.h>

namespace {

TPolygonGeometry Square(double x0, double y0, double side) {
  return TPolygonGeometry({{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}});
}

TEST(TPolygonGeometry, OverlappingSquaresGiveTheOverlapSquareWithItsFourCorners) {
  TRecordingSink sink;
  Square(0, 0, 10).CombineWithGeometry(Square(5, 5, 10), TCombineMode::Intersect, sink);
  ASSERT_EQ(sink.Figures.size(), 1u);
  const TRecordingSink::TFigure& f = sink.Figures[0];
  EXPECT_TRUE(f.Filled);
  EXPECT_TRUE(f.Ended);
  EXPECT_TRUE(f.Closed);
  EXPECT_EQ(f.AddLinesCalls, 1);
  const std::vector<TPointD> v = f.Vertices();
  ASSERT_EQ(v.size(), 4u);  // the start point is not repeated at the end
  for (TPointD corner : {TPointD{5, 5}, TPointD{10, 5}, TPointD{10, 10}, TPointD{5, 10}})
    EXPECT_TRUE(HasVertex(v, corner, 1e-12)) << corner.x << ", " << corner.y;
  EXPECT_FALSE(sink.Closed);

  TPolygonGeometry overlap(v);
  EXPECT_NEAR(overlap.ComputeArea(), 25, 1e-12);
}

TEST(TPolygonGeometry, DisjointOrTouchingOutlinesGiveNoFigure) {
  TRecordingSink apart, touching;
  Square(0, 0, 10).CombineWithGeometry(Square(20, 0, 10), TCombineMode::Intersect, apart);
  Square(0, 0, 10).CombineWithGeometry(Square(10, 0, 10), TCombineMode::Intersect, touching);
  EXPECT_TRUE(apart.Figures.empty());
  EXPECT_TRUE(touching.Figures.empty());
  EXPECT_EQ(Square(0, 0, 10).CompareWithGeometry(Square(20, 0, 10)), TGeometryRelation::Disjoint);
}

// A cell and a mesh triangle in georeferenced coordinates: the intersection must keep
// far better than centimetres although the coordinates are in the millions.
TEST(TPolygonGeometry, GeoreferencedIntersectionKeepsItsPrecision) {
  const double ox = 3500000.123, oy = 5600000.456;
  const TPolygonGeometry cell = Square(ox, oy, 10);
  const TPolygonGeometry triangle({{ox + 3, oy - 5}, {ox + 8, oy + 12}, {ox - 2, oy + 7}});
  TRecordingSink sink;
  cell.CombineWithGeometry(triangle, TCombineMode::Intersect, sink);
  ASSERT_EQ(sink.Figures.size(), 1u);
  const std::vector<TPointD> v = sink.Figures[0].Vertices();
  // Where the triangle's edges cross the cell's, worked out by hand in local metres.
  const TPointD expected[] = {{3 + 5.0 * 5 / 17, 0},  {3 + 5.0 * 15 / 17, 10}, {4, 10},
                              {0, 8},                 {0, 7 - 2 * 12.0 / 5},   {3 - 5 * 5.0 / 12, 0}};
  ASSERT_EQ(v.size(), std::size(expected));
  for (TPointD e : expected) EXPECT_TRUE(HasVertex(v, TPointD{ox + e.x, oy + e.y}, 1e-6)) << e.x << ", " << e.y;

  TPolygonGeometry local({{3 + 5.0 * 5 / 17, 0}, {3 + 5.0 * 15 / 17, 10}, {4, 10}, {0, 8}, {0, 2.2}, {3 - 25.0 / 12, 0}});
  EXPECT_NEAR(TPolygonGeometry(v).ComputeArea(), local.ComputeArea(), 1e-6);
}

TEST(TPolygonGeometry, OtherModesAndAreas) {
  TRecordingSink unite, hole, xorSink;
  Square(0, 0, 10).CombineWithGeometry(Square(5, 0, 10), TCombineMode::Union, unite);
  ASSERT_EQ(unite.Figures.size(), 1u);
  EXPECT_EQ(unite.Figures[0].Vertices().size(), 4u);  // a 15 x 10 rectangle, no stray vertices
  EXPECT_NEAR(TPolygonGeometry(unite.Figures[0].Vertices()).ComputeArea(), 150, 1e-9);

  Square(0, 0, 10).CombineWithGeometry(Square(2, 2, 2), TCombineMode::Exclude, hole);
  EXPECT_EQ(hole.Figures.size(), 2u);  // outline and hole

  Square(0, 0, 10).CombineWithGeometry(Square(5, 5, 10), TCombineMode::Xor, xorSink);
  double area = 0;
  for (const auto& f : xorSink.Figures) area += TPolygonGeometry(f.Vertices()).ComputeArea();
  EXPECT_NEAR(area, 150, 1e-9);
}

TEST(TPolygonGeometry, AreaAndContainment) {
  const TPolygonGeometry clockwise({{0, 0}, {0, 4}, {3, 4}, {3, 0}});
  EXPECT_NEAR(clockwise.ComputeArea(), 12, 1e-12);
  const TPolygonGeometry bowTie({{0, 0}, {2, 2}, {2, 0}, {0, 2}});  // crosses itself: two triangles
  EXPECT_NEAR(bowTie.ComputeArea(), 2, 1e-12);
  EXPECT_DOUBLE_EQ(TPolygonGeometry().ComputeArea(), 0);

  const TPolygonGeometry far = Square(3500000, 5600000, 1);
  EXPECT_TRUE(far.FillContainsPoint({3500000.5, 5600000.5}));
  EXPECT_FALSE(far.FillContainsPoint({3500001.01, 5600000.5}));
  EXPECT_FALSE(TPolygonGeometry().FillContainsPoint({0, 0}));
}

TEST(TPolygonGeometry, CompareTellsContainment) {
  EXPECT_EQ(Square(2, 2, 1).CompareWithGeometry(Square(0, 0, 10)), TGeometryRelation::IsContained);
  EXPECT_EQ(Square(0, 0, 10).CompareWithGeometry(Square(2, 2, 1)), TGeometryRelation::Contains);
  EXPECT_EQ(Square(0, 0, 10).CompareWithGeometry(Square(5, 5, 10)), TGeometryRelation::Overlap);
}

}  // namespace
