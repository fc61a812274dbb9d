// The plan's mouse: panning, the placer's handles, rectangle and Ctrl selection,
// dragging probes with the middle button, hover search, wheel zoom, and probe types
// dropped from the window's probe-type list.

#include "plan/PlanView.h"

#include <QCursor>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/groundwater/GWGrid.h"
#include "model/model/MainModelObj.h"
#include "model/settings/KPSettings.h"
#include "plan/BHEField.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanHost.h"

#include <cmath>

namespace {

// One notch of a mouse wheel; touchpads report fractions of it.
constexpr int WheelNotch = 120;

QTransform Identity()
{
    return QTransform();
}

}  // namespace

void TPlanView::MVPaintBoxD2MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const QPointF p = DeviceToPlan(X, Y);
    if (Button == mbLeft) {
        if (Shift.Contains(ssCtrl) || FAddingToSelection) {
            ToggleHoveredElementSelection();
        } else if (FSelecting || FSelectingNodes) {
            FP1 = FP2 = p;
            FHasFirstPoint = true;
        } else if (FBHEField && FBHEField->IsHit(Identity(), p)) {
            // The handle became the active one; moving with the button held works it.
        } else {
            FDragSketch = true;
            FD2Origin = FMapping.DeviceToDIP(QPointF(X, Y));
        }
    } else if (Button == mbRight) {
        auto* node = dynamic_cast<TD2Node*>(FHovered);
        if (node || !FSelectedNodes.empty()) {
            FNodeMonitor = node;
            const QPoint global = FBox ? FBox->mapToGlobal(QPoint(X, Y)) : QPoint(X, Y);
            FHost->PopupObserveMenu(node ? node->Node() : nullptr, global);
        }
    } else if (Button == mbMiddle) {
        auto* bhe = dynamic_cast<TD2BHE*>(FHovered);
        // Probes stay where they are while a run uses them.
        if (bhe && !(Model() && Model()->RunActive())) {
            FDragBHE = true;
            FDraggedBHE = bhe;
        }
    }
}

void TPlanView::MVPaintBoxD2MouseMove(TShiftState Shift, int X, int Y)
{
    const QPointF dip = FMapping.DeviceToDIP(QPointF(X, Y));
    const QPointF p = FMapping.ScreenToPlan(dip);
    const QPointF w = PlanToWorld(p);
    FHost->SetStatusText(Format(QStringLiteral("X: %.1f m  Y:%.1f m"), {w.x(), w.y()}));
    if (FDragBHE && FDraggedBHE) {
        FDraggedBHE->BHE()->SetX(w.x());
        FDraggedBHE->BHE()->SetY(w.y());
        FDraggedBHE->BuildGeometry(BHESize);
        Repaint();
    } else if (FBHEField && !FDragSketch) {
        if (Shift.Contains(ssLeft))
            FBHEField->DoAction(p);
        else if (FBox)
            FBox->setCursor(FBHEField->IsHit(Identity(), p) ? Qt::PointingHandCursor : Qt::ArrowCursor);
        else
            FBHEField->IsHit(Identity(), p);
        Repaint();
    } else if (FDragSketch) {
        FMapping.Pan(dip - FD2Origin);
        FD2Origin = dip;
        Repaint();
    } else if ((FSelecting || FSelectingNodes) && FHasFirstPoint) {
        FP2 = p;
        Repaint();
    } else {
        HoverSearch(p);
    }
}

TD2AbstractItem* TPlanView::HitElement(QPointF Plan) const
{
    if (!FElementIndex.Empty()) {
        for (int i : FElementIndex.Candidates(Plan))
            if (FElements[static_cast<size_t>(i)]->ContainsPlanPoint(Plan)) return FElements[static_cast<size_t>(i)].get();
        return nullptr;
    }
    for (const auto& item : FElements)
        if (item->ContainsPlanPoint(Plan)) return item.get();
    return nullptr;
}

void TPlanView::HoverSearch(QPointF Plan)
{
    // The mouse is mapped to the plan once; every item is tested there, the cells
    // too, since their geometries already carry the grid's placement.
    TGWGrid* grid = GW();
    if (Layer(plGW) && grid && grid->Count() > 0)
        for (const auto& cell : FGWCells)
            if (cell->ContainsPlanPoint(Plan)) return SetD2HoveredObj(cell.get());
    for (const auto& item : FBHEs)
        if (item->ContainsPlanPoint(Plan)) return SetD2HoveredObj(item.get());
    // A hovered cell stays hovered only while its layer is shown.
    const bool hoveredIsCell = dynamic_cast<TD2GWElement*>(FHovered) != nullptr;
    if (FHovered && !hoveredIsCell && FHovered->ContainsPlanPoint(Plan)) return;
    for (const auto& item : FNodes)
        if (item->ContainsPlanPoint(Plan)) return SetD2HoveredObj(item.get());
    SetD2HoveredObj(HitElement(Plan));
}

void TPlanView::UpdateHoveredCellMessage()
{
    auto* cellItem = dynamic_cast<TD2GWElement*>(FHovered);
    TGWGrid* grid = GW();
    const int index = cellItem && grid && cellItem->Index() < grid->Count() ? cellItem->Index() : -1;
    if (index == FMessageCell) return;
    FMessageCell = index;
    if (index < 0) return;
    const TGWElement* cell = grid->Cells(index);
    FHost->SetMessageLines(
        {QStringLiteral("Schnittfläche: ") + FormatFloat(QStringLiteral("0.##"), cell->Area()) + QStringLiteral(" m²"),
         QStringLiteral("Temperatur: ") + FormatFloat(QStringLiteral("0.##"), cell->Temperature()) +
             QStringLiteral(" °C")});
}

