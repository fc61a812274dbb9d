// A run asks its load profile for a power at every step; a time series of a
// year in minutes must not make that step cost more than a few comparisons.
#include "model/loads/LoadObject.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SeriesGetPower(benchmark::State& State)
{
    const int n = static_cast<int>(State.range(0));
    TLoadObj profile;
    profile.SetLoadType(ltFile);
    const TDateTime start = EncodeDate(2021, 1, 1);
    for (int i = 0; i < n; ++i) profile.AddPoint(start + i / 1440.0, (i % 97) - 48.0);
    // Hourly steps through the whole series, as a run walks it.
    double t = start;
    const double end = start + n / 1440.0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(profile.GetPower(t));
        t += 1.0 / 24;
        if (t > end) t = start;
    }
}
BENCHMARK(BM_SeriesGetPower)->Arg(10000)->Arg(525600);

}  // namespace
