#pragma once

#include "gfx/Graphics.h"
#include "gfx/WinTypes.h"

#include <QImage>
#include <QString>
#include <span>

// What every canvas offers, whether it draws GDI-style (TCanvas) or through the
// plan's render target (TDirect2DCanvas): pen, brush and font, and the classic
// drawing operations in the canvas's logical coordinates. As on the platform, a
// rectangle's right and bottom edges lie just outside what it paints.
class TCustomCanvas {
public:
  virtual ~TCustomCanvas() = default;

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  TPen& Pen() { return FPen; }
  const TPen& Pen() const { return FPen; }
  TBrush& Brush() { return FBrush; }
  const TBrush& Brush() const { return FBrush; }

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }
  void MoveTo(int x, int y) { FPenPos = TPoint{x, y}; }
  // A line from the pen position to (x, y), which becomes the new pen position.
  virtual void LineTo(int x, int y) = 0;
  virtual void Polyline(std::span<const TPoint> points) = 0;
  // Filled with the brush (alternate fill) and outlined with the pen.
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // The brush only, no outline.
  virtual void FillRect(const TRect& r) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }

  // Text with the top-left corner of its cell at (x, y); the cell is filled with the
  // brush colour unless the brush is clear.
  virtual void TextOut(int x, int y, const QString& text) = 0;
  // Width and cell height of the text in logical units.
  virtual TSize TextExtent(const QString& text) = 0;
  int TextWidth(const QString& text) { return TextExtent(text).cx; }
  int TextHeight(const QString& text) { return TextExtent(text).cy; }

  // The image spans as many logical units as it has pixels.
  void Draw(int x, int y, const QImage& image) {
    StretchDraw(TRect{x, y, x + image.width(), y + image.height()}, image);
  }
  virtual void StretchDraw(const TRect& rect, const QImage& image) = 0;

private:
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
};
