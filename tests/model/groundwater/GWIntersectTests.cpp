#include "GWTestMesh.h"

#include "model/groundwater/GWGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;
constexpr double Storage = 2.5e8;

class GWIntersectTest : public ::testing::Test {
protected:
    void SetUp() override { Grid.SetModel(&Model); }

    void SetNodeTemperatures(const std::function<double(double, double)>& F)
    {
        for (int k = 0; k < Model.NodeCount(); ++k) Model.Nodes(k)->SetF(F(Model.Nodes(k)->X(), Model.Nodes(k)->Y()));
    }

    // Every overlap is a piece of the cell and of its element: its outline
    // arrives figure by figure, start points included, and its element is
    // one of the model's.
    void CheckCells() const
    {
        std::set<const TElement*> elements;
        for (int e = 0; e < Model.ElementCount(); ++e) elements.insert(Model.Elements(e));
        const double cellArea = Grid.GridSize() * Grid.GridSize();
        for (int i = 0; i < Grid.Count(); ++i) {
            const TGWElement* cell = Grid.Cells(i);
            EXPECT_LE(cell->Area(), cellArea * (1 + 1e-9)) << i;
            for (int a = 0; a < cell->Count(); ++a) {
                const TGWArea* area = cell->Areas(a);
                EXPECT_TRUE(elements.count(area->Element())) << i;
                EXPECT_GT(area->Area(), 0) << i;
                EXPECT_LE(area->Area(), area->Element()->Area() * (1 + 1e-9)) << i;
                size_t points = 0;
                for (const TGWFigure& f : area->Intersection()) points += f.size();
                EXPECT_EQ(points, area->ThePoints().size()) << i;
                EXPECT_GE(area->ThePoints().size(), 3u) << i;
            }
        }
    }

    T2DTriangleTransient Model;
    TGWGrid Grid;
};

}  // namespace

// For any direction and at georeferenced coordinates the overlaps of the
// cells tile the mesh: their areas add up to the mesh's area.
TEST_F(GWIntersectTest, OverlapsAddUpToTheMeshArea)
{
    const struct {
        double Direction, X0, Y0;
    } cases[] = {{0, 0, 0}, {30, 0, 0}, {90, -500, 200}, {137, 3.5e6, 5.8e6}, {251.5, 3.5e6, 5.8e6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Direction);
        T2DTriangleTransient model;
        BuildRectMesh(model, c.X0, c.Y0, 12, 8, 10, Storage);
        Grid.SetModel(&model);
        Grid.SetDirection(c.Direction * Deg);
        Grid.SetTimeForGrid(8640000 / 4.0);  // cells of 14.4 m across squares of 10 m
        ASSERT_TRUE(Grid.GenerateOverMesh(10));
        EXPECT_NEAR(Grid.GridSize(), 14.4, 1e-9);
        EXPECT_NEAR(Grid.IntersectionArea(), 9600, 1e-6);
        double rows = 0;
        for (int r = 0; r < Grid.NumRows(); ++r) rows += Grid.IntersectionAreaOfRow(r);
        EXPECT_NEAR(rows, 9600, 1e-6);
        double elements = 0;
        for (int e = 0; e < model.ElementCount(); ++e) {
            double pieces = 0;
            for (int i = 0; i < Grid.Count(); ++i)
                for (int a = 0; a < Grid.Cells(i)->Count(); ++a)
                    if (Grid.Cells(i)->Areas(a)->Element() == model.Elements(e)) pieces += Grid.Cells(i)->Areas(a)->Area();
            EXPECT_NEAR(pieces, 50, 1e-6) << e;
            elements += pieces;
        }
        EXPECT_NEAR(elements, 9600, 1e-6);
        Grid.SetModel(&Model);
        Grid.DropCells();
    }
}

