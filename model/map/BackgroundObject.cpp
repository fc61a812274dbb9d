#include "model/map/BackgroundObject.h"

#include "gfx/Canvas.h"
#include "gfx/D2DRenderTarget.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/Rounding.h"
#include "model/base/StreamStrings.h"
#include "model/map/GeoTIFF.h"
#include "model/map/PictureReader.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool FileExists(const QString& Name) { return !Name.isEmpty() && QFileInfo(Name).isFile(); }

// The name without any folder; stored paths may come from Windows.
QString BareFileName(const QString& Path)
{
    const qsizetype cut = std::max(Path.lastIndexOf(QLatin1Char('/')), Path.lastIndexOf(QLatin1Char('\\')));
    return Path.mid(cut + 1);
}

bool IsTiff(const QString& FileName)
{
    const QString ext = QFileInfo(FileName).suffix().toLower();
    return ext == QLatin1String("tif") || ext == QLatin1String("tiff");
}

int ClampToInt(qint64 V) { return int(std::clamp<qint64>(V, INT_MIN, INT_MAX)); }

} // namespace

TBackgroundPict::TBackgroundPict() : Bitmap(NewBitmap()) {}

TBackgroundPict::~TBackgroundPict() = default;

std::unique_ptr<QImage> TBackgroundPict::NewBitmap() const
{
    return std::make_unique<QImage>(0, 0, QImage::Format_ARGB32_Premultiplied);
}

bool TBackgroundPict::HasPicture() const { return Bitmap && !Bitmap->isNull(); }

void TBackgroundPict::DropPicture()
{
    Bitmap.reset();
    D2MapBMP.reset();
}

void TBackgroundPict::SetFilename(const QString& Value)
{
    fFilename = Value;
    if (!FileExists(Value)) DropPicture();
}

void TBackgroundPict::Delete() { SetFilename(QString()); }

void TBackgroundPict::SetExtent(double AX1, double AY1, double AX2, double AY2)
{
    const bool finite = std::isfinite(AX1) && std::isfinite(AY1) && std::isfinite(AX2) && std::isfinite(AY2);
    if (!finite || !(AX2 > AX1) || !(AY2 > AY1))
        throw EKPError(QStringLiteral("Ungültige Kartenecken: Die Ecke rechts oben muss rechts von und über der "
                                      "Ecke links unten liegen."));
    fX1 = AX1;
    fY1 = AY1;
    fX2 = AX2;
    fY2 = AY2;
}

int TBackgroundPict::WorldXToPixel(double X) const
{
    if (!HasPicture()) return 0;
    return RoundEven(Bitmap->width() / (fX2 - fX1) * (X - fX1));
}

int TBackgroundPict::WorldYToPixel(double Y) const
{
    if (!HasPicture()) return 0;
    const qint64 row = qint64(Bitmap->height()) - RoundEven(Bitmap->height() / (fY2 - fY1) * (Y - fY1));
    return row < 0 ? 0 : ClampToInt(row);
}

void TBackgroundPict::Store(TStream& S) const
{
    WriteStringToStream(S, fFilename);
    S.WriteDouble(fX1);
    S.WriteDouble(fY1);
    S.WriteDouble(fX2);
    S.WriteDouble(fY2);
}

void TBackgroundPict::Load(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const double x1 = S.ReadDouble();
    const double y1 = S.ReadDouble();
    const double x2 = S.ReadDouble();
    const double y2 = S.ReadDouble();

    fFilename = name;
    if (!name.isEmpty()) {
        QString path = name;
        if (!FileExists(path)) {
            // The project may have travelled together with its picture.
            const QString local = QDir::current().filePath(BareFileName(name));
            if (FileExists(local)) path = local;
        }
        SetFilename(path);
        if (FileExists(path)) {
            // A damaged picture must not make the project unopenable: the map
            // then stays empty, as for a missing file, and the user is told why.
            try {
                LoadGraphic(path, false);
            } catch (const EKPError& e) {
                DropPicture();
                ModelUI<TPrompts>().ShowError(e.Message());
            }
        }
    }
    fX1 = x1;
    fY1 = y1;
    fX2 = x2;
    fY2 = y2;
}

QRectF TBackgroundPict::PixelRect(double xl, double yb, double xr, double yt) const
{
    const double w = Bitmap->width(), h = Bitmap->height();
    const double left = w * (xl - fX1) / (fX2 - fX1), right = w * (xr - fX1) / (fX2 - fX1);
    const double top = h - h * (yt - fY1) / (fY2 - fY1), bottom = h - h * (yb - fY1) / (fY2 - fY1);
    return QRectF(QPointF(std::clamp(left, 0.0, w), std::clamp(top, 0.0, h)),
                  QPointF(std::clamp(right, 0.0, w), std::clamp(bottom, 0.0, h)));
}

