// Building the significant levels of a realistic drop: 4 Hz for 15 minutes
// (about 3600 QC points from 700 mb to the surface), all seventeen steps; and
// the same from 100 mb, where the tropopause search runs in full.
#include <benchmark/benchmark.h>

#include "../tests/levels/LevelTestSupport.h"
#include "levels/SignificantLevels.h"
#include "levels/TropopauseFinder.h"

namespace {

void BM_SignificantLevels(benchmark::State& state) {
    const velta::test::SeriesSet drop = velta::test::syntheticDrop(static_cast<double>(state.range(0)));
    velta::StatusReporter silent;
    std::size_t count = 0;
    for (auto _ : state) {
        const velta::SignificantLevels levels(silent, drop.view(), velta::LevelOptions{}, 0.0);
        count = levels.size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["points"] = static_cast<double>(drop.pres.size());
    state.counters["levels"] = static_cast<double>(count);
}
BENCHMARK(BM_SignificantLevels)->Arg(700)->Arg(100)->Unit(benchmark::kMillisecond);

// The tropopause search alone on the drop from 100 mb.
void BM_TropopauseFinder(benchmark::State& state) {
    const velta::test::SeriesSet drop = velta::test::syntheticDrop(100.0);
    for (auto _ : state) {
        const velta::TropopauseFinder finder(drop.tdry, drop.alt, drop.pres, 60.0, false);
        benchmark::DoNotOptimize(finder.size());
    }
}
BENCHMARK(BM_TropopauseFinder)->Unit(benchmark::kMillisecond);

}  // namespace
