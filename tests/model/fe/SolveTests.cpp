#include "FETestUtils.h"

#include "model/base/KPError.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// A rectangle mesh ready for stepping: uniform temperature, air at FN.
void Prepare(T2DTriangleTransient& Model, int Nx, int Ny, double W, double H, const TLayer& L, double T0, double Air = 0)
{
    BuildRectMesh(Model, Nx, Ny, W, H, L);
    Model.InitNodeParams(T0, Air);
}

// A 3 × 3 square with a probe drawing 100 W at node 5, one step solved.
void StepWithAProbe(T2DTriangleTransient& Model)
{
    Prepare(Model, 3, 3, 3, 3, TLayer{}, 10);
    Model.GetNodes(5)->SetBorderCondition(bc2FixedFlow);
    Model.GetNodes(5)->SetQ(-100);
    Model.Solve();
}

std::vector<double> Temperatures(const TNumModel& Model)
{
    std::vector<double> f;
    for (int k = 0; k < Model.NodeCount(); ++k) f.push_back(Model.GetNodes(k)->F());
    return f;
}

}  // namespace

TEST(FESolve, OneTriangleFixedAt10)
{
    for (double t : {0.0, 5.0, 1e6}) {
        SCOPED_TRACE(t);
        T2DTriangleTransient transient;
        T2DTriangleModel steady;
        for (TNumModel* model : {static_cast<TNumModel*>(&transient), static_cast<TNumModel*>(&steady)}) {
            AddNode(*model, TNode::Create1BC(0, 0, 10));
            AddNode(*model, TNode::Create1BC(3, 0, 10));
            AddNode(*model, TNode::Create1BC(0, 2, 10));
            AddTriangle(*model, 0, 1, 2, TLayer{t, 0.5, 0.1, 1e5});
            model->Solve();
            for (double f : Temperatures(*model)) EXPECT_EQ(f, 10);
        }
    }
}

