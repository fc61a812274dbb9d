#include "plan/RotateObject.h"

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "plan/PlanIcons.h"

#include <cmath>

THandler::THandler(const QString& AName, D2D_SIZE_F ASize) : Size(ASize), ResName(AName) {}

void THandler::Draw(TDirect2DCanvas& ACanvas)
{
    TD2RenderTarget& target = ACanvas.RenderTarget();
    // The icons are pictures of 96 dpi whatever the screen, as the box sizes are DIPs.
    if (!D2BMP) D2BMP = std::make_shared<TD2Bitmap>(PlanIcon(ResName), 96.0f, 96.0f);
    const D2D_RECT_F box = D2D1RectF(Center.x - Size.width / 2, Center.y - Size.height / 2,
                                     Center.x + Size.width / 2, Center.y + Size.height / 2);
    D2R = TD2RectangleGeometry::Create(box);
    target.FillGeometry(D2R, Activ ? D2SandyBrownBrush : D2GainsboroBrush);
    target.DrawGeometry(D2R, D2BlackBrush, 1.0f);
    const D2D_SIZE_F icon = D2BMP->GetSize();
    const float w = icon.width / 1.5f, h = icon.height / 1.5f;
    const D2D_RECT_F dest = D2D1RectF(Center.x - w / 2, Center.y - h / 2, Center.x + w / 2, Center.y + h / 2);
    target.DrawBitmap(D2BMP, &dest, 1.0f, TD2InterpolationMode::Linear);
}

bool THandler::IsHit(const QTransform& M, QPointF P) const
{
    if (!D2R) return false;
    bool invertible = false;
    const QTransform inverse = M.inverted(&invertible);
    if (!invertible) return false;
    return ToQRectF(D2R->GetRect()).contains(inverse.map(P));
}

TRotRect::TRotRect()
    : VertSizeHandler(std::make_unique<THandler>(QStringLiteral("CRns"), D2D1SizeF(40, 15))),
      HorzSizeHandler(std::make_unique<THandler>(QStringLiteral("CRwe"), D2D1SizeF(15, 40))),
      DiagSizeHandler(std::make_unique<THandler>(QStringLiteral("CRnwse"), D2D1SizeF(20, 20))),
      MoveHandler(std::make_unique<THandler>(QStringLiteral("CRmove"), D2D1SizeF(30, 30))),
      RotateHandler(std::make_unique<THandler>(QStringLiteral("CRrotate"), D2D1SizeF(20, 20)))
{
}

TRotRect::~TRotRect() = default;

D2D_MATRIX_3X2_F TRotRect::DrawHandles(TDirect2DCanvas& ACanvas)
{
    const float w = FSize.width, h = FSize.height;
    R = TD2RectangleGeometry::Create(D2D1RectF(0, 0, w, h));
    VertSizeHandler->Center = D2D1PointF(w / 2, h);
    HorzSizeHandler->Center = D2D1PointF(w, h / 2);
    DiagSizeHandler->Center = D2D1PointF(w, h);
    MoveHandler->Center = D2D1PointF(w / 2, h / 2);
    RotateHandler->Center = D2D1PointF(w - 20, h - 20);
    TD2RenderTarget& target = ACanvas.RenderTarget();
    const D2D_MATRIX_3X2_F saved = target.GetTransform();
    target.SetTransform(FromQTransform(Transform) * saved);
    for (THandler* handler : {VertSizeHandler.get(), HorzSizeHandler.get(), DiagSizeHandler.get(),
                              MoveHandler.get(), RotateHandler.get()})
        handler->Draw(ACanvas);
    return saved;
}

void TRotRect::Draw(TDirect2DCanvas& ACanvas)
{
    const D2D_MATRIX_3X2_F saved = DrawHandles(ACanvas);
    ACanvas.RenderTarget().DrawGeometry(R, D2BlackBrush, 1.0f);
    ACanvas.RenderTarget().SetTransform(saved);
}

bool TRotRect::IsHit(const QTransform& M, QPointF P)
{
    const QTransform placed = Transform * M;
    THandler* order[] = {FActiveHandler,        RotateHandler.get(), VertSizeHandler.get(),
                         HorzSizeHandler.get(), DiagSizeHandler.get(), MoveHandler.get()};
    for (THandler* handler : order) {
        if (!handler) continue;
        handler->Activ = handler->IsHit(placed, P);
        if (handler->Activ) {
            FActiveHandler = handler;
            LastHitPoint = P;
            return true;
        }
    }
    FActiveHandler = nullptr;
    return false;
}

QPointF TRotRect::LocalCoord(QPointF P) const
{
    bool invertible = false;
    const QTransform inverse = Transform.inverted(&invertible);
    return invertible ? inverse.map(P) : P;
}

QPointF TRotRect::PlanCenter() const
{
    return Transform.map(QPointF(FSize.width / 2.0, FSize.height / 2.0));
}

bool TRotRect::DoAction(QPointF P)
{
    if (!FActiveHandler) return false;
    const QPointF L = LocalCoord(P);
    if (FActiveHandler == VertSizeHandler.get()) {
        FSize = D2D1SizeF(FSize.width, float(L.y()));
    } else if (FActiveHandler == HorzSizeHandler.get()) {
        FSize = D2D1SizeF(float(L.x()), FSize.height);
    } else if (FActiveHandler == DiagSizeHandler.get()) {
        FSize = D2D1SizeF(float(L.x()), float(L.y()));
    } else if (FActiveHandler == MoveHandler.get()) {
        const QPointF d = P - LastHitPoint;
        Transform = Transform * QTransform::fromTranslate(d.x(), d.y());
        LastHitPoint = P;
    } else if (FActiveHandler == RotateHandler.get()) {
        const double a = std::atan2(FSize.height / 2.0, FSize.width / 2.0);
        const double b = std::atan2(L.y() - FSize.height / 2.0, L.x() - FSize.width / 2.0);
        Rotate((b - a) * 180.0 / M_PI);
    } else {
        return false;
    }
    return true;
}

void TRotRect::Rotate(double Angle)
{
    const double cx = FSize.width / 2.0, cy = FSize.height / 2.0;
    QTransform about = QTransform::fromTranslate(-cx, -cy);
    about = about * QTransform().rotate(Angle) * QTransform::fromTranslate(cx, cy);
    Transform = about * Transform;
}
