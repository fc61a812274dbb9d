#include "gfx/RotatedText.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double DegreesPerRadian = 57.29577951308232;

}  // namespace

void TextOutRotated(TCustomCanvas& ACanvas, const TFont& AFont, int X, int Y, int Angle, const QString& Text) {
  if (Text.isEmpty()) return;
  TFont rotated(AFont);
  // Whole turns change nothing, and tenths of a huge angle would not fit an int.
  rotated.SetOrientation((Angle % 360) * 10);
  const TFont saved(ACanvas.Font());
  ACanvas.Font().Assign(rotated);
  ACanvas.TextOut(X, Y, Text);
  ACanvas.Font().Assign(saved);
}

double SegmentAngle(TPoint P1, TPoint P2) {
  // In doubles: the difference of two ints need not fit an int.
  const double dx = static_cast<double>(P2.X) - P1.X;
  const double dy = static_cast<double>(P2.Y) - P1.Y;
  constexpr double pi = std::numbers::pi;
  if (dx == 0) {
    if (dy > 0) return pi / 2;
    if (dy < 0) return 3 * pi / 2;
    return 0;
  }
  if (dx > 0) {
    if (dy > 0) return std::atan(dy / dx);
    if (dy < 0) return std::atan(dy / dx) + 2 * pi;
    return 0;
  }
  return std::atan(dy / dx) + pi;
}

void TextAlongLine(TCustomCanvas& ACanvas, TPoint P1, TPoint P2, const TFont& AFont, const QString& Text,
                   bool Beside) {
  // AFont may be the canvas font itself.
  const TFont font(AFont);
  ACanvas.Font().Assign(font);
  const double dx = static_cast<double>(P1.X) - P2.X;
  const double dy = static_cast<double>(P1.Y) - P2.Y;
  const int length = RoundHalfEvenToInt(std::sqrt(dx * dx + dy * dy));
  const TSize extent = ACanvas.TextExtent(Text);
  const int e = length / 2 - extent.cx / 2;
  const int f = extent.cy / 2;
  const double a = SegmentAngle(P1, P2);
  const double u = e;
  const double v = Beside ? f : -f;
  const int x = P1.X + RoundHalfEvenToInt(u * std::cos(a) - v * std::sin(a));
  const int y = P1.Y + RoundHalfEvenToInt(u * std::sin(a) + v * std::cos(a));
  TextOutRotated(ACanvas, font, x, y, RoundHalfEvenToInt(-a * DegreesPerRadian), Text);
}
