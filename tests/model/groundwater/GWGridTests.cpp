#include "TestLocale.h"
#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

// Water heat of a cell in MJ, relative to 0 °C.
double CellHeat(const TGWGrid& G, double T)
{
    return VolumetricHeatCapacity(G.Fluid(), T) * G.Thickness() * G.Porosity() * G.GridSize() * G.GridSize() * T /
           1e6;
}

class GWGridTest : public ::testing::Test {
protected:
    void SetUp() override { Grid.SetModel(&Model); }
    T2DTriangleTransient Model;
    TGWGrid Grid;
};

}  // namespace

TEST_F(GWGridTest, DefaultsGiveCellsOf57Point6Metres)
{
    EXPECT_DOUBLE_EQ(Grid.Porosity(), 0.15);
    EXPECT_DOUBLE_EQ(Grid.Direction(), 30 * Deg);
    EXPECT_DOUBLE_EQ(Grid.Gradient(), 0.001);
    EXPECT_DOUBLE_EQ(Grid.KF(), 0.001);
    EXPECT_EQ(Grid.Fluid(), flWasser);
    EXPECT_DOUBLE_EQ(Grid.Thickness(), 80);
    EXPECT_DOUBLE_EQ(Grid.TimeForGrid(), 8640000);
    EXPECT_TRUE(Grid.OwnsObjects());
    EXPECT_EQ(Grid.Count(), 0);
    EXPECT_NEAR(Grid.VDistance(), 6.667e-6, 1e-9);
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 100, 100}));
    EXPECT_NEAR(Grid.GridSize(), 57.6, 1e-9);
}

// The model rectangle 200 m × 100 m turned into several directions: cell
// counts from the bounds of the turned rectangle, the grid centred on it,
// row 0 upstream, and the grid's "up" pointing Direction clockwise from north.
TEST_F(GWGridTest, GenerateLaysTheTurnedGridOverTheRectangle)
{
    const struct {
        double Direction;
        double X0, Y0;
        int Cols, Rows;
    } cases[] = {{0, 0, 0, 4, 2},         {90, 0, 0, 2, 4},       {180, -50, 20, 4, 2},
                 {30, 3.5e6, 5.8e6, 4, 4}, {137, 3.5e6, 5.8e6, 4, 4}, {270, 1e3, -1e3, 2, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Direction);
        Grid.SetDirection(c.Direction * Deg);
        const TWorldRect rect{c.X0, c.Y0, c.X0 + 200, c.Y0 + 100};
        ASSERT_TRUE(Grid.Generate(rect));
        const double g = Grid.GridSize();
        EXPECT_EQ(Grid.NumCols(), c.Cols);
        EXPECT_EQ(Grid.NumRows(), c.Rows);
        EXPECT_EQ(Grid.Count(), c.Cols * c.Rows);
        EXPECT_DOUBLE_EQ(Grid.ExtensionX(), c.Cols * g);
        EXPECT_DOUBLE_EQ(Grid.ExtensionY(), c.Rows * g);
        EXPECT_NEAR(Grid.Area(), c.Cols * c.Rows * g * g, 1e-6);

        // Centred: the grid's middle is the rectangle's middle.
        const TPointD mid = Grid.GridToWorld(Grid.ExtensionX() / 2, Grid.ExtensionY() / 2);
        EXPECT_NEAR(mid.x, c.X0 + 100, 1e-6);
        EXPECT_NEAR(mid.y, c.Y0 + 50, 1e-6);
        // Downstream is Direction clockwise from north.
        const TPointD a = Grid.GridToWorld(0, 0), b = Grid.GridToWorld(0, g);
        EXPECT_NEAR((b.x - a.x) / g, std::sin(c.Direction * Deg), 1e-9);
        EXPECT_NEAR((b.y - a.y) / g, std::cos(c.Direction * Deg), 1e-9);
        // Every corner of the rectangle lies on the grid.
        for (TPointD p : {TPointD{rect.left, rect.top}, TPointD{rect.right, rect.top},
                          TPointD{rect.right, rect.bottom}, TPointD{rect.left, rect.bottom}}) {
            const TPointD q = Grid.WorldToGrid(p.x, p.y);
            EXPECT_GE(q.x, -1e-6);
            EXPECT_LE(q.x, Grid.ExtensionX() + 1e-6);
            EXPECT_GE(q.y, -1e-6);
            EXPECT_LE(q.y, Grid.ExtensionY() + 1e-6);
            const TPointD back = Grid.GridToWorld(q.x, q.y);
            EXPECT_NEAR(back.x, p.x, 1e-6);
            EXPECT_NEAR(back.y, p.y, 1e-6);
        }
    }
}

