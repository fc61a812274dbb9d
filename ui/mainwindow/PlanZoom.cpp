#include "ui/mainwindow/PlanZoom.h"

#include "model/base/NumberText.h"
#include "plan/PlanMapping.h"

#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>

void ZoomAboutCentre(TPlanMapping& Mapping, double Factor, QSize ControlSize)
{
    const QPointF centre = Mapping.DeviceToDIP(QPointF(ControlSize.width() / 2, ControlSize.height() / 2));
    Mapping.ZoomAt(Factor, centre);
}

double ZoomToExtent(TPlanMapping& Mapping, QSize ControlSize, double X1, double X2, double Y1, double Y2)
{
    constexpr double margin = 10;
    const double s = Mapping.ScaleFactorMap();
    const double w = (X2 - X1) / s, h = (Y2 - Y1) / s;
    if (!std::isfinite(w) || !std::isfinite(h) || (w == 0 && h == 0)) return 0;
    const QPointF control = Mapping.DeviceToDIP(QPointF(ControlSize.width(), ControlSize.height()));
    const QPointF available = control - QPointF(margin, margin);
    // An extent of no width (a row of probes) is fitted by its height alone.
    const double zx = w != 0 ? std::abs(available.x() / w) : INFINITY;
    const double zy = h != 0 ? std::abs(available.y() / h) : INFINITY;
    const double zoom = std::min(zx, zy);
    if (!std::isfinite(zoom) || !(zoom > 0)) return 0;
    // Centred, so the margin is shared on both sides of the tighter axis.
    const QPointF centre = Mapping.WorldToPlan(QPointF((X1 + X2) / 2, (Y1 + Y2) / 2));
    Mapping.SetTransform(QTransform(zoom, 0, 0, zoom, control.x() / 2 - centre.x() * zoom,
                                    control.y() / 2 - centre.y() * zoom));
    return zoom;
}

QString ZoomScaleLine(double Zoom)
{
    return QStringLiteral("Scale ") + FormatFloat(QStringLiteral("0.##"), Zoom);
}
