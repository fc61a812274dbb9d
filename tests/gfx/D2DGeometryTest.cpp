#include "gfx/D2DGeometry.h"
#include "gfx/D2DResources.h"
#include "gfx/GfxError.h"

#include "RecordingSink.h"

#include <gtest/gtest.h>

namespace {

TD2PathGeometryPtr Polygon(std::initializer_list<D2D_POINT_2F> points, bool closed = true, bool filled = true) {
  auto path = TD2PathGeometry::Create();
  TD2GeometrySink& sink = path->Open();
  sink.BeginFigure(*points.begin(), filled);
  for (auto it = points.begin() + 1; it != points.end(); ++it) sink.AddLine(*it);
  sink.EndFigure(closed);
  EXPECT_TRUE(sink.Close());
  return path;
}

TEST(D2DPathGeometry, FillContainsPointInsideATriangleOnly) {
  const auto triangle = Polygon({{0, 0}, {10, 0}, {0, 10}});
  EXPECT_TRUE(triangle->FillContainsPoint({2, 2}));
  EXPECT_FALSE(triangle->FillContainsPoint({8, 8}));
  EXPECT_FALSE(triangle->FillContainsPoint({-1, 2}));
  EXPECT_EQ(triangle->GetFigureCount(), 1u);
  EXPECT_EQ(triangle->GetSegmentCount(), 2u);
}

TEST(D2DPathGeometry, FillContainsPointUnderAWorldTransform) {
  const auto square = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const auto shift = D2D_MATRIX_3X2_F::Translation(100, 0) * D2D_MATRIX_3X2_F::Scale(2, 2);
  EXPECT_TRUE(square->FillContainsPoint({205, 5}, shift));   // (2.5, 2.5) before the transform
  EXPECT_FALSE(square->FillContainsPoint({5, 5}, shift));
  EXPECT_FALSE(square->FillContainsPoint({5, 5}, D2D_MATRIX_3X2_F::Scale(0, 0)));  // not invertible
}

TEST(D2DPathGeometry, StrokeContainsPointNearTheLineOnly) {
  const auto line = Polygon({{0, 0}, {100, 0}}, false, false);
  EXPECT_TRUE(line->StrokeContainsPoint({50, 1.5f}, 4));
  EXPECT_FALSE(line->StrokeContainsPoint({50, 2.5f}, 4));
  EXPECT_FALSE(line->StrokeContainsPoint({101, 0}, 4));  // flat caps end at the point
  const auto round = CreateStrokeStyle(TD2StrokeStyleProperties{TD2CapStyle::Round, TD2CapStyle::Round});
  EXPECT_TRUE(line->StrokeContainsPoint({101, 0}, 4, round.get()));
  // The stroke is widened before the transform: twice the scale, twice the width.
  EXPECT_TRUE(line->StrokeContainsPoint({100, 3.5f}, 4, nullptr, D2D_MATRIX_3X2_F::Scale(2, 2)));
}

TEST(D2DPathGeometry, HollowFiguresDoNotFillButOpenFilledOnesDo) {
  const auto hollow = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, false);
  EXPECT_FALSE(hollow->FillContainsPoint({5, 5}));
  EXPECT_TRUE(hollow->StrokeContainsPoint({5, 0}, 1));
  const auto open = Polygon({{0, 0}, {10, 0}, {10, 10}}, false, true);
  EXPECT_TRUE(open->FillContainsPoint({8, 2}));
  EXPECT_FALSE(open->StrokeContainsPoint({5, 5}, 1));  // the closing edge is not stroked
}

TEST(D2DPathGeometry, BoundsFollowTheTransformAndAreEmptyWithoutFigures) {
  const auto square = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const auto m = D2D_MATRIX_3X2_F::Translation(5, 7);
  EXPECT_EQ(square->GetBounds(&m), D2D1RectF(5, 7, 15, 17));
  auto empty = TD2PathGeometry::Create();
  empty->Open().Close();
  const D2D_RECT_F b = empty->GetBounds();
  EXPECT_GT(b.left, b.right);
}

TEST(D2DPathGeometry, OpeningTwiceThrowsAndMisuseFailsClose) {
  auto path = TD2PathGeometry::Create();
  TD2GeometrySink& sink = path->Open();
  EXPECT_THROW(path->Open(), EGfxError);
  sink.AddLine({1, 1});  // no figure begun
  EXPECT_FALSE(sink.Close());
  EXPECT_EQ(path->GetFigureCount(), 0u);

  auto unfinished = TD2PathGeometry::Create();
  TD2GeometrySink& s2 = unfinished->Open();
  s2.BeginFigure(D2D_POINT_2F{0, 0}, true);
  s2.AddLine({1, 0});
  EXPECT_FALSE(s2.Close());  // figure never ended
}

TEST(D2DEllipseGeometry, NodeCircleContainsPointsWithinItsRadius) {
  const auto node = TD2EllipseGeometry::Create(D2D1Ellipse({10, 20}, 4, 4));
  EXPECT_TRUE(node->FillContainsPoint({13, 20}));
  EXPECT_FALSE(node->FillContainsPoint({15, 20}));
  EXPECT_NEAR(node->ComputeArea(), 3.14159265 * 16, 0.05);
}

TEST(D2DRectangleGeometry, ReversedCornersStillMakeTheRectangle) {
  const auto cell = TD2RectangleGeometry::Create(D2D1RectF(0, 10, 20, 0));
  EXPECT_TRUE(cell->FillContainsPoint({5, 5}));
  EXPECT_NEAR(cell->ComputeArea(), 200, 1e-9);
  EXPECT_EQ(cell->GetBounds(), D2D1RectF(0, 0, 20, 10));
}

