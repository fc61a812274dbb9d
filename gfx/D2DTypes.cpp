#include "gfx/D2DTypes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

D2D_MATRIX_3X2_F D2D_MATRIX_3X2_F::Translation(float x, float y) {
  D2D_MATRIX_3X2_F m;
  m._31 = x;
  m._32 = y;
  return m;
}

D2D_MATRIX_3X2_F D2D_MATRIX_3X2_F::Scale(float x, float y, D2D_POINT_2F center) {
  D2D_MATRIX_3X2_F m;
  m._11 = x;
  m._22 = y;
  m._31 = center.x - x * center.x;
  m._32 = center.y - y * center.y;
  return m;
}

D2D_MATRIX_3X2_F D2D_MATRIX_3X2_F::Rotation(float angle, D2D_POINT_2F center) {
  const double rad = angle * std::numbers::pi / 180.0;
  const float c = static_cast<float>(std::cos(rad));
  const float s = static_cast<float>(std::sin(rad));
  D2D_MATRIX_3X2_F m;
  m._11 = c;
  m._12 = s;
  m._21 = -s;
  m._22 = c;
  m._31 = center.x - c * center.x + s * center.y;
  m._32 = center.y - s * center.x - c * center.y;
  return m;
}

D2D_MATRIX_3X2_F D2D_MATRIX_3X2_F::Skew(float angleX, float angleY, D2D_POINT_2F center) {
  const float tx = static_cast<float>(std::tan(angleX * std::numbers::pi / 180.0));
  const float ty = static_cast<float>(std::tan(angleY * std::numbers::pi / 180.0));
  D2D_MATRIX_3X2_F m;
  m._12 = ty;
  m._21 = tx;
  m._31 = -center.y * tx;
  m._32 = -center.x * ty;
  return m;
}

bool D2D_MATRIX_3X2_F::IsInvertible() const {
  const float det = Determinant();
  return det != 0 && std::isfinite(det);
}

bool D2D_MATRIX_3X2_F::IsIdentity() const { return *this == Identity(); }

bool D2D_MATRIX_3X2_F::Invert() {
  if (!IsInvertible()) return false;
  const double det = static_cast<double>(_11) * _22 - static_cast<double>(_12) * _21;
  const double i11 = _22 / det, i12 = -_12 / det;
  const double i21 = -_21 / det, i22 = _11 / det;
  const double i31 = -(_31 * i11 + _32 * i21);
  const double i32 = -(_31 * i12 + _32 * i22);
  *this = D2D_MATRIX_3X2_F{static_cast<float>(i11), static_cast<float>(i12), static_cast<float>(i21),
                           static_cast<float>(i22), static_cast<float>(i31), static_cast<float>(i32)};
  return true;
}

D2D_POINT_2F D2D_MATRIX_3X2_F::TransformPoint(D2D_POINT_2F p) const {
  return D2D_POINT_2F{p.x * _11 + p.y * _21 + _31, p.x * _12 + p.y * _22 + _32};
}

D2D_MATRIX_3X2_F D2D_MATRIX_3X2_F::operator*(const D2D_MATRIX_3X2_F& o) const {
  D2D_MATRIX_3X2_F m;
  m._11 = _11 * o._11 + _12 * o._21;
  m._12 = _11 * o._12 + _12 * o._22;
  m._21 = _21 * o._11 + _22 * o._21;
  m._22 = _21 * o._12 + _22 * o._22;
  m._31 = _31 * o._11 + _32 * o._21 + o._31;
  m._32 = _31 * o._12 + _32 * o._22 + o._32;
  return m;
}

D2D_COLOR_F D2D1ColorF(TColor color, float alpha) {
  const TColor rgb = ColorToRGB(color);
  return D2D_COLOR_F{GetRValue(rgb) / 255.0f, GetGValue(rgb) / 255.0f, GetBValue(rgb) / 255.0f, alpha};
}

QColor ToQColor(const D2D_COLOR_F& color) {
  QColor c;
  c.setRgbF(std::clamp(color.r, 0.0f, 1.0f), std::clamp(color.g, 0.0f, 1.0f), std::clamp(color.b, 0.0f, 1.0f),
            std::clamp(color.a, 0.0f, 1.0f));
  return c;
}

QRectF ToQRectF(const D2D_RECT_F& r) {
  return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized();
}

D2D_RECT_F FromQRectF(const QRectF& r) {
  return D2D_RECT_F{static_cast<float>(r.left()), static_cast<float>(r.top()), static_cast<float>(r.right()),
                    static_cast<float>(r.bottom())};
}

QTransform ToQTransform(const D2D_MATRIX_3X2_F& m) { return QTransform(m._11, m._12, m._21, m._22, m._31, m._32); }

D2D_MATRIX_3X2_F FromQTransform(const QTransform& t) {
  return D2D_MATRIX_3X2_F{static_cast<float>(t.m11()), static_cast<float>(t.m12()), static_cast<float>(t.m21()),
                          static_cast<float>(t.m22()), static_cast<float>(t.dx()), static_cast<float>(t.dy())};
}
