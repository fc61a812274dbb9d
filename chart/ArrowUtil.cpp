#include "chart/ArrowUtil.h"

#include "gfx/CustomCanvas.h"
#include "model/base/Rounding.h"

#include <array>
#include <cmath>
#include <numbers>

void RotatePointsAbout(TPointRows& Points, double Angle, double CX, double CY)
{
    const double c = std::cos(Angle), s = std::sin(Angle);
    for (Eigen::Index i = 0; i < Points.rows(); ++i) {
        const double x = Points(i, 0), y = Points(i, 1);
        Points(i, 0) = x * c - y * s + CX * (1 - c) + CY * s;
        Points(i, 1) = x * s + y * c - CX * s + CY * (1 - c);
    }
}

void DrawArrowHead(TCustomCanvas& ACanvas, TPoint P1, TPoint P2, int Size)
{
    const double dx = static_cast<double>(P2.X) - P1.X;
    const double dy = static_cast<double>(P2.Y) - P1.Y;
    if (dx == 0 && dy == 0) return;
    constexpr double pi = std::numbers::pi;
    double angle;
    if (dy == 0)
        angle = dx > 0 ? 0 : pi;
    else if (dx == 0)
        angle = dy > 0 ? pi / 2 : 3 * pi / 2;
    else
        angle = std::atan(dy / dx) + (dx < 0 ? pi : 0);
    const double mx = (static_cast<double>(P1.X) + P2.X) / 2;
    const double my = (static_cast<double>(P1.Y) + P2.Y) / 2;
    const double half = RoundEven(Size / 2.0);
    TPointRows head(3, 2);
    head << mx + Size, my, mx - Size, my - half, mx - Size, my + half;
    RotatePointsAbout(head, angle, mx, my);
    std::array<TPoint, 3> corners;
    for (int i = 0; i < 3; ++i) corners[i] = TPoint{RoundEven(head(i, 0)), RoundEven(head(i, 1))};
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Pen().SetWidth(1);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Polygon(corners);
}