bool TBackgroundPict::Draw(const TRect& PictCoord, const TWorldRect& World, TCanvas& Canvas, std::uint8_t Opacity)
{
    if (!HasPicture()) return false;
    // A world file may give the corners in the other order (a south-up picture
    // has Y1 > Y2); the map still covers the rectangle between them, mirrored.
    const double xl = std::max(World.left, std::min(fX1, fX2)), xr = std::min(World.right, std::max(fX1, fX2));
    const double yb = std::max(World.top, std::min(fY1, fY2)), yt = std::min(World.bottom, std::max(fY1, fY2));
    // No overlap (or an unusable extent): nothing to draw.
    if (!(xl < xr && yb < yt)) return true;
    const TRect dest{WorldToScreenX(PictCoord, World, xl), WorldToScreenY(PictCoord, World, yt),
                     WorldToScreenX(PictCoord, World, xr), WorldToScreenY(PictCoord, World, yb)};
    QRectF source = PixelRect(xl, yb, xr, yt);
    const bool mirrorX = source.width() < 0, mirrorY = source.height() < 0;
    source = source.normalized();
    if (dest.IsEmpty() || source.isEmpty()) return true;
    // The source is taken at its exact fractional position, so that a map seen
    // at a few of its pixels across stays where the world puts it.
    const TPoint a = Canvas.LPtoDP(TPoint{dest.Left, dest.Top});
    const TPoint b = Canvas.LPtoDP(TPoint{dest.Right, dest.Bottom});
    const QRect target(QPoint(std::min(a.X, b.X), std::min(a.Y, b.Y)),
                       QSize(std::abs(b.X - a.X), std::abs(b.Y - a.Y)));
    if (target.isEmpty()) return true;
    QPainter& p = Canvas.Painter();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(Opacity / 255.0);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (mirrorX || mirrorY) {
        const QPointF centre = QRectF(target).center();
        QTransform mirror;
        mirror.translate(centre.x(), centre.y());
        mirror.scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
        mirror.translate(-centre.x(), -centre.y());
        p.setTransform(mirror, true);
    }
    p.drawImage(QRectF(target), *Bitmap, source);
    p.restore();
    return true;
}

bool TBackgroundPict::Draw(TDirect2DCanvas& Canvas, const D2D_RECT_F& Imagedest, float Opacity)
{
    return Draw(Canvas.RenderTarget(), Imagedest, Opacity);
}

bool TBackgroundPict::Draw(TD2RenderTarget& Target, const D2D_RECT_F& Imagedest, float Opacity)
{
    if (!HasPicture()) return false;
    if (!D2MapBMP) D2MapBMP = Target.CreateBitmap(*Bitmap);
    Target.DrawBitmap(D2MapBMP, &Imagedest, Opacity, TD2InterpolationMode::Linear);
    return true;
}

D2D_RECT_F TBackgroundPict::PlanRect(const TConvertFunction& WorldToPlan) const
{
    const QPointF a = WorldToPlan(QPointF(fX1, fY1));
    const QPointF b = WorldToPlan(QPointF(fX2, fY2));
    return D2D_RECT_F{float(a.x()), float(b.y()), float(b.x()), float(a.y())};
}

bool TBackgroundPict::LoadGraphic(const QString& AFilename, bool DoGeoreference)
{
    if (AFilename.isEmpty()) return false;
    if (!FileExists(AFilename)) {
        ModelUI<TPrompts>().ShowError(
            QStringLiteral("Die Datei %1 konnte nicht gefunden werden").arg(QDir::toNativeSeparators(AFilename)));
        return false;
    }
    QImage picture;
    double x1 = fX1, y1 = fY1, x2 = fX2, y2 = fY2;
    bool result = false;
    if (IsTiff(AFilename)) {
        if (DoGeoreference) {
            result = TGeoTIFF::Import(AFilename, x1, y1, x2, y2, &picture);
        } else {
            // Only the picture is wanted; the world file is read for its warnings.
            double t1 = 0, t2 = 0, t3 = 0, t4 = 0;
            TGeoTIFF::Import(AFilename, t1, t2, t3, t4, &picture);
        }
    } else {
        picture = ReadPictureFile(AFilename);
        if (DoGeoreference) {
            x1 = 0;
            y1 = 0;
            x2 = picture.width();
            y2 = picture.height();
        }
    }
    Bitmap = std::make_unique<QImage>(std::move(picture));
    D2MapBMP.reset();
    fX1 = x1;
    fY1 = y1;
    fX2 = x2;
    fY2 = y2;
    return result;
}