TEST_F(GWGridTest, UnturnedGridSplitsItsExcessEvenly)
{
    Grid.SetDirection(0);
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 200, 100}));
    EXPECT_NEAR(Grid.ExtensionX(), 230.4, 1e-9);
    EXPECT_NEAR(Grid.ExtensionY(), 115.2, 1e-9);
    EXPECT_NEAR(Grid.GWBounds().left, 0, 1e-9);
    EXPECT_NEAR(Grid.GWBounds().right, 200, 1e-9);
    EXPECT_NEAR(Grid.GWBounds().top, 0, 1e-9);
    EXPECT_NEAR(Grid.GWBounds().bottom, 100, 1e-9);
    const std::vector<TPointD> cell = Grid.CellPolygon(0, 0);
    ASSERT_EQ(cell.size(), 4u);
    EXPECT_NEAR(cell[0].x, -15.2, 1e-9);
    EXPECT_NEAR(cell[0].y, -7.6, 1e-9);
    EXPECT_NEAR(cell[2].x, -15.2 + 57.6, 1e-9);
    EXPECT_NEAR(cell[2].y, -7.6 + 57.6, 1e-9);
    const std::vector<TPointD> last = Grid.CellPolygon(1, 3);
    EXPECT_NEAR(last[2].x, 215.2, 1e-9);
    EXPECT_NEAR(last[2].y, 107.6, 1e-9);
}

TEST_F(GWGridTest, GenerateWithoutModelLeavesNoCells)
{
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 200, 100}));
    Grid.SetModel(nullptr);
    EXPECT_FALSE(Grid.Generate(TWorldRect{0, 0, 200, 100}));
    EXPECT_EQ(Grid.Count(), 0);
    EXPECT_EQ(Grid.NumRows(), 0);
    EXPECT_EQ(Grid.NumCols(), 0);
    EXPECT_NEAR(Grid.GridSize(), 57.6, 1e-9);
    EXPECT_FALSE(Grid.GenerateOverMesh(10));
}

// Parameters the dialog accepts but no grid can be made of.
TEST_F(GWGridTest, UnusableParametersAreRefused)
{
    const struct {
        const char* Name;
        double Porosity, KF, TimeForGrid;
        TWorldRect Rect;
    } cases[] = {{"porosity 0", 0, 0.001, 8640000, {0, 0, 200, 100}},
                 {"kf 0", 0.15, 0, 8640000, {0, 0, 200, 100}},
                 {"period NaN", 0.15, 0.001, NAN, {0, 0, 200, 100}},
                 {"negative", 0.15, -0.001, 8640000, {0, 0, 200, 100}},
                 {"too many cells", 0.15, 0.001, 1, {0, 0, 200, 100}},
                 {"rectangle", 0.15, 0.001, 8640000, {0, 0, INFINITY, 100}}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 200, 100}));
        Grid.SetPorosity(c.Porosity);
        Grid.SetKF(c.KF);
        Grid.SetTimeForGrid(c.TimeForGrid);
        EXPECT_THROW(Grid.Generate(c.Rect), EKPError) << c.Name;
        EXPECT_EQ(Grid.Count(), 0) << c.Name;
        EXPECT_EQ(Grid.NumRows() * Grid.NumCols(), 0) << c.Name;
        Grid.SetPorosity(0.15);
        Grid.SetKF(0.001);
        Grid.SetTimeForGrid(8640000);
    }
}

