// The plan component: binding, item lists, selections, layers and the placer.

#include "plan/PlanView.h"

#include <QEvent>
#include <QMimeData>
#include <QShortcut>

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/KPError.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "plan/BHEField.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanHost.h"

#include <algorithm>
#include <cmath>

TPlanView::TPlanView(TMVPaintBoxD2D* Box, TPlanHost* Host, QObject* Parent)
    : QObject(Parent), FBox(Box), FNoHost(std::make_unique<TPlanHost>())
{
    SetHost(Host);
    FMapOpacity = MapOpacity;
    if (FBox) WireBox();
}

TPlanView::~TPlanView()
{
    // The project may outlive the plan: it must not keep conversions into it.
    SetProject(nullptr);
    if (FBox) FBox->removeEventFilter(this);
}

void TPlanView::SetHost(TPlanHost* Host)
{
    FHost = Host ? Host : FNoHost.get();
}

void TPlanView::WireBox()
{
    FBox->OnPaint = [this](QObject*) {
        if (FBox->D2DCanvas()) MVPaintBoxD2Paint(*FBox->D2DCanvas());
    };
    FBox->AfterD2CanvasCreate = [this](QObject*) {
        if (FBox->D2DCanvas()) MVPaintBoxD2AfterD2CanvasCreate(*FBox->D2DCanvas());
    };
    FBox->OnMouseDown = [this](QObject*, TMouseButton B, TShiftState S, int X, int Y) {
        MVPaintBoxD2MouseDown(B, S, X, Y);
    };
    FBox->OnMouseMove = [this](QObject*, TShiftState S, int X, int Y) { MVPaintBoxD2MouseMove(S, X, Y); };
    FBox->OnMouseUp = [this](QObject*, TMouseButton B, TShiftState S, int X, int Y) {
        MVPaintBoxD2MouseUp(B, S, X, Y);
    };
    FBox->OnMouseLeave = [this](QObject*) { MVPaintBoxD2MouseLeave(); };
    FBox->OnMouseWheel = [this](QObject*, TShiftState S, int Delta, QPoint Pos, bool& Handled) {
        Handled = MVPaintBoxD2MouseWheel(S, Delta, Pos);
    };
    // The control's drag events carry no data; the plan reads the dragged probe type
    // from the drop's MIME data itself.
    FBox->installEventFilter(this);
    if (FBox->D2DCanvas()) MVPaintBoxD2AfterD2CanvasCreate(*FBox->D2DCanvas());
}

void TPlanView::Repaint()
{
    if (FBox) FBox->update();
}

// ---- binding

TThermModel* TPlanView::Model() const
{
    return FProject ? FProject->Model() : nullptr;
}

TGWGrid* TPlanView::GW() const
{
    return Model() ? Model()->GW() : nullptr;
}

TConvertFunction TPlanView::WorldToPlanFunction() const
{
    return [this](QPointF P) { return FMapping.WorldToPlan(P); };
}

TConvertFunction TPlanView::WorldToExportFunction() const
{
    return [this](QPointF P) { return FMapping.WorldToExport(P); };
}

void TPlanView::SetProject(TProject* Project)
{
    FContourLayer.Clear();
    if (FProject) {
        FProject->SetConvertFunction({});
        for (int i = 0; i < FProject->Models().Count(); ++i)
            if (auto* m = FProject->Models().ItemAs<TThermModel>(i)) m->ContourMap()->SetConvertFunction({});
    }
    FBHEField.reset();
    EndPlacerShortcuts();
    FDragSketch = FDragBHE = false;
    FSelecting = FSelectingNodes = FHasFirstPoint = false;
    FProject = Project;
    if (FProject) {
        FMapping.SetWorldOrg(QPointF(FProject->MapImage->X1(), FProject->MapImage->Y1()));
        FProject->SetConvertFunction(WorldToPlanFunction());
        if (Model()) Model()->ContourMap()->SetConvertFunction(WorldToPlanFunction());
    }
    RebuildPlanItems();
    TGWGrid* grid = GW();
    // A stored grid comes without cells (they point at elements): lay it over the
    // mesh now, so that painting never has to.
    if (grid && grid->Count() == 0 && grid->VDistance() * grid->TimeForGrid() > 0 &&
        Model()->FieldModel()->ElementCount() > 0) {
        try {
            grid->GenerateOverMesh(Model()->DefFA());
        } catch (const EKPError& e) {
            FHost->SetMessageLines({e.Message()});
        }
    }
    BuildGWGridItems();
    FContoursStale = true;
    Repaint();
}

// ---- item lists

void TPlanView::ClearItemReferences()
{
    // Called before a list is replaced: nothing may point into the old items.
    FHovered = nullptr;
    FMessageCell = -1;
}