TEST(FESolve, FixedFlowChangesTheHeatContentByQTimesDeltaTime)
{
    struct Case {
        double q;
        double deltaTime;
        int steps;
        double initial;
    };
    // The heat content is measured from 0 °C: starting there keeps its rounding
    // far below the change of one step even for small flows.
    const Case cases[] = {{-1000, 3600, 1, 10}, {-1000, 3600, 50, 10}, {2500, 86400, 30, 10},
                          {-40, 60, 200, 0}, {-1000, 600, 300, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        T2DTriangleTransient model;
        Prepare(model, 8, 6, 40, 30, TLayer{200, 0, 1e30, 2.2e8}, c.initial);
        TNode* sink = model.GetNodes(4 * 9 + 3);
        sink->SetBorderCondition(bc2FixedFlow);
        sink->SetQ(c.q);
        model.GetNodes(0)->SetBorderCondition(bc2FixedFlow);  // zero flow: no effect
        model.SetDeltaTime(c.deltaTime);
        for (int s = 0; s < c.steps; ++s) {
            const double before = model.Quantity();
            model.Solve();
            const double change = model.Quantity() - before;
            ASSERT_NEAR(change, c.q * c.deltaTime, 1e-9 * std::fabs(c.q * c.deltaTime)) << "step " << s;
        }
    }
}

TEST(FESolve, UniformFieldStaysUniform)
{
    T2DTriangleTransient model;
    Prepare(model, 6, 5, 12, 10, TLayer{300, 0, 1e30, 1e8}, 7.5, 20);
    model.SetDeltaTime(7200);
    for (int s = 0; s < 40; ++s) model.Solve();
    for (double f : Temperatures(model)) EXPECT_NEAR(f, 7.5, 1e-12);
}

TEST(FESolve, MidStepValuesAndPreviousTemperature)
{
    T2DTriangleTransient model;
    Prepare(model, 5, 5, 10, 10, TLayer{100, 0.05, 0.5, 1e8}, 10, 2);
    TNode* source = model.GetNodes(14);
    source->SetBorderCondition(bc2FixedFlow);
    source->SetQ(800);
    model.GetNodes(0)->SetBorderCondition(bc1FixedValue);
    for (int s = 0; s < 3; ++s) {
        const std::vector<double> before = [&] {
            std::vector<double> fa;
            for (int k = 0; k < model.NodeCount(); ++k) fa.push_back(model.GetNodes(k)->FA());
            return fa;
        }();
        model.Solve();
        ASSERT_EQ(model.Temperature().size(), model.NodeCount());
        ASSERT_EQ(model.LoadVector().size(), model.NodeCount());
        for (int k = 0; k < model.NodeCount(); ++k) {
            const TNode* node = model.GetNodes(k);
            EXPECT_EQ(node->FA(), node->F());
            EXPECT_NEAR(node->F(), 2 * model.Temperature()[k] - before[static_cast<size_t>(k)], 1e-12);
        }
        EXPECT_EQ(model.GetNodes(0)->F(), 10);
    }
}

// The step's result vectors are written by node only when read: whatever
// replaces them in between wins.
TEST(FESolve, ResultVectorsShowTheLastChange)
{
    T2DTriangleTransient model;
    StepWithAProbe(model);
    model.InitTemperature(7);
    EXPECT_EQ(model.Temperature(), TVec::Constant(model.NodeCount(), 7));
    model.Solve();
    EXPECT_NE(model.Temperature(), TVec::Constant(model.NodeCount(), 7));
    model.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.node")));
    EXPECT_EQ(model.Temperature().size(), 0);
    EXPECT_EQ(model.LoadVector().size(), 0);
}

TEST(FESolve, DeltaTimeZeroChangesNothing)
{
    T2DTriangleTransient model;
    StepWithAProbe(model);
    model.GetNodes(2)->SetFA(3);
    const std::vector<double> f = Temperatures(model);
    const TVec temperature = model.Temperature(), load = model.LoadVector();
    model.SetDeltaTime(0);
    try {
        model.Solve();
        FAIL();
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Delta Time is 0."));
    }
    EXPECT_EQ(Temperatures(model), f);
    EXPECT_EQ(model.GetNodes(2)->FA(), 3);
    EXPECT_EQ(model.Temperature(), temperature);
    EXPECT_EQ(model.LoadVector(), load);
}

TEST(FESolve, FailedSolveChangesNoNode)
{
    struct Case {
        const char* name;
        std::function<void(T2DTriangleTransient&)> spoil;
        const char* part;
    };
    const Case cases[] = {
        {"node outside every element", [](T2DTriangleTransient& m) { AddNode(m, 50, 50); }, "Knoten 17"},
        {"no conduction and no storage",
         [](T2DTriangleTransient& m) { m.InitElementParams(0, 0, INFINITY, 0, 1); }, "singulär"},
        {"parameter not a number",
         [](T2DTriangleTransient& m) { m.InitElementParams(NAN, 0, 1e30, 1e8, 1); }, "kann nicht gelöst werden"},
        {"load not a number", [](T2DTriangleTransient& m) { m.GetNodes(5)->SetQ(NAN); }, "keine endliche Lösung"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        T2DTriangleTransient model, reference;
        StepWithAProbe(model);
        StepWithAProbe(reference);
        c.spoil(model);
        const std::vector<double> f = Temperatures(model);
        try {
            model.Solve();
            ADD_FAILURE() << "solved";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.part))) << e.what();
        }
        EXPECT_EQ(Temperatures(model), f);
        // The result vectors, read only now, are still those of the last step.
        EXPECT_EQ(model.Temperature(), reference.Temperature());
        EXPECT_EQ(model.LoadVector(), reference.LoadVector());
        // The steady solve refuses the same systems.
        if (std::string(c.name) == "node outside every element") {
            EXPECT_THROW(model.T2DTriangleModel::Solve(), EKPError);
        }
    }
}

