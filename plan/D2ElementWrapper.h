#pragma once

// Plan items: model objects as geometries in plan coordinates (DIPs, y down), for
// drawing and hit-testing. Each item converts world points through the conversion
// its owner hands in; items point at model objects and own none of them. Every
// geometry keeps its plan bounds, so that hit tests can reject an item cheaply.

#include "gfx/D2DGeometry.h"
#include "gfx/D2DResources.h"
#include "gfx/D2DTypes.h"
#include "model/base/Utilities.h"

#include <QPointF>
#include <QRectF>

class TBHE;
class TDirect2DCanvas;
class TElement;
class TNode;

class TD2AbstractItem
{
public:
    explicit TD2AbstractItem(TConvertFunction TheConvertFunction);
    virtual ~TD2AbstractItem();
    TD2AbstractItem(const TD2AbstractItem&) = delete;
    TD2AbstractItem& operator=(const TD2AbstractItem&) = delete;

    const TConvertFunction& ConvertFunction() const { return FConvertFunction; }
    void SetConvertFunction(TConvertFunction V) { FConvertFunction = std::move(V); }
    // Null before the first build and for an item without its model object.
    const TD2GeometryPtr& Geometry() const { return FGeometry; }
    // Plan bounds of Geometry; empty without one.
    const QRectF& Bounds() const { return FBounds; }

    virtual void BuildGeometry(float ARadius_DIP) = 0;
    // Only probes draw themselves; the owner fills or outlines the other items.
    virtual void Draw(TDirect2DCanvas& Canvas);

    // The fill-contains-point test for a plan point, after the bounds prefilter.
    bool ContainsPlanPoint(QPointF P) const;

protected:
    QPointF Convert(double X, double Y) const;
    void SetGeometry(TD2GeometryPtr G);

private:
    TConvertFunction FConvertFunction;
    TD2GeometryPtr FGeometry;
    QRectF FBounds;
};

class TD2Element : public TD2AbstractItem
{
public:
    using TD2AbstractItem::TD2AbstractItem;
    TElement* Element() const { return FElement; }
    void SetElement(TElement* V) { FElement = V; }
    // A closed, filled polygon through the element's nodes; the radius is not used.
    void BuildGeometry(float ARadius_DIP) override;

private:
    TElement* FElement = nullptr;
};

class TD2Node : public TD2AbstractItem
{
public:
    using TD2AbstractItem::TD2AbstractItem;
    TNode* Node() const { return FNode; }
    void SetNode(TNode* V) { FNode = V; }
    // A circle of ARadius_DIP around the node.
    void BuildGeometry(float ARadius_DIP) override;
    QPointF PlanCenter() const { return FCenter; }

private:
    TNode* FNode = nullptr;
    QPointF FCenter;
};

class TD2BHE : public TD2AbstractItem
{
public:
    using TD2AbstractItem::TD2AbstractItem;
    TBHE* BHE() const { return FBHE; }
    void SetBHE(TBHE* V) { FBHE = V; }
    const TD2BitmapPtr& Bullet() const { return FBullet; }
    void SetBullet(TD2BitmapPtr V) { FBullet = std::move(V); }
    // A circle of ARadius_DIP around the probe, and the square the bullet fills.
    void BuildGeometry(float ARadius_DIP) override;
    // The bullet (or a black circle without one) and the name hanging below it.
    void Draw(TDirect2DCanvas& Canvas) override;

    D2D_RECT_F ImageDest;

private:
    TBHE* FBHE = nullptr;
    TD2BitmapPtr FBullet;
};

// A groundwater cell. Coordinates are the cell's corners in the grid's own frame
// (metres); the conversion maps that frame onto the plan, turned with the grid.
class TD2GWElement : public TD2AbstractItem
{
public:
    using TD2AbstractItem::TD2AbstractItem;
    const TWorldRect& Coordinates() const { return FCoordinates; }
    void SetCoordinates(const TWorldRect& V) { FCoordinates = V; }
    // Position of the cell in the grid's cell list.
    int Index() const { return FIndex; }
    void SetIndex(int V) { FIndex = V; }
    // Without a conversion the rectangle of Coordinates itself; with one, the four
    // converted corners (a turned grid gives a turned rectangle).
    void BuildGeometry(float ARadius_DIP) override;

private:
    TWorldRect FCoordinates;
    int FIndex = -1;
};
