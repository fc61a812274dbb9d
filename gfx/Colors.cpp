#include "gfx/Colors.h"

#include <algorithm>
#include <array>

namespace {

// Default desktop colours by system colour index.
constexpr std::array<TColor, 31> SystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

}  // namespace

TColor ColorToRGB(TColor color) {
  if ((color & 0xFF000000) == clSystemColor) {
    const uint32_t index = color & 0xFF;
    return index < SystemColors.size() ? SystemColors[index] : clBlack;
  }
  return color;
}

QColor ColorToQColor(TColor color, double opacity) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  const TColor rgb = ColorToRGB(color);
  QColor result(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  result.setAlphaF(static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
  return result;
}

TColor QColorToColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return RGB(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
             static_cast<uint8_t>(rgb.blue()));
}
