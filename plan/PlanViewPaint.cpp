// The plan's paint, bottom up: map, mesh (from two cached pictures), hovered and
// selected items, boundary conditions, probes, origin, scale bar, observed nodes,
// selection rectangle, placer, groundwater cells and isotherms. Nothing here
// changes the model.

#include "plan/PlanView.h"

#include <QPainter>

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/model/MainModelObj.h"
#include "model/monitoring/Monitoring.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "plan/BHEField.h"
#include "plan/PlanIcons.h"

#include <algorithm>
#include <cmath>

namespace {

D2D_RECT_F ToD2Rect(const QRectF& R)
{
    return D2D1RectF(float(R.left()), float(R.top()), float(R.right()), float(R.bottom()));
}

TD2GeometryPtr WorldPolygon(const std::vector<TPointD>& Points, const TPlanMapping& Mapping)
{
    if (Points.size() < 3) return nullptr;
    auto path = TD2PathGeometry::Create();
    TD2GeometrySink& sink = path->Open();
    std::vector<TPointD> plan;
    for (const TPointD& p : Points) {
        const QPointF q = Mapping.WorldToPlan(QPointF(p.x, p.y));
        plan.push_back(TPointD{q.x(), q.y()});
    }
    sink.BeginFigure(plan.front(), true);
    sink.AddLines(plan.data() + 1, static_cast<unsigned>(plan.size() - 1));
    sink.EndFigure(true);
    sink.Close();
    return path;
}

}  // namespace

void TPlanView::MVPaintBoxD2AfterD2CanvasCreate(TDirect2DCanvas& Canvas)
{
    FGWArrow = std::make_shared<TD2Bitmap>(PlanIcon(QStringLiteral("ArrowGW")), 96.0f, 96.0f);
    CreateD2Brushes(Canvas);
    CreateGridBrushes();
}

void TPlanView::MVPaintBoxD2Paint(TDirect2DCanvas& Canvas)
{
    if (!D2BlackBrush || !FElementBrush || !FGWArrow) MVPaintBoxD2AfterD2CanvasCreate(Canvas);
    TD2RenderTarget& target = Canvas.RenderTarget();
    target.Clear(D2D1ColorF(clWhite));
    target.SetAntialiasMode(TD2AntialiasMode::PerPrimitive);
    const D2D_MATRIX_3X2_F view = FromQTransform(FMapping.Transform());
    target.SetTransform(view);
    if (FProject && Layer(plMap))
        FProject->MapImage->Draw(Canvas, FProject->MapImage->PlanRect(WorldToPlanFunction()), FMapOpacity);
    if (!FProject) return;
    if (Layer(plGrid) && !FDragBHE) PaintGridLayer(Canvas);
    if (Layer(plBC)) PaintBoundaryConditions(Canvas);
    if (Layer(plBHEs)) PaintBHEs(Canvas);
    if (Layer(plOrigin)) PaintOrigin(Canvas);
    PaintScaleBar(Canvas);
    if (Layer(plObsNodes)) PaintObservedNodes(Canvas);
    if ((FSelecting || FSelectingNodes) && FHasFirstPoint)
        target.DrawRectangle(ToD2Rect(QRectF(FP1, FP2)), D2BlackBrush, 2.0f);
    if (FBHEField) FBHEField->Draw(Canvas);
    if (Layer(plGW)) PaintGWGrid(Canvas);
    if (Layer(plContours)) PaintContours(Canvas);
    target.SetTransform(view);
}

// ---- mesh cache

