#include "gfx/Colors.h"
#include "gfx/WinTypes.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

struct TMulDivCase {
  int a, b, c, expected;
};

TEST(MulDiv, RoundsHalvesAwayFromZeroAndSignalsFailureWithMinusOne) {
  const TMulDivCase cases[] = {
      {8, 254, 72, 28},         // 28.22: a font size of 8 points in tenths of a millimetre
      {10, 254, 72, 35},        // 35.28
      {8, 96, 72, 11},          // 10.67
      {5, 1, 2, 3},             // 2.5 goes up
      {-5, 1, 2, -3},           // -2.5 goes away from zero
      {5, -1, 2, -3},
      {-5, -1, -2, -3},         // positive product, negative divisor
      {7, 1, -2, -4},           // -3.5
      {3, 1, 4, 1},             // 0.75
      {1, 1, 4, 0},             // 0.25
      {-1, 1, 4, 0},
      {100000, 100000, 100000, 100000},  // the product needs 64 bits
      {1, 1, 0, -1},            // no divisor
      {0, 0, 0, -1},
      {std::numeric_limits<int>::max(), 2, 1, -1},  // the quotient does not fit
  };
  for (const TMulDivCase& c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(RoundHalfEvenToInt, GoesToTheEvenNeighbourAndSurvivesNonFiniteValues) {
  EXPECT_EQ(RoundHalfEvenToInt(2.5), 2);
  EXPECT_EQ(RoundHalfEvenToInt(3.5), 4);
  EXPECT_EQ(RoundHalfEvenToInt(-2.5), -2);
  EXPECT_EQ(RoundHalfEvenToInt(2.6), 3);
  EXPECT_EQ(RoundHalfEvenToInt(std::nan("")), 0);
  EXPECT_EQ(RoundHalfEvenToInt(INFINITY), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundHalfEvenToInt(-INFINITY), std::numeric_limits<int>::min());
}

TEST(TRect, WidthExcludesTheRightEdgeAndMapsToTheSameQRectPixels) {
  const TRect r = Rect(10, 20, 30, 25);
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 5);
  const QRect q = ToQRect(r);
  EXPECT_EQ(q.left(), 10);
  EXPECT_EQ(q.right(), 29);
  EXPECT_EQ(FromQRect(q), r);
  EXPECT_EQ(Bounds(10, 20, 20, 5), r);
}

TEST(TColor, ConvertsBlueGreenRedOrderToQColor) {
  const QColor c = ColorToQColor(0x3C14DC);  // crimson
  EXPECT_EQ(c.red(), 0xDC);
  EXPECT_EQ(c.green(), 0x14);
  EXPECT_EQ(c.blue(), 0x3C);
  EXPECT_EQ(c.alpha(), 255);
  EXPECT_EQ(QColorToColor(QColor(0xDC, 0x14, 0x3C)), 0x3C14DCu);
  EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
  EXPECT_EQ(GetRValue(0x030201), 1);
  EXPECT_EQ(GetBValue(0x030201), 3);
}

TEST(TColor, OpacitySystemColoursAndNone) {
  EXPECT_NEAR(ColorToQColor(clRed, 0.5).alphaF(), 0.5, 0.01);
  EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

}  // namespace