// Every change that alters the matrix must give what a fresh factorisation gives.
TEST(FESolve, KeptFactorisationEqualsFreshOne)
{
    TParameterSet set(QStringLiteral("Sand"), 0);
    set.SetThickness(80);
    set.SetT(1.5);
    struct Change {
        const char* name;
        std::function<void(T2DTriangleTransient&)> apply;
        bool reused;
    };
    const Change changes[] = {
        {"nothing", [](T2DTriangleTransient&) {}, true},
        {"flow and groundwater load", [](T2DTriangleTransient& m) { m.GetNodes(7)->SetQ(-3000); m.GetNodes(8)->SetQGW(40); }, true},
        {"a previous temperature", [](T2DTriangleTransient& m) { m.GetNodes(9)->SetFA(30); }, true},
        {"groundwater load gone", [](T2DTriangleTransient& m) { m.GetNodes(8)->SetQGW(0); }, true},
        {"delta time", [](T2DTriangleTransient& m) { m.SetDeltaTime(1800); }, false},
        {"same delta time again", [](T2DTriangleTransient& m) { m.SetDeltaTime(1800); }, true},
        {"boundary condition", [](T2DTriangleTransient& m) { m.GetNodes(3)->SetBorderCondition(bc1FixedValue); }, false},
        {"air temperature", [](T2DTriangleTransient& m) { m.UpdateAirtemperature(25); }, false},
        {"parameter set", [&set](T2DTriangleTransient& m) { m.GetElement(4)->Assign(&set); }, false},
        {"semi-pervious node", [](T2DTriangleTransient& m) {
             m.GetNodes(12)->SetBorderCondition(bc3SemiPervious);
             m.GetNodes(12)->SetAlpha(50);
             m.GetNodes(12)->SetFN(30);
         }, false},
        {"transfer coefficient", [](T2DTriangleTransient& m) { m.GetNodes(12)->SetAlpha(5); }, false},
        {"element parameters", [](T2DTriangleTransient& m) { m.InitElementParams(150, 0.02, 2, 3e8, 50); }, false},
        {"nothing after all", [](T2DTriangleTransient&) {}, true},
    };
    T2DTriangleTransient kept, fresh;
    for (T2DTriangleTransient* m : {&kept, &fresh}) {
        Prepare(*m, 6, 4, 30, 20, TLayer{200, 0.06, 0.2, 2e8}, 10, 5);
        m->GetNodes(7)->SetBorderCondition(bc2FixedFlow);
        m->GetNodes(7)->SetQ(-1500);
    }
    kept.Solve();
    fresh.Solve();
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        c.apply(kept);
        c.apply(fresh);
        fresh.InvalidateFactorization();
        kept.Solve();
        fresh.Solve();
        EXPECT_EQ(kept.LastSolveReusedFactorization(), c.reused);
        EXPECT_FALSE(fresh.LastSolveReusedFactorization());
        EXPECT_EQ(Temperatures(kept), Temperatures(fresh));
    }
}

TEST(FESolve, NewMeshIsFactorisedAfresh)
{
    T2DTriangleTransient model;
    Prepare(model, 3, 3, 3, 3, TLayer{}, 10);
    model.Solve();
    model.Solve();
    EXPECT_TRUE(model.LastSolveReusedFactorization());
    // Replace one element by an equal one: the list holds another object.
    TElement* old = model.GetElement(0);
    const int a = old->NodeIndices(0), b = old->NodeIndices(1), c = old->NodeIndices(2);
    model.ElementsList().Delete(0);
    AddTriangle(model, a, b, c);
    model.ElementsList().Move(model.ElementCount() - 1, 0);
    model.Solve();
    EXPECT_FALSE(model.LastSolveReusedFactorization());

    // A smaller mesh read in its place.
    model.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.node")));
    model.InitNodeParams(8, 8);
    model.Solve();
    EXPECT_FALSE(model.LastSolveReusedFactorization());
    EXPECT_EQ(model.Temperature().size(), 5);
    EXPECT_EQ(model.GetNodes(4)->F(), 12.5);
    EXPECT_GT(model.GetNodes(0)->F(), 8);
}

