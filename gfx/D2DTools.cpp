#include "gfx/D2DTools.h"

TD2BrushPtr D2BlackBrush;
TD2BrushPtr D2WhiteBrush;
TD2BrushPtr D2SandyBrownBrush;
TD2BrushPtr D2GainsboroBrush;
TD2BrushPtr D2DodgerBlueHalfBrush;
TD2BrushPtr D2DodgerBlueBrush;
TD2BrushPtr D2CrimsonBrush;
TD2BrushPtr D2GoldBrush;

namespace {

TD2BrushPtr MakeBrush(TDirect2DCanvas& canvas, TColor color, float opacity) {
  TD2BrushPtr brush = canvas.CreateBrush(color);
  brush->SetOpacity(opacity);
  return brush;
}

TD2TextAlignment TextAlignmentOf(int h) {
  switch (h) {
    case 1:
      return TD2TextAlignment::Trailing;
    case 2:
      return TD2TextAlignment::Center;
    default:
      return TD2TextAlignment::Leading;
  }
}

TD2ParagraphAlignment ParagraphAlignmentOf(int v) {
  switch (v) {
    case 1:
      return TD2ParagraphAlignment::Far;
    case 2:
      return TD2ParagraphAlignment::Center;
    default:
      return TD2ParagraphAlignment::Near;
  }
}

}  // namespace

void CreateD2Brushes(TDirect2DCanvas& Canvas) {
  D2SandyBrownBrush = MakeBrush(Canvas, 0x60A4F4, 0.5f);
  D2DodgerBlueHalfBrush = MakeBrush(Canvas, 0xFF901E, 0.5f);
  D2BlackBrush = MakeBrush(Canvas, 0x000000, 1);
  D2WhiteBrush = MakeBrush(Canvas, 0xFFFFFF, 1);
  D2CrimsonBrush = MakeBrush(Canvas, 0x3C14DC, 1);
  D2DodgerBlueBrush = MakeBrush(Canvas, 0xFF901E, 1);
  D2GainsboroBrush = MakeBrush(Canvas, 0xDCDCDC, 1);
  D2GoldBrush = MakeBrush(Canvas, 0x00D7FF, 0.5f);
}

void ReleaseD2Brushes() {
  for (TD2BrushPtr* brush : {&D2BlackBrush, &D2WhiteBrush, &D2SandyBrownBrush, &D2GainsboroBrush,
                             &D2DodgerBlueHalfBrush, &D2DodgerBlueBrush, &D2CrimsonBrush, &D2GoldBrush})
    brush->reset();
}

TD2TextFormatPtr CreateTextFormat(TDirect2DCanvas& Canvas) {
  const TFont& font = Canvas.Font();
  return TD2TextFormat::Create(font.Name(), font.Style().Contains(fsBold) ? D2FontWeightBold : D2FontWeightNormal,
                               font.Style().Contains(fsItalic) ? TD2FontStyle::Italic : TD2FontStyle::Normal,
                               D2FontStretchNormal, static_cast<float>(-font.Height()), QStringLiteral("en-us"));
}

D2D_RECT_F DrawTextAligned(TDirect2DCanvas& Canvas, D2D_POINT_2F Position, const QString& Text, int HAlign,
                           int VAlign) {
  if (Text.isEmpty()) return D2D_RECT_F{};
  const TD2TextFormatPtr format = CreateTextFormat(Canvas);
  if (!format) return D2D_RECT_F{};
  format->SetTextAlignment(TextAlignmentOf(HAlign));
  format->SetParagraphAlignment(ParagraphAlignmentOf(VAlign));
  format->SetWordWrapping(TD2WordWrapping::NoWrap);
  const TD2TextLayoutPtr layout = TD2TextLayout::Create(Text, *format, 0, 0);
  const TFontStyles style = Canvas.Font().Style();
  if (style.Contains(fsUnderline)) layout->SetUnderline(true);
  if (style.Contains(fsStrikeOut)) layout->SetStrikethrough(true);
  const TD2TextMetrics m = layout->GetMetrics();
  const D2D_RECT_F result{Position.x + m.left, Position.y + m.top, Position.x + m.left + m.width,
                          Position.y + m.top + m.height};
  Canvas.RenderTarget().DrawTextLayout(Position, layout, Canvas.CreateBrush(Canvas.Font().Color()));
  return result;
}

TD2PathGeometryPtr CreatePathGeometry(TD2RenderTarget& RenderTarget, std::span<const D2D_POINT_2F> Points,
                                      float StrokeWidth, const TD2BrushPtr& Brush,
                                      const TD2StrokeStylePtr& StrokeStyle) {
  TD2PathGeometryPtr path = TD2PathGeometry::Create();
  TD2GeometrySink& sink = path->Open();
  if (!Points.empty()) {
    sink.BeginFigure(Points.front(), false);
    for (size_t i = 1; i < Points.size(); ++i) sink.AddLine(Points[i]);
    sink.EndFigure(false);
  }
  sink.Close();
  if (!Points.empty()) RenderTarget.DrawGeometry(path, Brush, StrokeWidth, StrokeStyle);
  return path;
}

TPoint RoundD2Point(D2D_POINT_2F P) { return TPoint{RoundHalfEvenToInt(P.x), RoundHalfEvenToInt(P.y)}; }
