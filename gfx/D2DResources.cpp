#include "gfx/D2DResources.h"

#include <algorithm>

QColor TD2SolidColorBrush::EffectiveColor() const {
  D2D_COLOR_F c = FColor;
  c.a *= std::clamp(FOpacity, 0.0f, 1.0f);
  return ToQColor(c);
}

namespace {

Qt::PenCapStyle QtCap(TD2CapStyle cap) {
  switch (cap) {
    case TD2CapStyle::Flat:
      return Qt::FlatCap;
    case TD2CapStyle::Square:
      return Qt::SquareCap;
    case TD2CapStyle::Round:
    case TD2CapStyle::Triangle:
      return Qt::RoundCap;
  }
  return Qt::FlatCap;
}

Qt::PenJoinStyle QtJoin(TD2LineJoin join) {
  switch (join) {
    case TD2LineJoin::Miter:
      return Qt::MiterJoin;
    case TD2LineJoin::Bevel:
      return Qt::BevelJoin;
    case TD2LineJoin::Round:
      return Qt::RoundJoin;
    case TD2LineJoin::MiterOrBevel:
      return Qt::SvgMiterJoin;
  }
  return Qt::MiterJoin;
}

}  // namespace

TD2StrokeStyle::TD2StrokeStyle(const TD2StrokeStyleProperties& properties, std::vector<float> dashes)
    : FProperties(properties), FDashes(std::move(dashes)) {}

QList<qreal> TD2StrokeStyle::DashPattern() const {
  // Qt needs positive entries; a dot of length 0 shows only through its caps anyway.
  auto positive = [](std::initializer_list<qreal> l) {
    QList<qreal> r;
    for (qreal v : l) r.append(std::max(v, 1e-3));
    return r;
  };
  switch (FProperties.dashStyle) {
    case TD2DashStyle::Solid:
      return {};
    case TD2DashStyle::Dash:
      return positive({2, 2});
    case TD2DashStyle::Dot:
      return positive({0, 2});
    case TD2DashStyle::DashDot:
      return positive({2, 2, 0, 2});
    case TD2DashStyle::DashDotDot:
      return positive({2, 2, 0, 2, 0, 2});
    case TD2DashStyle::Custom: {
      QList<qreal> r;
      for (float v : FDashes) r.append(std::max<qreal>(v, 1e-3));
      if (r.size() % 2 == 1) r.append(r.back());  // Qt wants dash-gap pairs
      return r;
    }
  }
  return {};
}

void TD2StrokeStyle::ApplyTo(QPen& pen) const {
  pen.setCapStyle(QtCap(FProperties.startCap));
  pen.setJoinStyle(QtJoin(FProperties.lineJoin));
  pen.setMiterLimit(FProperties.miterLimit);
  const QList<qreal> pattern = DashPattern();
  if (pattern.isEmpty()) {
    pen.setStyle(Qt::SolidLine);
  } else {
    pen.setDashPattern(pattern);
    pen.setDashOffset(FProperties.dashOffset);
  }
}

void TD2StrokeStyle::ApplyTo(QPainterPathStroker& stroker) const {
  stroker.setCapStyle(QtCap(FProperties.startCap));
  stroker.setJoinStyle(QtJoin(FProperties.lineJoin));
  stroker.setMiterLimit(FProperties.miterLimit);
  const QList<qreal> pattern = DashPattern();
  if (!pattern.isEmpty()) {
    stroker.setDashPattern(pattern);
    stroker.setDashOffset(FProperties.dashOffset);
  }
}

TD2Bitmap::TD2Bitmap(QImage image, float dpiX, float dpiY)
    : FImage(std::move(image)), FDpiX(dpiX > 0 ? dpiX : 96), FDpiY(dpiY > 0 ? dpiY : 96) {}

D2D_SIZE_F TD2Bitmap::GetSize() const {
  return D2D_SIZE_F{FImage.width() * 96.0f / FDpiX, FImage.height() * 96.0f / FDpiY};
}
