#pragma once

#include <QPointF>
#include <QRectF>

// Maps a surface point (plan x, temperature as height, plan y) onto the
// screen. The data box is scaled into a cube of half-size 1 around the
// origin (plan axes keep their aspect ratio, the height fills the cube),
// turned by Rotation about the vertical axis and tilted by Elevation about
// the screen's horizontal axis (360° looks level at the box, 270° from
// straight above), seen with a perspective of Perspective % and drawn at
// Zoom % of the viewport. Depth grows away from the viewer: painting far
// triangles first gives the painter's order.
class TSurfaceProjection {
public:
    static constexpr double DefaultRotation = 327;
    static constexpr double DefaultElevation = 352;
    static constexpr double DefaultPerspective = 50;
    static constexpr double DefaultZoom = 60;

    struct TMapped {
        QPointF Screen;
        double Depth = 0;
    };

    void SetBox(double X0, double X1, double T0, double T1, double Y0, double Y1);
    void SetViewport(const QRectF& R) { FViewport = R; }
    QRectF Viewport() const { return FViewport; }

    double Rotation() const { return FRotation; }
    void SetRotation(double V);
    double Elevation() const { return FElevation; }
    void SetElevation(double V);
    double Zoom() const { return FZoom; }
    void SetZoom(double V);
    double Perspective() const { return FPerspective; }
    void SetPerspective(double V) { FPerspective = V; }
    void Reset();

    TMapped Map(double X, double T, double Y) const;

private:
    double FX0 = 0, FX1 = 1, FT0 = 0, FT1 = 1, FY0 = 0, FY1 = 1;
    QRectF FViewport{0, 0, 100, 100};
    double FRotation = DefaultRotation;
    double FElevation = DefaultElevation;
    double FPerspective = DefaultPerspective;
    double FZoom = DefaultZoom;
};
