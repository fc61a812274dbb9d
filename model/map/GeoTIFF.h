#pragma once

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"

#include <QImage>
#include <QString>

// TIFF pictures placed by an ESRI world file beside them.
class TGeoTIFF : public TObject {
    KP_CLASS(TGeoTIFF)

public:
    // Loads the picture into Destination (when given) and, when a usable world
    // file belongs to it, sets X1..Y2 to the extent it gives: the upper-left
    // pixel's corner as the map's corner, no half-pixel shift, the corners in
    // the order the file gives them (a south-up picture has Y1 > Y2). True only
    // then. A missing or unreadable world file, one with fewer than six lines or
    // with a line 1, 4, 5 or 6 that is no number leaves X1..Y2 alone and gives
    // False; an extent of zero (or infinite) width or height is refused with an
    // error message, likewise False. Rotation terms are warned about and
    // ignored. An unreadable picture raises EKPError and changes nothing.
    static bool Import(const QString& AFilename, double& X1, double& Y1, double& X2, double& Y2,
                       QImage* Destination);
    // The world file of a picture: the extension followed by "w" (".tifw"), else
    // the first and third letters of the extension followed by "w" (".tfw");
    // empty when neither exists.
    static QString WorldFileName(const QString& AGraphFileName);
};
