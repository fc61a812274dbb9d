#include "gfx/D2DTypes.h"

#include <gtest/gtest.h>

namespace {

void ExpectPoint(D2D_POINT_2F actual, float x, float y) {
  EXPECT_NEAR(actual.x, x, 1e-4);
  EXPECT_NEAR(actual.y, y, 1e-4);
}

TEST(D2DMatrix, ProductAppliesTheLeftMatrixFirst) {
  const auto translate = D2D_MATRIX_3X2_F::Translation(10, 0);
  const auto scale = D2D_MATRIX_3X2_F::Scale(2, 2);
  ExpectPoint((translate * scale).TransformPoint({1, 1}), 22, 2);  // (1+10)*2
  ExpectPoint((scale * translate).TransformPoint({1, 1}), 12, 2);  // 1*2+10
  // The same order as QTransform, so both can be mixed freely.
  const QPointF q = (ToQTransform(translate) * ToQTransform(scale)).map(QPointF(1, 1));
  EXPECT_DOUBLE_EQ(q.x(), 22);
}

TEST(D2DMatrix, RotationTurnsClockwiseOnTheScreenAboutItsCentre) {
  ExpectPoint(D2D_MATRIX_3X2_F::Rotation(90).TransformPoint({1, 0}), 0, 1);  // right turns to down
  ExpectPoint(D2D_MATRIX_3X2_F::Rotation(90, {5, 5}).TransformPoint({6, 5}), 5, 6);
  ExpectPoint(D2D_MATRIX_3X2_F::Scale(2, 3, {1, 1}).TransformPoint({2, 2}), 3, 4);
  ExpectPoint(D2D_MATRIX_3X2_F::Skew(45, 0).TransformPoint({0, 1}), 1, 1);
}

TEST(D2DMatrix, InvertUndoesAndRefusesSingularMatrices) {
  auto m = D2D_MATRIX_3X2_F::Translation(3, -4) * D2D_MATRIX_3X2_F::Rotation(30) * D2D_MATRIX_3X2_F::Scale(2, 0.5f);
  auto inverse = m;
  ASSERT_TRUE(inverse.Invert());
  ExpectPoint(inverse.TransformPoint(m.TransformPoint({7, 9})), 7, 9);

  auto singular = D2D_MATRIX_3X2_F::Scale(0, 1);
  EXPECT_FALSE(singular.IsInvertible());
  EXPECT_FALSE(singular.Invert());
  EXPECT_EQ(singular, D2D_MATRIX_3X2_F::Scale(0, 1));
  EXPECT_TRUE(D2D_MATRIX_3X2_F::Identity().IsIdentity());
}

TEST(D2DColor, FromTColorKeepsChannelsApart) {
  const D2D_COLOR_F c = D2D1ColorF(TColor{0xFF901E}, 0.5f);  // dodger blue
  EXPECT_NEAR(c.r, 0x1E / 255.0f, 1e-6);
  EXPECT_NEAR(c.g, 0x90 / 255.0f, 1e-6);
  EXPECT_NEAR(c.b, 1.0f, 1e-6);
  EXPECT_EQ(c.a, 0.5f);
  EXPECT_EQ(ToQColor(c).blue(), 255);
}

TEST(D2DRect, ToQRectFNormalisesReversedCorners) {
  const QRectF r = ToQRectF(D2D1RectF(10, 20, 0, 5));
  EXPECT_EQ(r, QRectF(0, 5, 10, 15));
}

}  // namespace
