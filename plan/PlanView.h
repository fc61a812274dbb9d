#pragma once

// The plan: the probes on their background map, the mesh, the groundwater cells and
// the isotherms of one project, drawn into the plan control, with panning, zooming,
// hovering, selecting, dragging probes and placing probe fields.
//
// One component holds the whole plan-view state (coordinates, item lists, selections,
// the hovered item, layer switches, the cached mesh pictures), paints it and handles
// the control's mouse. What belongs to the window (status bar, inspector, probe
// overview, questions, the observe menu) goes through TPlanHost. The window creates
// one TPlanView on its plan control, binds the current project with SetProject and
// calls the rebuild operations after the commands that change the model:
//
//   mesh generated or imported, project closed   RebuildPlanItems
//   probes added, moved or removed elsewhere     BuildBHEItems
//   groundwater dialog accepted                  GenerateGWGrid
//   program settings changed (node size)         BuildNodeItems
//
// Every rebuild of an item list clears every pointer into it (hovered, dragged,
// observed and selected items). Painting never changes the model: contours are
// recomputed lazily, but never while a run is active.

#include "gfx/D2DResources.h"
#include "gfx/D2DTypes.h"
#include "gfx/ControlEvents.h"
#include "plan/D2DPaintbox.h"
#include "plan/D2ElementWrapper.h"
#include "plan/PlanContourLayer.h"
#include "plan/PlanItemIndex.h"
#include "plan/PlanMapping.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QMimeData;
class QShortcut;
class TBHE;
class TD2BHEField;
class TDirect2DCanvas;
class TGWGrid;
class TMVPaintBoxD2D;
class TPlanHost;
class TProject;
class TThermModel;

// Layer switches in the order of the window's layer list.
enum TPlanLayer : int {
    plMap, plGrid, plBHEs, plBC, plOrigin, plNodes, plObsNodes, plGW, plContours
};

class TPlanView : public QObject
{
    Q_OBJECT
public:
    // The MIME type of a probe type dragged onto the plan: the index of the type in
    // the window's probe-type list as decimal text.
    static QString BHETypeMimeType() { return QStringLiteral("application/x-kp-bhetype"); }

    // Box may be null (tests and benchmarks paint into images); Host may be null.
    explicit TPlanView(TMVPaintBoxD2D* Box, TPlanHost* Host = nullptr, QObject* Parent = nullptr);
    ~TPlanView() override;

    TMVPaintBoxD2D* PaintBox() const { return FBox; }
    TPlanHost& Host() const { return *FHost; }
    void SetHost(TPlanHost* Host);

    // ---- binding
    // Binds a project (or none): the world origin goes to the map's bottom-left
    // corner, the contour map and the project draw through WorldToPlan, the item
    // lists are rebuilt and a groundwater grid without cells is laid over the mesh.
    void SetProject(TProject* Project);
    TProject* Project() const { return FProject; }
    TThermModel* Model() const;
    // The model's groundwater grid, or null.
    TGWGrid* GW() const;

    // ---- coordinates
    TPlanMapping& Mapping() { return FMapping; }
    const TPlanMapping& Mapping() const { return FMapping; }
    double ScaleFactorMap() const { return FMapping.ScaleFactorMap(); }
    QPointF D2WorldOrg() const { return FMapping.WorldOrg(); }
    void SetD2WorldOrg(QPointF V) { FMapping.SetWorldOrg(V); }
    QPointF WorldToPlan(QPointF P) const { return FMapping.WorldToPlan(P); }
    QPointF PlanToWorld(QPointF P) const { return FMapping.PlanToWorld(P); }
    QPointF WorldToExport(QPointF P) const { return FMapping.WorldToExport(P); }
    QPointF WorldVectorToPlan(QPointF V) const { return FMapping.WorldVectorToPlan(V); }
    double WorldLengthToPlan(double L) const { return FMapping.WorldLengthToPlan(L); }
    QPointF DeviceToPlan(int X, int Y) const { return FMapping.DeviceToPlan(QPointF(X, Y)); }
    QPointF DeviceToMM10(int X, int Y) const { return FMapping.DeviceToMM10(QPointF(X, Y)); }
    // WorldToPlan as a conversion function for items, project and contour map.
    TConvertFunction WorldToPlanFunction() const;
    TConvertFunction WorldToExportFunction() const;

