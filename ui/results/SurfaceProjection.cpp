#include "ui/results/SurfaceProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Wrap(double Degrees)
{
    double d = std::fmod(Degrees, 360.0);
    return d < 0 ? d + 360 : d;
}

double Centre01(double V, double Lo, double Hi)
{
    return Hi > Lo ? (V - Lo) / (Hi - Lo) * 2 - 1 : 0;
}

} // namespace

void TSurfaceProjection::SetBox(double X0, double X1, double T0, double T1, double Y0, double Y1)
{
    FX0 = X0;
    FX1 = X1;
    FT0 = T0;
    FT1 = T1;
    FY0 = Y0;
    FY1 = Y1;
}

void TSurfaceProjection::SetRotation(double V) { FRotation = Wrap(V); }

void TSurfaceProjection::SetElevation(double V) { FElevation = Wrap(V); }

void TSurfaceProjection::SetZoom(double V) { FZoom = std::clamp(V, 5.0, 1000.0); }

void TSurfaceProjection::Reset()
{
    FRotation = DefaultRotation;
    FElevation = DefaultElevation;
    FPerspective = DefaultPerspective;
    FZoom = DefaultZoom;
}

TSurfaceProjection::TMapped TSurfaceProjection::Map(double X, double T, double Y) const
{
    // Plan axes share one scale so that the field keeps its shape.
    const double wx = FX1 - FX0, wy = FY1 - FY0;
    const double w = std::max(wx, wy);
    const double sx = w > 0 ? wx / w : 1, sy = w > 0 ? wy / w : 1;
    const double px = Centre01(X, FX0, FX1) * sx;
    const double py = Centre01(Y, FY0, FY1) * sy;
    const double h = Centre01(T, FT0, FT1) * 0.6;

    const double rot = FRotation * std::numbers::pi / 180;
    const double x1 = px * std::cos(rot) - py * std::sin(rot);
    const double z1 = px * std::sin(rot) + py * std::cos(rot);  // away from the viewer
    const double tilt = (360 - FElevation) * std::numbers::pi / 180;
    // Seen from above: the far side of the floor rises, high points come near.
    const double y2 = h * std::cos(tilt) + z1 * std::sin(tilt);
    const double z2 = z1 * std::cos(tilt) - h * std::sin(tilt);

    // A perspective of 0 % is parallel projection; 100 % puts the eye close.
    const double eye = 2 + 20 * (1 - std::clamp(FPerspective, 0.0, 100.0) / 100);
    const double f = eye / (eye + z2);
    const double scale = std::min(FViewport.width(), FViewport.height()) / 2 * FZoom / 100 * 1.4;
    return {QPointF(FViewport.center().x() + x1 * f * scale, FViewport.center().y() - y2 * f * scale), z2};
}
