#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "qc/SplineSmoother.h"
#include "qc/VerticalVelocity.h"

namespace velta {
namespace {

constexpr double Pi = 3.141592653589793;

TEST(SplineSmootherTest, DampsShortWavesKeepsLongOnesAndPointZero) {
    // 4 Hz: a 120 s wave plus a 1 s wave; smoothing at 10 s keeps the first.
    DataSeries s("QCTdry");
    std::vector<double> slow;
    for (int i = 0; i < 1200; ++i) {
        const double t = 0.25 * i;
        slow.push_back(10.0 * std::sin(2 * Pi * t / 120.0));
        s.append(slow.back() + 2.0 * std::sin(2 * Pi * t / 1.0 + 0.3), t);
    }
    const double first = s.value(0);
    bool failed = true;
    SplineSmoother{}(s, 10.0, failed);
    ASSERT_FALSE(failed);
    EXPECT_EQ(s.value(0), first);  // an ordinary data point, still not replaced
    double worst = 0.0;
    for (int32_t i = 40; i < 1160; ++i) worst = std::max(worst, std::fabs(s.value(i) - slow[std::size_t(i)]));
    EXPECT_LT(worst, 0.3);
}

TEST(SplineSmootherTest, FailureLeavesSeriesUnchanged) {
    for (double wavelength : {0.0, -5.0}) {
        DataSeries s("QCPres");
        for (int i = 0; i < 10; ++i) s.append(500.0 + (i % 2), i);
        const auto before = s.values();
        bool failed = false;
        SplineSmoother{}(s, wavelength, failed);
        EXPECT_TRUE(failed) << wavelength;
        EXPECT_EQ(s.values(), before);
    }
    DataSeries empty("QCRH");
    bool failed = false;
    SplineSmoother{}(empty, 5.0, failed);
    EXPECT_TRUE(failed);
}

// A drop through an isothermal, dry atmosphere at 0 degC, falling at a steady
// 10 m/s: p = p0 exp(-z / H) with the scale height H = Rd Tv / g.
struct HydrostaticDrop {
    DataSeries pres{"QCPres"}, tdry{"QCTdry"}, rh{"QCRH"};
    static constexpr double fallSpeed = 10.0;

    HydrostaticDrop() {
        const double h = 287.04 * 273.16 / 9.80665;
        pres.append(1000.0 * std::exp(-(7000.0 + fallSpeed) / h), -1.0);
        pres.setFlags(0, FlagLaunch);
        for (int i = 0; i < 1200; ++i) {
            const double t = 0.25 * i;
            const double z = 7000.0 - fallSpeed * t;
            pres.append(1000.0 * std::exp(-z / h), t);
            tdry.append(0.0, t);
            rh.append(0.0, t);
        }
    }
};

TEST(VerticalVelocityTest, HydrostaticFallRateOfAConstructedDrop) {
    HydrostaticDrop d;
    DataSeries dz("QCDz");
    dz.append(99, 99);  // replaced
    VerticalVelocity{}(d.pres, &d.tdry, &d.rh, 10.0, dz);
    ASSERT_EQ(dz.size(), 1200);  // no point for the flagged launch point
    EXPECT_EQ(dz.time(0), 0.0);
    for (int32_t i = 40; i < 1160; ++i) ASSERT_NEAR(dz.value(i), -HydrostaticDrop::fallSpeed, 0.02) << i;

    // Without humidity 50 % is assumed: a little warmer virtual temperature,
    // a faster computed fall; still negative for a falling sonde.
    VerticalVelocity{}(d.pres, &d.tdry, nullptr, 10.0, dz);
    ASSERT_EQ(dz.size(), 1200);
    EXPECT_LT(dz.value(600), -HydrostaticDrop::fallSpeed);
    EXPECT_GT(dz.value(600), -HydrostaticDrop::fallSpeed * 1.01);
}

TEST(VerticalVelocityTest, GapsInTemperatureAndUnusablePressure) {
    HydrostaticDrop d;
    // Temperature missing between 100 s and 200 s: the pair bracketing that
    // stretch is farther apart than 60 s.
    d.tdry.removeBetween(100.0, 200.0);
    DataSeries dz("QCDz");
    VerticalVelocity{}(d.pres, &d.tdry, &d.rh, 10.0, dz);
    EXPECT_FALSE(dz.interpolate(150.0, 0.0));
    EXPECT_TRUE(dz.interpolate(50.0, 0.0));
    EXPECT_TRUE(dz.interpolate(250.0, 0.0));

    // Two pressure points, or a pressure curve that cannot be fitted: QCDz empty.
    DataSeries two("QCPres"), stuck("QCPres");
    two.append(500, 0);
    two.append(501, 1);
    for (int i = 0; i < 5; ++i) stuck.append(500 + i, 3.0);
    for (const DataSeries* p : {&two, &stuck}) {
        dz.append(1, 1);
        VerticalVelocity{}(*p, &d.tdry, &d.rh, 10.0, dz);
        EXPECT_TRUE(dz.empty());
    }
}

}  // namespace
}  // namespace velta
