#include "ui/probes/TubePictures.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

#include "ui/common/Dpi.h"

#include <array>
#include <cmath>

namespace {

// Common probe geometry in mm; the borehole fills 90 % of the picture.
constexpr double BoreholeDiameter = 150;
constexpr double TubeDiameter = 32;
constexpr double CoaxOuterDiameter = 63;
constexpr double TubeWall = 2.9;

const QColor Grout(0xC8, 0xBE, 0xAA);
const QColor Ground(0x8A, 0x6E, 0x4B);
const QColor TubeColor(0x20, 0x20, 0x20);
const QColor Supply(0xD0, 0x30, 0x30);
const QColor Return(0x30, 0x60, 0xD0);

void DrawTube(QPainter& P, QPointF Centre, double Diameter, double Wall, const QColor& Fluid)
{
    P.setPen(Qt::NoPen);
    P.setBrush(TubeColor);
    P.drawEllipse(Centre, Diameter / 2, Diameter / 2);
    P.setBrush(Fluid);
    const double inner = Diameter / 2 - Wall;
    P.drawEllipse(Centre, inner, inner);
}

// Tube centres of the U layouts on a circle between the borehole wall and
// its centre, supply and return opposite each other.
void DrawUTubes(QPainter& P, int Pairs)
{
    const double r = (BoreholeDiameter - TubeDiameter) / 2 - 8;
    const int count = 2 * Pairs;
    for (int i = 0; i < count; ++i) {
        const double a = M_PI * (Pairs == 1 ? 0.0 : 0.25) + 2 * M_PI * i / count;
        const QPointF c(r * std::cos(a), r * std::sin(a));
        // Pairs of a double U lie crosswise: supply tubes opposite each other.
        const bool supply = Pairs == 1 ? i == 0 : i % 2 == 0;
        DrawTube(P, c, TubeDiameter, TubeWall, supply ? Supply : Return);
    }
}

void DrawCoax(QPainter& P)
{
    DrawTube(P, QPointF(), CoaxOuterDiameter, TubeWall, Return);
    DrawTube(P, QPointF(), TubeDiameter, TubeWall, Supply);
}

} // namespace

int TubePictureSize(int Dpi)
{
    const int s = ScaleByDpi(64, Dpi);
    if (s < 96) return 64;
    if (s < 128) return 96;
    if (s < 256) return 128;
    return 256;
}

QPixmap TubeCrossSection(TTubeType Layout, int Size)
{
    QPixmap pm(Size, Size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(Size / 2.0, Size / 2.0);
    const double scale = 0.9 * Size / BoreholeDiameter;
    p.scale(scale, scale);
    p.setPen(QPen(Ground, 2.0 * Size / 64 / scale));
    p.setBrush(Grout);
    p.drawEllipse(QPointF(), BoreholeDiameter / 2, BoreholeDiameter / 2);
    switch (Layout) {
    case ttSingleU: DrawUTubes(p, 1); break;
    case ttDoubleU: DrawUTubes(p, 2); break;
    case ttCoax: DrawCoax(p); break;
    }
    return pm;
}

QList<QIcon> DefaultProbeSymbols()
{
    static const std::array<QColor, 8> colours{QColor(0xD0, 0x30, 0x30), QColor(0x30, 0x60, 0xD0),
                                               QColor(0x20, 0x90, 0x40), QColor(0xE0, 0x90, 0x10),
                                               QColor(0x80, 0x40, 0xA0), QColor(0x10, 0x90, 0xA0),
                                               QColor(0x60, 0x60, 0x60), QColor(0xC0, 0x50, 0x90)};
    QList<QIcon> icons;
    for (const QColor& c : colours) {
        QIcon icon;
        for (int size : {16, 24, 32, 48}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(c.darker(150), size / 16.0));
            p.setBrush(c);
            p.drawEllipse(QRectF(size * 0.15, size * 0.15, size * 0.7, size * 0.7));
            p.end();
            icon.addPixmap(pm);
        }
        icons << icon;
    }
    return icons;
}
