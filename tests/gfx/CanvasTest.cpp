#include "gfx/Canvas.h"

#include "ImageProbe.h"

#include <gtest/gtest.h>

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);

// A white page of 400 x 300 pixels at 20 pixels per millimetre (20 x 15 mm).
QImage Page(int dotsPerMeter = 20000) {
  QImage image = WhiteImage(400, 300);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  return image;
}

// Tenths of a millimetre, y downwards, as the chart and the printed pages map.
void MapMM10(TCanvas& canvas) {
  canvas.SetMapMode(MM_ANISOTROPIC);
  canvas.SetWindowExtEx(canvas.GetDeviceCaps(HORZSIZE) * 10, canvas.GetDeviceCaps(VERTSIZE) * 10);
  canvas.SetViewportExtEx(canvas.GetDeviceCaps(HORZRES), canvas.GetDeviceCaps(VERTRES));
}

TEST(TCanvas, ReportsTheDeviceAndConvertsPoints) {
  QImage image = Page();
  TCanvas canvas(&image);
  EXPECT_EQ(canvas.GetDeviceCaps(HORZRES), 400);
  EXPECT_EQ(canvas.GetDeviceCaps(VERTRES), 300);
  EXPECT_EQ(canvas.GetDeviceCaps(HORZSIZE), 20);
  EXPECT_EQ(canvas.GetDeviceCaps(VERTSIZE), 15);
  MapMM10(canvas);
  EXPECT_EQ(canvas.LPtoDP(Point(100, 50)), Point(200, 100));
  EXPECT_EQ(canvas.DPtoLP(Point(200, 100)), Point(100, 50));
}

TEST(TCanvas, LineInTenthsOfAMillimetreLandsOnTheRightPixelRow) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    canvas.SetMapMode(MM_LOMETRIC);  // y upwards: 10 mm down is -100
    canvas.Pen().SetWidth(0);
    canvas.MoveTo(0, -100);
    canvas.LineTo(150, -100);
  }
  EXPECT_EQ(image.pixel(100, 200), Black);
  EXPECT_EQ(image.pixel(100, 199), White);
  EXPECT_EQ(image.pixel(100, 201), White);
  EXPECT_EQ(image.pixel(310, 200), White);  // ends at 15 mm
}

TEST(TCanvas, PensScaleWithTheMappingButStayAtLeastOnePixelWide) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    MapMM10(canvas);  // 2 pixels per unit
    canvas.Pen().SetWidth(3);
    canvas.MoveTo(0, 50);
    canvas.LineTo(100, 50);
    canvas.SetWindowExtEx(4000, 3000);  // 0.1 pixel per unit
    canvas.Pen().SetWidth(1);
    canvas.MoveTo(0, 2000);
    canvas.LineTo(2000, 2000);
  }
  EXPECT_EQ(image.pixel(50, 97), Black);  // 6 pixels about row 100
  EXPECT_EQ(image.pixel(50, 102), Black);
  EXPECT_EQ(image.pixel(50, 105), White);
  EXPECT_EQ(image.pixel(100, 200), Black);  // still visible
}

TEST(TCanvas, RectangleAndFillRectLeaveOutTheRightAndBottomEdges) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clRed);
    canvas.Rectangle(10, 10, 20, 20);
    canvas.FillRect(Rect(30, 10, 40, 20));
    canvas.Brush().SetStyle(bsClear);
    canvas.Ellipse(50, 10, 70, 30);
  }
  EXPECT_EQ(image.pixel(10, 10), Black);
  EXPECT_EQ(image.pixel(19, 19), Black);
  EXPECT_EQ(image.pixel(15, 15), Red);
  EXPECT_EQ(image.pixel(20, 15), White);
  EXPECT_EQ(image.pixel(30, 10), Red);
  EXPECT_EQ(image.pixel(39, 19), Red);
  EXPECT_EQ(image.pixel(40, 19), White);
  EXPECT_EQ(image.pixel(60, 20), White);  // a clear brush leaves the ellipse empty
  EXPECT_EQ(image.pixel(50, 20), Black);
}

TEST(TCanvas, NotXorPenModeErasesWhatItDrewBefore) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmNotXor);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(10, 10, 100, 100);
    EXPECT_EQ(image.pixel(10, 50), Black);
    canvas.Rectangle(10, 10, 100, 100);
  }
  EXPECT_TRUE(InkBounds(image).isNull());
}

