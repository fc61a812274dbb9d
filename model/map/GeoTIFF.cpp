#include "model/map/GeoTIFF.h"

#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/map/PictureReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cmath>

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

QStringList ReadLines(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EWorldFileError(QStringLiteral("Die Weltdatei %1 konnte nicht gelesen werden.").arg(Native(FileName)));
    QString text = QString::fromUtf8(file.read(MaxWorldFileBytes));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // A line break ends a line; it does not start an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

double RequiredNumber(const QStringList& Lines, int Index, const QString& FileName)
{
    double v = 0;
    if (!TryStrToFloatC(Lines[Index], v) || !std::isfinite(v))
        throw EWorldFileError(
            QStringLiteral("Die Weltdatei %1 ist fehlerhaft: Zeile %2 („%3“) ist keine gültige Zahl.")
                .arg(Native(FileName))
                .arg(Index + 1)
                .arg(Lines[Index].trimmed().left(40)));
    return v;
}

// Rotation terms only decide about a warning, so text that is no number counts
// as a rotation.
double RotationTerm(const QString& Line)
{
    double v = 0;
    return TryStrToFloatC(Line, v) ? v : std::nan("");
}

TWorldFile ReadWorldFile(const QString& FileName)
{
    const QStringList lines = ReadLines(FileName);
    if (lines.size() < 6)
        throw EWorldFileError(
            QStringLiteral("Die Weltdatei %1 ist unvollständig: sie braucht sechs Zeilen, hat aber nur %2.")
                .arg(Native(FileName))
                .arg(lines.size()));
    TWorldFile w;
    w.A = RequiredNumber(lines, 0, FileName);
    w.D = RotationTerm(lines[1]);
    w.B = RotationTerm(lines[2]);
    w.E = RequiredNumber(lines, 3, FileName);
    w.C = RequiredNumber(lines, 4, FileName);
    w.F = RequiredNumber(lines, 5, FileName);
    return w;
}

} // namespace

bool TGeoTIFF::Import(const QString& AFilename, double& X1, double& Y1, double& X2, double& Y2,
                      QImage* Destination)
{
    QImage picture = ReadPictureFile(AFilename);
    const QString w = WorldFileName(AFilename);
    if (w.isEmpty()) {
        if (Destination) *Destination = std::move(picture);
        return false;
    }
    const TWorldFile world = ReadWorldFile(w);
    const double x1 = world.C;
    const double y1 = picture.height() * world.E + world.F;
    const double x2 = picture.width() * world.A + world.C;
    const double y2 = world.F;
    // Absurd but finite numbers can still overflow the extent to infinity.
    if (!(x2 > x1 && y2 > y1) || !std::isfinite(x2 - x1) || !std::isfinite(y2 - y1))
        throw EWorldFileError(QStringLiteral("Die Weltdatei %1 ergibt keine gültige Kartenausdehnung: die "
                                             "Pixelbreite (Zeile 1) muss positiv und die Pixelhöhe (Zeile 4) "
                                             "negativ sein.")
                                  .arg(Native(w)));
    if (Destination) *Destination = std::move(picture);
    X1 = x1;
    Y1 = y1;
    X2 = x2;
    Y2 = y2;
    if (!(world.D == 0) || !(world.B == 0))
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