// An irregular mesh read from the mesh generator's files.
TEST_F(GWIntersectTest, GeneratedMeshIsCoveredCompletely)
{
    Model.GenerateGridFromTriangle(QStringLiteral(KP_TEST_DATA "/groundwater/field.1.node"));
    ASSERT_EQ(Model.ElementCount(), 8);
    for (double direction : {0.0, 30.0, 200.0}) {
        Grid.SetDirection(direction * Deg);
        Grid.SetTimeForGrid(8640000 / 2.0);
        ASSERT_TRUE(Grid.GenerateOverMesh(10));
        EXPECT_NEAR(Grid.IntersectionArea(), 9600, 1e-6) << direction;
        CheckCells();
    }
}

// One large square of two triangles under cells of 57.6 m: a cell inside one
// triangle overlaps it with its whole area, a cell off the mesh with nothing,
// and a cell over a linear temperature field takes the field's value at its
// centre (the mean over its four corners, none of them dropped).
TEST_F(GWIntersectTest, CellTemperaturesFromTheElementsUnderThem)
{
    const double X0 = 3.5e6, Y0 = 5.8e6;
    BuildRectMesh(Model, X0, Y0, 1, 1, 1000, Storage);
    auto plane = [&](double x, double y) { return 5 + 0.01 * (x - X0) + 0.02 * (y - Y0); };
    SetNodeTemperatures(plane);
    ASSERT_TRUE(Grid.GenerateOverMesh(10));
    CheckCells();
    const double g = Grid.GridSize(), cellArea = g * g;
    int inside = 0, outside = 0, partial = 0;
    for (int r = 0; r < Grid.NumRows(); ++r)
        for (int c = 0; c < Grid.NumCols(); ++c) {
            const TGWElement* cell = Grid.Cell(r, c);
            if (cell->Count() == 0) {
                ++outside;
                EXPECT_EQ(cell->Temperature(), 10);
                continue;
            }
            const TPointD centre = Grid.GridToWorld((c + 0.5) * g, (r + 0.5) * g);
            if (cell->Count() == 1 && std::abs(cell->Area() - cellArea) < 1e-6) {
                ++inside;
                EXPECT_EQ(cell->Areas(0)->ThePoints().size(), 4u);
                EXPECT_NEAR(cell->Temperature(), plane(centre.x, centre.y), 1e-9);
                EXPECT_NEAR(cell->Areas(0)->MeanTemperature(), cell->Temperature(), 1e-9);
                const double ht0 = cell->Temperature() * cellArea * Storage;
                EXPECT_NEAR(cell->Areas(0)->Ht0(), ht0, 1e-9 * ht0);
            } else if (cell->Area() < cellArea - 1e-6) {
                ++partial;
                double weighted = 0;
                for (int a = 0; a < cell->Count(); ++a)
                    weighted += cell->Areas(a)->MeanTemperature() * cell->Areas(a)->Area();
                EXPECT_NEAR(cell->Temperature(), weighted / cellArea + 10 * (cellArea - cell->Area()) / cellArea,
                            1e-9);
            }
        }
    EXPECT_GT(inside, 100);
    EXPECT_GT(outside, 0);
    EXPECT_GT(partial, 0);
}