    // ---- items
    const std::vector<std::unique_ptr<TD2Element>>& D2ElementsList() const { return FElements; }
    const std::vector<std::unique_ptr<TD2Node>>& D2NodesList() const { return FNodes; }
    const std::vector<std::unique_ptr<TD2BHE>>& D2BHEsList() const { return FBHEs; }
    const std::vector<std::unique_ptr<TD2GWElement>>& D2GWGrid() const { return FGWCells; }
    const std::vector<TD2Element*>& D2SelectedElements() const { return FSelectedElements; }
    const std::vector<TD2Node*>& D2SelectedNodes() const { return FSelectedNodes; }
    void BuildElementItems();
    void BuildNodeItems();
    void BuildBHEItems();
    void BuildGWGridItems();
    // The element, node and probe items, then the cached mesh pictures.
    void RebuildPlanItems();
    // Intersects every cell with the mesh (in world metres, from the model's own
    // elements) and sets the cell temperatures; nothing for a null grid.
    void IntersectGWGridWithMesh(TGWGrid* AGrid);
    // The groundwater command's work after its dialog: the grid laid over the mesh,
    // intersected, and its items built. Raises EKPError for unusable parameters.
    void GenerateGWGrid();
    // Draws the mesh and its nodes once into the two cached pictures.
    void RenderGridBitmaps();
    void CreateGridBrushes();
    bool HasGridBitmaps() const { return FGridBMP != nullptr; }
    QRectF GridDest() const { return FGridDest; }
    // The pictures of the probe types by image index (the window's bullet list).
    void SetBullets(const std::vector<QImage>& Images);
    const std::vector<QImage>& Bullets() const { return FBulletImages; }

    // ---- hovered object and selection
    TD2AbstractItem* D2HoveredObj() const { return FHovered; }
    void SetD2HoveredObj(TD2AbstractItem* Value);
    void ToggleHoveredElementSelection();
    void ActionClearSelectionExecute();
    void ActionSelectElementsExecute();
    void ActionSelectNodesExecute();
    bool Selecting() const { return FSelecting; }
    bool SelectingNodes() const { return FSelectingNodes; }
    bool AddingToSelection() const { return FAddingToSelection; }
    void SetAddingToSelection(bool V) { FAddingToSelection = V; }
    // The node item the observe menu was opened for, or null.
    TD2Node* NodeMonitor() const { return FNodeMonitor; }

    // ---- layers
    bool Layer(TPlanLayer L) const { return FShow[L]; }
    // Plain switches: no repaint, no recomputation.
    void SetLayer(TPlanLayer L, bool On) { FShow[L] = On; }
    // The layer list's check change: switching the isotherms on recomputes them
    // (unless a run is active); every change repaints.
    void ListViewMapItemChecked(int Index, bool Checked);
    static QString LayerCaption(int Index);
    static constexpr int LayerCount = 9;
    // Opacity sliders, positions 0 to 10.
    void TBGridOpacityChange(int Position);
    void TBMapOpacityChange(int Position);
    float D2MapOpacity() const { return FMapOpacity; }
    // The model's redraw event after the contours dialog: isotherms on, repaint,
    // project changed.
    void DoRedrawContours();

    // ---- probe-field placer
    double BHEDistance() const { return FBHEDistance; }
    void SetBHEDistance(double V) { FBHEDistance = V; }
    bool AddingField() const { return FBHEField != nullptr; }
    TD2BHEField* BHEField() const { return FBHEField.get(); }
    // A field of 20 m × 20 m centred in a control of the given size.
    TD2BHEField* StartBHEField(const TBHE* BHEType, const QString& Prefix, int LoadProfilIndex, int ControlWidth,
                               int ControlHeight);
    // Enter: the probes are placed and the placer ends; true when probes were added.
    bool FinishBHEField();
    // Esc: the placer ends and nothing is placed.
    void CancelBHEField();
    // Enter and Esc while the placer is active; true when the key was used.
    bool PlacerKey(int Key);

