#include "plan/PlanIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "model/base/KPError.h"

#include <cmath>
#include <functional>

namespace {

// A double-headed arrow from A to B in the picture's pixels.
void DoubleArrow(QPainter& P, QPointF A, QPointF B, double Head)
{
    const QPointF d = B - A;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    P.drawLine(A + u * Head * 0.8, B - u * Head * 0.8);
    P.drawPolygon(QPolygonF({B, B - u * Head + n * Head * 0.6, B - u * Head - n * Head * 0.6}));
    P.drawPolygon(QPolygonF({A, A + u * Head + n * Head * 0.6, A + u * Head - n * Head * 0.6}));
}

QImage Draw(int W, int H, const std::function<void(QPainter&)>& Paint)
{
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), std::max(2.0, W / 14.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(40, 40, 40));
    Paint(p);
    return image;
}

QImage RotateIcon(int S)
{
    return Draw(S, S, [S](QPainter& p) {
        const double r = S * 0.32, c = S / 2.0;
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c - r, c - r, 2 * r, 2 * r), 30 * 16, 280 * 16);
        const QPointF tip(c + r * std::cos(M_PI / 6), c - r * std::sin(M_PI / 6));
        p.setBrush(QColor(40, 40, 40));
        const double h = S * 0.18;
        p.drawPolygon(QPolygonF({tip + QPointF(-h, -h * 0.2), tip + QPointF(h * 0.5, -h), tip + QPointF(h * 0.4, h * 0.5)}));
    });
}

QImage ArrowGW()
{
    // A broad blue arrow pointing downstream (down in the grid's frame).
    QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 60, 140), 3));
    p.setBrush(QColor(30, 120, 230, 200));
    p.drawPolygon(QPolygonF({QPointF(48, 8), QPointF(80, 8), QPointF(80, 72), QPointF(108, 72), QPointF(64, 120),
                             QPointF(20, 72), QPointF(48, 72)}));
    return image;
}

}  // namespace

QImage PlanIcon(const QString& ResName)
{
    if (ResName == QLatin1String("CRns"))
        return Draw(20, 46, [](QPainter& p) { DoubleArrow(p, QPointF(10, 3), QPointF(10, 43), 9); });
    if (ResName == QLatin1String("CRwe"))
        return Draw(48, 21, [](QPainter& p) { DoubleArrow(p, QPointF(3, 10.5), QPointF(45, 10.5), 9); });
    if (ResName == QLatin1String("CRnwse"))
        return Draw(37, 37, [](QPainter& p) { DoubleArrow(p, QPointF(4, 4), QPointF(33, 33), 10); });
    if (ResName == QLatin1String("CRmove"))
        return Draw(72, 72, [](QPainter& p) {
            DoubleArrow(p, QPointF(36, 6), QPointF(36, 66), 14);
            DoubleArrow(p, QPointF(6, 36), QPointF(66, 36), 14);
        });
    if (ResName == QLatin1String("CRrotate")) return RotateIcon(44);
    if (ResName == QLatin1String("ArrowGW")) return ArrowGW();
    throw EKPError(QStringLiteral("Das Bild \"%1\" gehört nicht zu den Bildern des Plans.").arg(ResName));
}
