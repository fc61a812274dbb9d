#pragma once

#include "gfx/D2DResources.h"
#include "gfx/D2DTypes.h"
#include "gfx/WinTypes.h"
#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"
#include "model/base/Utilities.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class TCanvas;
class TDirect2DCanvas;
class TD2RenderTarget;


// The picture under the plan (site map, aerial photograph), placed in world
// metres with y up. The picture itself is not stored with the project, only its
// file name and extent; it is read from the file again on loading.
class TBackgroundPict : public TObject {
    KP_CLASS(TBackgroundPict)

public:
    TBackgroundPict();
    ~TBackgroundPict() override;
    TBackgroundPict(const TBackgroundPict&) = delete;
    TBackgroundPict& operator=(const TBackgroundPict&) = delete;

    const QString& Filename() const { return fFilename; }
    // Stores the name; when no such file exists the picture is dropped (Bitmap null).
    virtual void SetFilename(const QString& Value);

    double X1() const { return fX1; }
    void SetX1(double V) { fX1 = V; }
    double X2() const { return fX2; }
    void SetX2(double V) { fX2 = V; }
    double Y1() const { return fY1; }
    void SetY1(double V) { fY1 = V; }
    double Y2() const { return fY2; }
    void SetY2(double V) { fY2 = V; }
    D2D_POINT_2F BottomLeft() const { return D2D_POINT_2F{float(fX1), float(fY1)}; }
    D2D_POINT_2F TopRight() const { return D2D_POINT_2F{float(fX2), float(fY2)}; }
    double WorldWidth() const { return fX2 - fX1; }
    double WorldHeight() const { return fY2 - fY1; }
    // The extent typed by the user when georeferencing: refused with an EKPError
    // (nothing changes) unless all four are finite, X2 > X1 and Y2 > Y1.
    void SetExtent(double AX1, double AY1, double AX2, double AY2);

    // A picture is there to draw: Bitmap exists and has pixels.
    bool HasPicture() const;

    // An empty 32-bit picture with alpha.
    virtual std::unique_ptr<QImage> NewBitmap() const;
    // Bitmap row of a world y (0 at the top edge, 0 above it); 0 without picture.
    virtual int WorldYToPixel(double Y) const;
    // Bitmap column of a world x, not clamped; 0 without picture.
    virtual int WorldXToPixel(double X) const;

    // Map record: file name, X1, Y1, X2, Y2.
    virtual void Store(TStream& S) const;
    // Reads the whole record before changing anything (a short record raises
    // EReadError and leaves the map as it was), then reloads the picture: from
    // the stored path, or from a file of the same name in the current folder.
    // A missing picture leaves the map without one; an unreadable picture is
    // reported as an error message and leaves it without one as well. The
    // stored extent always wins over a world file.
    virtual void Load(TStream& S);

    // Printing and picture export: the visible part of the map, clipped to World,
    // onto the canvas where PictCoord shows World; Opacity 0 (transparent) to 255.
    // False without picture.
    virtual bool Draw(const TRect& PictCoord, const TWorldRect& World, TCanvas& Canvas, std::uint8_t Opacity);
    // The plan: the whole picture into Imagedest (plan DIPs), Opacity 0 to 1,
    // linear interpolation. False without picture.
    virtual bool Draw(TDirect2DCanvas& Canvas, const D2D_RECT_F& Imagedest, float Opacity);
    bool Draw(TD2RenderTarget& Target, const D2D_RECT_F& Imagedest, float Opacity);
    // The plan rectangle of the map's extent under a world-to-plan conversion.
    D2D_RECT_F PlanRect(const TConvertFunction& WorldToPlan) const;

    // Loads a picture file. TIFF with DoGeoreference takes its extent from the
    // world file (True when it did); without a usable world file the picture is
    // loaded and the extent stays (see TGeoTIFF::Import). Any other picture with
    // DoGeoreference gets 0..width × 0..height, one metre per pixel. Without
    // DoGeoreference the extent stays and a TIFF's world file only gives its
    // warnings. An empty name gives False; a missing file shows "Die Datei …
    // konnte nicht gefunden werden" and gives False. An unreadable picture raises
    // EKPError; the current picture and extent then stay.
    virtual bool LoadGraphic(const QString& AFilename, bool DoGeoreference);
    // Forgets the file and drops the picture.
    virtual void Delete();

    // The picture, premultiplied 32-bit ARGB; null when its file is gone.
    std::unique_ptr<QImage> Bitmap;

private:
    void DropPicture();
    QRectF PixelRect(double xl, double yb, double xr, double yt) const;

    QString fFilename;
    double fX1 = 0;
    double fX2 = 5000;
    double fY1 = 0;
    double fY2 = 5000;
    // The plan's copy of Bitmap, made on the first plan drawing.
    TD2BitmapPtr D2MapBMP;
};