    // ---- painting and mouse (the plan control's events)
    void MVPaintBoxD2Paint(TDirect2DCanvas& Canvas);
    void MVPaintBoxD2AfterD2CanvasCreate(TDirect2DCanvas& Canvas);
    void MVPaintBoxD2MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MVPaintBoxD2MouseMove(TShiftState Shift, int X, int Y);
    void MVPaintBoxD2MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Returns true (handled). Small touchpad steps add up to whole 10 % steps.
    bool MVPaintBoxD2MouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos);
    void MVPaintBoxD2MouseLeave();
    bool MVPaintBoxD2DragOver(const QMimeData* Data) const;
    // Adds a probe of the dropped type at the control point (X, Y); the new probe or null.
    TBHE* MVPaintBoxD2DragDrop(const QMimeData* Data, int X, int Y);

    bool DraggingBHE() const { return FDragBHE; }
    bool Panning() const { return FDragSketch; }
    QPointF SelectionP1() const { return FP1; }
    QPointF SelectionP2() const { return FP2; }
    // Asks the control for a repaint (nothing without one).
    void Repaint();
    // The isotherms as last painted (drawn again only when they or the view changed).
    const TPlanContourLayer& ContourLayer() const { return FContourLayer; }

    // Longest side and pixel count of the cached mesh pictures.
    static constexpr int MaxCacheSide = 8192;
    static constexpr double MaxCachePixels = 4096.0 * 4096.0;
    // From this many elements on the hover search uses a spatial index.
    static constexpr int IndexFromElements = 256;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ClearItemReferences();
    void WireBox();
    void RecomputeContours();
    void HoverSearch(QPointF Plan);
    TD2AbstractItem* HitElement(QPointF Plan) const;
    void HoveredObjChanged();
    void UpdateHoveredCellMessage();
    void FinishProbeDrag(QPointF Plan);
    void FinishSelection();
    void EndPlacerShortcuts();

    void PaintGridLayer(TDirect2DCanvas& Canvas);
    void PaintBoundaryConditions(TDirect2DCanvas& Canvas);
    void PaintBHEs(TDirect2DCanvas& Canvas);
    void PaintOrigin(TDirect2DCanvas& Canvas);
    void PaintScaleBar(TDirect2DCanvas& Canvas);
    void PaintObservedNodes(TDirect2DCanvas& Canvas);
    void PaintGWGrid(TDirect2DCanvas& Canvas);
    void PaintContours(TDirect2DCanvas& Canvas);
    TD2BitmapPtr RenderCache(bool Elements, float Dpi) const;

    // Guarded: the control may go first when its parent page is torn down.
    QPointer<TMVPaintBoxD2D> FBox;
    TPlanHost* FHost = nullptr;
    std::unique_ptr<TPlanHost> FNoHost;
    TProject* FProject = nullptr;
    TPlanMapping FMapping;

    std::vector<std::unique_ptr<TD2Element>> FElements;
    std::vector<std::unique_ptr<TD2Node>> FNodes;
    std::vector<std::unique_ptr<TD2BHE>> FBHEs;
    std::vector<std::unique_ptr<TD2GWElement>> FGWCells;
    std::vector<TD2Element*> FSelectedElements;
    std::vector<TD2Node*> FSelectedNodes;
    TPlanItemIndex FElementIndex;
    TD2AbstractItem* FHovered = nullptr;
    int FMessageCell = -1;

    TD2BitmapPtr FGridBMP;
    TD2BitmapPtr FNodesBMP;
    float FCacheDpi = 0;
    QRectF FGridDest;
    TD2BrushPtr FElementBrush;
    TD2BrushPtr FHoverBrush;
    std::vector<QImage> FBulletImages;
    std::vector<TD2BitmapPtr> FBulletsBMP;
    TD2BitmapPtr FGWArrow;

    float FMapOpacity = 0.8f;
    bool FShow[LayerCount] = {true, true, true, false, false, true, true, false, false};
    bool FContoursStale = false;
    TPlanContourLayer FContourLayer;

    bool FSelecting = false;
    bool FSelectingNodes = false;
    bool FAddingToSelection = false;
    bool FHasFirstPoint = false;
    QPointF FP1;
    QPointF FP2;

    bool FDragSketch = false;
    QPointF FD2Origin;
    bool FDragBHE = false;
    TD2BHE* FDraggedBHE = nullptr;
    TD2Node* FNodeMonitor = nullptr;
    int FWheelRest = 0;

    double FBHEDistance = 10.0;
    std::unique_ptr<TD2BHEField> FBHEField;
    std::vector<QPointer<QShortcut>> FPlacerKeys;
};
