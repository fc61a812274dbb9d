#pragma once

#include "gfx/Colors.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <functional>

// The value types of the plan's drawing interface: points, rectangles and sizes in
// single precision (device-independent pixels on the plan), colours with float
// channels, ellipses, rounded rectangles and the 3x2 affine matrix.

struct D2D_POINT_2F {
  float x = 0;
  float y = 0;
  bool operator==(const D2D_POINT_2F&) const = default;
};

// Maps a world point (metres, y up) to a plan point (DIPs, y down); the
// plan items, the project and the contour map draw through it. Double
// precision on both sides: world points are georeferenced (UTM eastings of
// millions of metres), where single precision would lose whole decimetres.
using TConvertFunction = std::function<QPointF(QPointF)>;


struct D2D_RECT_F {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
  bool operator==(const D2D_RECT_F&) const = default;
};

struct D2D_SIZE_F {
  float width = 0;
  float height = 0;
  bool operator==(const D2D_SIZE_F&) const = default;
};

struct D2D_COLOR_F {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 1;
  bool operator==(const D2D_COLOR_F&) const = default;
};

struct D2D1_ELLIPSE {
  D2D_POINT_2F point;
  float radiusX = 0;
  float radiusY = 0;
};

struct D2D1_ROUNDED_RECT {
  D2D_RECT_F rect;
  float radiusX = 0;
  float radiusY = 0;
};

// Row-vector affine matrix: a point (x, y) maps to
// (x * _11 + y * _21 + _31, x * _12 + y * _22 + _32).
// A * B applies A first, then B.
struct D2D_MATRIX_3X2_F {
  float _11 = 1, _12 = 0;
  float _21 = 0, _22 = 1;
  float _31 = 0, _32 = 0;

  static D2D_MATRIX_3X2_F Identity() { return {}; }
  static D2D_MATRIX_3X2_F Translation(float x, float y);
  static D2D_MATRIX_3X2_F Translation(D2D_SIZE_F size) { return Translation(size.width, size.height); }
  static D2D_MATRIX_3X2_F Scale(float x, float y, D2D_POINT_2F center = {});
  // Clockwise on the screen (y downwards) for a positive angle in degrees.
  static D2D_MATRIX_3X2_F Rotation(float angle, D2D_POINT_2F center = {});
  static D2D_MATRIX_3X2_F Skew(float angleX, float angleY, D2D_POINT_2F center = {});

  float Determinant() const { return _11 * _22 - _12 * _21; }
  bool IsInvertible() const;
  bool IsIdentity() const;
  // Inverts in place; a singular matrix stays unchanged and gives false.
  bool Invert();
  D2D_POINT_2F TransformPoint(D2D_POINT_2F p) const;

  D2D_MATRIX_3X2_F operator*(const D2D_MATRIX_3X2_F& other) const;
  bool operator==(const D2D_MATRIX_3X2_F&) const = default;
};

inline D2D_POINT_2F D2D1PointF(float x, float y) { return D2D_POINT_2F{x, y}; }
inline D2D_RECT_F D2D1RectF(float left, float top, float right, float bottom) {
  return D2D_RECT_F{left, top, right, bottom};
}
inline D2D_SIZE_F D2D1SizeF(float width, float height) { return D2D_SIZE_F{width, height}; }
inline D2D1_ELLIPSE D2D1Ellipse(D2D_POINT_2F center, float radiusX, float radiusY) {
  return D2D1_ELLIPSE{center, radiusX, radiusY};
}
inline D2D1_ROUNDED_RECT D2D1RoundedRect(const D2D_RECT_F& rect, float radiusX, float radiusY) {
  return D2D1_ROUNDED_RECT{rect, radiusX, radiusY};
}
inline D2D_COLOR_F D2D1ColorF(float r, float g, float b, float a = 1) { return D2D_COLOR_F{r, g, b, a}; }
// From a $BBGGRR colour.
D2D_COLOR_F D2D1ColorF(TColor color, float alpha = 1);

QColor ToQColor(const D2D_COLOR_F& color);
inline QPointF ToQPointF(D2D_POINT_2F p) { return QPointF(p.x, p.y); }
inline D2D_POINT_2F FromQPointF(const QPointF& p) {
  return D2D_POINT_2F{static_cast<float>(p.x()), static_cast<float>(p.y())};
}
// The rectangle spanned by the two corners, whatever their order.
QRectF ToQRectF(const D2D_RECT_F& r);
D2D_RECT_F FromQRectF(const QRectF& r);
QTransform ToQTransform(const D2D_MATRIX_3X2_F& m);
D2D_MATRIX_3X2_F FromQTransform(const QTransform& t);