void TPlanView::BuildElementItems()
{
    FSelectedElements.clear();
    if (dynamic_cast<TD2Element*>(FHovered)) ClearItemReferences();
    FElementIndex.Clear();
    FElements.clear();
    if (!Model()) return;
    const T2DTriangleTransient& fe = *Model()->FieldModel();
    FElements.reserve(static_cast<size_t>(fe.ElementCount()));
    for (int e = 0; e < fe.ElementCount(); ++e) {
        auto item = std::make_unique<TD2Element>(WorldToPlanFunction());
        item->SetElement(fe.GetElement(e));
        item->BuildGeometry(0);
        FElements.push_back(std::move(item));
    }
    if (static_cast<int>(FElements.size()) >= IndexFromElements) {
        std::vector<QRectF> bounds;
        bounds.reserve(FElements.size());
        for (const auto& item : FElements) bounds.push_back(item->Bounds());
        FElementIndex.Build(bounds);
    }
}

void TPlanView::BuildNodeItems()
{
    FSelectedNodes.clear();
    FNodeMonitor = nullptr;
    if (dynamic_cast<TD2Node*>(FHovered)) ClearItemReferences();
    FNodes.clear();
    if (!Model()) return;
    const T2DTriangleTransient& fe = *Model()->FieldModel();
    FNodes.reserve(static_cast<size_t>(fe.NodeCount()));
    for (int k = 0; k < fe.NodeCount(); ++k) {
        auto item = std::make_unique<TD2Node>(WorldToPlanFunction());
        item->SetNode(fe.GetNodes(k));
        item->BuildGeometry(NodeSize);
        FNodes.push_back(std::move(item));
    }
}

void TPlanView::BuildBHEItems()
{
    FDragBHE = false;
    FDraggedBHE = nullptr;
    if (dynamic_cast<TD2BHE*>(FHovered)) ClearItemReferences();
    FBHEs.clear();
    if (!Model()) return;
    for (int i = 0; i < Model()->BHEs().Count(); ++i) {
        auto item = std::make_unique<TD2BHE>(WorldToPlanFunction());
        item->SetBHE(Model()->BHE(i));
        item->BuildGeometry(BHESize);
        FBHEs.push_back(std::move(item));
    }
}

void TPlanView::BuildGWGridItems()
{
    if (dynamic_cast<TD2GWElement*>(FHovered)) ClearItemReferences();
    FMessageCell = -1;
    FGWCells.clear();
    TGWGrid* grid = GW();
    if (!grid) return;
    const double g = grid->GridSize();
    // Each cell is built in the grid's own frame (metres) and mapped through the
    // grid's placement onto the plan, so cells turn with the flow direction.
    const TConvertFunction gridToPlan = [this, grid](QPointF P) {
        const TPointD w = grid->GridToWorld(P.x(), P.y());
        return FMapping.WorldToPlan(QPointF(w.x, w.y));
    };
    for (int r = 0; r < grid->NumRows(); ++r)
        for (int c = 0; c < grid->NumCols(); ++c) {
            if (r * grid->NumCols() + c >= grid->Count()) return;
            auto item = std::make_unique<TD2GWElement>(gridToPlan);
            item->SetCoordinates(TWorldRect{c * g, r * g, (c + 1) * g, (r + 1) * g});
            item->SetIndex(r * grid->NumCols() + c);
            item->BuildGeometry(0);
            FGWCells.push_back(std::move(item));
        }
}

void TPlanView::RebuildPlanItems()
{
    BuildElementItems();
    BuildNodeItems();
    BuildBHEItems();
    // The groundwater cells point at the elements of the mesh just replaced.
    if (GW() && static_cast<int>(FGWCells.size()) != GW()->Count()) BuildGWGridItems();
    RenderGridBitmaps();
}

void TPlanView::IntersectGWGridWithMesh(TGWGrid* AGrid)
{
    if (!AGrid || !Model()) return;
    AGrid->IntersectWithMesh(Model()->DefFA());
}

void TPlanView::GenerateGWGrid()
{
    TGWGrid* grid = GW();
    if (!grid) return;
    grid->GenerateOverMesh(Model()->DefFA());
    BuildGWGridItems();
    Repaint();
}

void TPlanView::SetBullets(const std::vector<QImage>& Images)
{
    FBulletImages = Images;
    FBulletsBMP.clear();
    for (const QImage& image : FBulletImages) FBulletsBMP.push_back(std::make_shared<TD2Bitmap>(image, 96.0f, 96.0f));
}

// ---- hovered object and selection

void TPlanView::SetD2HoveredObj(TD2AbstractItem* Value)
{
    if (Value == FHovered) return;
    FHovered = Value;
    HoveredObjChanged();
}

void TPlanView::HoveredObjChanged()
{
    Repaint();
    if (auto* e = dynamic_cast<TD2Element*>(FHovered))
        FHost->ShowElementProperties(e->Element());
    else if (auto* n = dynamic_cast<TD2Node*>(FHovered))
        FHost->ShowNodeProperties(n->Node());
    UpdateHoveredCellMessage();
}

void TPlanView::ToggleHoveredElementSelection()
{
    auto* e = dynamic_cast<TD2Element*>(FHovered);
    if (!e) return;
    auto it = std::find(FSelectedElements.begin(), FSelectedElements.end(), e);
    if (it != FSelectedElements.end())
        FSelectedElements.erase(it);
    else
        FSelectedElements.push_back(e);
    Repaint();
}

