#include "gfx/D2DTools.h"

#include <QCoreApplication>
#include <QHash>

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

TD2TextFormatPtr FormatOf(const TFont& font) {
  const TFontStyles style = font.Style();
  return TD2TextFormat::Create(font.Name(), style.Contains(fsBold) ? D2FontWeightBold : D2FontWeightNormal,
                               style.Contains(fsItalic) ? TD2FontStyle::Italic : TD2FontStyle::Normal,
                               D2FontStretchNormal, static_cast<float>(-font.Height()), QStringLiteral("en-us"));
}

// Everything that shapes an aligned text.
struct TAlignedKey {
  QString Family;
  int Height = 0;
  int Style = 0;
  int HAlign = 0;
  int VAlign = 0;
  QString Text;
  bool operator==(const TAlignedKey&) const = default;
};

size_t qHash(const TAlignedKey& k, size_t seed = 0) {
  return qHashMulti(seed, k.Family, k.Height, k.Style, k.HAlign, k.VAlign, k.Text);
}

// Laid-out texts by everything that shapes them. The plan draws the same probe names
// and isotherm labels on every paint, and shaping them again each time cost more
// than drawing them. Used on the GUI thread only, where painting happens.
class TAlignedLayoutCache {
public:
  static TAlignedLayoutCache& Instance() {
    // Never destroyed: its fonts must not outlive the application's font database,
    // so the application's end empties it instead (see Layout).
    static auto* cache = new TAlignedLayoutCache;
    return *cache;
  }

  TD2TextLayoutPtr Layout(const TFont& font, const QString& text, int hAlign, int vAlign) {
    const TFontStyles style = font.Style();
    TAlignedKey key{font.Name(), font.Height(),
                    style.Contains(fsBold) * 1 + style.Contains(fsItalic) * 2 + style.Contains(fsUnderline) * 4 +
                        style.Contains(fsStrikeOut) * 8,
                    hAlign, vAlign, text};
    if (const auto it = FLayouts.constFind(key); it != FLayouts.cend()) return *it;
    TD2TextLayoutPtr layout = Create(font, text, hAlign, vAlign);
    if (!layout) return nullptr;
    // A bound keeps a long session with changing labels from growing without end.
    if (FLayouts.size() >= MaxLayouts) FLayouts.clear();
    if (!FCleanupRegistered && QCoreApplication::instance()) {
      FCleanupRegistered = true;
      qAddPostRoutine([] {
        Instance().FLayouts.clear();
        Instance().FCleanupRegistered = false;
      });
    }
    FLayouts.insert(std::move(key), layout);
    return layout;
  }

private:
  static constexpr qsizetype MaxLayouts = 8192;

  static TD2TextLayoutPtr Create(const TFont& font, const QString& text, int hAlign, int vAlign) {
    const TD2TextFormatPtr format = FormatOf(font);
    if (!format) return nullptr;
    format->SetTextAlignment(TextAlignmentOf(hAlign));
    format->SetParagraphAlignment(ParagraphAlignmentOf(vAlign));
    format->SetWordWrapping(TD2WordWrapping::NoWrap);
    const TD2TextLayoutPtr layout = TD2TextLayout::Create(text, *format, 0, 0);
    const TFontStyles style = font.Style();
    if (style.Contains(fsUnderline)) layout->SetUnderline(true);
    if (style.Contains(fsStrikeOut)) layout->SetStrikethrough(true);
    return layout;
  }

  QHash<TAlignedKey, TD2TextLayoutPtr> FLayouts;
  bool FCleanupRegistered = false;
};

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

TD2TextFormatPtr CreateTextFormat(TDirect2DCanvas& Canvas) { return FormatOf(Canvas.Font()); }

D2D_RECT_F DrawTextAligned(TDirect2DCanvas& Canvas, D2D_POINT_2F Position, const QString& Text, int HAlign,
                           int VAlign) {
  if (Text.isEmpty()) return D2D_RECT_F{};
  const TD2TextLayoutPtr layout = TAlignedLayoutCache::Instance().Layout(Canvas.Font(), Text, HAlign, VAlign);
  if (!layout) return D2D_RECT_F{};
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