TEST(TCanvas, ClipRectLimitsDrawingUntilRemoved) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clRed);
    canvas.SelectClipRect(Rect(0, 0, 50, 300));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 50, 300));
    canvas.FillRect(Rect(0, 0, 100, 10));
    canvas.RemoveClip();
    canvas.FillRect(Rect(0, 20, 100, 30));
  }
  EXPECT_EQ(image.pixel(40, 5), Red);
  EXPECT_EQ(image.pixel(60, 5), White);
  EXPECT_EQ(image.pixel(60, 25), Red);
}

TEST(TCanvas, FontHeightsCountInLogicalUnits) {
  QImage coarse = Page(10000), fine = Page(20000);
  TCanvas a(&coarse), b(&fine);
  for (TCanvas* c : {&a, &b}) {
    MapMM10(*c);
    c->Font().SetName("Liberation Sans");
    c->Font().SetHeight(-35);  // 10 points
  }
  EXPECT_EQ(b.DeviceFont().pixelSize(), 2 * a.DeviceFont().pixelSize());
  EXPECT_NEAR(a.TextHeight("Xy"), b.TextHeight("Xy"), 1);
  EXPECT_NEAR(a.TextWidth("Temperatur"), b.TextWidth("Temperatur"), 2);
  EXPECT_GT(a.TextHeight("Xy"), 35);  // the cell is taller than the characters
  EXPECT_EQ(a.TextExtent("").cx, 0);
}

TEST(TCanvas, TextOutFillsItsCellWithTheBrushUnlessClear) {
  QImage image = Page();
  {
    TCanvas canvas(&image);
    canvas.Font().SetHeight(-20);
    canvas.Brush().SetColor(clRed);
    canvas.TextOut(10, 10, "Ab");
    const TSize extent = canvas.TextExtent("Ab");
    EXPECT_EQ(image.pixel(10, 10), Red);
    EXPECT_EQ(image.pixel(10 + extent.cx - 1, 10 + extent.cy - 1), Red);
    EXPECT_EQ(image.pixel(10 + extent.cx + 1, 10), White);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(10, 100, "Ab");
  }
  EXPECT_EQ(image.pixel(10, 100), White);
  EXPECT_FALSE(InkBounds(image.copy(0, 100, 400, 50)).isNull());
}

TEST(TCanvas, RotatedTextTurnsAboutTheTopLeftCornerOfItsCell) {
  QImage image = Page();
  TSize extent;
  {
    TCanvas canvas(&image);
    canvas.Font().SetName("Liberation Sans");
    canvas.Font().SetHeight(-20);
    canvas.Font().SetOrientation(900);  // reads upwards
    canvas.Brush().SetStyle(bsClear);
    extent = canvas.TextExtent("Temperatur");
    canvas.TextOut(200, 250, "Temperatur");
  }
  // The cell's top edge now runs up from the anchor, its left edge to the right.
  const QRect ink = InkBounds(image);
  EXPECT_GE(ink.left(), 199);
  EXPECT_LE(ink.right(), 200 + extent.cy + 1);
  EXPECT_LE(ink.bottom(), 251);
  EXPECT_GE(ink.top(), 250 - extent.cx - 1);
  EXPECT_GT(ink.height(), 2 * ink.width());
}

TEST(TCanvas, DrawSpansTheImagePixelsInLogicalUnits) {
  QImage image = Page();
  QImage picture(10, 10, QImage::Format_ARGB32);
  picture.fill(Qt::black);
  {
    TCanvas canvas(&image);
    MapMM10(canvas);
    canvas.Draw(10, 10, picture);  // 10 units = 20 pixels
    canvas.StretchDraw(Rect(100, 10, 105, 15), picture);
  }
  EXPECT_EQ(image.pixel(20, 20), Black);
  EXPECT_EQ(image.pixel(39, 39), Black);
  EXPECT_EQ(image.pixel(41, 41), White);
  EXPECT_EQ(image.pixel(205, 25), Black);
  EXPECT_EQ(image.pixel(211, 25), White);
}

TEST(TCanvas, BorrowedPainterStaysActiveAfterTheCanvas) {
  QImage image = Page();
  QPainter painter(&image);
  {
    TCanvas canvas(painter);
    canvas.MoveTo(0, 5);
    canvas.LineTo(50, 5);
  }
  EXPECT_TRUE(painter.isActive());
  painter.end();
  EXPECT_EQ(image.pixel(20, 5), Black);
}

TEST(TFont, SizeAndHeightConvertThroughPixelsPerInch) {
  TFont font;
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);
  font.SetHeight(-35);
  EXPECT_EQ(font.Size(), 26);
  font.SetPixelsPerInch(254);
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -35);
}

}  // namespace