TEST_F(GWGridTest, EmptyAndOneRowGrids)
{
    // No cells: the energies of the last move stay.
    Grid.SetDirection(0);
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 200, 50}));
    ASSERT_EQ(Grid.NumRows(), 1);
    for (int c = 0; c < Grid.NumCols(); ++c) Grid.Cell(0, c)->SetTemperature(10 + c);
    Grid.MoveCells();
    double heat = 0;
    for (int c = 0; c < Grid.NumCols(); ++c) {
        EXPECT_EQ(Grid.Cell(0, c)->Temperature(), 10 + c);
        heat += CellHeat(Grid, 10 + c);
    }
    EXPECT_NEAR(Grid.EnergyRemoved(), heat, 1e-9 * heat);
    EXPECT_NEAR(Grid.EnergyObtained(), heat, 1e-9 * heat);

    Grid.DropCells();
    Grid.MoveCells();
    EXPECT_NEAR(Grid.EnergyRemoved(), heat, 1e-9 * heat);
    Grid.UpdateTemperature();
    Grid.CalculateHCapacity();
    Grid.TransferEnergy(false, 3600);
    EXPECT_EQ(Grid.IntersectionArea(), 0);
    EXPECT_EQ(Grid.IntersectionAreaOfRow(0), 0);
}

TEST_F(GWGridTest, MoveCellsShiftsOneRowDownstream)
{
    Grid.SetDirection(0);
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 100, 150}));
    ASSERT_EQ(Grid.NumRows(), 3);
    ASSERT_EQ(Grid.NumCols(), 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) Grid.Cell(r, c)->SetTemperature(10 * (r + 1) + c);
    Grid.MoveCells();
    const double expected[3][2] = {{10, 11}, {10, 11}, {20, 21}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_EQ(Grid.Cell(r, c)->Temperature(), expected[r][c]) << r << c;
    EXPECT_NEAR(Grid.EnergyRemoved(), CellHeat(Grid, 30) + CellHeat(Grid, 31), 1e-6);
    EXPECT_NEAR(Grid.EnergyObtained(), CellHeat(Grid, 10) + CellHeat(Grid, 11), 1e-6);
    EXPECT_LT(Grid.EnergyObtained(), Grid.EnergyRemoved());
    for (int row : {-1, 3}) EXPECT_EQ(Grid.IntersectionAreaOfRow(row), 0) << row;
}

TEST_F(GWGridTest, LogLinesOfAMove)
{
    Grid.SetDirection(0);
    ASSERT_TRUE(Grid.Generate(TWorldRect{0, 0, 50, 50}));
    Grid.InitTemperatures(10);
    Grid.MoveCells();
    const double h = CellHeat(Grid, 10);
    TLocaleScope german(QLocale::German);
    const TDateTime date = EncodeDateTime(2026, 4, 10, 13, 0, 0, 0);
    const QString e3 = UserLocale().toString(h, 'f', 3);
    EXPECT_EQ(Grid.LogLine(date), QStringLiteral("10.04.2026\t%1\t%1\t0,00").arg(e3));
    const QStringList report = Grid.ReportLines(date);
    ASSERT_EQ(report.size(), 4);
    EXPECT_EQ(report[0], QStringLiteral("10.04.2026:"));
    EXPECT_EQ(report[1], QStringLiteral("  Abstrom [MJ]: %1").arg(UserLocale().toString(h, 'f', 2)));
    EXPECT_EQ(report[3], QStringLiteral("  Bilanz [kWh]: 0,00"));
    EXPECT_EQ(TGWGrid::TransferLogText(-1000, 3600), QStringLiteral("\t-1,00"));
}