TEST(D2DRoundedRectangleGeometry, CornersAreCutOff) {
  const auto r = TD2RoundedRectangleGeometry::Create(D2D1RoundedRect(D2D1RectF(0, 0, 20, 20), 5, 5));
  EXPECT_TRUE(r->FillContainsPoint({10, 1}));
  EXPECT_FALSE(r->FillContainsPoint({0.5f, 0.5f}));
}

TEST(D2DTransformedGeometry, MovesItsSourceAndKeepsIt) {
  const auto square = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const auto moved = TD2TransformedGeometry::Create(square, D2D_MATRIX_3X2_F::Translation(50, 0));
  EXPECT_TRUE(moved->FillContainsPoint({55, 5}));
  EXPECT_FALSE(moved->FillContainsPoint({5, 5}));
  EXPECT_EQ(moved->GetSourceGeometry(), square);
}

struct TRelationCase {
  const char* name;
  D2D_RECT_F instance;
  D2D_RECT_F input;
  TGeometryRelation expected;
};

TEST(D2DGeometry, CompareWithGeometryTellsTheRelation) {
  const TRelationCase cases[] = {
      {"apart", D2D1RectF(0, 0, 10, 10), D2D1RectF(20, 20, 30, 30), TGeometryRelation::Disjoint},
      {"touching", D2D1RectF(0, 0, 10, 10), D2D1RectF(10, 0, 20, 10), TGeometryRelation::Disjoint},
      {"inside", D2D1RectF(2, 2, 4, 4), D2D1RectF(0, 0, 10, 10), TGeometryRelation::IsContained},
      {"around", D2D1RectF(0, 0, 10, 10), D2D1RectF(2, 2, 4, 4), TGeometryRelation::Contains},
      {"crossing", D2D1RectF(0, 0, 10, 10), D2D1RectF(5, 5, 15, 15), TGeometryRelation::Overlap},
  };
  for (const TRelationCase& c : cases) {
    const auto a = TD2RectangleGeometry::Create(c.instance);
    const auto b = TD2RectangleGeometry::Create(c.input);
    EXPECT_EQ(a->CompareWithGeometry(*b), c.expected) << c.name;
  }
  // The input is placed by its transform before comparing.
  const auto a = TD2RectangleGeometry::Create(D2D1RectF(0, 0, 10, 10));
  EXPECT_EQ(a->CompareWithGeometry(*a, D2D_MATRIX_3X2_F::Translation(100, 0)), TGeometryRelation::Disjoint);
}

TEST(D2DGeometry, CombineWritesIntoAPathWhoseAreaAndOutlineCanBeRead) {
  const auto cell = TD2RectangleGeometry::Create(D2D1RectF(0, 0, 10, 10));
  const auto triangle = Polygon({{5, 5}, {15, 5}, {5, 15}});
  auto result = TD2PathGeometry::Create();
  TD2GeometrySink& sink = result->Open();
  cell->CombineWithGeometry(*triangle, TCombineMode::Intersect, {}, 0.01f, sink);
  ASSERT_TRUE(sink.Close());
  // Within the cell the triangle's long side only touches the corner (10, 10), so the
  // overlap is the square (5, 5)-(10, 10).
  EXPECT_NEAR(result->ComputeArea(), 25, 1e-9);
  TRecordingSink outline;
  const auto m = D2D_MATRIX_3X2_F::Translation(1000, 0);
  result->Simplify(TGeometrySimplification::Lines, &m, 0.001f, outline);
  ASSERT_EQ(outline.Figures.size(), 1u);
  EXPECT_EQ(outline.Figures[0].AddLinesCalls, 1);
  const std::vector<TPointD> vertices = outline.Figures[0].Vertices();
  EXPECT_EQ(vertices.size(), 4u);
  for (TPointD corner : {TPointD{1005, 5}, TPointD{1010, 5}, TPointD{1010, 10}, TPointD{1005, 10}})
    EXPECT_TRUE(HasVertex(vertices, corner, 1e-4)) << corner.x << ", " << corner.y;
}

TEST(D2DGeometry, SimplifyKeepsCurvesOrFlattensThem) {
  const auto circle = TD2EllipseGeometry::Create(D2D1Ellipse({0, 0}, 10, 10));
  TRecordingSink curves, lines;
  circle->Simplify(TGeometrySimplification::CubicsAndLines, nullptr, 0.25f, curves);
  circle->Simplify(TGeometrySimplification::Lines, nullptr, 0.25f, lines);
  ASSERT_EQ(curves.Figures.size(), 1u);
  EXPECT_EQ(curves.Figures[0].Beziers.size(), 12u);  // four quarter arcs
  EXPECT_TRUE(curves.Figures[0].Closed);
  ASSERT_EQ(lines.Figures.size(), 1u);
  EXPECT_TRUE(lines.Figures[0].Beziers.empty());
  EXPECT_GT(lines.Figures[0].Lines.size(), 8u);
  for (TPointD p : lines.Figures[0].Lines) EXPECT_NEAR(std::hypot(p.x, p.y), 10, 0.05);
  EXPECT_EQ(lines.FillMode, fmAlternate);
  EXPECT_FALSE(lines.Closed);  // closing the sink is the caller's business
}

}  // namespace
