#include "plan/PlanMapping.h"

void TPlanMapping::SetScaleFactorMap(double V)
{
    // A scale of zero or below would turn every conversion into infinities.
    if (V > 0) FScaleFactorMap = V;
}

QPointF TPlanMapping::WorldToPlan(QPointF P) const
{
    return QPointF((P.x() - FWorldOrg.x()) / FScaleFactorMap, -(P.y() - FWorldOrg.y()) / FScaleFactorMap);
}

QPointF TPlanMapping::PlanToWorld(QPointF P) const
{
    return QPointF(P.x() * FScaleFactorMap + FWorldOrg.x(), -P.y() * FScaleFactorMap + FWorldOrg.y());
}

QPointF TPlanMapping::WorldVectorToPlan(QPointF V) const
{
    return QPointF(V.x() / FScaleFactorMap, -(V.y() / FScaleFactorMap));
}

QPointF TPlanMapping::ScreenToPlan(QPointF P) const
{
    bool invertible = false;
    const QTransform inverse = FTransform.inverted(&invertible);
    return invertible ? inverse.map(P) : P;
}

void TPlanMapping::ZoomAt(double Factor, QPointF Center)
{
    if (!(Factor > 0)) return;
    const QTransform about = QTransform::fromTranslate(-Center.x(), -Center.y()) *
                             QTransform::fromScale(Factor, Factor) *
                             QTransform::fromTranslate(Center.x(), Center.y());
    FTransform = FTransform * about;
}

void TPlanMapping::Pan(QPointF Delta)
{
    FTransform = FTransform * QTransform::fromTranslate(Delta.x(), Delta.y());
}

void TPlanMapping::SetExport(double ScaleFactor, QPointF WorldOrg)
{
    if (ScaleFactor > 0) FExportScaleFactor = ScaleFactor;
    FExportWorldOrg = WorldOrg;
}

QPointF TPlanMapping::WorldToExport(QPointF P) const
{
    return QPointF((P.x() - FExportWorldOrg.x()) / FExportScaleFactor,
                   -(P.y() - FExportWorldOrg.y()) / FExportScaleFactor);
}
