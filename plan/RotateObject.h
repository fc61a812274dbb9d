#pragma once

// A rectangle on the plan that the user moves, resizes and turns with five handles.
// Its own frame has the origin at its top-left corner; Transform places that frame
// on the plan (double precision, so that a field placed far from the world origin
// keeps its centimetres). Sizes may be negative: the rectangle then extends to the
// left or upwards in its own frame.

#include "gfx/D2DGeometry.h"
#include "gfx/D2DResources.h"
#include "gfx/D2DTypes.h"

#include <QPointF>
#include <QString>
#include <QTransform>
#include <memory>

class TDirect2DCanvas;

class THandler
{
public:
    THandler(const QString& AName, D2D_SIZE_F ASize);

    // Box and icon centred on Center (the rectangle's frame); the icon is made at
    // the first draw.
    void Draw(TDirect2DCanvas& ACanvas);
    // Whether the plan point P lies in the box placed by M; false before the first draw.
    bool IsHit(const QTransform& M, QPointF P) const;

    D2D_POINT_2F Center;
    D2D_SIZE_F Size;
    TD2BitmapPtr D2BMP;
    std::shared_ptr<TD2RectangleGeometry> D2R;
    QString ResName;
    bool Activ = false;
};

class TRotRect
{
public:
    TRotRect();
    virtual ~TRotRect();
    TRotRect(const TRotRect&) = delete;
    TRotRect& operator=(const TRotRect&) = delete;

    D2D_SIZE_F Size() const { return FSize; }
    void SetSize(D2D_SIZE_F V) { FSize = V; }
    THandler* ActiveHandler() const { return FActiveHandler; }
    void SetActiveHandler(THandler* V) { FActiveHandler = V; }

    // The handles, then the outline, under Transform.
    virtual void Draw(TDirect2DCanvas& ACanvas);
    // Works the active handle with the plan point P; false without one.
    virtual bool DoAction(QPointF P);
    // Tests the handles (active first, then rotate, vertical, horizontal, diagonal,
    // move) at the plan point P under Transform followed by M; the first hit
    // becomes the active handle.
    virtual bool IsHit(const QTransform& M, QPointF P);
    // Turns by Angle degrees (clockwise on the screen) about the centre.
    virtual void Rotate(double Angle);
    // The plan point in the rectangle's frame; P itself when Transform is singular.
    virtual QPointF LocalCoord(QPointF P) const;
    // The centre in plan coordinates.
    QPointF PlanCenter() const;

    QPointF LastHitPoint;
    std::shared_ptr<TD2RectangleGeometry> R;
    std::unique_ptr<THandler> VertSizeHandler;
    std::unique_ptr<THandler> HorzSizeHandler;
    std::unique_ptr<THandler> DiagSizeHandler;
    std::unique_ptr<THandler> MoveHandler;
    std::unique_ptr<THandler> RotateHandler;
    // The rectangle's frame to plan coordinates.
    QTransform Transform;

protected:
    // Rectangle geometry, handle centres, the frame's transform and the handles;
    // returns the render target's previous transform.
    D2D_MATRIX_3X2_F DrawHandles(TDirect2DCanvas& ACanvas);

private:
    D2D_SIZE_F FSize;
    THandler* FActiveHandler = nullptr;
};
