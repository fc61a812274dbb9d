#include "ui/results/ConceptPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Warm(210, 60, 40);
const QColor Cold(40, 110, 210);

void DrawHouse(QPainter& P, const QRectF& R)
{
    QPainterPath roof;
    roof.moveTo(R.left() - 6, R.top() + R.height() * 0.4);
    roof.lineTo(R.center().x(), R.top());
    roof.lineTo(R.right() + 6, R.top() + R.height() * 0.4);
    roof.closeSubpath();
    P.setPen(QPen(QColor(90, 60, 40), 1.5));
    P.setBrush(QColor(180, 80, 60));
    P.drawPath(roof);
    P.setBrush(QColor(245, 235, 210));
    P.drawRect(QRectF(R.left(), R.top() + R.height() * 0.4, R.width(), R.height() * 0.6));
    P.setBrush(QColor(170, 210, 240));
    P.drawRect(QRectF(R.left() + R.width() * 0.15, R.top() + R.height() * 0.52, R.width() * 0.25,
                      R.height() * 0.18));
    P.setBrush(QColor(120, 80, 50));
    P.drawRect(QRectF(R.left() + R.width() * 0.6, R.top() + R.height() * 0.62, R.width() * 0.22,
                      R.height() * 0.38));
}

void DrawHeatPump(QPainter& P, const QRectF& R)
{
    QLinearGradient g(R.topLeft(), R.bottomLeft());
    g.setColorAt(0, QColor(235, 238, 242));
    g.setColorAt(1, QColor(180, 186, 196));
    P.setPen(QPen(QColor(70, 75, 85), 1.5));
    P.setBrush(g);
    P.drawRoundedRect(R, 5, 5);
    P.setPen(QColor(40, 40, 50));
    QFont f = P.font();
    f.setBold(true);
    P.setFont(f);
    P.drawText(R, Qt::AlignCenter, QStringLiteral("WP"));
}

void DrawPipe(QPainter& P, const QPolygonF& Line, const QColor& Colour)
{
    P.setPen(QPen(Colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
    P.drawPolyline(Line);
}

void DrawBolt(QPainter& P, const QPointF& C, double S)
{
    QPolygonF bolt{{C.x() + 0.1 * S, C.y() - 0.5 * S}, {C.x() - 0.25 * S, C.y() + 0.05 * S},
                   {C.x() + 0.02 * S, C.y() + 0.05 * S}, {C.x() - 0.1 * S, C.y() + 0.5 * S},
                   {C.x() + 0.25 * S, C.y() - 0.08 * S}, {C.x() - 0.02 * S, C.y() - 0.08 * S}};
    P.setPen(QPen(QColor(120, 90, 0), 1));
    P.setBrush(QColor(250, 200, 30));
    P.drawPolygon(bolt);
}

} // namespace

TConceptPicture::TConceptPicture(QWidget* Parent) : QWidget(Parent)
{
    setMinimumSize(320, 120);
}

void TConceptPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    const double ground = h * 0.45;
    p.fillRect(QRectF(0, 0, w, ground), QColor(225, 238, 250));
    QLinearGradient soil(0, ground, 0, h);
    soil.setColorAt(0, QColor(150, 120, 80));
    soil.setColorAt(1, QColor(110, 85, 60));
    p.fillRect(QRectF(0, ground, w, h - ground), soil);
    p.fillRect(QRectF(0, ground - 3, w, 4), QColor(90, 150, 60));

    const QRectF house(w * 0.06, ground - h * 0.38, w * 0.16, h * 0.38);
    DrawHouse(p, house);
    const QRectF pump(w * 0.34, ground - h * 0.24, w * 0.12, h * 0.22);
    DrawHeatPump(p, pump);
    DrawBolt(p, QPointF(pump.center().x(), pump.top() - h * 0.1), h * 0.14);

    // Heating circuit between the heat pump and the house.
    const double yHot = pump.top() + pump.height() * 0.3;
    const double yRet = pump.top() + pump.height() * 0.7;
    DrawPipe(p, {{pump.left(), yHot}, {house.right(), yHot}}, Warm);
    DrawPipe(p, {{pump.left(), yRet}, {house.right(), yRet}}, Cold);

    // Brine circuit to the probes.
    const int probes = 4;
    const double x0 = w * 0.56;
    const double dx = (w * 0.94 - x0) / (probes - 1);
    const double bottom = h * 0.94;
    const double yIn = pump.top() + pump.height() * 0.3;
    const double yOut = pump.top() + pump.height() * 0.7;
    DrawPipe(p, {{pump.right(), yIn}, {x0 + (probes - 1) * dx + 4, yIn}}, Warm.lighter(120));
    DrawPipe(p, {{pump.right(), yOut}, {x0 + (probes - 1) * dx - 4, yOut}}, Cold.lighter(120));
    for (int i = 0; i < probes; ++i) {
        const double x = x0 + i * dx;
        p.setPen(QPen(QColor(60, 50, 40), 1));
        p.setBrush(QColor(200, 190, 170, 120));
        p.drawRect(QRectF(x - 7, ground, 14, bottom - ground));
        DrawPipe(p, {{x + 4, yIn}, {x + 4, bottom - 4}, {x - 4, bottom - 4}, {x - 4, yOut}}, QColor(30, 30, 30));
    }
    p.setPen(QColor(250, 250, 250));
    p.drawText(QRectF(x0 - 10, bottom - h * 0.2, w * 0.4, h * 0.15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("EWS"));
}
