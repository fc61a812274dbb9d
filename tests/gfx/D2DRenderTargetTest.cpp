#include "gfx/D2DRenderTarget.h"

#include "ImageProbe.h"

#include <gtest/gtest.h>

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb White = qRgb(255, 255, 255);

// A render target drawing into a white 100 x 100 image.
class RenderTargetTest : public ::testing::Test {
protected:
  void SetUp() override {
    painter.begin(&image);
    target.BeginDraw(painter);
  }
  QImage Finish() {
    EXPECT_TRUE(target.EndDraw());
    painter.end();
    return image;
  }

  QImage image = WhiteImage(100, 100);
  QPainter painter;
  TD2RenderTarget target;
  TD2BrushPtr red = CreateSolidColorBrush(D2D1ColorF(clRed));
};

TEST_F(RenderTargetTest, FilledShapesPaintInsideAndNotOutside) {
  target.FillRectangle(D2D1RectF(10, 10, 30, 20), red);
  target.FillEllipse(D2D1Ellipse({70, 70}, 10, 10), red);
  auto path = TD2PathGeometry::Create();
  TD2GeometrySink& sink = path->Open();
  sink.BeginFigure(D2D_POINT_2F{10, 50}, true);
  sink.AddLine({40, 50});
  sink.AddLine({10, 80});
  sink.EndFigure(true);
  sink.Close();
  target.FillGeometry(path, red);
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(20, 15), Red);
  EXPECT_EQ(out.pixel(35, 15), White);
  EXPECT_EQ(out.pixel(70, 70), Red);
  EXPECT_EQ(out.pixel(78, 78), White);  // outside the circle, inside its box
  EXPECT_EQ(out.pixel(15, 55), Red);
  EXPECT_EQ(out.pixel(35, 75), White);  // beyond the hypotenuse
}

TEST_F(RenderTargetTest, ClearIgnoresTheTransformAndOutlinesLeaveTheInsideEmpty) {
  target.SetTransform(D2D_MATRIX_3X2_F::Translation(50, 50));
  target.Clear(clBlue);
  target.DrawRectangle(D2D1RectF(0, 0, 40, 40), red, 2);
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(5, 5), qRgb(0, 0, 255));
  EXPECT_EQ(out.pixel(50, 70), Red);   // the left edge, moved by the transform
  EXPECT_EQ(out.pixel(70, 70), qRgb(0, 0, 255));
}

TEST_F(RenderTargetTest, BrushOpacityBlendsWithTheBackground) {
  auto half = CreateSolidColorBrush(D2D1ColorF(clBlack));
  half->SetOpacity(0.5f);
  target.FillRectangle(D2D1RectF(0, 0, 50, 50), half);
  const QImage out = Finish();
  EXPECT_NEAR(qRed(out.pixel(25, 25)), 128, 2);
}

TEST_F(RenderTargetTest, TransformsComposeInMultiplicationOrder) {
  // Translate then scale: the unit square at the origin lands at (20..40, 20..40).
  target.SetTransform(D2D_MATRIX_3X2_F::Translation(10, 10) * D2D_MATRIX_3X2_F::Scale(2, 2));
  target.FillRectangle(D2D1RectF(0, 0, 10, 10), red);
  // Scale then translate: it lands at (60..80, 10..30).
  target.SetTransform(D2D_MATRIX_3X2_F::Scale(2, 2) * D2D_MATRIX_3X2_F::Translation(60, 10));
  target.FillRectangle(D2D1RectF(0, 0, 10, 10), red);
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(30, 30), Red);
  EXPECT_EQ(out.pixel(15, 15), White);
  EXPECT_EQ(out.pixel(70, 20), Red);
  EXPECT_EQ(out.pixel(85, 20), White);
}

TEST_F(RenderTargetTest, BitmapsAreDrawnWithOpacityIntoTheirDestination) {
  QImage picture(4, 4, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::black);
  const D2D_RECT_F dest = D2D1RectF(10, 10, 50, 50);
  target.DrawBitmap(target.CreateBitmap(picture), &dest, 0.5f, TD2InterpolationMode::NearestNeighbor);
  const QImage out = Finish();
  EXPECT_NEAR(qRed(out.pixel(30, 30)), 128, 2);
  EXPECT_EQ(out.pixel(55, 30), White);
}

