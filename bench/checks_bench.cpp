// All data checks of one drop: 15 minutes at 4 Hz (3600 samples plus the
// launch point), as the QC steps 5 to 11, 15, 17 and 20 run them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "qc/BuddyCheck.h"
#include "qc/FilterCheck.h"
#include "qc/LimitCheck.h"
#include "qc/LowerLimiter.h"
#include "qc/OutlierCheck.h"
#include "qc/PressureMonoCheck.h"
#include "qc/SatelliteCheck.h"
#include "qc/SeriesGroup.h"
#include "qc/SplineSmoother.h"
#include "qc/VerticalVelocity.h"
#include "qc/VerticalVelocityCheck.h"

namespace velta {
namespace {

constexpr double Pi = 3.141592653589793;

// A drop from 400 mb to the surface with sensor noise, a few spikes and a
// satellite dropout, like the data the checks see after the ambient period.
struct SyntheticDrop {
    DataSeries pres{"QCPres"}, tdry{"QCTdry"}, rh{"QCRH"};
    DataSeries wspd{"QCWspd"}, wdir{"QCWdir"}, u{"QCU"}, v{"QCV"};
    DataSeries sats{"RawSats"}, rawDz{"RawDz"}, qcDz{"QCDz"};

    SyntheticDrop() {
        std::mt19937 random(20050827);
        std::normal_distribution<double> noise(0.0, 1.0);
        auto addLaunch = [](DataSeries& s, double value) {
            s.append(value, -1.0);
            s.setFlags(0, FlagLaunch);
        };
        addLaunch(pres, 400.0);
        addLaunch(tdry, -20.0);
        addLaunch(rh, 40.0);
        addLaunch(wspd, 15.0);
        addLaunch(wdir, 250.0);
        const double scaleHeight = 287.04 * 260.0 / 9.80665;
        for (int i = 0; i < 3600; ++i) {
            const double t = 0.25 * i;
            const double fall = 18.0 - 8.0 * t / 900.0;  // slowing as the air thickens
            const double z = 7200.0 - (18.0 * t - 4.0 * t * t / 900.0);
            double p = 1013.0 * std::exp(-z / scaleHeight) + 0.05 * noise(random);
            double temp = 28.0 - 0.0065 * z + 0.5 * std::sin(2 * Pi * t / 180.0) + 0.05 * noise(random);
            double hum = 60.0 + 30.0 * std::sin(2 * Pi * t / 400.0) + 0.5 * noise(random);
            if (i % 500 == 250) p += 8.0;
            if (i % 700 == 350) temp += 5.0;
            if (i % 900 == 450) hum = 130.0;
            pres.append(p, t);
            tdry.append(temp, t);
            rh.append(hum, t);
            const double speed = 15.0 + 10.0 * std::sin(2 * Pi * t / 600.0) + 0.3 * noise(random);
            const double dir = 250.0 + 40.0 * std::sin(2 * Pi * t / 500.0) + 2.0 * noise(random);
            wspd.append(i % 1000 == 500 ? 60.0 : speed, t);
            wdir.append(dir, t);
            sats.append(i > 2000 && i < 2040 ? 2.0 : 8.0, t);
            rawDz.append(-fall + 0.2 * noise(random), t);
        }
        for (int32_t i = 0; i < wspd.size(); ++i) {
            const double a = (450.0 - wdir.value(i)) * 0.01745327777777778;
            u.append(DataPoint{wspd.time(i), -wspd.value(i) * std::cos(a), wspd.flags(i)});
            v.append(DataPoint{wspd.time(i), -wspd.value(i) * std::sin(a), wspd.flags(i)});
        }
        VerticalVelocity{}(pres, &tdry, &rh, 5.0, qcDz);
    }
};

void runAllChecks(SyntheticDrop& d) {
    SeriesGroup pres{&d.pres}, tdry{&d.tdry}, rh{&d.rh};
    SeriesGroup winds{&d.wspd, &d.wdir, &d.u, &d.v};
    SeriesGroup windsByDirection{&d.wdir, &d.wspd, &d.u, &d.v};

    const LimitCheck limits;
    limits(pres, 1.0, 1200.0);
    limits(tdry, -100.0, 50.0);
    limits(rh, 0.0, 100.0);
    limits(winds, 0.0, 150.0);
    limits(windsByDirection, 0.0, 360.0);

    SatelliteCheck{}(d.sats, winds, 3);

    const BuddyCheck buddy;
    buddy(pres, 2.0);
    buddy(tdry, 3.0);
    buddy(rh, 20.0);
    buddy(winds, 5.0);

    const OutlierCheck outlier;
    outlier(pres, 10.0);
    outlier(tdry, 10.0);
    outlier(rh, 10.0);
    outlier(winds, 10.0);

    const FilterCheck filter;
    bool failed = false;
    filter(pres, 3.0, 10.0, failed);
    filter(tdry, 3.0, 10.0, failed);
    filter(rh, 3.0, 10.0, failed);
    filter(winds, 3.0, 10.0, failed);

    PressureMonoCheck{}(d.pres, false);
    LowerLimiter{}(d.rh, 0.2);
    VerticalVelocityCheck{}(winds, d.qcDz, d.rawDz, 2.5);
    LowerLimiter{}(d.rh, 0.2);
}

// Each iteration restores the drop into the same working copy (its buffers are
// reused, as the sounding's are during QC) and runs every check on it; the
// restoring is timed too, BM_RestoreDrop shows its share.
void BM_AllChecks(benchmark::State& state) {
    const SyntheticDrop original;
    SyntheticDrop d = original;
    for (auto _ : state) {
        d = original;
        runAllChecks(d);
        benchmark::DoNotOptimize(d.wspd.size());
    }
}
BENCHMARK(BM_AllChecks)->Unit(benchmark::kMicrosecond);

void BM_RestoreDrop(benchmark::State& state) {
    const SyntheticDrop original;
    SyntheticDrop d = original;
    for (auto _ : state) {
        d = original;
        benchmark::DoNotOptimize(d.wspd.size());
    }
}
BENCHMARK(BM_RestoreDrop)->Unit(benchmark::kMicrosecond);

void BM_SplineSmoothing(benchmark::State& state) {
    const SyntheticDrop original;
    DataSeries p = original.pres;
    for (auto _ : state) {
        p = original.pres;
        bool failed = false;
        SplineSmoother{}(p, 5.0, failed);
        benchmark::DoNotOptimize(p.value(100));
    }
}
BENCHMARK(BM_SplineSmoothing)->Unit(benchmark::kMicrosecond);

void BM_VerticalVelocity(benchmark::State& state) {
    const SyntheticDrop d;
    DataSeries dz("QCDz");
    for (auto _ : state) {
        VerticalVelocity{}(d.pres, &d.tdry, &d.rh, 5.0, dz);
        benchmark::DoNotOptimize(dz.size());
    }
}
BENCHMARK(BM_VerticalVelocity)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velta