void TPlanView::FinishProbeDrag(QPointF Plan)
{
    TD2BHE* item = FDraggedBHE;
    FDragBHE = false;
    FDraggedBHE = nullptr;
    if (!item || !item->BHE()) return;
    const QPointF w = PlanToWorld(Plan);
    item->BHE()->SetX(w.x());
    item->BHE()->SetY(w.y());
    item->BuildGeometry(BHESize);
    FHost->ProjectChanged();
    Repaint();
    FHost->BHEMoved(item->BHE());
    if (Model()) Model()->SetNumModelDirty(true);
    FHost->MeshOutOfDate();
}

void TPlanView::FinishSelection()
{
    FSelectedElements.clear();
    const QRectF r = QRectF(FP1, FP2).normalized();
    if (FSelecting) {
        // Elements the rectangle contains or overlaps; a rectangle inside one
        // element does not select it.
        const auto rect = TD2RectangleGeometry::Create(D2D1RectF(float(r.left()), float(r.top()),
                                                                 float(r.right()), float(r.bottom())));
        for (const auto& item : FElements) {
            if (!item->Geometry() || !item->Bounds().intersects(r)) continue;
            const TGeometryRelation rel = rect->CompareWithGeometry(*item->Geometry());
            if (rel == TGeometryRelation::Contains || rel == TGeometryRelation::Overlap)
                FSelectedElements.push_back(item.get());
        }
    } else {
        for (const auto& item : FNodes)
            if (item->Geometry() && r.contains(item->Bounds())) FSelectedNodes.push_back(item.get());
    }
    FSelecting = FSelectingNodes = FHasFirstPoint = false;
    Repaint();
}

void TPlanView::MVPaintBoxD2MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    (void)Shift;
    FDragSketch = false;
    if (FDragBHE) FinishProbeDrag(DeviceToPlan(X, Y));
    // Only the left button that set the first corner finishes a rectangle.
    if ((FSelecting || FSelectingNodes) && Button == mbLeft && FHasFirstPoint) {
        FP2 = DeviceToPlan(X, Y);
        FinishSelection();
    }
}

bool TPlanView::MVPaintBoxD2MouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos)
{
    (void)Shift;
    FWheelRest += WheelDelta;
    const QPointF c = FMapping.DeviceToDIP(QPointF(MousePos));
    bool zoomed = false;
    while (std::abs(FWheelRest) >= WheelNotch) {
        const int sign = FWheelRest > 0 ? 1 : -1;
        FMapping.ZoomAt(sign > 0 ? 1.1 : 1 / 1.1, c);
        FWheelRest -= sign * WheelNotch;
        zoomed = true;
    }
    if (zoomed) Repaint();
    return true;
}

void TPlanView::MVPaintBoxD2MouseLeave()
{
    SetD2HoveredObj(nullptr);
    FDragSketch = false;
    // A probe let go outside the plan stays where it was last shown, and the mesh
    // must follow it as after a button-up.
    if (FDragBHE && FDraggedBHE && FDraggedBHE->BHE()) {
        TD2BHE* item = FDraggedBHE;
        FinishProbeDrag(WorldToPlan(QPointF(item->BHE()->X(), item->BHE()->Y())));
    }
    FDragBHE = false;
    FDraggedBHE = nullptr;
}

bool TPlanView::MVPaintBoxD2DragOver(const QMimeData* Data) const
{
    return Data && Data->hasFormat(BHETypeMimeType()) && Model() && !Model()->RunActive();
}

TBHE* TPlanView::MVPaintBoxD2DragDrop(const QMimeData* Data, int X, int Y)
{
    if (!MVPaintBoxD2DragOver(Data)) return nullptr;
    bool ok = false;
    const int index = QString::fromUtf8(Data->data(BHETypeMimeType())).trimmed().toInt(&ok);
    const TBHE* type = ok ? FHost->BHETypeAt(index) : nullptr;
    if (!type) return nullptr;
    TThermModel& model = *Model();
    model.SetNumModelDirty(true);
    const QPointF w = PlanToWorld(DeviceToPlan(X, Y));
    TBHE* bhe = model.AddBHE();
    bhe->SetX(w.x());
    bhe->SetY(w.y());
    bhe->AssignType(*type);
    bhe->SetName(QStringLiteral("Sonde ") + QString::number(model.BHEs().Count()));
    FHost->BHEAdded(bhe);
    BuildBHEItems();
    FHost->ProjectChanged();
    FHost->MeshOutOfDate();
    Repaint();
    return bhe;
}

bool TPlanView::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FBox) return QObject::eventFilter(Watched, Event);
    switch (Event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(Event);
            if (MVPaintBoxD2DragOver(e->mimeData()))
                e->acceptProposedAction();
            else
                e->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(Event);
            const QPoint p = e->position().toPoint();
            try {
                if (MVPaintBoxD2DragDrop(e->mimeData(), p.x(), p.y()))
                    e->acceptProposedAction();
                else
                    e->ignore();
            } catch (const EKPError& error) {
                e->ignore();
                FHost->ShowError(error.Message());
            }
            return true;
        }
        default:
            return QObject::eventFilter(Watched, Event);
    }
}
