#include "model/map/PictureReader.h"

#include "model/base/KPError.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString Native(const QString& FileName) { return QDir::toNativeSeparators(FileName); }

QString ReaderErrorText(QImageReader::ImageReaderError Error, const QString& FileName)
{
    switch (Error) {
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("Das Format der Bilddatei %1 wird nicht unterstützt.").arg(Native(FileName));
    case QImageReader::InvalidDataError:
        return QStringLiteral("Die Bilddatei %1 ist beschädigt oder enthält keine lesbaren Bilddaten.")
            .arg(Native(FileName));
    case QImageReader::FileNotFoundError:
        return QStringLiteral("Die Datei %1 konnte nicht gefunden werden").arg(Native(FileName));
    default:
        return QStringLiteral("Die Bilddatei %1 konnte nicht gelesen werden.").arg(Native(FileName));
    }
}

// Checked before decoding, so that a too large picture is reported as such and
// not as damaged data (which is what the reader says when it hits its limit).
void CheckPictureSize(const QSize& Size, const QString& FileName)
{
    if (!Size.isValid()) return;
    const qint64 bytes = qint64(Size.width()) * Size.height() * 4;
    if (bytes > qint64(MapPictureAllocationLimitMB) * 1024 * 1024)
        throw EKPError(QStringLiteral("Das Bild %1 ist mit %2 x %3 Pixeln zu groß zum Laden.")
                           .arg(Native(FileName))
                           .arg(Size.width())
                           .arg(Size.height()));
}

} // namespace

QImage ReadPictureFile(const QString& FileName)
{
    if (QImageReader::allocationLimit() < MapPictureAllocationLimitMB)
        QImageReader::setAllocationLimit(MapPictureAllocationLimitMB);
    QImageReader reader(FileName);
    // A world file counts in the stored pixel grid, so EXIF orientation is not applied.
    reader.setAutoTransform(false);
    CheckPictureSize(reader.size(), FileName);
    QImage image;
    if (!reader.read(&image) || image.isNull()) throw EKPError(ReaderErrorText(reader.error(), FileName));
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
        if (image.isNull() || image.format() != QImage::Format_ARGB32_Premultiplied)
            throw EKPError(QStringLiteral("Für das Bild %1 reicht der Speicher nicht.").arg(Native(FileName)));
    }
    return image;
}

QString FindFileIgnoringCase(const QString& Path)
{
    if (Path.isEmpty()) return {};
    const QFileInfo info(Path);
    if (info.isFile()) return Path;
    const QDir dir = info.dir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(name);
    return {};
}
