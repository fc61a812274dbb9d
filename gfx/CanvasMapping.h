#pragma once

#include "gfx/WinTypes.h"

#include <QPointF>

// Mapping modes of a GDI-style canvas: how logical coordinates become device units.
enum TMapMode : int {
  MM_TEXT = 1,
  MM_LOMETRIC = 2,
  MM_HIMETRIC = 3,
  MM_LOENGLISH = 4,
  MM_HIENGLISH = 5,
  MM_TWIPS = 6,
  MM_ISOTROPIC = 7,
  MM_ANISOTROPIC = 8
};

// What the mapping needs to know of the device; sizes in millimetres.
struct TDeviceMetrics {
  int HorzRes = 0;
  int VertRes = 0;
  double HorzSizeMM = 0;
  double VertSizeMM = 0;
};

// device = (logical - window origin) * viewport extent / window extent + viewport origin.
// The metric and English modes have fixed extents from the device's physical size and
// y growing upwards; the isotropic mode keeps both axes at the same scale.
class TCanvasMapping {
public:
  explicit TCanvasMapping(const TDeviceMetrics& metrics = {});

  int MapMode() const { return FMode; }
  // Returns the previous mode; an unknown mode changes nothing and gives 0.
  int SetMapMode(int mode);
  // Extents only count in the isotropic and anisotropic modes; zero extents are refused.
  bool SetWindowExt(int cx, int cy);
  bool SetViewportExt(int cx, int cy);
  void SetWindowOrg(int x, int y) { FWindowOrg = TPoint{x, y}; }
  void SetViewportOrg(int x, int y) { FViewportOrg = TPoint{x, y}; }
  TSize WindowExt() const { return FWindowExt; }
  TSize ViewportExt() const { return FViewportExt; }
  TPoint WindowOrg() const { return FWindowOrg; }
  TPoint ViewportOrg() const { return FViewportOrg; }

  // Device units per logical unit, negative where the axis is flipped.
  double ScaleX() const { return FScaleX; }
  double ScaleY() const { return FScaleY; }
  QPointF ToDevice(const QPointF& logical) const;
  QPointF ToLogical(const QPointF& device) const;

private:
  bool HasFreeExtents() const { return FMode == MM_ISOTROPIC || FMode == MM_ANISOTROPIC; }
  void SetFixedMode(double unitsPerMM);
  void AdjustIsotropic();
  void UpdateScale();

  TDeviceMetrics FMetrics;
  int FMode = MM_TEXT;
  TSize FWindowExt{1, 1};
  TSize FViewportExt{1, 1};
  TPoint FWindowOrg;
  TPoint FViewportOrg;
  double FScaleX = 1;
  double FScaleY = 1;
};
