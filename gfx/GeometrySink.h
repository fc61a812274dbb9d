#pragma once

// Receiver of the figures of a geometry operation (combine, simplify) in double
// precision. The model implements it to collect groundwater intersection outlines.
struct TPointD { double x; double y; };

class ISimplifiedGeometrySink {
public:
  virtual ~ISimplifiedGeometrySink() = default;
  virtual void SetFillMode(int fillMode) = 0;
  virtual void SetSegmentFlags(int flags) = 0;
  virtual void BeginFigure(TPointD startPoint, bool filled) = 0;
  virtual void AddLines(const TPointD* points, unsigned count) = 0;
  virtual void AddBeziers(const TPointD* points, unsigned count) = 0; // 3 points per bezier
  virtual void EndFigure(bool closed) = 0;
  virtual bool Close() = 0;
};
