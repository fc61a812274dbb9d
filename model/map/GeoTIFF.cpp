#include "model/map/GeoTIFF.h"

#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/map/PictureReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

// A world file is six short lines; nothing beyond this is ever looked at.
constexpr qint64 MaxWorldFileBytes = 64 * 1024;

struct TWorldFile {
    double A = 0; // pixel width in x
    double D = 0; // rotation term
    double B = 0; // rotation term
    double E = 0; // pixel height in y, negative for north-up pictures
    double C = 0; // x of the upper-left pixel
    double F = 0; // y of the upper-left pixel
};

QString Native(const QString& FileName) { return QDir::toNativeSeparators(FileName); }

// Empty when the file cannot be read.
QStringList ReadLines(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.read(MaxWorldFileBytes));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // A line break ends a line; it does not start an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool ReadNumber(const QString& Line, double& Value) { return TryStrToFloatC(Line, Value) && std::isfinite(Value); }

// Rotation terms only decide about a warning, so text that is no number counts
// as a rotation.
double RotationTerm(const QString& Line)
{
    double v = 0;
    return ReadNumber(Line, v) ? v : std::nan("");
}

// Nothing when the file cannot place a picture: unreadable, fewer than six
// lines, or a line of the placement (1, 4, 5, 6) that is no finite number.
std::optional<TWorldFile> ReadWorldFile(const QString& FileName)
{
    const QStringList lines = ReadLines(FileName);
    if (lines.size() < 6) return std::nullopt;
    TWorldFile w;
    if (!ReadNumber(lines[0], w.A) || !ReadNumber(lines[3], w.E) || !ReadNumber(lines[4], w.C) ||
        !ReadNumber(lines[5], w.F))
        return std::nullopt;
    w.D = RotationTerm(lines[1]);
    w.B = RotationTerm(lines[2]);
    return w;
}

} // namespace

bool TGeoTIFF::Import(const QString& AFilename, double& X1, double& Y1, double& X2, double& Y2,
                      QImage* Destination)
{
    QImage picture = ReadPictureFile(AFilename);
    const int width = picture.width(), height = picture.height();
    if (Destination) *Destination = std::move(picture);
    const QString w = WorldFileName(AFilename);
    if (w.isEmpty()) return false;
    const std::optional<TWorldFile> world = ReadWorldFile(w);
    if (!world) return false;
    // A positive pixel height (a south-up picture) or a negative pixel width
    // gives corners in the other order; they are taken as the file puts them.
    const double x1 = world->C;
    const double y1 = height * world->E + world->F;
    const double x2 = width * world->A + world->C;
    const double y2 = world->F;
    const double worldWidth = x2 - x1, worldHeight = y2 - y1;
    // Absurd but finite numbers can also overflow the extent to infinity.
    if (worldWidth == 0 || worldHeight == 0 || !std::isfinite(worldWidth) || !std::isfinite(worldHeight)) {
        ModelUI<TPrompts>().ShowError(
            QStringLiteral("Die Weltdatei %1 ergibt eine Karte von %2 m × %3 m. Breite und Höhe müssen endlich "
                           "und ungleich 0 sein; die Lage der Karte wurde nicht übernommen.")
                .arg(Native(w), FloatToStr(worldWidth), FloatToStr(worldHeight)));
        return false;
    }
    X1 = x1;
    Y1 = y1;
    X2 = x2;
    Y2 = y2;
    if (!(world->D == 0) || !(world->B == 0))
        ModelUI<TPrompts>().ShowMessage(QStringLiteral("Warning: The map image is not perpendicular!"));
    return true;
}

QString TGeoTIFF::WorldFileName(const QString& AGraphFileName)
{
    if (AGraphFileName.isEmpty()) return {};
    const qsizetype dot = AGraphFileName.lastIndexOf(QLatin1Char('.'));
    const bool hasExt = dot > AGraphFileName.lastIndexOf(QLatin1Char('/'));
    const QString base = hasExt ? AGraphFileName.left(dot) : AGraphFileName;
    const QString ext = hasExt ? AGraphFileName.mid(dot) : QString();
    const QString candidates[] = {
        base + ext + QLatin1Char('w'),
        base + QLatin1Char('.') + ext.mid(1, 1) + ext.mid(3, 1) + QLatin1Char('w'),
    };
    for (const QString& c : candidates) {
        const QString found = FindFileIgnoringCase(c);
        if (!found.isEmpty()) return found;
    }
    return {};
}
