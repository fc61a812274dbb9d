// The demonstration project and the two solver checks, with our generator.

#include "ProjectTestUtil.h"

#if defined(KP_TRIANGLE_EXE)

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/project/CheckGrid.h"

#include <cmath>
#include <numbers>

namespace {

// The exponential integral E1 by its series; enough for x below 2.
double E1(double x)
{
    double sum = 0, term = 1;
    for (int k = 1; k < 60; ++k) {
        term *= -x / k;
        sum += term / k;
    }
    return -std::numbers::egamma - std::log(x) - sum;
}

// Temperature rise of the infinite line source at distance r after t seconds.
double LineSource(double PowerPerMetre, double Lambda, double RhoCP, double r, double t)
{
    return PowerPerMetre / (4 * std::numbers::pi * Lambda) * E1(r * r * RhoCP / (4 * Lambda * t));
}

class ProjectChecksTest : public TProjectTestBase {
protected:
    void SetUp() override
    {
        TProjectTestBase::SetUp();
        TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
    }
    static double Cell(const TStringTable& Grid, int Col, int Row)
    {
        return StrToFloat(Grid.Cell(Col, Row));
    }
};

TEST_F(ProjectChecksTest, TheSingleProbeCheckAgreesWithTheLineSource)
{
    TProject p;
    TThermModel& m = *p.Model();
    AddProbe(m, "S", 10, 20);
    m.SetDefAirTemperature(10);
    TStringTable grid;
    p.RunValidationExample(grid);

    ASSERT_EQ(grid.ColCount(), 11);
    ASSERT_EQ(grid.RowCount(), 1201);
    EXPECT_EQ(grid.Cell(1, 0), "r=0 [m]");
    EXPECT_EQ(grid.Cell(3, 0), "r=1 [m]");
    EXPECT_EQ(grid.Cell(0, 1), Format("%g [d]", {1.0 / 24}));
    EXPECT_EQ(grid.Cell(0, 1200), "50 [d]");
    // The auxiliary probe is gone again, its node stays.
    ASSERT_EQ(m.BHEs().Count(), 1);
    EXPECT_GE(m.FieldModel()->FindNode(11.5, 20), 0);
    EXPECT_DOUBLE_EQ(m.DefAlphaSurface(), 0);

    // 6660 W on 100 m, λ 2.375 W/(m·K), ρc 3 MJ/(m³·K), 1.5 m from the probe
    // (once the warming has passed the coarse elements there).
    for (int day : {10, 25, 50}) {
        const double expected = LineSource(66.6, 2.375, 3e6, 1.5, day * 86400.0);
        const double computed = Cell(grid, 3, day * 24);
        EXPECT_NEAR(computed, expected, 0.05 * expected) << "day " << day;
    }
    // The probe's own node warms most and keeps warming.
    EXPECT_GT(Cell(grid, 1, 1200), Cell(grid, 3, 1200));
    EXPECT_GT(Cell(grid, 1, 1200), Cell(grid, 1, 600));
}

TEST_F(ProjectChecksTest, ThePumpingTestRunsOnItsMesh)
{
    // Its mesh: a field of five wells in a row, generated beforehand.
    TDblPointList wells{{0, 0}, {30, 0}, {60, 0}, {90, 0}, {120, 0}};
    const QString input = QDir(WorkTempDir()).filePath("Pumptest.poly");
    ASSERT_TRUE(GeneratePolyFile(wells, 2, 100, 20, 200, 1, input));
    TTriangleWrapper gen;
    gen.SetPathToExe(TriangleLocation);
    gen.SetCommandLineParams("-pqa");
    gen.SetInputFile(input);
    ASSERT_EQ(gen.Execute(), TTriangleWrapper::mrOk);

    TProject p;
    TStringTable grid;
    p.RunPumptestExample(grid);
    ASSERT_EQ(grid.ColCount(), 11);
    ASSERT_EQ(grid.RowCount(), 33);
    EXPECT_EQ(grid.Cell(1, 0), "r=0 [m]");
    EXPECT_EQ(grid.Cell(9, 0), "r=120 [m]");
    EXPECT_EQ(grid.Cell(0, 32), "480 [min]");
    // Every step has its five values; the injection well rises above zero.
    for (int r = 1; r <= 32; ++r)
        for (int c = 1; c <= 9; c += 2) {
            double v = 0;
            EXPECT_TRUE(TryStrToFloat(grid.Cell(c, r), v) && std::isfinite(v)) << c << "/" << r;
        }
    EXPECT_GT(Cell(grid, 1, 32), 0);
}

TEST_F(ProjectChecksTest, TheDemonstrationProject)
{
    TProject p;
    TBHETypelist none;
    p.MakeDummy(&none);
    EXPECT_EQ(p.Name(), "Dummy-Projekt mit Beispieldaten");
    EXPECT_EQ(p.Model()->Name(), "Dummy-Modell");
    ASSERT_EQ(p.Model()->BHEs().Count(), 5);
    for (int i = 4; i < 9; ++i) EXPECT_EQ(p.Model()->FieldModel()->GetNodes(i)->BorderCondition(), bc2FixedFlow);
    EXPECT_TRUE(p.Model()->ProbesWithoutNode().isEmpty());
}

}  // namespace

#endif
