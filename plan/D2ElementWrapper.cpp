#include "plan/D2ElementWrapper.h"

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/fe/NumElements.h"
#include "model/fe/NumNodes.h"
#include "model/probes/BHEObj.h"

#include <vector>

namespace {

TD2GeometryPtr ClosedPolygon(const std::vector<QPointF>& Points)
{
    auto path = TD2PathGeometry::Create();
    TD2GeometrySink& sink = path->Open();
    sink.BeginFigure(TPointD{Points.front().x(), Points.front().y()}, true);
    std::vector<TPointD> rest;
    rest.reserve(Points.size() - 1);
    for (size_t i = 1; i < Points.size(); ++i) rest.push_back(TPointD{Points[i].x(), Points[i].y()});
    sink.AddLines(rest.data(), static_cast<unsigned>(rest.size()));
    sink.EndFigure(true);
    sink.Close();
    return path;
}

}  // namespace

TD2AbstractItem::TD2AbstractItem(TConvertFunction TheConvertFunction)
    : FConvertFunction(std::move(TheConvertFunction))
{
}

TD2AbstractItem::~TD2AbstractItem() = default;

void TD2AbstractItem::Draw(TDirect2DCanvas& Canvas)
{
    (void)Canvas;
}

bool TD2AbstractItem::ContainsPlanPoint(QPointF P) const
{
    if (!FGeometry || !FBounds.contains(P)) return false;
    return FGeometry->FillPath().contains(P);
}

QPointF TD2AbstractItem::Convert(double X, double Y) const
{
    return FConvertFunction ? FConvertFunction(QPointF(X, Y)) : QPointF(X, Y);
}

void TD2AbstractItem::SetGeometry(TD2GeometryPtr G)
{
    FGeometry = std::move(G);
    // The bounds are widened a little so that points on an edge pass the prefilter
    // and the exact test decides.
    FBounds = FGeometry ? FGeometry->FillPath().boundingRect().adjusted(-1e-6, -1e-6, 1e-6, 1e-6) : QRectF();
}

void TD2Element::BuildGeometry(float ARadius_DIP)
{
    (void)ARadius_DIP;
    if (!FElement) return;
    std::vector<QPointF> points;
    for (int i = 0; i < FElement->NodeCount(); ++i) {
        const TNode* node = FElement->GetNodes(i);
        // An element with a missing node has no shape to hit or fill.
        if (!node) {
            SetGeometry(nullptr);
            return;
        }
        points.push_back(Convert(node->X(), node->Y()));
    }
    SetGeometry(points.size() >= 3 ? ClosedPolygon(points) : nullptr);
}

void TD2Node::BuildGeometry(float ARadius_DIP)
{
    if (!FNode) return;
    FCenter = Convert(FNode->X(), FNode->Y());
    SetGeometry(TD2EllipseGeometry::Create(D2D1Ellipse(FromQPointF(FCenter), ARadius_DIP, ARadius_DIP)));
}

void TD2BHE::BuildGeometry(float ARadius_DIP)
{
    if (!FBHE) return;
    const D2D_POINT_2F c = FromQPointF(Convert(FBHE->X(), FBHE->Y()));
    const float r = ARadius_DIP;
    SetGeometry(TD2EllipseGeometry::Create(D2D1Ellipse(c, r, r)));
    ImageDest = D2D1RectF(c.x - r, c.y - r, c.x + r, c.y + r);
}

void TD2BHE::Draw(TDirect2DCanvas& Canvas)
{
    if (!FBHE || !Geometry()) return;
    TD2RenderTarget& target = Canvas.RenderTarget();
    if (FBullet)
        target.DrawBitmap(FBullet, &ImageDest, 1.0f, TD2InterpolationMode::Linear);
    else
        target.DrawGeometry(Geometry(), D2BlackBrush, 1.0f);
    DrawTextAligned(Canvas, D2D1PointF((ImageDest.left + ImageDest.right) / 2, ImageDest.bottom - 2), FBHE->Name(),
                    2, 0);
}

void TD2GWElement::BuildGeometry(float ARadius_DIP)
{
    (void)ARadius_DIP;
    const TWorldRect& c = FCoordinates;
    if (!ConvertFunction()) {
        SetGeometry(TD2RectangleGeometry::Create(D2D1RectF(float(c.left), float(c.top), float(c.right),
                                                           float(c.bottom))));
        return;
    }
    SetGeometry(ClosedPolygon({Convert(c.left, c.top), Convert(c.right, c.top), Convert(c.right, c.bottom),
                               Convert(c.left, c.bottom)}));
}
