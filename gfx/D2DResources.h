#pragma once

#include "gfx/D2DTypes.h"

#include <QImage>
#include <QPainterPathStroker>
#include <QPen>
#include <memory>
#include <vector>

// Solid colour brush. The colour's alpha and the brush opacity multiply.
class TD2SolidColorBrush {
public:
  explicit TD2SolidColorBrush(const D2D_COLOR_F& color, float opacity = 1) : FColor(color), FOpacity(opacity) {}

  D2D_COLOR_F GetColor() const { return FColor; }
  void SetColor(const D2D_COLOR_F& color) { FColor = color; }
  float GetOpacity() const { return FOpacity; }
  void SetOpacity(float opacity) { FOpacity = opacity; }
  // The colour to paint with, opacity included.
  QColor EffectiveColor() const;

private:
  D2D_COLOR_F FColor;
  float FOpacity;
};

using TD2BrushPtr = std::shared_ptr<TD2SolidColorBrush>;

inline TD2BrushPtr CreateSolidColorBrush(const D2D_COLOR_F& color, float opacity = 1) {
  return std::make_shared<TD2SolidColorBrush>(color, opacity);
}

enum class TD2CapStyle : uint8_t { Flat, Square, Round, Triangle };
enum class TD2LineJoin : uint8_t { Miter, Bevel, Round, MiterOrBevel };
enum class TD2DashStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Custom };

struct TD2StrokeStyleProperties {
  TD2CapStyle startCap = TD2CapStyle::Flat;
  TD2CapStyle endCap = TD2CapStyle::Flat;
  TD2CapStyle dashCap = TD2CapStyle::Flat;
  TD2LineJoin lineJoin = TD2LineJoin::Miter;
  float miterLimit = 10;
  TD2DashStyle dashStyle = TD2DashStyle::Solid;
  float dashOffset = 0;
};

// How strokes are drawn: caps, joins and dashes. Dash lengths count in stroke widths.
// QPainter has one cap for both ends and the dashes, so the start cap decides for all;
// a triangle cap is drawn round.
class TD2StrokeStyle {
public:
  explicit TD2StrokeStyle(const TD2StrokeStyleProperties& properties, std::vector<float> dashes = {});

  const TD2StrokeStyleProperties& Properties() const { return FProperties; }
  const std::vector<float>& Dashes() const { return FDashes; }
  void ApplyTo(QPen& pen) const;
  void ApplyTo(QPainterPathStroker& stroker) const;

private:
  QList<qreal> DashPattern() const;
  TD2StrokeStyleProperties FProperties;
  std::vector<float> FDashes;
};

using TD2StrokeStylePtr = std::shared_ptr<TD2StrokeStyle>;

inline TD2StrokeStylePtr CreateStrokeStyle(const TD2StrokeStyleProperties& properties,
                                           std::vector<float> dashes = {}) {
  return std::make_shared<TD2StrokeStyle>(properties, std::move(dashes));
}

enum class TD2InterpolationMode : uint8_t { NearestNeighbor, Linear };

// A picture for the render target. Its size in DIPs follows from its pixels and dpi.
class TD2Bitmap {
public:
  explicit TD2Bitmap(QImage image, float dpiX = 96, float dpiY = 96);

  const QImage& Image() const { return FImage; }
  D2D_SIZE_F GetSize() const;
  QSize GetPixelSize() const { return FImage.size(); }
  void GetDpi(float& dpiX, float& dpiY) const {
    dpiX = FDpiX;
    dpiY = FDpiY;
  }

private:
  QImage FImage;
  float FDpiX;
  float FDpiY;
};

using TD2BitmapPtr = std::shared_ptr<TD2Bitmap>;