// Q·Δt handed to the nodes = overlap area × heat capacity of the water
// column × (cell temperature − ground temperature).
TEST_F(GWIntersectTest, WarmerCellsHeatTheNodesUnderThem)
{
    BuildRectMesh(Model, 100, 200, 6, 4, 20, Storage);
    SetNodeTemperatures([](double, double) { return 10.0; });
    Model.Nodes(0)->SetBorderCondition(bc1FixedValue);
    Grid.SetDirection(45 * Deg);
    ASSERT_TRUE(Grid.GenerateOverMesh(10));
    const double meshArea = 120 * 80;
    ASSERT_NEAR(Grid.IntersectionArea(), meshArea, 1e-6);
    Grid.InitTemperatures(15);
    Grid.CalculateHCapacity();
    const TGWArea* some = Grid.Cells(0)->Count() ? Grid.Cells(0)->Areas(0) : nullptr;
    for (int i = 0; i < Grid.Count() && !some; ++i)
        if (Grid.Cells(i)->Count()) some = Grid.Cells(i)->Areas(0);
    ASSERT_NE(some, nullptr);
    EXPECT_NEAR(some->HatGWTemp(), some->Area() * 15 * Storage, 1e-9 * some->HatGWTemp());
    EXPECT_NEAR(some->DeltaH(), some->Area() * 5 * Storage, 1e-9 * some->HatGWTemp());

    const double dt = 3600;
    Model.ResetQGWload();
    Grid.TransferEnergy(false, dt);
    const double hc = VolumetricHeatCapacity(flWasser, 15) * Grid.Thickness() * Grid.Porosity();
    EXPECT_NEAR(Model.SumOfQGWload() * dt, meshArea * hc * 5, 1e-6 * meshArea * hc * 5);
    EXPECT_EQ(Model.Nodes(0)->QGW(), 0);  // a fixed temperature takes no load
    for (int k = 1; k < Model.NodeCount(); ++k) EXPECT_GT(Model.Nodes(k)->QGW(), 0) << k;

    // Colder water cools them.
    Model.ResetQGWload();
    Grid.InitTemperatures(8);
    Grid.TransferEnergy(false, dt);
    EXPECT_LT(Model.SumOfQGWload(), 0);
}

// One transport period in the main loop's order over a ground warmer
// upstream: the water takes the ground's temperature, moves one row and
// gives the difference back.
TEST_F(GWIntersectTest, TransportPeriod)
{
    BuildRectMesh(Model, 0, 0, 10, 10, 20, Storage);
    SetNodeTemperatures([](double, double y) { return 20 - y / 20; });
    Grid.SetDirection(0);
    ASSERT_TRUE(Grid.GenerateOverMesh(10));
    ASSERT_GE(Grid.NumRows(), 3);

    Grid.UpdateTemperature();
    std::vector<double> before(static_cast<size_t>(Grid.NumRows()));
    for (int r = 0; r < Grid.NumRows(); ++r) before[static_cast<size_t>(r)] = Grid.Cell(r, 1)->Temperature();
    EXPECT_GT(before[0], before[1]);
    Grid.MoveCells();
    Grid.CalculateHCapacity();
    Model.ResetQGWload();
    Grid.TransferEnergy(false, 3600);
    for (int r = 1; r < Grid.NumRows(); ++r)
        EXPECT_NEAR(Grid.Cell(r, 1)->Temperature(), before[static_cast<size_t>(r - 1)], 1e-9) << r;
    EXPECT_GT(Grid.EnergyObtained(), Grid.EnergyRemoved());
    EXPECT_GT(Model.SumOfQGWload(), 0);  // warmer water arrives downstream
}

TEST_F(GWIntersectTest, ReplacingTheMeshDropsTheCells)
{
    BuildRectMesh(Model, 0, 0, 2, 2, 50, Storage);
    ASSERT_TRUE(Grid.GenerateOverMesh(10));
    EXPECT_GT(Grid.Count(), 0);
    Grid.DropCells();
    EXPECT_EQ(Grid.Count(), 0);
    EXPECT_EQ(Grid.NumRows(), 0);
    EXPECT_EQ(Grid.NumCols(), 0);
    EXPECT_EQ(Grid.IntersectionArea(), 0);

    T2DTriangleTransient empty;
    Grid.SetModel(&empty);
    EXPECT_FALSE(Grid.GenerateOverMesh(10));
    EXPECT_EQ(Grid.Count(), 0);
}

// Intersecting again replaces the overlaps instead of adding to them.
TEST_F(GWIntersectTest, IntersectingTwiceKeepsOneSetOfOverlaps)
{
    BuildRectMesh(Model, 0, 0, 3, 3, 30, Storage);
    ASSERT_TRUE(Grid.GenerateOverMesh(10));
    const double area = Grid.IntersectionArea();
    Grid.IntersectWithMesh(12);
    EXPECT_NEAR(Grid.IntersectionArea(), area, 1e-9);
    EXPECT_NEAR(area, 8100, 1e-6);
}
