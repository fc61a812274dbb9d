#pragma once

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"

#include <QImage>
#include <QString>

// A world file exists but cannot place the picture. Callers that only want the
// picture (a project being opened) ignore it; georeferencing refuses it.
class EWorldFileError : public EKPError {
public:
    using EKPError::EKPError;
};

// TIFF pictures placed by an ESRI world file beside them.
class TGeoTIFF : public TObject {
    KP_CLASS(TGeoTIFF)

public:
    // Loads the picture and, when a world file belongs to it, the extent it
    // gives (upper-left pixel corner as the map's corner, no half-pixel shift).
    // False without a world file: the picture is loaded, X1..Y2 stay. Raises
    // EKPError for an unreadable picture and EWorldFileError for a world file
    // that is unreadable, has fewer than six lines, a line 1, 4, 5 or 6 that is no
    // finite number, or a pixel size that does not give X2 > X1 and Y2 > Y1; then
    // neither Destination nor X1..Y2 change. Rotation terms are warned about
    // and ignored. Destination may be null.
    static bool Import(const QString& AFilename, double& X1, double& Y1, double& X2, double& Y2,
                       QImage* Destination);
    // The world file of a picture: the extension followed by "w" (".tifw"), else
    // the first and third letters of the extension followed by "w" (".tfw");
    // empty when neither exists.
    static QString WorldFileName(const QString& AGraphFileName);
};
