#include "gfx/D2DText.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

namespace {

int QtStretch(int stretch) {
  static constexpr std::array<int, 9> Stretches = {50, 62, 75, 87, 100, 112, 125, 150, 200};
  return Stretches[static_cast<size_t>(std::clamp(stretch, 1, 9) - 1)];
}

float AlignOffset(float box, float extent, int mode /* 0 start, 1 end, 2 centre */) {
  switch (mode) {
    case 1:
      return box - extent;
    case 2:
      return (box - extent) / 2;
    default:
      return 0;
  }
}

}  // namespace

std::shared_ptr<TD2TextFormat> TD2TextFormat::Create(const QString& family, int weight, TD2FontStyle style,
                                                     int stretch, float size, const QString& locale) {
  if (family.isEmpty() || !(size > 0) || !std::isfinite(size)) return nullptr;
  std::shared_ptr<TD2TextFormat> format(new TD2TextFormat());
  format->FFamily = family;
  format->FWeight = std::clamp(weight, 1, 999);
  format->FStyle = style;
  format->FStretch = std::clamp(stretch, 1, 9);
  format->FSize = size;
  format->FLocale = locale;
  return format;
}

QFont TD2TextFormat::Font() const {
  QFont font(FFamily);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(FSize))));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(FWeight, 100, 900)));
  if (FStyle == TD2FontStyle::Italic) font.setStyle(QFont::StyleItalic);
  if (FStyle == TD2FontStyle::Oblique) font.setStyle(QFont::StyleOblique);
  if (FStretch != D2FontStretchNormal) font.setStretch(QtStretch(FStretch));
  return font;
}

std::shared_ptr<TD2TextLayout> TD2TextLayout::Create(const QString& text, const TD2TextFormat& format,
                                                     float maxWidth, float maxHeight) {
  return std::shared_ptr<TD2TextLayout>(new TD2TextLayout(text, format, maxWidth, maxHeight));
}

TD2TextLayout::TD2TextLayout(const QString& text, const TD2TextFormat& format, float maxWidth, float maxHeight)
    : FText(text), FFormat(format), FMaxWidth(std::max(0.0f, maxWidth)), FMaxHeight(std::max(0.0f, maxHeight)),
      FFont(format.Font()) {
  Layout();
}

void TD2TextLayout::SetUnderline(bool underline) {
  FFont.setUnderline(underline);
  Layout();
}

void TD2TextLayout::SetStrikethrough(bool strikethrough) {
  FFont.setStrikeOut(strikethrough);
  Layout();
}

void TD2TextLayout::Layout() {
  QString text = FText;
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  FLayout = std::make_unique<QTextLayout>(text, FFont);
  QTextOption option;
  const bool wrap = FFormat.GetWordWrapping() == TD2WordWrapping::Wrap && FMaxWidth > 0;
  option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
  FLayout->setTextOption(option);

  const int hMode = static_cast<int>(FFormat.GetTextAlignment());
  float y = 0, left = FLT_MAX, width = 0, fullWidth = 0;
  FLayout->beginLayout();
  for (QTextLine line = FLayout->createLine(); line.isValid(); line = FLayout->createLine()) {
    line.setLineWidth(wrap ? FMaxWidth : 1e7);
    const float w = static_cast<float>(line.naturalTextWidth());
    const float x = AlignOffset(FMaxWidth, w, hMode);
    line.setPosition(QPointF(x, y));
    left = std::min(left, x);
    width = std::max(width, w);
    fullWidth = std::max(fullWidth, static_cast<float>(line.horizontalAdvance()));
    y += static_cast<float>(line.height());
  }
  FLayout->endLayout();

  const float top = AlignOffset(FMaxHeight, y, static_cast<int>(FFormat.GetParagraphAlignment()));
  for (int i = 0; i < FLayout->lineCount(); ++i) {
    QTextLine line = FLayout->lineAt(i);
    line.setPosition(line.position() + QPointF(0, top));
  }
  FMetrics = TD2TextMetrics{};
  FMetrics.left = FLayout->lineCount() > 0 ? left : 0;
  FMetrics.top = top;
  FMetrics.width = width;
  FMetrics.widthIncludingTrailingWhitespace = std::max(width, fullWidth);
  FMetrics.height = y;
  FMetrics.layoutWidth = FMaxWidth;
  FMetrics.layoutHeight = FMaxHeight;
  FMetrics.lineCount = static_cast<unsigned>(FLayout->lineCount());
}

void TD2TextLayout::Draw(QPainter& painter, D2D_POINT_2F origin, const QColor& color) const {
  painter.save();
  painter.setPen(color);
  painter.setFont(FFont);
  FLayout->draw(&painter, ToQPointF(origin));
  painter.restore();
}
