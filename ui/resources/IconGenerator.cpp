// Draws the program's own tool pictures and the product picture of the about
// box, and writes the resource file that lists them. Run after changing a
// picture; its output is committed:
//   kp_make_icons <repository>/ui/resources
// Each picture is drawn on a 24-unit grid with strokes that never get thinner
// than one and a half pixels, so that it stays clear at 16 pixels.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include "ui/common/ImageIndex.h"

#include <cmath>
#include <cstdio>

namespace {

const QColor Ink(0x30, 0x3a, 0x48);
const QColor Blue(0x1f, 0x6f, 0xc5);
const QColor Green(0x2e, 0x9d, 0x3a);
const QColor Red(0xd0, 0x32, 0x2d);
const QColor Orange(0xe8, 0x8a, 0x1a);
const QColor Paper(0xfb, 0xfb, 0xf8);
const QColor Yellow(0xf2, 0xc1, 0x3d);

struct TPen {
    QPainter& P;
    double Unit;  // pixels per grid unit
    QPen Make(const QColor& C, double W) const
    {
        QPen pen(C, std::max(1.5, W * Unit));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    void Stroke(const QColor& C, double W = 2) { P.setPen(Make(C, W)); P.setBrush(Qt::NoBrush); }
    void Fill(const QColor& Fill, const QColor& Line, double W = 1.5)
    {
        P.setPen(Make(Line, W));
        P.setBrush(Fill);
    }
    void Solid(const QColor& C) { P.setPen(Qt::NoPen); P.setBrush(C); }
};

void Document(TPen& t)
{
    QPolygonF page{{5, 2}, {15, 2}, {19, 6}, {19, 22}, {5, 22}};
    t.Fill(Paper, Ink);
    t.P.drawPolygon(page);
    t.Stroke(Ink, 1.5);
    t.P.drawPolyline(QPolygonF{{15, 2}, {15, 6}, {19, 6}});
}

void FolderShape(TPen& t)
{
    t.Fill(Yellow, Ink);
    t.P.drawPolygon(QPolygonF{{2, 6}, {9, 6}, {11, 8}, {22, 8}, {22, 20}, {2, 20}});
}

void Arrow(TPen& t, QPointF a, QPointF b, const QColor& c)
{
    t.Stroke(c, 2.5);
    t.P.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y(), u.x());
    t.P.drawPolyline(QPolygonF{b - u * 4 + n * 3.5, b, b - u * 4 - n * 3.5});
}

void Magnifier(TPen& t)
{
    t.Fill(QColor(0xe6, 0xf0, 0xfb), Ink, 2);
    t.P.drawEllipse(QPointF(10, 10), 7, 7);
    t.Stroke(Ink, 3.5);
    t.P.drawLine(QPointF(15, 15), QPointF(21, 21));
}

void Probe(TPen& t, QPointF c, double r)
{
    t.Fill(Blue, Ink, 1.2);
    t.P.drawEllipse(c, r, r);
    t.Solid(Paper);
    t.P.drawEllipse(c, r * 0.35, r * 0.35);
}

void DrawIcon(TPen& t, int i)
{
    QPainter& p = t.P;
    switch (i) {
    case iiNew: Document(t); t.Stroke(Green, 2.5); p.drawLine(QPointF(12, 10), QPointF(12, 18));
        p.drawLine(QPointF(8, 14), QPointF(16, 14)); break;
    case iiOpen: FolderShape(t); Arrow(t, {12, 18}, {12, 3}, Blue); break;
    case iiClose: Document(t); t.Stroke(Red, 2.5); p.drawLine(QPointF(8, 10), QPointF(16, 18));
        p.drawLine(QPointF(16, 10), QPointF(8, 18)); break;
    case iiPrint: t.Fill(Paper, Ink); p.drawRect(QRectF(7, 2, 10, 7)); t.Fill(QColor(0x9a, 0xa5, 0xb1), Ink);
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2); t.Fill(Paper, Ink); p.drawRect(QRectF(7, 14, 10, 8)); break;
    case iiPdf: Document(t); t.Solid(Red); p.drawRect(QRectF(3, 12, 14, 7)); t.Stroke(Paper, 1.5);
        p.drawLine(QPointF(6, 14), QPointF(6, 17)); p.drawLine(QPointF(10, 14), QPointF(10, 17));
        p.drawLine(QPointF(14, 14), QPointF(14, 17)); break;
    case iiRun: t.Fill(Green, Green.darker(130)); p.drawPolygon(QPolygonF{{6, 3}, {20, 12}, {6, 21}}); break;
    case iiPause: t.Solid(Blue); p.drawRoundedRect(QRectF(5, 3, 5, 18), 1, 1);
        p.drawRoundedRect(QRectF(14, 3, 5, 18), 1, 1); break;
    case iiStop: t.Fill(Red, Red.darker(130)); p.drawRoundedRect(QRectF(4, 4, 16, 16), 2, 2); break;
    case iiFile: Document(t); t.Solid(Ink); for (int k = 0; k < 3; ++k) p.drawEllipse(QPointF(8 + 4 * k, 17), 1.3, 1.3);
        break;
    case iiMesh: t.Stroke(Blue, 1.5); p.drawPolygon(QPolygonF{{2, 21}, {12, 3}, {22, 21}});
        p.drawPolyline(QPolygonF{{7, 12}, {12, 21}, {17, 12}, {7, 12}}); break;
    case iiProbe: Probe(t, {12, 12}, 8); break;
    case iiProbeField: for (int r = 0; r < 2; ++r) for (int c = 0; c < 2; ++c) Probe(t, {7.0 + 10 * c, 7.0 + 10 * r}, 4.5);
        break;
    case iiSave: t.Fill(Blue, Ink); p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2); t.Solid(Paper);
        p.drawRect(QRectF(7, 4, 10, 6)); t.Solid(Ink); p.drawRect(QRectF(7, 14, 10, 6)); break;
    case iiZoomIn: Magnifier(t); t.Stroke(Ink, 2); p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
        p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10)); break;
    case iiZoomOut: Magnifier(t); t.Stroke(Ink, 2); p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10)); break;
    case iiZoomAll: t.Stroke(Ink, 2); for (auto [x, y, dx, dy] : {std::array{3, 3, 1, 1}, {21, 3, -1, 1}, {3, 21, 1, -1},
                                                                   {21, 21, -1, -1}})
            p.drawPolyline(QPolygonF{{double(x), y + 6.0 * dy}, {double(x), double(y)}, {x + 6.0 * dx, double(y)}});
        t.Fill(Blue, Ink); p.drawRect(QRectF(8, 8, 8, 8)); break;
    case iiMap: t.Fill(QColor(0xd8, 0xeb, 0xc8), Ink); p.drawRect(QRectF(2, 4, 20, 16)); t.Solid(Green);
        p.drawPolygon(QPolygonF{{3, 19}, {9, 10}, {14, 16}, {17, 13}, {21, 19}}); t.Solid(Yellow);
        p.drawEllipse(QPointF(17, 8), 2, 2); break;
    case iiIsotherms: t.Stroke(Red, 1.8); p.drawEllipse(QPointF(12, 12), 3, 3); t.Stroke(Orange, 1.8);
        p.drawEllipse(QPointF(12, 12), 6.5, 5.5); t.Stroke(Blue, 1.8); p.drawEllipse(QPointF(12, 12), 10, 8.5); break;
    case iiOptions: {
        t.Fill(QColor(0x8a, 0x95, 0xa3), Ink, 1.2);
        QPainterPath gear;
        for (int k = 0; k < 16; ++k) {
            const double a = k * M_PI / 8, r = (k % 2) ? 7 : 10;
            const QPointF pt(12 + r * std::cos(a), 12 + r * std::sin(a));
            k ? gear.lineTo(pt) : gear.moveTo(pt);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(12, 12), 3, 3);
        p.drawPath(gear);
        break;
    }
    case iiDelete: t.Stroke(Red, 3.5); p.drawLine(QPointF(5, 5), QPointF(19, 19)); p.drawLine(QPointF(19, 5), QPointF(5, 19));
        break;
    case iiGraph: t.Stroke(Ink, 1.5); p.drawPolyline(QPolygonF{{3, 3}, {3, 21}, {21, 21}}); t.Stroke(Blue, 2.2);
        p.drawPolyline(QPolygonF{{4, 17}, {9, 10}, {13, 14}, {20, 5}}); break;
    case iiFolder: FolderShape(t); break;
    case iiHeatpump: t.Fill(QColor(0xe9, 0xed, 0xf1), Ink); p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        t.Stroke(Red, 2); p.drawLine(QPointF(7, 8), QPointF(17, 8)); t.Stroke(Blue, 2);
        p.drawLine(QPointF(7, 16), QPointF(17, 16)); Arrow(t, {12, 15}, {12, 9}, Ink); break;
    case iiLoadProfile: t.Stroke(Ink, 1.5); p.drawLine(QPointF(2, 21), QPointF(22, 21)); t.Solid(Red);
        p.drawRect(QRectF(3, 8, 4, 13)); p.drawRect(QRectF(17, 6, 4, 15)); t.Solid(Orange);
        p.drawRect(QRectF(8, 12, 4, 9)); t.Solid(Blue); p.drawRect(QRectF(13, 16, 3, 5)); break;
    case iiGroundwater: t.Stroke(Blue, 2.2); for (int k = 0; k < 3; ++k) {
            QPainterPath w; w.moveTo(2, 7 + 5 * k);
            w.cubicTo(7, 4 + 5 * k, 9, 10 + 5 * k, 12, 7 + 5 * k); w.cubicTo(15, 4 + 5 * k, 17, 10 + 5 * k, 22, 7 + 5 * k);
            p.drawPath(w);
        } break;
    case iiMonitoring: { t.Fill(Paper, Ink); QPainterPath eye; eye.moveTo(2, 12); eye.quadTo(12, 2, 22, 12);
        eye.quadTo(12, 22, 2, 12); p.drawPath(eye); t.Solid(Blue); p.drawEllipse(QPointF(12, 12), 4, 4);
        t.Solid(Ink); p.drawEllipse(QPointF(12, 12), 1.8, 1.8); break; }
    case iiTable: t.Fill(Paper, Ink); p.drawRect(QRectF(3, 4, 18, 16)); t.Solid(Blue); p.drawRect(QRectF(3, 4, 18, 4));
        t.Stroke(Ink, 1.2); p.drawLine(QPointF(3, 12), QPointF(21, 12)); p.drawLine(QPointF(3, 16), QPointF(21, 16));
        p.drawLine(QPointF(10, 4), QPointF(10, 20)); break;
    case iiExport: Document(t); Arrow(t, {9, 14}, {22, 14}, Green); break;
    case iiCopy: t.Fill(QColor(0xdd, 0xe3, 0xea), Ink); p.drawRect(QRectF(3, 3, 12, 14)); t.Fill(Paper, Ink);
        p.drawRect(QRectF(9, 7, 12, 14)); break;
    case iiHelp: case iiInfo: { t.Fill(Blue, Blue.darker(130)); p.drawEllipse(QPointF(12, 12), 10, 10);
        QFont f(QStringLiteral("DejaVu Sans")); f.setBold(true); f.setPixelSize(int(std::lround(14 * t.Unit)));
        p.setFont(f); p.setPen(Paper);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, i == iiHelp ? QStringLiteral("?") : QStringLiteral("i"));
        break; }
    case iiAdd: t.Stroke(Green, 4); p.drawLine(QPointF(12, 4), QPointF(12, 20)); p.drawLine(QPointF(4, 12), QPointF(20, 12));
        break;
    case iiEdit: t.Fill(Orange, Ink, 1.2); p.drawPolygon(QPolygonF{{5, 16}, {16, 5}, {19, 8}, {8, 19}});
        t.Fill(Paper, Ink, 1.2); p.drawPolygon(QPolygonF{{5, 16}, {8, 19}, {3, 21}}); break;
    case iiMove: Arrow(t, {12, 12}, {12, 2.5}, Ink); Arrow(t, {12, 12}, {12, 21.5}, Ink);
        Arrow(t, {12, 12}, {2.5, 12}, Ink); Arrow(t, {12, 12}, {21.5, 12}, Ink); break;
    case iiRotate: { t.Stroke(Blue, 2.5); p.drawArc(QRectF(4, 4, 16, 16), 90 * 16, 270 * 16);
        Arrow(t, {7, 4.5}, {12.5, 4}, Blue); break; }
    case iiSelect: t.Fill(Paper, Ink, 1.5); p.drawPolygon(QPolygonF{{6, 2}, {6, 19}, {10, 15}, {13, 22}, {16, 21}, {13, 14},
                                                                    {18, 14}}); break;
    case iiDashboard: t.Fill(Paper, Ink); p.drawChord(QRectF(2, 5, 20, 20), 0, 180 * 16); t.Stroke(Green, 2);
        p.drawArc(QRectF(4, 7, 16, 16), 100 * 16, 80 * 16); t.Stroke(Red, 2); p.drawArc(QRectF(4, 7, 16, 16), 0, 40 * 16);
        Arrow(t, {12, 15}, {17, 9}, Ink); break;
    case iiSurface: t.Fill(QColor(0xf4, 0xb0, 0x6a), Ink, 1.2); p.drawPolygon(QPolygonF{{2, 16}, {12, 20}, {22, 14}, {12, 10}});
        t.Fill(QColor(0xe0, 0x5a, 0x3a), Ink, 1.2); p.drawPolygon(QPolygonF{{7, 12}, {12, 4}, {17, 12}, {12, 15}}); break;
    case iiSetup: t.Fill(QColor(0xe9, 0xed, 0xf1), Ink); p.drawRect(QRectF(2, 3, 9, 8)); p.drawRect(QRectF(13, 3, 9, 8));
        t.Stroke(Red, 1.8); p.drawLine(QPointF(6.5, 11), QPointF(6.5, 22)); t.Stroke(Blue, 1.8);
        p.drawLine(QPointF(9, 11), QPointF(9, 22)); t.Stroke(Ink, 1.5); p.drawLine(QPointF(11, 7), QPointF(13, 7)); break;
    case iiTemperature: t.Fill(Paper, Ink); p.drawRoundedRect(QRectF(9, 2, 6, 15), 3, 3); t.Fill(Red, Ink);
        p.drawEllipse(QPointF(12, 18), 4, 4); t.Solid(Red); p.drawRect(QRectF(11, 8, 2, 9)); break;
    default: break;
    }
}