TEST(FESolve, SemiPerviousNodesExchangeWithTheirOutsideTemperature)
{
    T2DTriangleModel steady;
    BuildRectMesh(steady, 3, 3, 3, 3, TLayer{100, 0, 1e30, 1e8});
    for (int k = 0; k < steady.NodeCount(); ++k) steady.GetNodes(k)->SetF(10);
    for (int k : {0, 15}) {
        steady.GetNodes(k)->SetBorderCondition(bc3SemiPervious);
        steady.GetNodes(k)->SetAlpha(20);
        steady.GetNodes(k)->SetFN(k == 0 ? 4 : 12);
    }
    steady.Solve();
    // Equal coefficients: the field settles halfway, each node passing the same flow.
    EXPECT_NEAR(steady.GetNodes(5)->F() + steady.GetNodes(10)->F(), 16, 1e-9);
    EXPECT_NEAR(steady.GetNodes(0)->Q(), -steady.GetNodes(15)->Q(), 1e-9);
    EXPECT_LT(steady.GetNodes(0)->Q(), 0);  // heat leaves towards 4 °C
}

TEST(FESolve, SteadyPatchTestIsExact)
{
    // An irregular mesh: interior nodes moved off the grid.
    T2DTriangleModel model;
    BuildRectMesh(model, 4, 3, 8, 6, TLayer{250, 0, 1e30, 1e8});
    const double shift[][2] = {{0.31, -0.22}, {-0.4, 0.17}, {0.12, 0.35}, {-0.27, -0.3}, {0.2, 0.1}, {-0.15, 0.28}};
    int s = 0;
    auto exact = [](double x, double y) { return 1 + 2 * x - 3 * y; };
    for (int k = 0; k < model.NodeCount(); ++k) {
        TNode* node = model.GetNodes(k);
        const bool boundary = node->X() == 0 || node->X() == 8 || node->Y() == 0 || node->Y() == 6;
        if (boundary) {
            node->SetBorderCondition(bc1FixedValue);
            node->SetF(exact(node->X(), node->Y()));
        } else {
            node->SetX(node->X() + shift[s][0]);
            node->SetY(node->Y() + shift[s][1]);
            ++s;
            node->SetQ(1e6);  // fixed flows are no part of the steady state
        }
    }
    model.RefreshMtx();
    model.Solve();
    for (int k = 0; k < model.NodeCount(); ++k) {
        const TNode* node = model.GetNodes(k);
        EXPECT_NEAR(node->F(), exact(node->X(), node->Y()), 1e-12) << k;
    }
}

TEST(FESolve, ExtrapolationToTheEndOfTheStep)
{
    T2DTriangleTransient model;
    BuildRectMesh(model, 1, 1, 1, 1);
    const double f[] = {12, 10, -1, 0};
    const double fa[] = {10, 10, 1, 0.5};
    for (int k = 0; k < 4; ++k) {
        model.GetNodes(k)->SetF(f[k]);
        model.GetNodes(k)->SetFA(fa[k]);
    }
    model.ExtrapolateTemperatures();
    const double expected[] = {14, 10, -3, -0.5};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(model.GetNodes(k)->F(), expected[k]);
        EXPECT_EQ(model.GetNodes(k)->FA(), expected[k]);
    }
}

