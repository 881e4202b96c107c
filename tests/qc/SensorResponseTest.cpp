#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "StepFixture.h"
#include "qc/AmbientEquilibration.h"
#include "qc/MetFormulas.h"
#include "qc/ResponseSteps.h"
#include "qc/SensorModel.h"
#include "qc/TimeConstantSource.h"
#include "qc/TimeLagCorrector.h"
#include "qc/WindInertiaCorrector.h"
#include "sounding/DataPoint.h"

namespace velta {
namespace {

using test::StepFixture;

// Points every step seconds from start to end inclusive, value = a + b * t.
DataSeries line(const std::string& name, double start, double end, double step, double a, double b) {
    DataSeries s(name);
    for (double t = start; t <= end + 1e-9; t += step) s.append(a + b * t, t);
    return s;
}

struct ConstantSource : TimeConstantSource {
    double tau;
    double missingAt;
    ConstantSource(double tau, double missingAt) : tau(tau), missingAt(missingAt) {}
    std::optional<double> timeConstantAt(double t) const override {
        if (t == missingAt) return std::nullopt;
        return tau;
    }
};

TEST(SensorModelTest, DefaultLaunchGivesTheRs80EquilibrationNumbers) {
    const double v = fallSpeed(200, -80, 676, 0.61, 395);
    EXPECT_NEAR(v, 22.81, 0.005);
    const double tau = tdryTimeConstant(200, -80, v);
    EXPECT_NEAR(tau, 3.968, 0.0005);
    EXPECT_EQ(tdryTimeConstant(200, -80, -v), tau);  // the sign of the ventilation does not matter
    const double n = equilibrationCount(25 - -80, 0.2);
    EXPECT_NEAR(n, 6.263, 0.0005);
    EXPECT_NEAR(n * tau, 24.85, 0.005);
    EXPECT_EQ(equilibrationCount(0, 0.2), 0);
    EXPECT_EQ(equilibrationCount(0.1, 0.2), 0);  // already within the accuracy
    EXPECT_NEAR(equilibrationCount(-105, 0.2), n, 1e-12);
}

TEST(TimeConstantSourceTest, HumidityConstantFromInterpolatedPressure) {
    DataSeries pres("QCPres");
    pres.append(200, 0);
    pres.append(300, 10);
    pres.append(-5, 100);  // gap beyond 60 s, and a negative pressure
    const RhTimeConstantByPressure source(pres);
    EXPECT_NEAR(*source.timeConstantAt(0), 13.67, 0.005);
    EXPECT_NEAR(*source.timeConstantAt(5), RhTimeConstantByPressure::atPressure(250), 1e-12);
    EXPECT_FALSE(source.timeConstantAt(50));
    EXPECT_FALSE(source.timeConstantAt(100));
    EXPECT_FALSE(source.timeConstantAt(-1));

    TdryTimeConstantSeries held;
    EXPECT_FALSE(held.timeConstantAt(0));
    held.replace(line("x", 0, 10, 10, 3, 0.1));
    EXPECT_EQ(held.series().name(), "RH80TdryTimeConstant");
    EXPECT_DOUBLE_EQ(*held.timeConstantAt(5), 3.5);
}

class AmbientEquilibrationTest : public ::testing::Test {
protected:
    StepFixture f;
    void SetUp() override {
        // 2 Hz data from 0 to 120 s; temperature and pressure behind launch points at -1 s.
        f.sounding.addSeries("QCTdry", line("QCTdry", 0, 120, 0.5, -60, 0));
        f.sounding.addSeries("QCPres", line("QCPres", 0, 120, 0.5, 200, 0));
        f.sounding.addSeries("QCRH", line("QCRH", 0, 120, 0.5, 40, 0));
        for (const char* key : {"QCTdry", "QCPres"}) {
            f.series(key).insertInOrder(DataPoint{-1.0, 1.0, FlagLaunch});
        }
    }
    std::vector<std::string> lines() const { return f.log.lines(AmbientEquilibration::LogCategory); }
    double firstDataTime(const char* key) {
        return f.series(key).time(f.series(key).hasFlags(0, FlagLaunch) ? 1 : 0);
    }
};

TEST_F(AmbientEquilibrationTest, DefaultsRemoveTheRs80Periods) {
    equilibrateAmbient(f.run);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "Cabin temperature: 25C", "Ambient pressure: 200mb", "Ambient temperature: -80C",
                           "Ambient RH: 50%", "Temperature equilibration accuracy: 0.2C",
                           "RH equilibration accuracy: 5.0%",
                           "Temperature equilibration (RS80 T sensor time constants): 6.3",
                           "RH equilibration (RS80 RH sensor time constants): 5.1",
                           "Pressure: same equilibration time used as for temperature"}));
    // t_end = -1 + 24.85 = 23.85: the last sample before it (23.5) stays, as does the launch point.
    EXPECT_EQ(f.series("QCTdry").time(0), -1.0);
    EXPECT_EQ(firstDataTime("QCTdry"), 23.5);
    EXPECT_EQ(firstDataTime("QCPres"), 23.5);
    // t_endRH = 0 + 5.13 * 13.67 = 70.1.
    EXPECT_EQ(firstDataTime("QCRH"), 70.0);
    EXPECT_EQ(f.series("QCRH").time(1), 70.5);
}