TEST_F(GWGridTest, RecordRoundTripAndBadRecords)
{
    Grid.SetDirection(1.25);
    Grid.SetGradient(0.002);
    Grid.SetPorosity(0.2);
    Grid.SetKF(3e-4);
    Grid.SetThickness(42);
    Grid.SetTimeForGrid(86400);
    Grid.SetFluid(flEE33);
    TMemoryStream S;
    Grid.WriteData(S);
    TMemoryStream expected;
    for (double v : {1.25, 0.002, 0.2, 3e-4, 42.0, 86400.0}) expected.WriteDouble(v);
    expected.WriteByte(flEE33);
    ASSERT_EQ(S.Data().toHex(), expected.Data().toHex());

    TGWGrid loaded;
    loaded.SetModel(&Model);
    ASSERT_TRUE(loaded.Generate(TWorldRect{0, 0, 100, 100}));
    TMemoryStream in(S.Data());
    loaded.ReadData(in);
    EXPECT_EQ(loaded.Direction(), 1.25);
    EXPECT_EQ(loaded.Gradient(), 0.002);
    EXPECT_EQ(loaded.Porosity(), 0.2);
    EXPECT_EQ(loaded.KF(), 3e-4);
    EXPECT_EQ(loaded.Thickness(), 42);
    EXPECT_EQ(loaded.TimeForGrid(), 86400);
    EXPECT_EQ(loaded.Fluid(), flEE33);
    EXPECT_EQ(loaded.Count(), 0);  // cells are not stored

    QByteArray badFluid = S.Data();
    badFluid[48] = static_cast<char>(FluidMaxOrdinal + 1);
    for (const QByteArray& bad : {badFluid, S.Data().left(48), QByteArray()}) {
        TGWGrid g;
        TMemoryStream bs(bad);
        EXPECT_THROW(g.ReadData(bs), EReadError);
        EXPECT_DOUBLE_EQ(g.Direction(), 30 * Deg);
        EXPECT_EQ(g.Fluid(), flWasser);
        EXPECT_EQ(g.TimeForGrid(), 8640000);
    }
}

namespace {

class TFakeGWDialog : public TGWGridDialogs {
public:
    bool EditGWGrid(TGWEditData& Data) override
    {
        Shown = Data;
        if (Answer) Data = *Answer;
        return Answer.has_value();
    }
    TGWEditData Shown;
    std::optional<TGWEditData> Answer;
};

}  // namespace

TEST_F(GWGridTest, EditShowsAndTakesBackTheDialogValues)
{
    TLocaleScope german(QLocale::German);
    TFakeGWDialog dialog;
    TModelUIScope<TGWGridDialogs> scope(&dialog);

    EXPECT_FALSE(Grid.Edit());
    EXPECT_EQ(dialog.Shown.Direction, QStringLiteral("30"));
    EXPECT_EQ(dialog.Shown.Gradient, QStringLiteral("0,001"));
    EXPECT_EQ(dialog.Shown.Porosity, QStringLiteral("0,15"));
    EXPECT_EQ(dialog.Shown.Kf, QStringLiteral("1E-3"));
    EXPECT_EQ(dialog.Shown.Thickness, QStringLiteral("80"));
    EXPECT_EQ(dialog.Shown.GridTime, QStringLiteral("100"));
    EXPECT_DOUBLE_EQ(Grid.Direction(), 30 * Deg);

    dialog.Answer = TGWEditData{"90", "0,01", "0,25", "2E-4", "35,5", "0,5"};
    EXPECT_TRUE(Grid.Edit());
    EXPECT_DOUBLE_EQ(Grid.Direction(), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(Grid.Gradient(), 0.01);
    EXPECT_DOUBLE_EQ(Grid.Porosity(), 0.25);
    EXPECT_DOUBLE_EQ(Grid.KF(), 2e-4);
    EXPECT_DOUBLE_EQ(Grid.Thickness(), 35.5);
    EXPECT_DOUBLE_EQ(Grid.TimeForGrid(), 43200);

    // A text that is no number changes nothing, not even the fields before it.
    dialog.Answer = TGWEditData{"45", "0,02", "0,3", "1E-3", "x", "1"};
    EXPECT_THROW(Grid.Edit(), EConvertError);
    EXPECT_DOUBLE_EQ(Grid.Direction(), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(Grid.Gradient(), 0.01);
}