QImage Icon(int Index, int Size)
{
    QImage img(Size, Size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double unit = Size / 24.0;
    p.scale(unit, unit);
    TPen t{p, unit};
    DrawIcon(t, Index);
    return img;
}

// The product picture of the about box: a probe field in the ground under a sky.
QImage AboutPicture()
{
    QImage img(350, 250, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 110);
    sky.setColorAt(0, QColor(0x9c, 0xc8, 0xee));
    sky.setColorAt(1, QColor(0xe4, 0xf1, 0xfb));
    p.fillRect(QRect(0, 0, 350, 110), sky);
    QLinearGradient ground(0, 110, 0, 250);
    ground.setColorAt(0, QColor(0x8a, 0x6a, 0x45));
    ground.setColorAt(1, QColor(0x4a, 0x36, 0x25));
    p.fillRect(QRect(0, 110, 350, 140), ground);
    p.fillRect(QRect(0, 104, 350, 8), QColor(0x5d, 0x9b, 0x3c));
    // Probes into the ground with isotherm halos.
    for (int k = 0; k < 4; ++k) {
        const int x = 200 + 36 * k;
        for (int r = 3; r >= 1; --r) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x5a, 0x9c, 0xe8, 40 * r));
            p.drawRoundedRect(QRectF(x - 4 * r - 2, 112, 8 * r + 4, 110), 6, 6);
        }
        p.fillRect(QRect(x - 2, 110, 4, 112), QColor(0xe8, 0xee, 0xf4));
    }
    // A house on the ground.
    p.setBrush(QColor(0xf5, 0xf0, 0xe6));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawRect(QRect(40, 62, 70, 46));
    p.setBrush(QColor(0xb5, 0x3a, 0x2a));
    p.drawPolygon(QPolygon{{32, 64}, {75, 30}, {118, 64}});
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(28);
    p.setFont(f);
    p.setPen(QColor(0x1f, 0x3c, 0x64));
    p.drawText(QRect(132, 14, 210, 40), Qt::AlignCenter, QStringLiteral("Mirvatek KP"));
    f.setBold(false);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRect(132, 54, 210, 40), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Erdwärmesonden planen und simulieren"));
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kp_make_icons <ui/resources folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("icons")) || !out.mkpath(QStringLiteral("images"))) return 1;
    QFile qrc(out.filePath(QStringLiteral("kp.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return 1;
    QTextStream s(&qrc);
    s << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (int i = 0; i < iiCount; ++i) {
        for (int size : ImageSizes) {
            const QString name = QStringLiteral("icons/%1_%2.png")
                                     .arg(QString::fromLatin1(ImageNames[size_t(i)].data(),
                                                              qsizetype(ImageNames[size_t(i)].size())))
                                     .arg(size);
            if (!Icon(i, size).save(out.filePath(name))) return 1;
            s << "  <file>" << name << "</file>\n";
        }
    }
    if (!AboutPicture().save(out.filePath(QStringLiteral("images/about.png")))) return 1;
    // The help page is ours too and is shipped in the same resource file.
    s << "  <file>images/about.png</file>\n  <file>help/kp-hilfe.html</file>\n</qresource>\n</RCC>\n";
    return 0;
}
