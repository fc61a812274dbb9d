#include "chart/MVChartLine.h"

#include <cmath>

namespace {

double ToAxisSpace(const TMVAxis& Axis, double V) { return Axis.Log() ? std::log10(V) : V; }
double FromAxisSpace(const TMVAxis& Axis, double V) { return Axis.Log() ? std::pow(10.0, V) : V; }

// The middle of the axis's range in axis space.
double AxisMiddle(const TMVAxis& Axis)
{
    const double lo = ToAxisSpace(Axis, Axis.Min()), hi = ToAxisSpace(Axis, Axis.Max());
    return lo + (hi - lo) / 2;
}

} // namespace

void TMVLine::SetA(double Value)
{
    const bool fits = FLineSlope == lsDontCare || (FLineSlope == lsPositive && Value > 0) ||
                      (FLineSlope == lsNegative && Value < 0);
    if (fits) FA = Value;
}

double TMVLine::ValueAt(double AX) const
{
    const double x = FXAxis ? ToAxisSpace(*FXAxis, AX) : AX;
    const double y = LineValue(x);
    return FYAxis ? FromAxisSpace(*FYAxis, y) : y;
}

bool TMVLine::GetEnd(ChartTypes::TDblPoint& P, bool Right) const
{
    if (!FXAxis || !FYAxis) return false;
    const TMVAxis& xa = *FXAxis;
    const TMVAxis& ya = *FYAxis;
    P.x = Right ? xa.Max() : xa.Min();
    P.y = ValueAt(P.x);
    if (ya.Min() <= P.y && P.y <= ya.Max()) return true;
    // The line enters the value range elsewhere.
    const bool atMin = Right ? !(FA > 0) : FA > 0;
    P.y = atMin ? ya.Min() : ya.Max();
    if (FA == 0) return false;
    const double xs = (ToAxisSpace(ya, P.y) - FB) / FA;
    P.x = FromAxisSpace(xa, xs);
    return xa.Min() <= P.x && P.x <= xa.Max();
}

bool TMVLine::GetLeft(ChartTypes::TDblPoint& P) const { return GetEnd(P, false); }

bool TMVLine::GetRight(ChartTypes::TDblPoint& P) const { return GetEnd(P, true); }

void TMVLine::MoveBy(const ChartTypes::TDblPoint& Prev, const ChartTypes::TDblPoint& Now)
{
    if (!FXAxis || !FYAxis) return;
    const double dx = ToAxisSpace(*FXAxis, Now.x) - ToAxisSpace(*FXAxis, Prev.x);
    const double dy = ToAxisSpace(*FYAxis, Now.y) - ToAxisSpace(*FYAxis, Prev.y);
    const double m = AxisMiddle(*FXAxis);
    const double v = LineValue(m);
    const double b = (v + dy) - (m + dx) * FA;
    // A mouse outside a logarithmic range gives no finite shift: keep the line.
    if (std::isfinite(b)) FB = b;
}

void TMVLine::TurnThrough(const ChartTypes::TDblPoint& C)
{
    ChartTypes::TDblPoint l, r;
    if (!GetLeft(l) || !GetRight(r)) return;
    const double lx = ToAxisSpace(*FXAxis, l.x), ly = ToAxisSpace(*FYAxis, l.y);
    const double cx = ToAxisSpace(*FXAxis, C.x), cy = ToAxisSpace(*FYAxis, C.y);
    const double a = (cy - ly) / (cx - lx);
    // The mouse straight above the pivot gives no slope at all.
    if (!std::isfinite(a)) return;
    SetA(a);
    FB = ly - FA * lx;
}

double TVerticalLine::YMin() const
{
    if (FOnGetYMin) return FOnGetYMin();
    return YAxis() ? YAxis()->Min() : 0;
}

double TVerticalLine::YMax() const
{
    if (FOnGetYMax) return FOnGetYMax();
    return YAxis() ? YAxis()->Max() : 1;
}