TEST_F(AmbientEquilibrationTest, CabinTemperatureRemovesNothing) {
    f.set("launchTdryOverride", 25.0);
    equilibrateAmbient(f.run);
    EXPECT_EQ(f.series("QCTdry").size(), 242);
    EXPECT_EQ(f.series("QCPres").size(), 242);
    EXPECT_EQ(f.series("QCRH").size(), 241);
    EXPECT_EQ(lines()[6], "Temperature equilibration (RS80 T sensor time constants): 0.0");
    EXPECT_EQ(lines()[7], "RH equilibration (RS80 RH sensor time constants): 0.0");
}

TEST_F(AmbientEquilibrationTest, HeaderLaunchValuesUnlessOverridden) {
    f.header.launchPressure = 850;
    f.header.launchPressureValid = true;
    f.header.launchHumidity = 90;
    f.header.launchHumidityValid = true;
    f.set("launchRhOverride", 70);
    f.set("ChuteArea", 500);
    equilibrateAmbient(f.run);
    EXPECT_EQ(lines()[1], "Ambient pressure: 850mb");
    EXPECT_EQ(lines()[3], "Ambient RH: 70%");
    const AmbientEquilibration model(500, 395);
    const double end = model.temperaturePeriod({850, -80, 70}, -1.0).end;
    EXPECT_LT(f.series("QCTdry").time(1), end);
    EXPECT_GT(f.series("QCTdry").time(2), end);
}

TEST_F(AmbientEquilibrationTest, MissingDataIsLoggedAndLeftAlone) {
    f.put("QCRH", {});
    equilibrateAmbient(f.run);
    EXPECT_EQ(lines()[7], "RH: no ambient equilibration performed because there is no RH data");
    EXPECT_EQ(lines().size(), 9u);

    StepFixture g;
    g.sounding.addSeries("QCPres", line("QCPres", 0, 120, 0.5, 200, 0));
    equilibrateAmbient(g.run);
    EXPECT_EQ(g.log.lines(AmbientEquilibration::LogCategory),
              (std::vector<std::string>{
                  "Warning: no ambient equilibration performed because there is no temperature data"}));
    EXPECT_EQ(g.series("QCPres").size(), 241);
}

TEST_F(AmbientEquilibrationTest, HumidityWithoutTimeConstantLosesNoMoreThanTemperature) {
    f.put("QCPres", {});
    equilibrateAmbient(f.run);
    EXPECT_EQ(firstDataTime("QCTdry"), 23.5);
    EXPECT_EQ(firstDataTime("QCRH"), 23.5);
    EXPECT_EQ(lines()[7], "RH equilibration (RS80 RH sensor time constants): 5.1");
}

TEST(TimeLagCorrectorTest, AddsTauTimesSlopeExceptAtFlaggedEndsAndMissingConstants) {
    DataSeries s = line("QCTdry", -1, 30, 0.5, 10, -0.2);
    s.setFlags(0, FlagLaunch);
    s.setFlags(s.lastIndex(), FlagSurface);
    const DataSeries before = s;
    TimeLagCorrector{ConstantSource(4.0, 10.0), 20.0}(s);
    EXPECT_EQ(s.value(0), before.value(0));
    EXPECT_EQ(s.value(s.lastIndex()), before.value(s.lastIndex()));
    for (int32_t i = 1; i < s.lastIndex(); ++i) {
        const double expected = s.time(i) == 10.0 ? before.value(i) : before.value(i) - 0.8;
        EXPECT_NEAR(s.value(i), expected, 1e-6) << s.time(i);
    }

    DataSeries two = line("QCTdry", 0, 1, 1, 10, 1);
    TimeLagCorrector{ConstantSource(4.0, -100), 20.0}(two);
    EXPECT_EQ(two.values(), (std::vector<double>{10, 11}));
}

