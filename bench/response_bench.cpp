// Sensor response corrections, altitudes and position of one drop: 15 minutes at 4 Hz (3600
// samples plus the launch point), as QC steps 13, 14, 22, 23 and 24 run them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "qc/HeightIntegrator.h"
#include "qc/PositionIntegrator.h"
#include "qc/SensorModel.h"
#include "qc/TimeConstantSource.h"
#include "qc/TimeLagCorrector.h"
#include "qc/WindInertiaCorrector.h"
#include "sounding/DataPoint.h"

namespace velta {
namespace {

constexpr double Pi = 3.141592653589793;

struct SmoothDrop {
    DataSeries pres{"QCPres"}, tdry{"QCTdry"}, rh{"QCRH"}, u{"QCU"}, v{"QCV"}, dz{"QCDz"};
    DataSeries lat{"QCLat"}, lon{"QCLon"};

    SmoothDrop() {
        const double scaleHeight = 287.04 * 260.0 / 9.80665;
        for (int i = -1; i < 3600; ++i) {
            const double t = i < 0 ? -1.0 : 0.25 * i;
            const double z = 7200.0 - (18.0 * t - 4.0 * t * t / 900.0);
            pres.append(1013.0 * std::exp(-z / scaleHeight), t);
            tdry.append(28.0 - 0.0065 * z + 0.5 * std::sin(2 * Pi * t / 180.0), t);
            rh.append(60.0 + 30.0 * std::sin(2 * Pi * t / 400.0), t);
            u.append(10.0 * std::sin(2 * Pi * t / 600.0), t);
            v.append(5.0 + 3.0 * std::cos(2 * Pi * t / 500.0), t);
            dz.append(-(18.0 - 8.0 * t / 900.0), t);
        }
        for (DataSeries* s : {&pres, &tdry, &rh, &u, &v, &dz}) s->setFlags(0, FlagLaunch);
        lat.append(DataPoint{-1.0, 15.0, FlagLaunch});
        lon.append(DataPoint{-1.0, -60.0, FlagLaunch});
        for (int32_t i = 1; i < u.size(); ++i) {
            lat.append(-999.0, u.time(i));
            lon.append(-999.0, u.time(i));
        }
    }
};

void BM_TdryTimeLag(benchmark::State& state) {
    const SmoothDrop drop;
    for (auto _ : state) {
        DataSeries constants(drop.pres, TdryTimeConstantSeries::SeriesName);
        for (int32_t i = 0; i < constants.size(); ++i)
            constants.setValue(i, tdryTimeConstant(constants.value(i), drop.tdry.value(i), drop.dz.value(i)));
        TdryTimeConstantSeries held;
        held.replace(std::move(constants));
        DataSeries tdry = drop.tdry;
        TimeLagCorrector{held, 10.0}(tdry);
        benchmark::DoNotOptimize(tdry.value(100));
    }
}
BENCHMARK(BM_TdryTimeLag)->Unit(benchmark::kMillisecond);

void BM_WindInertia(benchmark::State& state) {
    const SmoothDrop drop;
    for (auto _ : state) {
        DataSeries u = drop.u, v = drop.v;
        const WindInertiaCorrector correct(drop.dz, 10.0);
        correct(u);
        correct(v);
        benchmark::DoNotOptimize(v.value(100));
    }
}
BENCHMARK(BM_WindInertia)->Unit(benchmark::kMillisecond);

void BM_Altitudes(benchmark::State& state) {
    const SmoothDrop drop;
    for (auto _ : state) {
        DataSeries up(drop.pres, "QCAltUp"), down(drop.pres, "QCAltDn");
        HeightIntegrator(drop.pres, drop.tdry, drop.rh, 12.0, HeightIntegrator::Anchor::LastPoint)(up);
        HeightIntegrator(drop.pres, drop.tdry, drop.rh, 7200.0, HeightIntegrator::Anchor::FirstPoint)(down);
        benchmark::DoNotOptimize(up.value(0) + down.value(down.lastIndex()));
    }
}
BENCHMARK(BM_Altitudes)->Unit(benchmark::kMillisecond);

void BM_Position(benchmark::State& state) {
    const SmoothDrop drop;
    for (auto _ : state) {
        DataSeries lat = drop.lat, lon = drop.lon;
        PositionIntegrator(drop.u, drop.v, 60.0)(lat, lon);
        benchmark::DoNotOptimize(lat.value(lat.lastIndex()) + lon.value(lon.lastIndex()));
    }
}
BENCHMARK(BM_Position)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velta
