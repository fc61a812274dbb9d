#include "gfx/Direct2DCanvas.h"

#include <cmath>

namespace {

TD2PathGeometryPtr PolyGeometry(std::span<const TPoint> points, bool closed) {
  auto path = TD2PathGeometry::Create();
  TD2GeometrySink& sink = path->Open();
  sink.BeginFigure(D2D1PointF(static_cast<float>(points[0].X), static_cast<float>(points[0].Y)), closed);
  for (size_t i = 1; i < points.size(); ++i)
    sink.AddLine(D2D1PointF(static_cast<float>(points[i].X), static_cast<float>(points[i].Y)));
  sink.EndFigure(closed);
  sink.Close();
  return path;
}

D2D_RECT_F RectF(int x1, int y1, int x2, int y2) {
  return D2D1RectF(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
}

}  // namespace

TDirect2DCanvas::TDirect2DCanvas(float dpiX, float dpiY) : FRenderTarget(dpiX, dpiY) {
  Font().SetPixelsPerInch(96);
  Font().SetSize(8);
}

TD2BrushPtr TDirect2DCanvas::CreateBrush(TColor color) const {
  return FRenderTarget.CreateSolidColorBrush(D2D1ColorF(color));
}

TD2BrushPtr TDirect2DCanvas::PenBrush() const {
  return Pen().Style() == psClear ? nullptr : CreateBrush(Pen().Color());
}

TD2BrushPtr TDirect2DCanvas::FillBrush() const {
  return Brush().Style() == bsClear ? nullptr : CreateBrush(Brush().Color());
}

void TDirect2DCanvas::OutlineAndFill(const TD2GeometryPtr& geometry) {
  FRenderTarget.FillGeometry(geometry, FillBrush());
  FRenderTarget.DrawGeometry(geometry, PenBrush(), PenWidth());
}

void TDirect2DCanvas::LineTo(int x, int y) {
  FRenderTarget.DrawLine(D2D1PointF(static_cast<float>(PenPos().X), static_cast<float>(PenPos().Y)),
                         D2D1PointF(static_cast<float>(x), static_cast<float>(y)), PenBrush(), PenWidth());
  MoveTo(x, y);
}

void TDirect2DCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() >= 2) FRenderTarget.DrawGeometry(PolyGeometry(points, false), PenBrush(), PenWidth());
}

void TDirect2DCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() >= 2) OutlineAndFill(PolyGeometry(points, true));
}

void TDirect2DCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  OutlineAndFill(TD2RectangleGeometry::Create(RectF(x1, y1, x2, y2)));
}

void TDirect2DCanvas::FillRect(const TRect& r) {
  FRenderTarget.FillRectangle(RectF(r.Left, r.Top, r.Right, r.Bottom), FillBrush());
}

void TDirect2DCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const D2D_POINT_2F center = D2D1PointF((x1 + x2) / 2.0f, (y1 + y2) / 2.0f);
  OutlineAndFill(TD2EllipseGeometry::Create(D2D1Ellipse(center, std::abs(x2 - x1) / 2.0f, std::abs(y2 - y1) / 2.0f)));
}

TD2TextLayoutPtr TDirect2DCanvas::TextLayout(const QString& text) const {
  const TFontStyles style = Font().Style();
  const TD2TextFormatPtr format =
      TD2TextFormat::Create(Font().Name(), style.Contains(fsBold) ? D2FontWeightBold : D2FontWeightNormal,
                            style.Contains(fsItalic) ? TD2FontStyle::Italic : TD2FontStyle::Normal,
                            D2FontStretchNormal, static_cast<float>(std::abs(Font().Height())), QStringLiteral("en-us"));
  if (!format) return nullptr;
  format->SetWordWrapping(TD2WordWrapping::NoWrap);
  TD2TextLayoutPtr layout = TD2TextLayout::Create(text, *format, 0, 0);
  layout->SetUnderline(style.Contains(fsUnderline));
  layout->SetStrikethrough(style.Contains(fsStrikeOut));
  return layout;
}

void TDirect2DCanvas::TextOut(int x, int y, const QString& text) {
  const TD2TextLayoutPtr layout = text.isEmpty() ? nullptr : TextLayout(text);
  if (!layout) return;
  const TD2TextMetrics m = layout->GetMetrics();
  const D2D_POINT_2F origin = D2D1PointF(static_cast<float>(x), static_cast<float>(y));
  FRenderTarget.FillRectangle(D2D1RectF(origin.x, origin.y, origin.x + m.widthIncludingTrailingWhitespace,
                                        origin.y + m.height),
                              FillBrush());
  FRenderTarget.DrawTextLayout(origin, layout, CreateBrush(Font().Color()));
}

TSize TDirect2DCanvas::TextExtent(const QString& text) {
  const TD2TextLayoutPtr layout = TextLayout(text);
  if (!layout) return TSize{};
  const TD2TextMetrics m = layout->GetMetrics();
  return TSize{static_cast<int>(std::ceil(text.isEmpty() ? 0 : m.widthIncludingTrailingWhitespace)),
               static_cast<int>(std::ceil(m.height))};
}

void TDirect2DCanvas::StretchDraw(const TRect& rect, const QImage& image) {
  if (image.isNull()) return;
  const D2D_RECT_F dest = RectF(rect.Left, rect.Top, rect.Right, rect.Bottom);
  FRenderTarget.DrawBitmap(FRenderTarget.CreateBitmap(image), &dest);
}
