#include "gfx/CanvasMapping.h"

#include <cmath>

TCanvasMapping::TCanvasMapping(const TDeviceMetrics& metrics) : FMetrics(metrics) {}

int TCanvasMapping::SetMapMode(int mode) {
  const int previous = FMode;
  switch (mode) {
    case MM_TEXT:
      FMode = mode;
      FWindowExt = FViewportExt = TSize{1, 1};
      UpdateScale();
      break;
    case MM_LOMETRIC:
      FMode = mode;
      SetFixedMode(10);
      break;
    case MM_HIMETRIC:
      FMode = mode;
      SetFixedMode(100);
      break;
    case MM_LOENGLISH:
      FMode = mode;
      SetFixedMode(100 / 25.4);
      break;
    case MM_HIENGLISH:
      FMode = mode;
      SetFixedMode(1000 / 25.4);
      break;
    case MM_TWIPS:
      FMode = mode;
      SetFixedMode(1440 / 25.4);
      break;
    case MM_ISOTROPIC:
      FMode = mode;
      AdjustIsotropic();
      UpdateScale();
      break;
    case MM_ANISOTROPIC:
      FMode = mode;  // keeps the extents of the previous mode
      UpdateScale();
      break;
    default:
      return 0;
  }
  return previous;
}

// The exact device scale is kept in double precision; the integer extents are what
// a caller asking for them gets, as on the platform.
void TCanvasMapping::SetFixedMode(double unitsPerMM) {
  const bool known = FMetrics.HorzSizeMM > 0 && FMetrics.VertSizeMM > 0;
  const double horzMM = known ? FMetrics.HorzSizeMM : 1;
  const double vertMM = known ? FMetrics.VertSizeMM : 1;
  const int horzRes = known ? FMetrics.HorzRes : 1;
  const int vertRes = known ? FMetrics.VertRes : 1;
  FWindowExt = TSize{static_cast<int>(std::lround(horzMM * unitsPerMM)),
                     static_cast<int>(std::lround(vertMM * unitsPerMM))};
  FViewportExt = TSize{horzRes, -vertRes};
  FScaleX = horzRes / (horzMM * unitsPerMM);
  FScaleY = -vertRes / (vertMM * unitsPerMM);
}

bool TCanvasMapping::SetWindowExt(int cx, int cy) {
  if (!HasFreeExtents() || cx == 0 || cy == 0) return false;
  FWindowExt = TSize{cx, cy};
  AdjustIsotropic();
  UpdateScale();
  return true;
}

bool TCanvasMapping::SetViewportExt(int cx, int cy) {
  if (!HasFreeExtents() || cx == 0 || cy == 0) return false;
  FViewportExt = TSize{cx, cy};
  AdjustIsotropic();
  UpdateScale();
  return true;
}

// Shrinks the larger of the two scales so that a logical unit is as long in x as in y.
void TCanvasMapping::AdjustIsotropic() {
  if (FMode != MM_ISOTROPIC) return;
  const double sx = static_cast<double>(FViewportExt.cx) / FWindowExt.cx;
  const double sy = static_cast<double>(FViewportExt.cy) / FWindowExt.cy;
  if (std::abs(sx) < std::abs(sy))
    FViewportExt.cy = static_cast<int>(std::copysign(std::lround(std::abs(FWindowExt.cy * sx)), FViewportExt.cy));
  else if (std::abs(sy) < std::abs(sx))
    FViewportExt.cx = static_cast<int>(std::copysign(std::lround(std::abs(FWindowExt.cx * sy)), FViewportExt.cx));
}

void TCanvasMapping::UpdateScale() {
  FScaleX = static_cast<double>(FViewportExt.cx) / FWindowExt.cx;
  FScaleY = static_cast<double>(FViewportExt.cy) / FWindowExt.cy;
}

QPointF TCanvasMapping::ToDevice(const QPointF& logical) const {
  return QPointF((logical.x() - FWindowOrg.X) * FScaleX + FViewportOrg.X,
                 (logical.y() - FWindowOrg.Y) * FScaleY + FViewportOrg.Y);
}

QPointF TCanvasMapping::ToLogical(const QPointF& device) const {
  return QPointF((device.x() - FViewportOrg.X) / FScaleX + FWindowOrg.X,
                 (device.y() - FViewportOrg.Y) / FScaleY + FWindowOrg.Y);
}
