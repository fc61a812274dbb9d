#include "chart/VectorUnit.h"

#include <algorithm>
#include <cmath>
#include <utility>

TVector2 VectorBetween(TPoint P, TPoint Q)
{
    return TVector2{static_cast<double>(Q.X) - P.X, static_cast<double>(Q.Y) - P.Y};
}

void NormalizeRect(TRect& R)
{
    if (R.Right < R.Left) std::swap(R.Left, R.Right);
    if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
}

double DotProduct(TVector2 U, TVector2 V) { return U.x * V.x + U.y * V.y; }

TVector2 SubtractVector(TVector2 U, TVector2 V) { return TVector2{U.x - V.x, U.y - V.y}; }

double VectorLengthSqr(TVector2 U) { return DotProduct(U, U); }

double VectorLength(TVector2 U) { return std::sqrt(VectorLengthSqr(U)); }

TProjection ProjectVector(TVector2 V, TVector2 U)
{
    TProjection p;
    const double uu = VectorLengthSqr(U);
    const double f = uu > 0 ? DotProduct(V, U) / uu : 0;
    p.Along = TVector2{U.x * f, U.y * f};
    p.Across = SubtractVector(V, p.Along);
    p.AlongLength = VectorLength(p.Along);
    p.AcrossLength = VectorLength(p.Across);
    return p;
}

double DistanceToLine(TPoint P, TPoint Q, TPoint R)
{
    return ProjectVector(VectorBetween(P, R), VectorBetween(P, Q)).AcrossLength;
}

bool PointNearSegment(TPoint P1, TPoint P2, TPoint M, int Tol)
{
    if (P1 == P2) return false;
    const int h = std::max(1, Tol / 2);
    TRect r{P1.X, P1.Y, P2.X, P2.Y};
    NormalizeRect(r);
    // In doubles: a point near the int range must not overflow the widened box.
    const double left = static_cast<double>(r.Left) - h, right = static_cast<double>(r.Right) + h;
    const double top = static_cast<double>(r.Top) - h, bottom = static_cast<double>(r.Bottom) + h;
    if (M.X < left || M.X >= right || M.Y < top || M.Y >= bottom) return false;
    return DistanceToLine(P1, P2, M) <= h;
}
