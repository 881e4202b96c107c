// One smoothing pass as the QC steps do it: basis, curve and evaluation at every point of a 4 000-point
// series (a 1 000 s drop at 4 Hz, pressure with 0.1 mb of noise, 5 s cut-off).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"

namespace {

struct Series {
    std::vector<double> t;
    std::vector<double> p;
};

Series pressureFall(std::size_t n) {
    Series s;
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, 0.1);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = 0.25 * static_cast<double>(i);
        s.t.push_back(t);
        s.p.push_back(700.0 + 310.0 * t / 1000.0 + noise(random));
    }
    return s;
}

void BM_SmoothSeries(benchmark::State& state) {
    const Series s = pressureFall(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const velta::SplineBasis basis(s.t.data(), s.t.size(), 5.0, 2, 0);
        const velta::SplineCurve curve(basis, s.p.data());
        double sum = 0.0;
        for (double t : s.t) {
            sum += curve.evaluate(t);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SmoothSeries)->Arg(4000)->Unit(benchmark::kMicrosecond);

// A second curve on an existing basis (the wind components share their times).
void BM_CurveOnSharedBasis(benchmark::State& state) {
    const Series s = pressureFall(static_cast<std::size_t>(state.range(0)));
    const velta::SplineBasis basis(s.t.data(), s.t.size(), 5.0, 2, 0);
    for (auto _ : state) {
        const velta::SplineCurve curve(basis, s.p.data());
        benchmark::DoNotOptimize(curve.slope(500.0));
    }
}
BENCHMARK(BM_CurveOnSharedBasis)->Arg(4000)->Unit(benchmark::kMicrosecond);

}  // namespace