TEST_F(RenderTargetTest, AliasedModeLeavesNoBlendedEdges) {
  target.SetAntialiasMode(TD2AntialiasMode::Aliased);
  target.FillEllipse(D2D1Ellipse({50, 50}, 30.3f, 30.3f), red);
  const QImage out = Finish();
  for (int x = 15; x < 85; ++x) {
    const QRgb p = out.pixel(x, 50);
    EXPECT_TRUE(p == Red || p == White) << x;
  }
}

TEST_F(RenderTargetTest, DashedStrokesLeaveGapsMeasuredInStrokeWidths) {
  target.SetAntialiasMode(TD2AntialiasMode::Aliased);
  TD2StrokeStyleProperties dashed;
  dashed.dashStyle = TD2DashStyle::Dash;  // dash and gap of two stroke widths each
  target.DrawLine({0, 10}, {100, 10}, red, 4, CreateStrokeStyle(dashed));
  TD2StrokeStyleProperties squareCaps;
  squareCaps.startCap = squareCaps.endCap = TD2CapStyle::Square;
  target.DrawLine({20, 50}, {80, 50}, red, 10, CreateStrokeStyle(squareCaps));
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(3, 10), Red);
  EXPECT_EQ(out.pixel(12, 10), White);
  EXPECT_EQ(out.pixel(19, 10), Red);
  EXPECT_EQ(out.pixel(17, 50), Red);  // the square cap reaches half the width beyond the end
  EXPECT_EQ(out.pixel(13, 50), White);
}

TEST_F(RenderTargetTest, AxisAlignedClipLimitsDrawingUntilPopped) {
  target.PushAxisAlignedClip(D2D1RectF(0, 0, 50, 100));
  target.FillRectangle(D2D1RectF(0, 0, 100, 10), red);
  target.PopAxisAlignedClip();
  target.FillRectangle(D2D1RectF(0, 90, 100, 100), red);
  const QImage out = Finish();
  EXPECT_EQ(out.pixel(25, 5), Red);
  EXPECT_EQ(out.pixel(75, 5), White);
  EXPECT_EQ(out.pixel(75, 95), Red);
}

TEST(D2DRenderTarget, DrawingOutsideBeginAndEndIsReportedByEndDraw) {
  TD2RenderTarget target;
  target.FillRectangle(D2D1RectF(0, 0, 1, 1), CreateSolidColorBrush(D2D1ColorF(clRed)));
  EXPECT_FALSE(target.EndDraw());

  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  target.BeginDraw(painter);
  target.PushAxisAlignedClip(D2D1RectF(0, 0, 5, 5));
  EXPECT_FALSE(target.EndDraw());  // a clip left pushed
  target.BeginDraw(painter);
  EXPECT_TRUE(target.EndDraw());
}

TEST(D2DBitmapRenderTarget, DrawsOffScreenAtItsResolution) {
  TD2BitmapRenderTarget target(D2D1SizeF(50, 25), 192, 192);
  EXPECT_EQ(target.Image().size(), QSize(100, 50));
  target.BeginDraw();
  EXPECT_FLOAT_EQ(target.GetSize().width, 50);
  target.FillRectangle(D2D1RectF(0, 0, 25, 25), CreateSolidColorBrush(D2D1ColorF(clRed)));
  EXPECT_TRUE(target.EndDraw());
  EXPECT_EQ(target.Image().pixel(40, 40), Red);      // DIP (20, 20)
  EXPECT_EQ(qAlpha(target.Image().pixel(60, 40)), 0);  // transparent where nothing was drawn

  const TD2BitmapPtr bitmap = target.GetBitmap();
  EXPECT_EQ(bitmap->GetSize(), D2D1SizeF(50, 25));
  const auto compatible = target.CreateCompatibleRenderTarget(D2D1SizeF(10, 10));
  EXPECT_EQ(compatible->Image().size(), QSize(20, 20));
}

}  // namespace
