#pragma once

#include "gfx/D2DTypes.h"

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <memory>

class QPainter;

enum class TD2TextAlignment : uint8_t { Leading, Trailing, Center };
enum class TD2ParagraphAlignment : uint8_t { Near, Far, Center };
enum class TD2WordWrapping : uint8_t { Wrap, NoWrap };
enum class TD2FontStyle : uint8_t { Normal, Oblique, Italic };

constexpr int D2FontWeightNormal = 400;
constexpr int D2FontWeightBold = 700;
constexpr int D2FontStretchNormal = 5;

// Font and paragraph settings for text on the render target; sizes in DIPs.
class TD2TextFormat {
public:
  // Null for an empty family or a size that is not positive: such a format
  // cannot be made.
  static std::shared_ptr<TD2TextFormat> Create(const QString& family, int weight, TD2FontStyle style, int stretch,
                                               float size, const QString& locale);

  const QString& GetFontFamilyName() const { return FFamily; }
  int GetFontWeight() const { return FWeight; }
  TD2FontStyle GetFontStyle() const { return FStyle; }
  int GetFontStretch() const { return FStretch; }
  float GetFontSize() const { return FSize; }
  const QString& GetLocaleName() const { return FLocale; }

  TD2TextAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TD2TextAlignment a) { FTextAlignment = a; }
  TD2ParagraphAlignment GetParagraphAlignment() const { return FParagraphAlignment; }
  void SetParagraphAlignment(TD2ParagraphAlignment a) { FParagraphAlignment = a; }
  TD2WordWrapping GetWordWrapping() const { return FWordWrapping; }
  void SetWordWrapping(TD2WordWrapping w) { FWordWrapping = w; }

  QFont Font() const;

private:
  TD2TextFormat() = default;
  QString FFamily;
  int FWeight = D2FontWeightNormal;
  TD2FontStyle FStyle = TD2FontStyle::Normal;
  int FStretch = D2FontStretchNormal;
  float FSize = 0;
  QString FLocale;
  TD2TextAlignment FTextAlignment = TD2TextAlignment::Leading;
  TD2ParagraphAlignment FParagraphAlignment = TD2ParagraphAlignment::Near;
  TD2WordWrapping FWordWrapping = TD2WordWrapping::Wrap;
};

using TD2TextFormatPtr = std::shared_ptr<TD2TextFormat>;

// Where laid-out text lies relative to the layout's origin.
struct TD2TextMetrics {
  float left = 0;
  float top = 0;
  float width = 0;
  float widthIncludingTrailingWhitespace = 0;
  float height = 0;
  float layoutWidth = 0;
  float layoutHeight = 0;
  unsigned lineCount = 0;
};

// Text laid out in a box of maxWidth x maxHeight at the origin; the alignments of
// the format place it in that box. With a box of 0 x 0 the alignments place the text
// about the origin itself (trailing ends there, centre is centred on it).
class TD2TextLayout {
public:
  static std::shared_ptr<TD2TextLayout> Create(const QString& text, const TD2TextFormat& format, float maxWidth,
                                               float maxHeight);

  void SetUnderline(bool underline);
  void SetStrikethrough(bool strikethrough);
  TD2TextMetrics GetMetrics() const { return FMetrics; }
  // The size of the format's font in DIPs.
  float FontSize() const { return FFormat.GetFontSize(); }
  // Draws with the painter's current transform, origin in that transform's units.
  void Draw(QPainter& painter, D2D_POINT_2F origin, const QColor& color) const;

private:
  TD2TextLayout(const QString& text, const TD2TextFormat& format, float maxWidth, float maxHeight);
  void Layout();

  QString FText;
  TD2TextFormat FFormat;
  float FMaxWidth;
  float FMaxHeight;
  QFont FFont;
  std::unique_ptr<QTextLayout> FLayout;
  TD2TextMetrics FMetrics;
};

using TD2TextLayoutPtr = std::shared_ptr<TD2TextLayout>;