// The centre of a fan of eleven triangles has more neighbours than most rows
// of a mesh; its whole storage term must reach the right-hand side. The step
// against the θ-method written out densely, with a fixed value, a fixed flow
// and the surface transfer.
TEST(FESolve, StepOnAFanAgreesWithTheDenseThetaMethod)
{
    for (const bool symmetric : {true, false}) {
        SCOPED_TRACE(symmetric ? "symmetric" : "general");
        T2DTriangleTransient model;
        constexpr int Spokes = 11;
        AddNode(model, 0, 0);
        for (int k = 0; k < Spokes; ++k) {
            const double angle = 2 * std::numbers::pi * k / Spokes;
            AddNode(model, 10 * std::cos(angle), 10 * std::sin(angle));
        }
        const TLayer layer{150, 0.05, 0.5, 2e8};
        for (int k = 0; k < Spokes; ++k) AddTriangle(model, 0, 1 + k, 1 + (k + 1) % Spokes, layer);
        const int n = model.NodeCount();
        for (int k = 0; k < n; ++k) {
            model.GetNodes(k)->SetF(8 + k);
            model.GetNodes(k)->SetFA(8 + k);
            model.GetNodes(k)->SetFN(5);
        }
        model.RefreshMtx();
        model.GetNodes(2)->SetBorderCondition(bc2FixedFlow);
        model.GetNodes(2)->SetQ(-500);
        model.GetNodes(5)->SetBorderCondition(bc1FixedValue);
        model.SetAllowSymmetricSolve(symmetric);
        const double dt = 3600;
        model.SetDeltaTime(dt);

        Eigen::MatrixXd a = Eigen::MatrixXd::Zero(n, n);
        Eigen::VectorXd b = Eigen::VectorXd::Zero(n), fa(n);
        for (int k = 0; k < n; ++k) fa[k] = model.GetNodes(k)->FA();
        for (int e = 0; e < model.ElementCount(); ++e) {
            const auto* t = static_cast<const TTransientTriangle*>(model.GetElement(e));
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    const double r = t->RMtx()(i, j) / dt;
                    a(t->NodeIndices(i), t->NodeIndices(j)) += t->Mtx()(i, j) + t->LeakyMtx()(i, j) + r;
                    b[t->NodeIndices(i)] += r * fa[t->NodeIndices(j)];
                }
            for (int i = 0; i < 3; ++i) b[t->NodeIndices(i)] += t->LoadVector()[i];
        }
        b[2] += -500;
        a.row(5).setZero();
        a(5, 5) = 1;
        b[5] = 13;
        const Eigen::VectorXd mid = a.fullPivLu().solve(b);

        model.Solve();
        for (int k = 0; k < n; ++k) {
            const double expected = k == 5 ? 13 : fa[k] + (mid[k] - fa[k]) / (1 - FETheta);
            EXPECT_NEAR(model.GetNodes(k)->F(), expected, 1e-10 * 20) << k;
            EXPECT_NEAR(model.Temperature()[k], mid[k], 1e-10 * 20) << k;
        }
        EXPECT_EQ(model.GetNodes(5)->F(), 13);
    }
}

// A step's result stays in the solve until a node is written; whatever comes
// in between, every reader sees what writing every node at once would show.
TEST(FESolve, StepResultReachesEveryReader)
{
    T2DTriangleTransient model, alone, other;
    StepWithAProbe(model);
    StepWithAProbe(alone);
    StepWithAProbe(other);
    // Another model's step leaves this one's result as it was.
    other.GetNodes(5)->SetQ(-300);
    other.Solve();
    EXPECT_EQ(Temperatures(model), Temperatures(alone));
    model.Solve();
    alone.Solve();
    const std::vector<double> f = Temperatures(model);
    EXPECT_EQ(f, Temperatures(alone));
    for (int k = 0; k < model.NodeCount(); ++k) EXPECT_EQ(model.GetNodes(k)->FA(), f[static_cast<size_t>(k)]);

    // A node written between steps keeps what was written; the others and
    // its other value keep the step's.
    model.GetNodes(2)->SetF(50);
    model.GetNodes(3)->SetFA(40);
    std::vector<double> expected = f;
    expected[2] = 50;
    EXPECT_EQ(Temperatures(model), expected);
    EXPECT_EQ(model.GetNodes(2)->FA(), f[2]);
    EXPECT_EQ(model.GetNodes(3)->FA(), 40);

    // A node's record holds the step's values.
    model.Solve();
    const double stepped = model.GetNodes(6)->F();
    TMemoryStream s;
    model.GetNodes(6)->Write(s);
    TMemoryStream in(s.Data());
    TNode read(Blank);
    read.Read(in);
    EXPECT_EQ(read.F(), stepped);
    EXPECT_EQ(read.FA(), stepped);

    // Freeing the nodes or the model with a result pending touches no freed
    // node (the sanitizers watch).
    model.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.node")));
    model.InitNodeParams(8, 8);
    model.Solve();
    EXPECT_EQ(model.GetNodes(4)->F(), 12.5);
    auto gone = std::make_unique<T2DTriangleTransient>();
    StepWithAProbe(*gone);
    gone.reset();
    model.Solve();
    EXPECT_EQ(model.GetNodes(4)->F(), 12.5);
}
