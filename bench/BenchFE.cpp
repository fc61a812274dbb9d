// One transient step of the finite-element model, with the factorisation kept
// and made afresh, against the bare solves of the same system: CHOLMOD's
// Cholesky (what a step uses) and UMFPACK's general LU.

#include "model/fe/NumModel.h"

#include "bench/BenchFields.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// A square mesh of about NodeCount nodes, a probe-like sink in the middle,
// layer parameters of a typical ground.
std::unique_ptr<T2DTriangleTransient> MakeModel(int NodeCount)
{
    auto model = std::make_unique<T2DTriangleTransient>();
    const int side = static_cast<int>(std::lround(std::sqrt(double(NodeCount)))) - 1;
    const double h = 200.0 / side;
    for (int j = 0; j <= side; ++j)
        for (int i = 0; i <= side; ++i) model->NodesList().Add(std::make_unique<TNode>(i * h, j * h));
    const int row = side + 1;
    auto add = [&](int a, int b, int c) {
        const int index[3] = {a, b, c};
        auto e = std::make_unique<TTransientTriangle>(model->GetNodes(a), model->GetNodes(b), model->GetNodes(c), 200,
                                                      0.06, 1e30, 2.2e8);
        e->PresetNodeIndices(index);
        e->UpdateNodeIndices(&model->NodesList());
        model->ElementsList().Add(std::move(e));
    };
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            const int n0 = j * row + i;
            add(n0, n0 + 1, n0 + row + 1);
            add(n0, n0 + row + 1, n0 + row);
        }
    model->InitNodeParams(10, 10);
    TNode* sink = model->GetNodes((side / 2) * row + side / 2);
    sink->SetBorderCondition(bc2FixedFlow);
    sink->SetQ(-3000);
    model->SetDeltaTime(3600);
    return model;
}

void BM_TransientStep(benchmark::State& State)
{
    auto model = MakeModel(static_cast<int>(State.range(0)));
    model->Solve();  // the first step factorises
    for (auto _ : State) model->Solve();
    State.counters["nodes"] = model->NodeCount();
    State.counters["reused"] = model->LastSolveReusedFactorization();
}

void BM_TransientStepRefactor(benchmark::State& State)
{
    auto model = MakeModel(static_cast<int>(State.range(0)));
    for (auto _ : State) {
        model->InvalidateFactorization();
        model->Solve();
    }
    State.counters["nodes"] = model->NodeCount();
}

// The system of the model's first step, assembled once, solved with kept factors.
void BM_UmfpackSolve(benchmark::State& State)
{
    auto model = MakeModel(static_cast<int>(State.range(0)));
    const int n = model->NodeCount();
    TSparseMtx a;
    a.SetRefinementSteps(0);
    FillTransientMatrix(*model, a);
    a.Factorize();
    Eigen::VectorXd b = Eigen::VectorXd::Constant(n, 1.0), x;
    for (auto _ : State) {
        a.Solve(b, x);
        benchmark::DoNotOptimize(x.data());
    }
    State.counters["nodes"] = n;
}

// The same system with CHOLMOD's kept factor; the second argument is the
// factor kind (0 auto, 1 simplicial, 2 supernodal).
void BM_CholmodSolve(benchmark::State& State)
{
    auto model = MakeModel(static_cast<int>(State.range(0)));
    const int n = model->NodeCount();
    TSparseMtx a;
    FillTransientMatrix(*model, a);
    TCholmodSolver solver;
    solver.SetFactorKind(static_cast<TCholmodSolver::TFactorKind>(State.range(1)));
    FactorizeSymmetric(a, solver);
    Eigen::VectorXd b = Eigen::VectorXd::Constant(n, 1.0), x(n);
    for (auto _ : State) {
        solver.Solve(b.data(), x.data());
        benchmark::DoNotOptimize(x.data());
    }
    State.counters["nodes"] = n;
    State.counters["nnzL"] = static_cast<double>(solver.FactorNonzeros());
    State.counters["block_width"] = solver.MeanBlockWidth();
    State.counters["top_share"] = solver.TopShare();
    State.counters["levels"] = solver.SplitLevels();
}

}  // namespace

BENCHMARK(BM_TransientStep)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransientStepRefactor)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UmfpackSolve)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CholmodSolve)->ArgsProduct({{2000, 10000, 100000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
