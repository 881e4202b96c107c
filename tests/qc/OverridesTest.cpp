#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "StepFixture.h"
#include "qc/LaunchOverride.h"
#include "qc/MetFormulas.h"
#include "qc/OffsetAdder.h"
#include "qc/OverrideSteps.h"
#include "qc/PressureAdjustment.h"
#include "qc/SurfaceObservation.h"
#include "sounding/DataPoint.h"

namespace velta {
namespace {

using test::StepFixture;

DataSeries makeSeries(const std::vector<double>& times, const std::vector<double>& values,
                      int32_t firstFlags = 0) {
    DataSeries s("S");
    for (std::size_t i = 0; i < times.size(); ++i) s.append(values[i], times[i]);
    if (firstFlags != 0) s.setFlags(0, firstFlags);
    return s;
}

TEST(LaunchOverrideTest, WritesOnlyIntoLaunchPointsOfTheSoundingsDirection) {
    struct Case {
        const char* what;
        bool optionSet;
        std::vector<double> times;
        int32_t firstFlags;
        int32_t launchFlag;
        int32_t expectedIndex;
        std::vector<double> expectedValues;
        int32_t expectedFirstFlags;
    };
    const Case cases[] = {
        {"option not set", false, {-1, 0}, FlagLaunch, FlagLaunch, -1, {500, 501}, FlagLaunch},
        {"empty series", true, {}, 0, FlagLaunch, 0, {777}, FlagLaunch | FlagOverride},
        {"empty ascending series", true, {}, 0, FlagSurface, 0, {777}, FlagSurface | FlagOverride},
        {"launch point", true, {-1, 0}, FlagLaunch, FlagLaunch, 0, {777, 501}, FlagLaunch | FlagOverride},
        {"ordinary first record", true, {0, 1}, 0, FlagLaunch, -1, {500, 501}, 0},
        {"launch flag of the other direction",
         true,
         {-1, 0},
         FlagSurface,
         FlagLaunch,
         -1,
         {500, 501},
         FlagSurface},
    };
    for (const Case& c : cases) {
        StepFixture f;
        if (c.optionSet) f.set("launchPresOverride", 777);
        DataSeries s = makeSeries(c.times, {500, 501}, c.firstFlags);
        EXPECT_EQ(applyLaunchOverride(s, f.options, "launchPresOverride", c.launchFlag), c.expectedIndex)
            << c.what;
        EXPECT_EQ(s.values(), c.expectedValues) << c.what;
        EXPECT_EQ(s.time(0), c.times.empty() ? -1.0 : c.times[0]) << c.what;
        EXPECT_EQ(s.flags(0), c.expectedFirstFlags) << c.what;
    }
}

TEST(LaunchOverrideTest, WindComponentsFollowOnlyWhenSpeedAndDirectionAreBothOverridden) {
    StepFixture f;
    for (const char* key : {"QCWspd", "QCWdir", "QCU", "QCV"}) f.put(key, {{-1, 1}, {0.5, 2}}, FlagLaunch);
    f.set("launchWspdOverride", 10);
    setLaunchOverrides(f.run);
    EXPECT_EQ(f.series("QCWspd").value(0), 10);
    EXPECT_EQ(f.series("QCU").value(0), 1);
    EXPECT_EQ(f.series("QCV").flags(0), FlagLaunch);

    f.set("launchWdirOverride", 90);
    setLaunchOverrides(f.run);
    double u = 0, v = 0;
    windComponents(10, 90, u, v);
    EXPECT_EQ(f.series("QCWdir").value(0), 90);
    EXPECT_EQ(f.series("QCU").value(0), u);
    EXPECT_EQ(f.series("QCV").value(0), v);
    EXPECT_EQ(f.series("QCU").flags(0), FlagLaunch | FlagOverride);
    EXPECT_EQ(f.series("QCU").size(), 2);
}

TEST(LaunchOverrideTest, AscendingSoundingCreatesSurfaceLaunchPointsInEmptySeries) {
    StepFixture f(/*ascending=*/true);
    f.set("launchTdryOverride", 15);
    f.set("launchLatOverride", 60.2);
    setLaunchOverrides(f.run);
    const DataSeries& t = f.series("QCTdry");
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.point(0).time, -1.0);
    EXPECT_EQ(t.flags(0), FlagSurface | FlagOverride);
    EXPECT_EQ(f.series("QCLat").value(0), 60.2);
    EXPECT_TRUE(f.series("QCPres").empty());
}

TEST(OffsetAdderTest, LeavesLaunchAndSurfaceLaunchValuesAlone) {
    struct Case {
        int32_t firstFlags;
        double offset;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {FlagLaunch, 0.5, {10, 11.5, 12.5}},
        {FlagSurface, 0.5, {10, 11.5, 12.5}},
        {FlagOverride, 0.5, {10.5, 11.5, 12.5}},  // an override alone does not make a launch point
        {0, -1, {9, 10, 11}},
        {FlagLaunch, 0.0, {10, 11, 12}},
    };
    for (const Case& c : cases) {
        DataSeries s = makeSeries({-1, 0, 1}, {10, 11, 12}, c.firstFlags);
        OffsetAdder{c.offset}(s);
        EXPECT_EQ(s.values(), c.expected) << c.firstFlags << " " << c.offset;
    }
}

TEST(PressureAdjustmentTest, RampsFromFirstPointToSurfacePressure) {
    DataSeries p = makeSeries({-1, 9, 19}, {300, 800, 1000}, FlagLaunch);
    EXPECT_TRUE(PressureAdjustment{1010}(p));
    EXPECT_EQ(p.values(), (std::vector<double>{300, 805, 1010}));
    EXPECT_EQ(p.flags(2), FlagOverride);

    DataSeries single = makeSeries({5}, {900});
    EXPECT_FALSE(PressureAdjustment{1010}(single));
    EXPECT_EQ(single.value(0), 900);
    EXPECT_EQ(single.flags(0), 0);
}

TEST(PressureAdjustmentTest, FallingCorrectionKeepsPressureInOrder) {
    // A flat stretch (500, 500) would turn into a pressure drop under a falling correction.
    DataSeries p = makeSeries({0, 10, 20, 30}, {300, 500, 500, 1000});
    ASSERT_TRUE(PressureAdjustment{970}(p));
    EXPECT_EQ(p.values(), (std::vector<double>{300, 490, 490, 970}));
}

TEST(PressureAdjustmentTest, StepNeedsSurfaceHitAndSurfacePressure) {
    StepFixture f;
    f.put("QCPres", {{0, 500}, {10, 1000}});
    f.set("sfcPresOverride", 1005);
    adjustPressureToSurface(f.run);
    EXPECT_EQ(f.series("QCPres").value(1), 1000);
    f.set("DropsondeHitSfc", 1);
    adjustPressureToSurface(f.run);
    EXPECT_EQ(f.series("QCPres").value(1), 1005);
}

class SurfaceObservationTest : public ::testing::Test {
protected:
    StepFixture f;
    void SetUp() override {
        f.set("DropsondeHitSfc", 1);
        f.put("QCPres", {{98, 1000.0}, {99, 1001.0}, {100, 1002.0}});
        f.put("QCTdry", {{98, 26.0}, {99, 26.0}, {100, 26.0}});
        f.put("QCRH", {{98, 80.0}, {99, 80.0}, {100, 80.0}});
        f.put("QCTime", {{98, 98}, {99, 99}, {100, 100}});
    }
    const std::vector<std::string>& lines() { return f.log.lines(SurfaceObservation::LogCategory); }
};

TEST_F(SurfaceObservationTest, WithoutFallRateAssumesTwelveMetresPerSecond) {
    extrapolateSurfaceObservation(f.run);
    const double psfc = pressureAtHeight(1002.0, 26.0, 26.0, 80.0, 80.0, 0.0, -6.48);
    for (const char* key : {"QCPres", "QCTdry", "QCRH", "QCTime"}) {
        const DataSeries& s = f.series(key);
        ASSERT_EQ(s.size(), 4) << key;
        EXPECT_DOUBLE_EQ(s.time(3), 100.54) << key;
        EXPECT_EQ(s.flags(3), FlagSurface) << key;
    }
    EXPECT_DOUBLE_EQ(f.series("QCPres").value(3), psfc);
    EXPECT_GT(psfc, 1002.0);
    EXPECT_EQ(f.series("QCTdry").value(3), 26.0);
    EXPECT_EQ(f.series("QCRH").value(3), 80.0);
    char pressureLine[64];
    std::snprintf(pressureLine, sizeof pressureLine, "Extrapolated surface pressure: %.1fmb", psfc);
    EXPECT_EQ(lines(),
              (std::vector<std::string>{
                  "Extrapolated surface time: 100.5s", "Fall distance from last frame: 6.5m", pressureLine,
                  "Extrapolated surface temperature: 26.0C", "Extrapolated surface rh: 80.0%"}));
}

TEST_F(SurfaceObservationTest, RisingSondeGetsNoSurfacePoint) {
    f.put("QCDz", {{95, 2.0}, {100, 2.0}});
    extrapolateSurfaceObservation(f.run);
    EXPECT_EQ(f.series("QCPres").size(), 3);
    EXPECT_EQ(f.series("QCTime").size(), 3);
    EXPECT_TRUE(lines().empty());
}

TEST_F(SurfaceObservationTest, WithoutTemperatureNearTheEndUsesOneMillibarPerEightPointSevenMetres) {
    f.put("QCTdry", {{50, 26.0}, {60, 26.0}});
    f.put("QCDz", {{95, -10.0}, {100, -10.0}});
    extrapolateSurfaceObservation(f.run);
    EXPECT_NEAR(f.series("QCPres").value(3), 1002.0 + 5.4 / 8.7, 1e-9);
    EXPECT_EQ(f.series("QCTdry").size(), 2);
    EXPECT_EQ(lines().size(), 4u);
    EXPECT_EQ(lines()[3], "Extrapolated surface rh: 80.0%");
}

TEST_F(SurfaceObservationTest, NeedsSurfaceHitAndPressure) {
    f.set("DropsondeHitSfc", 0);
    extrapolateSurfaceObservation(f.run);
    EXPECT_EQ(f.series("QCTdry").size(), 3);
    f.set("DropsondeHitSfc", 1);
    f.put("QCPres", {});
    extrapolateSurfaceObservation(f.run);
    EXPECT_EQ(f.series("QCTdry").size(), 3);
    EXPECT_TRUE(lines().empty());
}

}  // namespace
}  // namespace velta
