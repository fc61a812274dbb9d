#include "PlanTestUtil.h"

#include "model/fe/NumNodes.h"
#include "model/monitoring/Monitoring.h"

#include <QMimeData>

namespace {

// The square mesh of 10 m at the world origin is the plan square (0, -100)-(100, 0).
class TPlanViewTest : public TPlanTest
{
protected:
    void SetUp() override
    {
        TPlanTest::SetUp();
        SquareMesh(0, 0, 10);
        View->SetProject(Project.get());
    }
    void Move(int X, int Y, TShiftState S = {}) { View->MVPaintBoxD2MouseMove(S, X, Y); }
    void Click(TMouseButton B, int X, int Y, TShiftState S = {})
    {
        View->MVPaintBoxD2MouseDown(B, S, X, Y);
        View->MVPaintBoxD2MouseUp(B, S, X, Y);
    }
    void DragRect(QPoint From, QPoint To)
    {
        View->MVPaintBoxD2MouseDown(mbLeft, {}, From.x(), From.y());
        Move(To.x(), To.y(), TShiftState{ssLeft});
        View->MVPaintBoxD2MouseUp(mbLeft, {}, To.x(), To.y());
    }
    void PanBy(int X, int Y)
    {
        // Shows the mesh in the middle of an 800 × 600 view.
        View->Mapping().SetTransform(QTransform::fromTranslate(X, Y));
    }
};

TEST_F(TPlanViewTest, BindingBuildsTheItemsAndTheMeshPictures)
{
    EXPECT_EQ(View->D2ElementsList().size(), 2u);
    EXPECT_EQ(View->D2NodesList().size(), 4u);
    EXPECT_TRUE(View->HasGridBitmaps());
    const QRectF dest = View->GridDest();
    EXPECT_TRUE(dest.contains(QRectF(0, -100, 100, 100)));
}

TEST_F(TPlanViewTest, SelectionActionsAndCtrlClick)
{
    Move(80, -20);  // inside element 0, away from the nodes
    ASSERT_EQ(View->D2HoveredObj(), View->D2ElementsList()[0].get());
    EXPECT_EQ(Host.ShownElement, FE().GetElement(0));
    Click(mbLeft, 80, -20, TShiftState{ssCtrl});
    ASSERT_EQ(View->D2SelectedElements().size(), 1u);
    Click(mbLeft, 80, -20, TShiftState{ssCtrl});
    EXPECT_TRUE(View->D2SelectedElements().empty());

    Move(500, 500);  // off the mesh: a hovered element would stay hovered over its node
    Move(1, -1);  // on node 0
    ASSERT_EQ(View->D2HoveredObj(), View->D2NodesList()[0].get());
    Click(mbLeft, 1, -1, TShiftState{ssCtrl});
    EXPECT_TRUE(View->D2SelectedElements().empty());

    View->ActionSelectNodesExecute();
    DragRect({-10, -110}, {110, 10});
    EXPECT_EQ(View->D2SelectedNodes().size(), 4u);
    Move(80, -20);
    Click(mbLeft, 80, -20, TShiftState{ssCtrl});
    View->ActionSelectElementsExecute();  // empties only the element selection
    EXPECT_TRUE(View->D2SelectedElements().empty());
    EXPECT_EQ(View->D2SelectedNodes().size(), 4u);
    View->ActionClearSelectionExecute();
    EXPECT_TRUE(View->D2SelectedNodes().empty());
}

TEST_F(TPlanViewTest, RectangleSelectionOfElements)
{
    const struct {
        const char* Name;
        QPoint From, To;
        size_t Selected;
    } rows[] = {
        {"covering both", {-5, -105}, {105, 5}, 2},
        {"crossing the diagonal", {40, -60}, {60, -40}, 2},
        {"inside one triangle", {70, -20}, {80, -10}, 0},
        {"dragged up-left", {105, 5}, {-5, -105}, 2},
        {"beside the mesh", {200, -60}, {300, -40}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        View->ActionSelectElementsExecute();
        DragRect(r.From, r.To);
        EXPECT_EQ(View->D2SelectedElements().size(), r.Selected);
        EXPECT_FALSE(View->Selecting());
    }
    // Only the left button that set the first corner finishes the rectangle.
    View->ActionSelectElementsExecute();
    View->MVPaintBoxD2MouseUp(mbLeft, {}, 50, -50);
    View->MVPaintBoxD2MouseUp(mbRight, {}, 50, -50);
    EXPECT_TRUE(View->Selecting());
}

TEST_F(TPlanViewTest, HoverPriorityAndStickiness)
{
    AddProbe(QStringLiteral("EWS 1"), 5, 5);
    View->BuildBHEItems();
    Move(50, -50);
    EXPECT_EQ(View->D2HoveredObj(), View->D2BHEsList()[0].get());
    // Staying inside a hovered node keeps it, although an element lies there too.
    Move(100, -100);
    ASSERT_EQ(View->D2HoveredObj(), View->D2NodesList()[2].get());
    Move(98, -98);
    EXPECT_EQ(View->D2HoveredObj(), View->D2NodesList()[2].get());
    EXPECT_EQ(Host.Status, QStringLiteral("X: 9,8 m  Y:9,8 m"));

    SetGWCellSize(10);
    View->GenerateGWGrid();
    ASSERT_GT(View->D2GWGrid().size(), 0u);
    Move(50, -50);  // the cell wins over the probe only while its layer is shown
    EXPECT_EQ(View->D2HoveredObj(), View->D2BHEsList()[0].get());
    View->SetLayer(plGW, true);
    Move(50, -50);
    EXPECT_NE(dynamic_cast<TD2GWElement*>(View->D2HoveredObj()), nullptr);
    ASSERT_EQ(Host.Lines.size(), 2);
    EXPECT_EQ(Host.Lines[0], QStringLiteral("Schnittfläche: 100 m²"));
    EXPECT_TRUE(Host.Lines[1].startsWith(QStringLiteral("Temperatur: ")));
    EXPECT_TRUE(Host.Lines[1].endsWith(QStringLiteral(" °C")));
    View->MVPaintBoxD2MouseLeave();
    EXPECT_EQ(View->D2HoveredObj(), nullptr);
}

TEST_F(TPlanViewTest, RebuildingAListClearsEveryPointerIntoIt)
{
    AddProbe(QStringLiteral("EWS 1"), 5, 5);
    View->BuildBHEItems();
    Move(50, -50);
    View->MVPaintBoxD2MouseDown(mbMiddle, {}, 50, -50);
    ASSERT_TRUE(View->DraggingBHE());
    View->BuildBHEItems();
    EXPECT_EQ(View->D2HoveredObj(), nullptr);
    EXPECT_FALSE(View->DraggingBHE());
    Move(80, -20);
    Click(mbLeft, 80, -20, TShiftState{ssCtrl});
    View->RebuildPlanItems();
    EXPECT_TRUE(View->D2SelectedElements().empty());
    EXPECT_EQ(View->D2HoveredObj(), nullptr);
}

TEST_F(TPlanViewTest, DraggingAProbeMovesItAndLeavingFinishesTheDrag)
{
    TBHE* probe = AddProbe(QStringLiteral("EWS 1"), 5, 5);
    View->BuildBHEItems();
    for (bool leave : {false, true}) {
        SCOPED_TRACE(leave ? "leave" : "button up");
        Model().SetNumModelDirty(false);
        Host.OutOfDate = Host.Changed = Host.Moved = 0;
        Move(50, -50);
        View->MVPaintBoxD2MouseDown(mbMiddle, {}, 50, -50);
        Move(30, -70, TShiftState{ssMiddle});
        EXPECT_NEAR(probe->X(), 3, 1e-9);
        EXPECT_EQ(Host.Moved, 0);  // the overview row follows on release only
        if (leave)
            View->MVPaintBoxD2MouseLeave();
        else
            View->MVPaintBoxD2MouseUp(mbMiddle, {}, 30, -70);
        EXPECT_FALSE(View->DraggingBHE());
        EXPECT_NEAR(probe->X(), 3, 1e-9);
        EXPECT_NEAR(probe->Y(), 7, 1e-9);
        EXPECT_TRUE(Model().NumModelDirty());
        EXPECT_EQ(Host.OutOfDate, 1);
        EXPECT_EQ(Host.Changed, 1);
        EXPECT_EQ(Host.Moved, 1);
        probe->SetX(5), probe->SetY(5);
        View->BuildBHEItems();
    }
}

TEST_F(TPlanViewTest, WheelZoomsAboutTheMouseInWholeSteps)
{
    const QTransform before = View->Mapping().Transform();
    EXPECT_TRUE(View->MVPaintBoxD2MouseWheel({}, 120, {300, 200}));
    EXPECT_NEAR(View->Mapping().Transform().m11(), 1.1, 1e-12);
    View->MVPaintBoxD2MouseWheel({}, -120, {300, 200});
    EXPECT_NEAR(View->Mapping().Transform().m11(), before.m11(), 1e-12);
    EXPECT_NEAR(View->Mapping().Transform().dx(), before.dx(), 1e-9);
    for (int i = 0; i < 3; ++i) View->MVPaintBoxD2MouseWheel({}, 40, {300, 200});  // a touchpad
    EXPECT_NEAR(View->Mapping().Transform().m11(), 1.1, 1e-12);
}

TEST_F(TPlanViewTest, PanningAtHigherDpiFollowsInDIPs)
{
    View->Mapping().SetEventDpi(144);
    View->MVPaintBoxD2MouseDown(mbLeft, {}, 100, 100);
    ASSERT_TRUE(View->Panning());
    Move(150, 100, TShiftState{ssLeft});
    View->MVPaintBoxD2MouseUp(mbLeft, {}, 150, 100);
    EXPECT_NEAR(View->Mapping().Transform().dx(), 50.0 * 96 / 144, 1e-9);
    EXPECT_FALSE(View->Panning());
}

TEST_F(TPlanViewTest, RightClickOpensTheObserveMenuOnlyOverANodeOrANodeSelection)
{
    Move(80, -20);
    Click(mbRight, 80, -20);
    EXPECT_EQ(Host.Popups, 0);
    Move(500, 500);
    Move(1, -1);
    Click(mbRight, 1, -1);
    EXPECT_EQ(Host.Popups, 1);
    EXPECT_EQ(Host.PopupNode, FE().GetNodes(0));
    EXPECT_EQ(View->NodeMonitor(), View->D2NodesList()[0].get());
}

TEST_F(TPlanViewTest, DroppedProbeTypeNamesTheNextProbe)
{
    TBHE type;
    Host.Type = &type;
    for (int i = 1; i <= 6; ++i) AddProbe(QStringLiteral("EWS %1").arg(i), i, 0);
    QMimeData data;
    data.setData(TPlanView::BHETypeMimeType(), "0");
    QMimeData other;
    other.setText(QStringLiteral("0"));
    EXPECT_FALSE(View->MVPaintBoxD2DragOver(&other));
    ASSERT_TRUE(View->MVPaintBoxD2DragOver(&data));
    TBHE* probe = View->MVPaintBoxD2DragDrop(&data, 50, -20);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->Name(), QStringLiteral("Sonde 7"));
    EXPECT_NEAR(probe->X(), 5, 1e-9);
    EXPECT_NEAR(probe->Y(), 2, 1e-9);
    EXPECT_TRUE(Model().NumModelDirty());
    EXPECT_EQ(View->D2BHEsList().size(), 7u);
    data.setData(TPlanView::BHETypeMimeType(), "3");  // no such type
    EXPECT_EQ(View->MVPaintBoxD2DragDrop(&data, 50, -20), nullptr);
    View->SetProject(nullptr);  // no project: refused
    data.setData(TPlanView::BHETypeMimeType(), "0");
    EXPECT_FALSE(View->MVPaintBoxD2DragOver(&data));
    EXPECT_EQ(View->MVPaintBoxD2DragDrop(&data, 50, -20), nullptr);
}

TEST_F(TPlanViewTest, SwitchingIsothermsOnRecomputesThemOffDoesNot)
{
    for (int k = 0; k < FE().NodeCount(); ++k) FE().GetNodes(k)->SetFCustom(k);
    View->ListViewMapItemChecked(plContours, false);
    EXPECT_EQ(Model().ContourMap()->TheLines.Count(), 0);
    View->ListViewMapItemChecked(plContours, true);
    const int lines = Model().ContourMap()->TheLines.Count();
    EXPECT_GT(lines, 0);
    Model().ContourMap()->TheLines.Clear();
    View->ListViewMapItemChecked(plContours, false);
    EXPECT_EQ(Model().ContourMap()->TheLines.Count(), 0);
    EXPECT_TRUE(View->Layer(plMap) && View->Layer(plGrid) && !View->Layer(plGW));
    EXPECT_EQ(TPlanView::LayerCaption(6), QStringLiteral("überwachte Nodes"));
}

TEST_F(TPlanViewTest, GroundwaterCellsIntersectedWithTheMesh)
{
    // Areas per cell, in ascending order, and the area the cells cover.
    const struct {
        const char* Name;
        double Size, Direction;
        TWorldRect Over;
        std::vector<int> Areas;
        double Covered;
    } rows[] = {
        {"one cell straddling both triangles", 10, 0, {0, 0, 10, 10}, {2}, 100},
        {"two cells inside one triangle each", 5, 0, {0, 0, 10, 10}, {1, 1, 2, 2}, 100},
        {"outside the mesh", 10, 0, {20, 20, 30, 30}, {0}, 0},
        {"turned by 45 degrees", 10, M_PI / 4, {0, 0, 10, 10}, {}, 100},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        SetGWCellSize(r.Size, r.Direction);
        TGWGrid& grid = *Model().GW();
        ASSERT_TRUE(grid.Generate(r.Over));
        View->IntersectGWGridWithMesh(&grid);
        std::vector<int> areas;
        for (int i = 0; i < grid.Count(); ++i) {
            areas.push_back(grid.Cells(i)->Count());
            if (grid.Cells(i)->Count() == 1) {
                EXPECT_NEAR(grid.Cells(i)->Area(), 25, 1e-6);
            }
            if (grid.Cells(i)->Count() == 0) {
                EXPECT_DOUBLE_EQ(grid.Cells(i)->Temperature(), Model().DefFA());
            }
        }
        std::sort(areas.begin(), areas.end());
        if (!r.Areas.empty()) {
            EXPECT_EQ(areas, r.Areas);
        }
        EXPECT_NEAR(grid.IntersectionArea(), r.Covered, 1e-6);
    }
    View->IntersectGWGridWithMesh(nullptr);  // nothing to do
}

}  // namespace
