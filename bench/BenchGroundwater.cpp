// Groundwater grid over a realistic mesh: the intersection runs whenever the
// grid is (re)generated, the transport period every TimeForGrid of a run.
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

// N × N squares of 5 m, two triangles each, at georeferenced coordinates.
void BuildMesh(T2DTriangleTransient& M, int N)
{
    const double X0 = 3.5e6, Y0 = 5.8e6, Size = 5;
    for (int j = 0; j <= N; ++j)
        for (int i = 0; i <= N; ++i) {
            auto* node = new TNode(X0 + i * Size, Y0 + j * Size);
            node->SetF(10 + 0.01 * i);
            M.NodesList().Add(node);
        }
    auto n = [&](int i, int j) { return M.Nodes(j * (N + 1) + i); };
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            M.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j), n(i + 1, j + 1), 1, 0, 1e30, 2.5e8));
            M.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j + 1), n(i, j + 1), 1, 0, 1e30, 2.5e8));
        }
}

void BM_GWIntersectMesh(benchmark::State& State)
{
    T2DTriangleTransient model;
    BuildMesh(model, static_cast<int>(State.range(0)));
    TGWGrid grid;
    grid.SetModel(&model);
    grid.SetDirection(30 * std::numbers::pi / 180);
    for (auto _ : State) benchmark::DoNotOptimize(grid.GenerateOverMesh(10));
    State.counters["elements"] = model.ElementCount();
    State.counters["cells"] = grid.Count();
}
BENCHMARK(BM_GWIntersectMesh)->Arg(40)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_GWTransportPeriod(benchmark::State& State)
{
    T2DTriangleTransient model;
    BuildMesh(model, 100);
    TGWGrid grid;
    grid.SetModel(&model);
    grid.GenerateOverMesh(10);
    for (auto _ : State) {
        grid.UpdateTemperature();
        grid.MoveCells();
        grid.CalculateHCapacity();
        model.ResetQGWload();
        grid.TransferEnergy(false, 3600);
    }
}
BENCHMARK(BM_GWTransportPeriod)->Unit(benchmark::kMillisecond);

}  // namespace