TEST(WindInertiaCorrectorTest, CorrectsByFallRateOverGravity) {
    DataSeries u = line("QCU", 0, 40, 0.5, 5, 0.1);
    DataSeries dz("QCDz");
    dz.append(-9.80665, 0);
    dz.append(-9.80665, 20);  // no fall rate after 20 s: those points keep their values
    const DataSeries before = u;
    WindInertiaCorrector{dz, 10.0}(u);
    for (int32_t i = 0; i < u.size(); ++i) {
        const double expected = u.time(i) <= 20.0 ? before.value(i) + 0.1 : before.value(i);
        EXPECT_NEAR(u.value(i), expected, 1e-6) << u.time(i);
    }
}

TEST(ResponseStepsTest, TemperatureCorrectionNeedsSwitchAndWavelength) {
    StepFixture f;
    f.sounding.addSeries("QCPres", line("QCPres", 0, 60, 1, 500, 0.5));
    f.sounding.addSeries("QCTdry", line("QCTdry", 0, 60, 1, -20, 0.05));
    DataSeries dz = line("QCDz", 0, 60, 1, -15, 0);
    dz.setValue(30, 0.0);  // an unventilated sensor has no finite time constant
    f.sounding.addSeries("QCDz", dz);
    updateTimeConstants(f.run);
    const DataSeries& tau = f.run.tdryTimeConstants.series();
    ASSERT_EQ(tau.size(), 60);  // 61 pressures, the one at 30 s dropped
    for (int32_t i = 0; i < tau.size(); ++i) {
        EXPECT_NE(tau.time(i), 30.0);
        EXPECT_TRUE(std::isfinite(tau.value(i)));
    }
    EXPECT_NEAR(tau.value(0), tdryTimeConstant(500, -20, -15), 1e-12);

    const std::vector<double> before = f.series("QCTdry").values();
    f.set("TdryDynCor", 1);
    dynamicTdryAdjustment(f.run);
    EXPECT_EQ(f.series("QCTdry").values(), before);
    f.set("TdryDynCorWL", 10);
    f.set("TdryDynCor", 0);
    dynamicTdryAdjustment(f.run);
    EXPECT_EQ(f.series("QCTdry").values(), before);
    f.set("TdryDynCor", 1);
    dynamicTdryAdjustment(f.run);
    const DataSeries& t = f.series("QCTdry");
    for (int32_t i = 0; i < t.size(); ++i) {
        const double tauAt = *f.run.tdryTimeConstants.timeConstantAt(t.time(i));
        const double expected = before[static_cast<std::size_t>(i)] + 0.05 * tauAt;
        EXPECT_NEAR(t.value(i), expected, 1e-6) << t.time(i);
        EXPECT_TRUE(std::isfinite(t.value(i)));
    }
}

TEST(ResponseStepsTest, WindCorrectionRecomputesSpeedAndDirectionAlsoForShortSeries) {
    StepFixture f;
    f.set("WindDynCor", 1);
    f.set("WindDynCorWL", 10);
    f.put("QCU", {{0, 3}, {1, 0}});
    f.put("QCV", {{0, 4}, {1, -5}});
    f.put("QCWspd", {{0, 1}, {1, 1}});
    f.put("QCWdir", {{0, 1}, {1, 1}});
    f.put("QCDz", {{0, -10}, {1, -10}});
    dynamicWindsAdjustment(f.run);
    EXPECT_EQ(f.series("QCU").values(), (std::vector<double>{3, 0}));
    for (int32_t i = 0; i < 2; ++i) {
        double speed = 0, direction = 0;
        windSpeedDirection(f.series("QCU").value(i), f.series("QCV").value(i), speed, direction);
        EXPECT_EQ(f.series("QCWspd").value(i), speed);
        EXPECT_EQ(f.series("QCWdir").value(i), direction);
    }
    EXPECT_DOUBLE_EQ(f.series("QCWspd").value(0), 5.0);
}

}  // namespace
}  // namespace velta