TD2BitmapPtr TPlanView::RenderCache(bool Elements, float Dpi) const
{
    const double w = FGridDest.width(), h = FGridDest.height();
    if (!(w > 0) || !(h > 0)) return nullptr;
    // Pixels per DIP: the screen's, but never more than the cache limits allow;
    // the picture is then drawn scaled.
    double ratio = std::max(Dpi, 1.0f) / 96.0;
    ratio = std::min({ratio, MaxCacheSide / std::max(w, h), std::sqrt(MaxCachePixels / (w * h))});
    const int pw = std::max(1, static_cast<int>(std::ceil(w * ratio)));
    const int ph = std::max(1, static_cast<int>(std::ceil(h * ratio)));
    QImage image(pw, ph, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Double precision all the way, so that a mesh far from the world origin is
    // drawn where its items are.
    p.setTransform(QTransform::fromTranslate(-FGridDest.left(), -FGridDest.top()) *
                   QTransform::fromScale(pw / w, ph / h));
    const QColor black = D2BlackBrush ? D2BlackBrush->EffectiveColor() : QColor(Qt::black);
    if (Elements) {
        const QPen pen(black, 1.0);
        const QBrush fill(FElementBrush ? FElementBrush->EffectiveColor() : QColor(Qt::gray));
        for (const auto& item : FElements) {
            if (!item->Geometry()) continue;
            p.strokePath(item->Geometry()->StrokePath(), pen);
            p.fillPath(item->Geometry()->FillPath(), fill);
        }
    } else {
        const QPen pen(black, 0.5);
        for (const auto& item : FNodes)
            if (item->Geometry()) p.strokePath(item->Geometry()->StrokePath(), pen);
    }
    p.end();
    const float dpi = static_cast<float>(96.0 * pw / w);
    return std::make_shared<TD2Bitmap>(std::move(image), dpi, dpi);
}

void TPlanView::RenderGridBitmaps()
{
    FGridBMP.reset();
    FNodesBMP.reset();
    FGridDest = QRectF();
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    if (!Model() || !Model()->FieldModel()->GetModelExtend(minX, maxX, minY, maxY)) return;
    if (!FElementBrush) CreateGridBrushes();
    const QPointF a = WorldToPlan(QPointF(minX, minY)), b = WorldToPlan(QPointF(maxX, maxY));
    // Node circles and outlines reach a little beyond the nodes' extent.
    const double pad = std::max(0.0f, NodeSize) + 1;
    FGridDest = QRectF(QPointF(a.x(), b.y()), QPointF(b.x(), a.y())).normalized().adjusted(-pad, -pad, pad, pad);
    const float dpi = FCacheDpi > 0 ? FCacheDpi : 96.0f;
    FGridBMP = RenderCache(true, dpi);
    FNodesBMP = RenderCache(false, dpi);
}

// ---- layers

void TPlanView::PaintGridLayer(TDirect2DCanvas& Canvas)
{
    TD2RenderTarget& target = Canvas.RenderTarget();
    float dpiX = 96, dpiY = 96;
    target.GetDpi(dpiX, dpiY);
    if (dpiX != FCacheDpi) {
        // Another screen: the pictures are made again at its pixel density.
        FCacheDpi = dpiX;
        FGridBMP.reset();
    }
    if (FElements.empty() && Model() && Model()->FieldModel()->ElementCount() > 0) BuildElementItems();
    if (FNodes.empty() && Model() && Model()->FieldModel()->NodeCount() > 0) BuildNodeItems();
    if (!FGridBMP) RenderGridBitmaps();
    const D2D_RECT_F dest = ToD2Rect(FGridDest);
    if (FGridBMP) target.DrawBitmap(FGridBMP, &dest, GridOpacity, TD2InterpolationMode::Linear);
    if (auto* e = dynamic_cast<TD2Element*>(FHovered)) target.FillGeometry(e->Geometry(), FHoverBrush);
    if (Layer(plNodes) && FNodesBMP) target.DrawBitmap(FNodesBMP, &dest, GridOpacity, TD2InterpolationMode::Linear);
    if (auto* n = dynamic_cast<TD2Node*>(FHovered)) target.FillGeometry(n->Geometry(), FHoverBrush);
    for (TD2Element* e : FSelectedElements) target.FillGeometry(e->Geometry(), D2DodgerBlueHalfBrush);
    for (TD2Node* n : FSelectedNodes) target.FillGeometry(n->Geometry(), D2DodgerBlueHalfBrush);
}

void TPlanView::PaintBoundaryConditions(TDirect2DCanvas& Canvas)
{
    TD2RenderTarget& target = Canvas.RenderTarget();
    for (const auto& item : FNodes) {
        const TNode* node = item->Node();
        if (!node) continue;
        if (node->BorderCondition() == bc1FixedValue)
            target.FillGeometry(item->Geometry(), D2CrimsonBrush);
        else if (node->BorderCondition() == bc2FixedFlow)
            target.FillGeometry(item->Geometry(), D2DodgerBlueBrush);
    }
    const D2D_MATRIX_3X2_F saved = target.GetTransform();
    target.SetTransform(D2D_MATRIX_3X2_F::Identity());
    const struct {
        float y;
        const TD2BrushPtr& brush;
        const char* text;
    } legend[] = {{20, D2CrimsonBrush, "Temperatur"}, {35, D2DodgerBlueBrush, "Wärmestrom"}};
    for (const auto& entry : legend) {
        const D2D1_ELLIPSE dot = D2D1Ellipse(D2D1PointF(20, entry.y), 3, 3);
        target.FillEllipse(dot, entry.brush);
        target.DrawEllipse(dot, D2BlackBrush, 0.5f);
        DrawTextAligned(Canvas, D2D1PointF(30, entry.y), QString::fromUtf8(entry.text), 0, 2);
    }
    target.SetTransform(saved);
}

void TPlanView::PaintBHEs(TDirect2DCanvas& Canvas)
{
    if (FBHEs.empty() && Model() && Model()->BHEs().Count() > 0) BuildBHEItems();
    for (const auto& item : FBHEs) {
        const TBHE* bhe = item->BHE();
        const int image = bhe ? bhe->ImageIndex() : -1;
        item->SetBullet(image >= 0 && image < static_cast<int>(FBulletsBMP.size())
                            ? FBulletsBMP[static_cast<size_t>(image)]
                            : nullptr);
        item->Draw(Canvas);
    }
}

void TPlanView::PaintOrigin(TDirect2DCanvas& Canvas)
{
    const QPointF o = D2WorldOrg();
    const D2D_POINT_2F points[] = {FromQPointF(WorldToPlan(o + QPointF(0, 20))), FromQPointF(WorldToPlan(o)),
                                   FromQPointF(WorldToPlan(o + QPointF(20, 0)))};
    CreatePathGeometry(Canvas.RenderTarget(), points, 1.0f, D2BlackBrush, nullptr);
}

void TPlanView::PaintScaleBar(TDirect2DCanvas& Canvas)
{
    TD2RenderTarget& target = Canvas.RenderTarget();
    const float seg = static_cast<float>(WorldLengthToPlan(10.0));
    const float height = target.GetSize().height;
    const QPointF anchor = FMapping.ScreenToPlan(QPointF(20, height - 40));
    const D2D_MATRIX_3X2_F saved = target.GetTransform();
    const D2D_MATRIX_3X2_F bar = D2D_MATRIX_3X2_F::Translation(float(anchor.x()), float(anchor.y())) * saved;
    target.SetTransform(bar);
    for (int i = 1; i <= 3; ++i) {
        const D2D_RECT_F r = D2D1RectF((i - 1) * seg, 0, i * seg, 7);
        target.DrawRectangle(r, D2BlackBrush, 1.0f);
        if (i % 2 == 0) target.FillRectangle(r, D2BlackBrush);
    }
    // The labels keep their size at any zoom: they hang 2 DIPs below the bar's
    // bottom edge in screen units.
    target.SetTransform(D2D_MATRIX_3X2_F::Identity());
    for (int i = 0; i <= 3; ++i) {
        const D2D_POINT_2F p = bar.TransformPoint(D2D1PointF(i * seg, 7));
        const QString text = i == 0 ? QStringLiteral("0 m") : FloatToStr(i * 10.0) + QStringLiteral(" m");
        DrawTextAligned(Canvas, D2D1PointF(p.x, p.y + 2), text, 2, 0);
    }
    target.SetTransform(saved);
}

void TPlanView::PaintObservedNodes(TDirect2DCanvas& Canvas)
{
    if (!Model() || !Model()->MonitoringList()) return;
    TD2RenderTarget& target = Canvas.RenderTarget();
    const TMonitoringList& list = *Model()->MonitoringList();
    for (int i = 0; i < list.Count(); ++i) {
        const TMonitoringItem* item = list.Item(i);
        const TNode* node = item && dynamic_cast<const TNodeMonitoringItem*>(item)
                                ? dynamic_cast<const TNode*>(item->Item())
                                : nullptr;
        if (!node) continue;
        const D2D_POINT_2F p = FromQPointF(WorldToPlan(QPointF(node->X(), node->Y())));
        const D2D1_ROUNDED_RECT r = D2D1RoundedRect(D2D1RectF(p.x, p.y, p.x + BHESize, p.y + BHESize), 2, 2);
        target.FillRoundedRectangle(r, D2GoldBrush);
        target.DrawRoundedRectangle(r, D2BlackBrush, 0.4f);
    }
}

void TPlanView::PaintGWGrid(TDirect2DCanvas& Canvas)
{
    TGWGrid* grid = GW();
    if (!grid || grid->Count() == 0 || static_cast<int>(FGWCells.size()) != grid->Count()) return;
    TD2RenderTarget& target = Canvas.RenderTarget();
    for (const auto& cell : FGWCells) target.DrawGeometry(cell->Geometry(), D2BlackBrush, 1.0f);
    // The arrows stand in the grid's own frame (DIPs, turned with the grid) at its
    // upstream edge, pointing downstream.
    const double s = ScaleFactorMap();
    const auto gridToPlan = [&](double X, double Y) {
        const TPointD w = grid->GridToWorld(X, Y);
        return WorldToPlan(QPointF(w.x, w.y));
    };
    const QPointF o = gridToPlan(0, 0), ex = (gridToPlan(1, 0) - o) * s, ey = (gridToPlan(0, 1) - o) * s;
    const QTransform frame(ex.x(), ex.y(), ey.x(), ey.y(), o.x(), o.y());
    const D2D_MATRIX_3X2_F saved = target.GetTransform();
    target.SetTransform(FromQTransform(frame) * saved);
    const float sp = static_cast<float>(grid->ExtensionX() / 6 / s);
    for (int k = 1; k <= 5; k += 2) {
        const D2D_RECT_F dest = D2D1RectF(k * sp - 64, 0, k * sp + 64, 128);
        target.DrawBitmap(FGWArrow, &dest, GridOpacity, TD2InterpolationMode::Linear);
    }
    target.SetTransform(saved);
    auto* hovered = dynamic_cast<TD2GWElement*>(FHovered);
    if (!hovered || hovered->Index() < 0 || hovered->Index() >= grid->Count()) return;
    target.FillGeometry(hovered->Geometry(), FHoverBrush);
    const TGWElement* cell = grid->Cells(hovered->Index());
    for (int a = 0; a < cell->Count(); ++a)
        for (const TGWFigure& figure : cell->Areas(a)->Intersection())
            target.FillGeometry(WorldPolygon(figure, FMapping), D2DodgerBlueHalfBrush);
}

void TPlanView::PaintContours(TDirect2DCanvas& Canvas)
{
    if (!Model()) return;
    if (FContoursStale || Model()->MainLoop()->IsDirty()) RecomputeContours();
    FContourLayer.Paint(Canvas, *Model()->ContourMap());
}
