// The symmetric solve (fixed values eliminated, CHOLMOD) against the general
// LU of the whole system: the same temperatures on every kind of node.

#include "FETestUtils.h"
#include "model/base/KPError.h"
#include "model/fe/FESystem.h"

#include <cmath>
#include <functional>

namespace {

std::vector<double> Temperatures(const TNumModel& Model)
{
    std::vector<double> f;
    for (int k = 0; k < Model.NodeCount(); ++k) f.push_back(Model.GetNodes(k)->F());
    return f;
}

// Agreement to 1e-10 relative to the size of the temperatures.
void ExpectAgree(const std::vector<double>& A, const std::vector<double>& B)
{
    ASSERT_EQ(A.size(), B.size());
    double scale = 1;
    for (double v : A) scale = std::max(scale, std::fabs(v));
    for (size_t k = 0; k < A.size(); ++k) EXPECT_NEAR(A[k], B[k], 1e-10 * scale) << "node " << k;
}

using TSetUp = std::function<void(T2DTriangleModel&)>;

void SetFixed(T2DTriangleModel& M, int K, double F)
{
    M.GetNodes(K)->SetBorderCondition(bc1FixedValue);
    M.GetNodes(K)->SetF(F);
    M.GetNodes(K)->SetFA(F);
}

void SetSemiPervious(T2DTriangleModel& M, int K, double Alpha, double FN)
{
    M.GetNodes(K)->SetBorderCondition(bc3SemiPervious);
    M.GetNodes(K)->SetAlpha(Alpha);
    M.GetNodes(K)->SetFN(FN);
}

void SetFlow(T2DTriangleModel& M, int K, double Q)
{
    M.GetNodes(K)->SetBorderCondition(bc2FixedFlow);
    M.GetNodes(K)->SetQ(Q);
}

struct TCase {
    const char* name;
    TLayer layer;
    TSetUp setUp;
};

// A 7 × 5 rectangle (48 nodes); node (i, j) is j·8 + i.
const TCase Cases[] = {
    {"fixed values", TLayer{200, 0.06, 1e30, 2e8},
     [](T2DTriangleModel& m) {
         SetFixed(m, 0, 4);
         SetFixed(m, 7, 18);
         SetFixed(m, 47, -2);
     }},
    {"fixed flows", TLayer{150, 0, 1e30, 2.5e8},
     [](T2DTriangleModel& m) {
         SetFlow(m, 19, -3000);
         SetFlow(m, 28, 1200);
         SetFlow(m, 0, 0);
     }},
    {"semi-pervious nodes", TLayer{100, 0.02, 1e30, 1e8},
     [](T2DTriangleModel& m) {
         SetSemiPervious(m, 0, 40, -5);
         SetSemiPervious(m, 47, 25, 30);
     }},
    {"surface transfer", TLayer{180, 0.05, 0.08, 2.2e8}, [](T2DTriangleModel& m) { SetFlow(m, 20, -2500); }},
    {"everything together", TLayer{250, 0.06, 0.2, 2e8},
     [](T2DTriangleModel& m) {
         SetFixed(m, 3, 12);
         SetFixed(m, 4, 12.5);
         SetFlow(m, 27, -4000);
         SetSemiPervious(m, 40, 15, 0);
         m.GetNodes(33)->SetQGW(350);
     }},
};

void Prepare(T2DTriangleModel& M, const TCase& C, bool Symmetric)
{
    BuildRectMesh(M, 7, 5, 35, 25, C.layer);
    for (int k = 0; k < M.NodeCount(); ++k) {
        TNode* node = M.GetNodes(k);
        node->SetF(10);
        node->SetFA(10);
        node->SetFN(6);
    }
    M.RefreshMtx();
    C.setUp(M);
    M.SetAllowSymmetricSolve(Symmetric);
}

} // namespace

TEST(FESymmetricSolve, TransientAgreesWithTheGeneralSolve)
{
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.name);
        T2DTriangleTransient symmetric, general;
        Prepare(symmetric, c, true);
        Prepare(general, c, false);
        for (double dt : {3600.0, 3 * 3600.0}) {
            symmetric.SetDeltaTime(dt);
            general.SetDeltaTime(dt);
            for (int s = 0; s < 25; ++s) {
                symmetric.Solve();
                general.Solve();
            }
            EXPECT_EQ(symmetric.LastSolveMethod(), TSolveMethod::Symmetric);
            EXPECT_EQ(general.LastSolveMethod(), TSolveMethod::General);
            ExpectAgree(Temperatures(symmetric), Temperatures(general));
            for (int k = 0; k < symmetric.NodeCount(); ++k)
                EXPECT_NEAR(symmetric.Temperature()[k], general.Temperature()[k], 1e-10 * 20);
        }
    }
}

