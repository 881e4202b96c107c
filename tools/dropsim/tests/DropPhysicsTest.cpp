#include <gtest/gtest.h>

#include <cmath>

#include "DFileText.h"
#include "Physics.h"
#include "TruthCsv.h"

namespace velta::sim::test {
namespace {

// Layer thickness as the processing computes it (log-pressure weighted mean
// virtual temperature, Goff-Gratch saturation), written out here independently of
// the simulator's own formulas.
double goffGratchMixingRatio(double tk, double p) {
    const double ts = 373.16;
    const double log10es = -7.90298 * (ts / tk - 1) + 5.02808 * std::log10(ts / tk) -
                           1.3816e-7 * (std::pow(10.0, 11.344 * (1 - tk / ts)) - 1) +
                           0.0081328 * (std::pow(10.0, -3.49149 * (ts / tk - 1)) - 1) + std::log10(1013.246);
    const double es = std::pow(10.0, log10es);
    return 0.62197 * es / (p - es);
}

double thickness(double p1, double p2, double t1, double t2, double rh1, double rh2) {
    auto tv = [](double p, double t, double rh) {
        const double tk = t + 273.16;
        return tk * (1 + 0.609 * rh / 100 * goffGratchMixingRatio(tk, p));
    };
    const double tv1 = tv(p1, t1, rh1);
    const double tv2 = tv(p2, t2, rh2);
    const double mean = (tv1 * std::log(p1) + tv2 * std::log(p2)) / (std::log(p1) + std::log(p2));
    return -29.270577215782694 * mean * std::log(p2 / p1);
}

SimulatedDrop quietDrop(DropKind kind) {
    DropSettings s = defaultSettings(kind);
    s.instrument.noise = false;
    return simulateDrop(s);
}

TEST(DropPhysics, TruthHeightsAreHydrostatic) {
    for (DropKind kind : {DropKind::Hurricane, DropKind::Research}) {
        SCOPED_TRACE(kindName(kind));
        const SimulatedDrop drop = quietDrop(kind);
        const auto& t = drop.fall.samples;
        ASSERT_GT(t.size(), 100u);
        // Integrate down from the launch through every sample to the surface.
        double z = t.front().geopotential;
        double worst = 0.0;
        for (std::size_t i = 1; i < t.size(); ++i) {
            z -= thickness(t[i].pressure, t[i - 1].pressure, t[i].temperature, t[i - 1].temperature, t[i].rh,
                           t[i - 1].rh);
            worst = std::max(worst, std::fabs(z - t[i].geopotential));
            // Geometric height sits above geopotential height, by Z²/(R - Z).
            EXPECT_NEAR(t[i].geometric - t[i].geopotential,
                        t[i].geopotential * t[i].geopotential / (kEarthRadius - t[i].geopotential), 0.01);
        }
        EXPECT_LT(worst, 0.0002 * t.front().geopotential + 0.5);
        const SurfaceTruth& sfc = drop.fall.surface;
        const TruthSample& last = t.back();
        const double toSurface =
            thickness(sfc.pressure, last.pressure, sfc.temperature, last.temperature, sfc.rh, last.rh);
        EXPECT_NEAR(last.geopotential - toSurface, sfc.altitude, 1.0);
    }
}

TEST(DropPhysics, FallSpeedIsTheParachuteTerminalSpeedOfTheLocalAir) {
    for (DropKind kind : {DropKind::Hurricane, DropKind::Research}) {
        SCOPED_TRACE(kindName(kind));
        const SimulatedDrop drop = quietDrop(kind);
        const TruthSample& last = drop.fall.samples.back();
        ASSERT_TRUE(drop.fall.reachedSurface);
        EXPECT_LT(last.geometric, 5.0);
        // m g = ½ ρ v² Cd A with ρ of moist air; 395 g under 676 cm².
        const double tk = last.temperature + 273.15;
        const double e =
            6.112 * std::exp(17.67 * last.temperature / (last.temperature + 243.5)) * last.rh / 100;
        const double rho = (100 * last.pressure - 37.8 * e) / (287.05 * tk);
        const double v = std::sqrt(2 * 0.395 * 9.80665 / (rho * 0.70 * 0.0676));
        EXPECT_NEAR(last.fallSpeed, v, 0.02 * v);
        EXPECT_GT(last.fallSpeed, 11.0);
        EXPECT_LT(last.fallSpeed, 12.5);
        // In the thin air aloft the sonde falls much faster.
        EXPECT_GT(drop.fall.samples[40].fallSpeed, kind == DropKind::Research ? 20.0 : 13.0);
        // Time and height agree: the fall speed integrated over time is the descent.
        double fallen = 0.0;
        const auto& t = drop.fall.samples;
        for (std::size_t i = 1; i < t.size(); ++i)
            fallen += 0.5 * (t[i].fallSpeed + t[i - 1].fallSpeed) * (t[i].time - t[i - 1].time);
        EXPECT_NEAR(fallen, t.front().geometric - last.geometric, 0.002 * fallen);
    }
}

TEST(DropPhysics, SensorsLagTheAirTemperatureFasterThanHumidity) {
    const SimulatedDrop drop = quietDrop(DropKind::Hurricane);
    const auto& t = drop.fall.samples;
    // Both start at the cabin's values and approach the air; the humidity sensor
    // takes several times longer.
    EXPECT_DOUBLE_EQ(t.front().sensorTemperature, 25.0);
    EXPECT_DOUBLE_EQ(t.front().sensorRh, 30.0);
    auto settle = [&](auto sensor, auto air, double fraction) {
        const double start = std::fabs(sensor(t.front()) - air(t.front()));
        for (const TruthSample& s : t) {
            if (std::fabs(sensor(s) - air(s)) < fraction * start) return s.time;
        }
        return 1e9;
    };
    const double tempSettle = settle([](const TruthSample& s) { return s.sensorTemperature; },
                                     [](const TruthSample& s) { return s.temperature; }, 0.05);
    const double rhSettle = settle([](const TruthSample& s) { return s.sensorRh; },
                                   [](const TruthSample& s) { return s.rh; }, 0.05);
    EXPECT_GT(tempSettle, 3.0);
    EXPECT_LT(tempSettle, 20.0);
    EXPECT_GT(rhSettle, 2.0 * tempSettle);
    // Near the surface the temperature sensor trails the warming by a fraction of a degree.
    EXPECT_NEAR(t.back().sensorTemperature, t.back().temperature, 0.5);
    EXPECT_LT(t.back().sensorTemperature, t.back().temperature);
}

TEST(DropPhysics, SondeDriftsWithTheWind) {
    // Easterlies in the cyclone carry the sonde west; the westerlies of the
    // research profile carry it east.
    const SimulatedDrop hurricane = quietDrop(DropKind::Hurricane);
    EXPECT_LT(hurricane.fall.samples.back().lon, hurricane.fall.samples.front().lon - 0.05);
    const SimulatedDrop research = quietDrop(DropKind::Research);
    EXPECT_GT(research.fall.samples.back().lon, research.fall.samples.front().lon + 0.1);
}

TEST(DropPhysics, ModelsHaveTheirFeatures) {
    const ModelAtmosphere hurricane(hurricaneProfile(), 1);
    const ModelAtmosphere research(researchProfile(), 1);
    auto speed = [](const AirState& a) { return std::hypot(a.u, a.v); };
    // Low-level wind maximum: faster at 950 than at the surface and at 700.
    EXPECT_GT(speed(hurricane.at(950)), speed(hurricane.at(1005)) + 10);
    EXPECT_GT(speed(hurricane.at(950)), speed(hurricane.at(700)) + 10);
    EXPECT_GT(speed(research.at(920)), speed(research.at(1010)) + 8);
    // Inversions: warmer above than below.
    EXPECT_GT(hurricane.at(808).temperature, hurricane.at(818).temperature + 0.5);
    EXPECT_GT(research.at(868).temperature, research.at(880).temperature + 1.0);
    // Tropopause near 210 mb: cooling below, warming above.
    EXPECT_LT(research.at(210).temperature, research.at(300).temperature - 10);
    EXPECT_GT(research.at(180).temperature, research.at(210).temperature + 1);
    // Surfaces.
    EXPECT_NEAR(hurricane.at(1008).temperature, 28.0, 0.3);
    EXPECT_NEAR(hurricaneProfile().surfacePressure, 1008.0, 0.01);
}

TEST(DropPhysics, EndPressureStopsTheDataInMidAir) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.endPressure = 950.0;
    const SimulatedDrop drop = simulateDrop(s);
    EXPECT_FALSE(drop.fall.reachedSurface);
    EXPECT_LT(drop.fall.samples.back().pressure, 950.0);
    EXPECT_GT(drop.fall.samples.back().pressure, 948.0);
    EXPECT_GT(drop.fall.samples.back().geometric, 400.0);
    EXPECT_NE(formatTruthCsv(s, drop).find("# reaches_surface,0\n"), std::string::npos);
}

}  // namespace
}  // namespace velta::sim::test