void TPlanView::ActionClearSelectionExecute()
{
    FSelectedElements.clear();
    FSelectedNodes.clear();
    Repaint();
}

void TPlanView::ActionSelectElementsExecute()
{
    FSelectingNodes = false;
    FSelecting = true;
    FHasFirstPoint = false;
    FSelectedElements.clear();
}

void TPlanView::ActionSelectNodesExecute()
{
    FSelecting = false;
    FSelectingNodes = true;
    FHasFirstPoint = false;
    FSelectedNodes.clear();
}

// ---- layers

QString TPlanView::LayerCaption(int Index)
{
    static const char* const captions[LayerCount] = {
        "Hintergrundbild", "Gitter", "Sonden", "Randbedingungen", "Koordinatenursprung",
        "Nodes", "überwachte Nodes", "Grundwasser", "Isothermen"};
    return Index >= 0 && Index < LayerCount ? QString::fromUtf8(captions[Index]) : QString();
}

void TPlanView::ListViewMapItemChecked(int Index, bool Checked)
{
    if (Index < 0 || Index >= LayerCount) return;
    FShow[Index] = Checked;
    if (Index == plContours && Checked && Model()) {
        Model()->ContourMap()->SetConvertFunction(WorldToPlanFunction());
        RecomputeContours();
    }
    Repaint();
}

void TPlanView::RecomputeContours()
{
    // A run owns the node values; the last lines stay until it is over.
    if (!Model() || Model()->RunActive()) {
        FContoursStale = true;
        return;
    }
    Model()->RefreshContourMap();
    FContoursStale = false;
}

void TPlanView::TBGridOpacityChange(int Position)
{
    GridOpacity = std::clamp(Position, 0, 10) / 10.0f;
    CreateGridBrushes();
    Repaint();
}

void TPlanView::TBMapOpacityChange(int Position)
{
    FMapOpacity = std::clamp(Position, 0, 10) / 10.0f;
    Repaint();
}

void TPlanView::CreateGridBrushes()
{
    // The element fill is opaque in the cached picture; the grid opacity is applied
    // once, when the picture is drawn, so the slider needs no new picture.
    FElementBrush = CreateSolidColorBrush(D2D1ColorF(ElementColor), 1.0f);
    FHoverBrush = CreateSolidColorBrush(D2D1ColorF(HoverColor), GridOpacity);
}

void TPlanView::DoRedrawContours()
{
    FShow[plContours] = true;
    FContoursStale = true;
    Repaint();
    FHost->ProjectChanged();
}

// ---- probe-field placer

TD2BHEField* TPlanView::StartBHEField(const TBHE* BHEType, const QString& Prefix, int LoadProfilIndex,
                                      int ControlWidth, int ControlHeight)
{
    if (!Model()) return nullptr;
    FBHEField = std::make_unique<TD2BHEField>(this);
    FBHEField->SetBHEType(BHEType);
    FBHEField->SetPrefix(Prefix);
    FBHEField->SetLoadProfilIndex(LoadProfilIndex);
    const double side = 20 / ScaleFactorMap();
    FBHEField->SetSize(D2D1SizeF(float(side), float(side)));
    const QPointF centre = DeviceToPlan(ControlWidth / 2, ControlHeight / 2);
    FBHEField->Transform = QTransform::fromTranslate(centre.x() - side / 2, centre.y() - side / 2);
    if (FBox) {
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
            // A window-wide shortcut works wherever the focus is inside the window.
            auto* shortcut = new QShortcut(QKeySequence(key), FBox, nullptr, nullptr, Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, [this, key] {
                try {
                    PlacerKey(key);
                } catch (const EKPError& e) {
                    FHost->ShowError(e.Message());
                }
            });
            FPlacerKeys.emplace_back(shortcut);
        }
    }
    Repaint();
    return FBHEField.get();
}

void TPlanView::EndPlacerShortcuts()
{
    for (const QPointer<QShortcut>& shortcut : FPlacerKeys)
        if (shortcut) shortcut->deleteLater();
    FPlacerKeys.clear();
}

bool TPlanView::FinishBHEField()
{
    if (!FBHEField) return false;
    // The placer ends whatever happens, so a failing placement cannot leave the
    // plan stuck in placing mode.
    std::unique_ptr<TD2BHEField> field = std::move(FBHEField);
    EndPlacerShortcuts();
    Repaint();
    const bool placed = field->CreateBHEs();
    if (placed) FHost->ProjectChanged();
    return placed;
}

void TPlanView::CancelBHEField()
{
    FBHEField.reset();
    EndPlacerShortcuts();
    Repaint();
}

bool TPlanView::PlacerKey(int Key)
{
    if (!FBHEField) return false;
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        FinishBHEField();
        return true;
    }
    if (Key == Qt::Key_Escape) {
        CancelBHEField();
        return true;
    }
    return false;
}