TEST(FESymmetricSolve, SteadyAgreesWithTheGeneralSolve)
{
    for (const TCase& c : Cases) {
        // Without a fixed or transfer node the steady system is singular.
        if (std::string(c.name) == "fixed flows" || std::string(c.name) == "surface transfer") continue;
        SCOPED_TRACE(c.name);
        T2DTriangleModel symmetric, general;
        Prepare(symmetric, c, true);
        Prepare(general, c, false);
        symmetric.Solve();
        general.Solve();
        EXPECT_EQ(symmetric.LastSolveMethod(), TSolveMethod::Symmetric);
        EXPECT_EQ(general.LastSolveMethod(), TSolveMethod::General);
        ExpectAgree(Temperatures(symmetric), Temperatures(general));
    }
}

TEST(FESymmetricSolve, SingularSteadySystemIsRefused)
{
    T2DTriangleModel model;
    Prepare(model, Cases[1], true);
    const std::vector<double> before = Temperatures(model);
    try {
        model.Solve();
        FAIL() << "solved";
    } catch (const EKPError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("singulär"))) << e.what();
    }
    EXPECT_EQ(Temperatures(model), before);
}

TEST(FESymmetricSolve, FixedValueNodeKeepsItsValueExactly)
{
    for (bool symmetric : {true, false}) {
        SCOPED_TRACE(symmetric);
        T2DTriangleTransient model;
        Prepare(model, Cases[4], symmetric);
        // A previous temperature that differs from the prescribed one must not
        // move the prescribed value (the extrapolation would give 2F − FA).
        TNode* fixed = model.GetNodes(3);
        fixed->SetFA(-7);
        const double value = 12.345678901234567;
        fixed->SetF(value);
        for (int s = 0; s < 10; ++s) {
            model.Solve();
            ASSERT_EQ(fixed->F(), value) << "step " << s;
            ASSERT_EQ(fixed->FA(), value);
            ASSERT_EQ(model.Temperature()[3], value);
            ASSERT_EQ(model.LoadVector()[3], value);
        }
        model.ExtrapolateTemperatures();
        EXPECT_EQ(fixed->F(), value);
    }
}

// A system that is symmetric but not positive definite (negative storage)
// is still solved, by the general LU, as before.
TEST(FESymmetricSolve, IndefiniteSystemFallsBackToTheGeneralSolve)
{
    TCase indefinite = Cases[0];
    indefinite.layer.Storage = -2e8;
    T2DTriangleTransient symmetric, general;
    Prepare(symmetric, indefinite, true);
    Prepare(general, indefinite, false);
    symmetric.Solve();
    general.Solve();
    EXPECT_EQ(symmetric.LastSolveMethod(), TSolveMethod::General);
    EXPECT_EQ(Temperatures(symmetric), Temperatures(general));
}

// Switching the method, changing one element's parameters or Δt builds a new
// factor whose result equals a fresh model's; nothing changed reuses it.
TEST(FESymmetricSolve, RefactorisesOnlyWhenTheMatrixChanges)
{
    TParameterSet set(QStringLiteral("Ton"), 0);
    set.SetThickness(60);
    set.SetT(2.4);
    set.SetStorage(2.6);
    struct TChange {
        const char* name;
        std::function<void(T2DTriangleTransient&)> apply;
        bool reused;
        TSolveMethod method;
    };
    const TChange changes[] = {
        {"nothing", [](T2DTriangleTransient&) {}, true, TSolveMethod::Symmetric},
        {"one element's parameters", [&set](T2DTriangleTransient& m) { m.GetElement(9)->Assign(&set); },
         false, TSolveMethod::Symmetric},
        {"loads only", [](T2DTriangleTransient& m) { m.GetNodes(27)->SetQ(-100); }, true,
         TSolveMethod::Symmetric},
        {"delta time", [](T2DTriangleTransient& m) { m.SetDeltaTime(600); }, false, TSolveMethod::Symmetric},
        {"general solve", [](T2DTriangleTransient& m) { m.SetAllowSymmetricSolve(false); }, false,
         TSolveMethod::General},
        {"general again", [](T2DTriangleTransient&) {}, true, TSolveMethod::General},
        {"symmetric solve", [](T2DTriangleTransient& m) { m.SetAllowSymmetricSolve(true); }, false,
         TSolveMethod::Symmetric},
    };
    T2DTriangleTransient kept, fresh;
    Prepare(kept, Cases[4], true);
    Prepare(fresh, Cases[4], true);
    kept.Solve();
    fresh.Solve();
    for (const TChange& c : changes) {
        SCOPED_TRACE(c.name);
        c.apply(kept);
        c.apply(fresh);
        fresh.InvalidateFactorization();
        kept.Solve();
        fresh.Solve();
        EXPECT_EQ(kept.LastSolveReusedFactorization(), c.reused);
        EXPECT_EQ(kept.LastSolveMethod(), c.method);
        EXPECT_EQ(Temperatures(kept), Temperatures(fresh));
    }
}

