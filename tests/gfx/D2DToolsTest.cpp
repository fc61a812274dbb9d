#include "gfx/D2DTools.h"

#include "ImageProbe.h"

#include <gtest/gtest.h>

namespace {

// A plan canvas drawing into a white 300 x 200 image.
class D2DToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    canvas.Font().SetName("Liberation Sans");
    canvas.Font().SetHeight(-20);
    painter.begin(&image);
    canvas.BeginDraw(painter);
  }
  QImage Finish() {
    EXPECT_TRUE(canvas.EndDraw());
    painter.end();
    return image;
  }

  QImage image = WhiteImage(300, 200);
  QPainter painter;
  TDirect2DCanvas canvas;
};

struct TTextCase {
  int h, v;
};

TEST_F(D2DToolsTest, DrawTextAlignedPlacesTheTextAboutThePosition) {
  const D2D_POINT_2F at{150, 100};
  D2D_RECT_F r = DrawTextAligned(canvas, at, "Wasser", 0, 0);  // starts at the point, runs right and down
  QImage out = Finish();
  QRect ink = InkBounds(out);
  EXPECT_NEAR(ink.left(), 150, 3);
  EXPECT_GE(ink.top(), 100);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 100);
  EXPECT_GT(RectWidth(r), 30);
  EXPECT_LE(ink.right(), r.right + 1);
  EXPECT_LE(ink.bottom(), r.bottom + 1);
}

TEST_F(D2DToolsTest, DrawTextAlignedTrailingAndBottomEndAtThePosition) {
  const D2D_RECT_F r = DrawTextAligned(canvas, {150, 100}, "Wasser", 1, 1);
  const QRect ink = InkBounds(Finish());
  EXPECT_NEAR(ink.right(), 150, 3);
  EXPECT_LE(ink.bottom(), 100);
  EXPECT_FLOAT_EQ(r.right, 150);
  EXPECT_FLOAT_EQ(r.bottom, 100);
}

TEST_F(D2DToolsTest, DrawTextAlignedCentreTopIsCentredHorizontallyAndHangsBelow) {
  canvas.Font().SetColor(clRed);
  const D2D_RECT_F r = DrawTextAligned(canvas, {150, 100}, "Sonde 7", 2, 0);
  const QImage out = Finish();
  const QRect ink = InkBounds(out);
  EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 150, 3);
  EXPECT_GE(ink.top(), 100);
  EXPECT_NEAR(RectCenter(r).x, 150, 1e-3);
  EXPECT_FLOAT_EQ(r.top, 100);
  // Drawn in the font's colour: the darkest ink is red.
  int reddest = 255;
  for (int y = ink.top(); y <= ink.bottom(); ++y)
    for (int x = ink.left(); x <= ink.right(); ++x) reddest = std::min(reddest, qGreen(out.pixel(x, y)));
  EXPECT_LT(reddest, 60);
}

TEST_F(D2DToolsTest, DrawTextAlignedWithNothingToDrawReturnsAZeroRectangle) {
  EXPECT_EQ(DrawTextAligned(canvas, {150, 100}, "", 2, 2), D2D_RECT_F{});
  canvas.Font().SetHeight(20);  // a cell height gives no usable text size here
  EXPECT_EQ(DrawTextAligned(canvas, {150, 100}, "x", 2, 2), D2D_RECT_F{});
  EXPECT_TRUE(InkBounds(Finish()).isNull());
}

TEST_F(D2DToolsTest, CreatePathGeometryDrawsAnOpenPolylineAndReturnsIt) {
  const TD2Pointslist points = {{10, 10}, {100, 10}, {100, 100}};
  const auto path = CreatePathGeometry(canvas.RenderTarget(), points, 3, canvas.CreateBrush(clBlack), nullptr);
  TD2Pointslist none;
  const auto empty = CreatePathGeometry(canvas.RenderTarget(), none, 3, canvas.CreateBrush(clBlack), nullptr);
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(50, 10), qRgb(0, 0, 0));
  EXPECT_EQ(out.pixel(100, 50), qRgb(0, 0, 0));
  EXPECT_EQ(out.pixel(50, 50), qRgb(255, 255, 255));  // never closed back to the start
  EXPECT_EQ(path->GetFigureCount(), 1u);
  EXPECT_EQ(path->GetSegmentCount(), 2u);
  EXPECT_FALSE(path->FillContainsPoint({90, 20}));  // hollow
  EXPECT_EQ(empty->GetFigureCount(), 0u);
}

TEST(D2DTools, CreateTextFormatTakesTheCanvasFont) {
  TDirect2DCanvas canvas;
  canvas.Font().SetName("Verdana");
  canvas.Font().SetHeight(-13);
  canvas.Font().SetStyle({fsBold, fsItalic});
  const TD2TextFormatPtr format = CreateTextFormat(canvas);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->GetFontFamilyName(), "Verdana");
  EXPECT_EQ(format->GetFontWeight(), 700);
  EXPECT_EQ(format->GetFontStyle(), TD2FontStyle::Italic);
  EXPECT_EQ(format->GetFontStretch(), 5);
  EXPECT_FLOAT_EQ(format->GetFontSize(), 13);
  EXPECT_EQ(format->GetLocaleName(), "en-us");
}

TEST(D2DTools, RectangleHelpersAndPointRounding) {
  const D2D_RECT_F r = D2D1RectF(10, 20, 30, 60);
  EXPECT_EQ(RectCenter(r), D2D1PointF(20, 40));
  EXPECT_FLOAT_EQ(RectWidth(r), 20);
  EXPECT_FLOAT_EQ(RectHeight(r), 40);
  EXPECT_EQ(RoundD2Point({2.5f, 3.5f}), Point(2, 4));
  EXPECT_EQ(RoundD2Point({-1.5f, 0.49f}), Point(-2, 0));
}

struct TBrushCase {
  const char* name;
  const TD2BrushPtr* brush;
  TColor color;
  float opacity;
};

TEST(D2DTools, SharedBrushesHaveTheirColoursAndOpacities) {
  TDirect2DCanvas canvas;
  CreateD2Brushes(canvas);
  const TBrushCase cases[] = {
      {"black", &D2BlackBrush, 0x000000, 1},           {"white", &D2WhiteBrush, 0xFFFFFF, 1},
      {"sandy brown", &D2SandyBrownBrush, 0x60A4F4, 0.5f}, {"gainsboro", &D2GainsboroBrush, 0xDCDCDC, 1},
      {"dodger blue half", &D2DodgerBlueHalfBrush, 0xFF901E, 0.5f},
      {"dodger blue", &D2DodgerBlueBrush, 0xFF901E, 1}, {"crimson", &D2CrimsonBrush, 0x3C14DC, 1},
      {"gold", &D2GoldBrush, 0x00D7FF, 0.5f},
  };
  for (const TBrushCase& c : cases) {
    ASSERT_NE(*c.brush, nullptr) << c.name;
    EXPECT_EQ((*c.brush)->GetColor(), D2D1ColorF(c.color)) << c.name;
    EXPECT_FLOAT_EQ((*c.brush)->GetOpacity(), c.opacity) << c.name;
  }
  ReleaseD2Brushes();
  EXPECT_EQ(D2GoldBrush, nullptr);
}

}  // namespace
