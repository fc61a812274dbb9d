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
#include <vector>

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

// Hantush's well function of the leaky aquifer, W(u, β) = ∫_u^∞ exp(−y − β²/(4y)) / y dy,
// by Simpson's rule over ln y.
double Hantush(double u, double beta)
{
    const double a = std::log(u), b = std::log(60.0);
    if (a >= b) return 0;
    const int n = 4000;
    const double h = (b - a) / n;
    auto f = [&](double s) {
        const double y = std::exp(s);
        return std::exp(-y - beta * beta / (4 * y));
    };
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i) sum += (i % 2 ? 4 : 2) * f(a + i * h);
    return sum * h / 3;
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

TEST_F(ProjectChecksTest, ThePumpingTestFollowsHantushAlongTheRow)
{
    // Its mesh: five wells in a row, 30 m apart, generated beforehand with the
    // outer boundary far enough away that it does not feel the eight hours.
    TDblPointList wells{{0, 0}, {30, 0}, {60, 0}, {90, 0}, {120, 0}};
    const QString input = QDir(WorkTempDir()).filePath("Pumptest.poly");
    ASSERT_TRUE(GeneratePolyFile(wells, 2, 600, 10, 2000, 1, input));
    TTriangleWrapper gen;
    gen.SetPathToExe(TriangleLocation);
    gen.SetCommandLineParams("-pqa");
    gen.SetInputFile(input);
    ASSERT_EQ(gen.Execute(), TTriangleWrapper::mrOk);

    TProject p;
    // The model's air temperature must not reach the aquifer.
    p.Model()->SetDefAirTemperature(10);
    TStringTable grid;
    p.RunPumptestExample(grid);
    ASSERT_EQ(grid.ColCount(), 11);
    ASSERT_EQ(grid.RowCount(), 33);
    EXPECT_EQ(grid.Cell(1, 0), "r=0 [m]");
    EXPECT_EQ(grid.Cell(9, 0), "r=120 [m]");
    EXPECT_EQ(grid.Cell(0, 1), "15 [min]");
    EXPECT_EQ(grid.Cell(0, 32), "480 [min]");
    const T2DTriangleTransient& fe = *p.Model()->FieldModel();
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(fe.GetNodes(4 + k)->X(), 30.0 * k);
        EXPECT_EQ(fe.GetNodes(4 + k)->Y(), 0.0);
    }

    // Q 761 m³/d into a leaky aquifer of transmissivity 1731 m²/d, storage
    // coefficient 0.1 and leakage resistance 468 d, time in days: the rise
    // Q / (4πT) · W(r²S / (4Tt), r / √(Tc)).
    const double T = 1731, S = 0.1, c = 468, Q = 761;
    struct Case {
        int Row;     // quarter hours
        int Column;  // 3, 5, 7, 9: 30, 60, 90, 120 m
    };
    std::vector<Case> cases;
    for (int row : {8, 16, 32})
        for (int column : {3, 5, 7, 9}) cases.push_back({row, column});
    for (const Case& k : cases) {
        const double r = 15.0 * (k.Column - 1);
        const double t = k.Row / 96.0;
        const double expected = Q / (4 * std::numbers::pi * T) * Hantush(r * r * S / (4 * T * t), r / std::sqrt(T * c));
        EXPECT_NEAR(Cell(grid, k.Column, k.Row), expected, 0.05 * expected + 0.001)
            << "r " << r << " m after " << 15 * k.Row << " min";
    }
    // The well itself rises most, and the rise grows with time at every well.
    for (int c = 3; c <= 9; c += 2) EXPECT_GT(Cell(grid, 1, 32), Cell(grid, c, 32));
    for (int c = 1; c <= 9; c += 2) EXPECT_GT(Cell(grid, c, 32), Cell(grid, c, 16)) << c;
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
