// ESRI world files beside a background picture.
#include "FuzzCommon.h"

#include "model/map/GeoTIFF.h"

#include <QImage>

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const QString picture = [] {
        const QString path = FuzzDir().filePath(QStringLiteral("map.png"));
        QImage(2, 2, QImage::Format_RGB32).save(path);
        return path;
    }();
    FuzzFile(QStringLiteral("map.pngw"), Data, Size);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    try {
        TGeoTIFF::Import(picture, x1, y1, x2, y2, nullptr);
    } catch (const EKPError&) {
    }
    return 0;
}