TEST(FESymmetricSolve, GroundwaterLoadIsReported)
{
    T2DTriangleTransient model;
    Prepare(model, Cases[0], true);
    model.Solve();
    EXPECT_FALSE(model.LastSolveUsedQGW());
    model.GetNodes(20)->SetQGW(-50);
    model.Solve();
    EXPECT_TRUE(model.LastSolveUsedQGW());
    model.ResetQGWload();
    model.Solve();
    EXPECT_FALSE(model.LastSolveUsedQGW());
}

// The system on its own, on matrices written out by hand.
TEST(FESystem, SolvesWithAndWithoutElimination)
{
    struct TEntry {
        int r, c;
        double v;
    };
    struct TSystemCase {
        const char* name;
        std::vector<TEntry> entries;
        std::vector<char> fixed;
        std::vector<double> b;
        std::vector<double> x;
        TSolveMethod method;
    };
    const TSystemCase cases[] = {
        // [4 −1 0; −1 4 −1; 0 −1 4]·x = b with x = (1, 2, 3).
        {"symmetric",
         {{0, 0, 4}, {0, 1, -1}, {1, 0, -1}, {1, 1, 4}, {1, 2, -1}, {2, 1, -1}, {2, 2, 4}},
         {0, 0, 0},
         {2, 4, 10},
         {1, 2, 3},
         TSolveMethod::Symmetric},
        // The same with x₂ = 3 prescribed: its row is ignored, its column moves to b.
        {"fixed value",
         {{0, 0, 4}, {0, 1, -1}, {1, 0, -1}, {1, 1, 4}, {1, 2, -1}, {2, 1, -1}, {2, 2, 4}},
         {0, 0, 1},
         {2, 4, 3},
         {1, 2, 3},
         TSolveMethod::Symmetric},
        {"all fixed",
         {{0, 0, 4}, {0, 1, -1}, {1, 0, -1}, {1, 1, 4}},
         {1, 1},
         {-1.5, 7},
         {-1.5, 7},
         TSolveMethod::Symmetric},
        // [4 −1; −2 4]·x = b with x = (1, 2).
        {"not symmetric",
         {{0, 0, 4}, {0, 1, -1}, {1, 0, -2}, {1, 1, 4}},
         {0, 0},
         {2, 6},
         {1, 2},
         TSolveMethod::General},
        // [1 2; 2 1] is symmetric and indefinite.
        {"indefinite",
         {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}, {1, 1, 1}},
         {0, 0},
         {5, 4},
         {1, 2},
         TSolveMethod::General},
    };
    for (const TSystemCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool allow : {true, false}) {
            TSparseMtx a;
            for (const TEntry& e : c.entries) a.SetValue(e.r, e.c, e.v);
            a.TripletsToSparseAndFlush();
            TFESystem system;
            system.SetAllowSymmetric(allow);
            system.Factorize(a, c.fixed);
            EXPECT_EQ(system.Method(), allow ? c.method : TSolveMethod::General);
            const Eigen::VectorXd b = Eigen::Map<const Eigen::VectorXd>(c.b.data(), Eigen::Index(c.b.size()));
            Eigen::VectorXd x;
            system.Solve(b, x);
            ASSERT_EQ(x.size(), Eigen::Index(c.x.size()));
            for (size_t k = 0; k < c.x.size(); ++k) {
                if (c.fixed[k])
                    EXPECT_EQ(x[Eigen::Index(k)], c.x[k]);
                else
                    EXPECT_NEAR(x[Eigen::Index(k)], c.x[k], 1e-14);
            }
        }
    }
}

TEST(FESystem, RefusesWhatItCannotSolve)
{
    TSparseMtx a;
    a.SetValue(0, 0, 2);
    a.SetValue(1, 1, NAN);
    a.TripletsToSparseAndFlush();
    TFESystem system;
    const std::vector<char> fixed{0, 0};
    try {
        system.Factorize(a, fixed);
        FAIL() << "factorised";
    } catch (const EKPError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("kann nicht gelöst werden"))) << e.what();
    }
    EXPECT_EQ(system.Method(), TSolveMethod::None);
    Eigen::VectorXd x = Eigen::VectorXd::Constant(2, 7), b = Eigen::VectorXd::Ones(2);
    EXPECT_THROW(system.Solve(b, x), EKPError);
    EXPECT_EQ(x, Eigen::VectorXd::Constant(2, 7));
    // A flag list that does not fit the matrix.
    EXPECT_THROW(system.Factorize(a, std::vector<char>{0}), EKPError);
}
