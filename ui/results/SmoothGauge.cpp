#include "ui/results/SmoothGauge.h"

#include <QPainter>
#include <QPainterPath>

#include "model/base/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double StartAngle = 225;
constexpr double SweepAngle = 270;

QPointF Polar(double Radius, double Degrees)
{
    const double a = Degrees * std::numbers::pi / 180;
    return {Radius * std::cos(a), -Radius * std::sin(a)};
}

} // namespace

TSmoothGauge::TSmoothGauge(const QString& ACaption, double AMinimum, double AMaximum, QWidget* Parent)
    : QWidget(Parent), FCaption(ACaption), FValue(AMinimum), FMinimum(AMinimum), FMaximum(AMaximum)
{
    setMinimumSize(110, 110);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TSmoothGauge::SetValue(double V)
{
    if (V == FValue) return;
    FValue = V;
    update();
}

void TSmoothGauge::SetMinimum(double V)
{
    FMinimum = V;
    update();
}

void TSmoothGauge::SetMaximum(double V)
{
    FMaximum = V;
    update();
}

void TSmoothGauge::SetDivisions(int V)
{
    FDivisions = std::max(1, V);
    update();
}

void TSmoothGauge::SetSubDivisions(int V)
{
    FSubDivisions = std::max(1, V);
    update();
}

QString TSmoothGauge::ValueText() const
{
    return std::isfinite(FValue) ? FormatFloat(QStringLiteral("00.00"), FValue) : QString();
}

double TSmoothGauge::AngleOf(double V) const
{
    const double span = FMaximum - FMinimum;
    double f = (std::isfinite(V) && span > 0) ? (V - FMinimum) / span : 0;
    f = std::clamp(f, 0.0, 1.0);
    return StartAngle - f * SweepAngle;
}

void TSmoothGauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double radius = side / 2 - 4;
    p.translate(width() / 2.0, height() / 2.0);

    QRadialGradient face(QPointF(0, 0), radius);
    face.setColorAt(0, QColor(250, 250, 252));
    face.setColorAt(1, QColor(214, 220, 230));
    p.setPen(QPen(QColor(90, 100, 120), 2));
    p.setBrush(face);
    p.drawEllipse(QPointF(0, 0), radius, radius);

    PaintScale(p, radius);

    QFont f = font();
    f.setPointSizeF(std::max(6.0, radius / 9));
    p.setFont(f);
    p.setPen(QColor(40, 40, 60));
    const QRectF captionBox(-radius * 0.8, -radius * 0.45, radius * 1.6, radius * 0.3);
    p.drawText(captionBox, Qt::AlignCenter, FCaption);
    f.setBold(true);
    f.setPointSizeF(std::max(7.0, radius / 7));
    p.setFont(f);
    const QRectF valueBox(-radius * 0.6, radius * 0.35, radius * 1.2, radius * 0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 44));
    p.drawRoundedRect(valueBox, 3, 3);
    p.setPen(QColor(120, 230, 140));
    p.drawText(valueBox, Qt::AlignCenter, ValueText());

    PaintNeedle(p, radius);
}

void TSmoothGauge::PaintScale(QPainter& P, double Radius)
{
    const int ticks = FDivisions * FSubDivisions;
    QFont f = font();
    f.setPointSizeF(std::max(5.5, Radius / 11));
    P.setFont(f);
    for (int i = 0; i <= ticks; ++i) {
        const double a = StartAngle - SweepAngle * i / ticks;
        const bool major = i % FSubDivisions == 0;
        P.setPen(QPen(QColor(50, 55, 70), major ? 2 : 1));
        P.drawLine(Polar(Radius * (major ? 0.80 : 0.86), a), Polar(Radius * 0.93, a));
        if (!major) continue;
        const double v = FMinimum + (FMaximum - FMinimum) * i / ticks;
        const QPointF c = Polar(Radius * 0.64, a);
        P.drawText(QRectF(c.x() - 20, c.y() - 8, 40, 16), Qt::AlignCenter, FloatToStr(std::round(v * 100) / 100));
    }
}

void TSmoothGauge::PaintNeedle(QPainter& P, double Radius)
{
    const double a = AngleOf(FValue);
    QPainterPath needle;
    needle.moveTo(Polar(Radius * 0.82, a));
    needle.lineTo(Polar(Radius * 0.05, a + 90));
    needle.lineTo(Polar(Radius * 0.12, a + 180));
    needle.lineTo(Polar(Radius * 0.05, a - 90));
    needle.closeSubpath();
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(200, 40, 30));
    P.drawPath(needle);
    P.setBrush(QColor(60, 60, 70));
    P.drawEllipse(QPointF(0, 0), Radius * 0.07, Radius * 0.07);
}
