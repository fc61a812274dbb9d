#pragma once

// TRect, Rect and Bounds are the drawing layer's (header-only there).
#include "gfx/WinTypes.h"

// A point in world metres (y up); base of the iso-line crossing points and
// of the mesh builder's points.
class TDblPoint {
public:
    TDblPoint() = default;
    TDblPoint(double AX, double AY) : FX(AX), FY(AY) {}
    // Copies Pt; a missing point gives (0, 0).
    explicit TDblPoint(const TDblPoint* Pt);
    virtual ~TDblPoint() = default;

    double X() const { return FX; }
    void SetX(double V) { FX = V; }
    double Y() const { return FY; }
    void SetY(double V) { FY = V; }

    // Euclidean distance; NaN when Pt is missing.
    virtual double Distance(const TDblPoint* Pt) const;

private:
    double FX = 0;
    double FY = 0;
};
