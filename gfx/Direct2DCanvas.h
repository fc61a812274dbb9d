#pragma once

#include "gfx/CustomCanvas.h"
#include "gfx/D2DRenderTarget.h"

#include <QPainter>

// The plan's canvas: a render target plus the pen, brush and font of a classic
// canvas. Logical units are DIPs; the font's height counts in DIPs as well (its
// pixels-per-inch is 96). The classic operations draw antialiased through the render
// target, under its current transform.
class TDirect2DCanvas : public TCustomCanvas {
public:
  explicit TDirect2DCanvas(float dpiX = 96, float dpiY = 96);

  TD2RenderTarget& RenderTarget() { return FRenderTarget; }
  const TD2RenderTarget& RenderTarget() const { return FRenderTarget; }

  void BeginDraw(QPainter& painter) { FRenderTarget.BeginDraw(painter); }
  bool EndDraw() { return FRenderTarget.EndDraw(); }

  TD2BrushPtr CreateBrush(TColor color) const;

  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  using TCustomCanvas::Rectangle;
  void FillRect(const TRect& r) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  using TCustomCanvas::Ellipse;
  void TextOut(int x, int y, const QString& text) override;
  TSize TextExtent(const QString& text) override;
  void StretchDraw(const TRect& rect, const QImage& image) override;

private:
  TD2BrushPtr PenBrush() const;
  TD2BrushPtr FillBrush() const;
  float PenWidth() const { return static_cast<float>(std::max(1, Pen().Width())); }
  TD2TextLayoutPtr TextLayout(const QString& text) const;
  void OutlineAndFill(const TD2GeometryPtr& geometry);

  TD2RenderTarget FRenderTarget;
};
