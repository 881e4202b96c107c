// Lookups on a series the size of a one-hour drop at 1 Hz.
#include <benchmark/benchmark.h>

#include <cmath>

#include "sounding/DataSeries.h"

namespace {

velta::DataSeries hourSeries(int n) {
    velta::DataSeries s("RawPres");
    s.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s.append(1000.0 - 0.1 * i + std::sin(i * 0.01), i * 1.0);
    return s;
}

void BM_InterpolateSorted(benchmark::State& state) {
    const velta::DataSeries s = hourSeries(static_cast<int>(state.range(0)));
    const double end = s.time(s.lastIndex());
    double t = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.interpolate(t, 5.0));
        t += 0.37;
        if (t > end) t = 0.0;
    }
}
BENCHMARK(BM_InterpolateSorted)->Arg(3600)->Arg(15000);

void BM_InterpolateUnsorted(benchmark::State& state) {
    velta::DataSeries s = hourSeries(static_cast<int>(state.range(0)));
    s.append(0.0, -5.0);  // one record out of order: lookups walk the pairs
    const double end = s.time(s.lastIndex() - 1);
    double t = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.interpolate(t, 5.0));
        t += 0.37;
        if (t > end) t = 0.0;
    }
}
BENCHMARK(BM_InterpolateUnsorted)->Arg(3600);

void BM_TimeAtValue(benchmark::State& state) {
    const velta::DataSeries s = hourSeries(static_cast<int>(state.range(0)));
    double v = 1000.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.timeAtValue(v));
        v -= 0.37;
        if (v < 700.0) v = 1000.0;
    }
}
BENCHMARK(BM_TimeAtValue)->Arg(3600);

void BM_CommonTimes(benchmark::State& state) {
    const velta::DataSeries a = hourSeries(static_cast<int>(state.range(0)));
    velta::DataSeries b = a;
    b.removeIf([](const velta::DataPoint& p) { return static_cast<long>(p.time) % 3 == 0; });
    for (auto _ : state) benchmark::DoNotOptimize(a.commonTimes(b));
}
BENCHMARK(BM_CommonTimes)->Arg(15000);

}  // namespace
