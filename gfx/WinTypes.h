#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Integer point, size and rectangle as the GDI knows them. Unlike QRect, a TRect's
// right and bottom edges lie just outside the area it covers: its width is
// Right - Left.
struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const TSize&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

inline QPoint ToQPoint(TPoint p) { return QPoint(p.X, p.Y); }
inline TPoint FromQPoint(QPoint p) { return TPoint{p.x(), p.y()}; }
// The QRect covering the same pixels (QRect's right() is inclusive).
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// a * b / c with a 64-bit product, rounded to the nearest integer with halves away
// from zero. A zero divisor or a quotient outside the Int32 range gives -1, which
// is what callers written against the Windows function expect.
int MulDiv(int a, int b, int c);

// Nearest integer with halves to the even neighbour. Not-a-number gives 0 and values
// beyond the Int32 range are clamped, so no caller ever casts a non-finite double.
int RoundHalfEvenToInt(double value);
