#pragma once

#include "gfx/WinTypes.h"

// Small 2-D vector helpers behind the chart's test whether the mouse is near a line.

struct TVector2 {
    double x = 0;
    double y = 0;
    bool operator==(const TVector2&) const = default;
};

// The parts of V along U and across it, with their lengths.
struct TProjection {
    TVector2 Along;
    TVector2 Across;
    double AlongLength = 0;
    double AcrossLength = 0;
};

TVector2 VectorBetween(TPoint P, TPoint Q);
void NormalizeRect(TRect& R);
double DotProduct(TVector2 U, TVector2 V);
TVector2 SubtractVector(TVector2 U, TVector2 V);
double VectorLengthSqr(TVector2 U);
double VectorLength(TVector2 U);
// U of length 0 has no direction: everything of V is across it.
TProjection ProjectVector(TVector2 V, TVector2 U);
// Distance of R from the straight line through P and Q.
double DistanceToLine(TPoint P, TPoint Q, TPoint R);
// M within Tol div 2 (at least 1) of the segment, inside the segment's box widened by as much.
bool PointNearSegment(TPoint P1, TPoint P2, TPoint M, int Tol);
