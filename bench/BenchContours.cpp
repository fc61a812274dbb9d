// Building the contour lines of a grid map: contouring the cells and joining
// the segments of every level into polylines, on a field with many small
// rings per level (the case where joining by rescanning grows quadratically).

#include "model/contours/MVContourObj.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void FillBumpyGrid(TMVContourMap& Map, int N)
{
    Map.X().resize(N);
    Map.Y().resize(N);
    for (int i = 0; i < N; ++i) Map.X()[i] = Map.Y()[i] = i;
    Map.Data().resize(N, N);
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c) Map.Data()(r, c) = std::sin(c * 0.37) * std::cos(r * 0.29) + 0.002 * c;
    Map.Z().resize(9);
    for (int k = 0; k < 9; ++k) Map.Z()[k] = -0.8 + 0.2 * k;
}

void BM_BuildContourLines(benchmark::State& State)
{
    TMVContourMap map;
    FillBumpyGrid(map, static_cast<int>(State.range(0)));
    for (auto _ : State) {
        map.BuildContourLines();
        benchmark::DoNotOptimize(map.TheLines.Count());
    }
    State.counters["lines"] = map.TheLines.Count();
}
BENCHMARK(BM_BuildContourLines)->Arg(51)->Arg(201)->Arg(1001)->Unit(benchmark::kMillisecond);

}  // namespace
