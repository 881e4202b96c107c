#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StepFixture.h"
#include "qc/GeometrySteps.h"
#include "qc/HeightIntegrator.h"
#include "qc/MetFormulas.h"
#include "qc/PositionIntegrator.h"
#include "sounding/DataPoint.h"
#include "sounding/MissingValue.h"

namespace velta {
namespace {

using test::StepFixture;

// A short drop: launch point at -1 s, then samples every 10 s with rising pressure and temperature.
class AltitudeTest : public ::testing::Test {
protected:
    StepFixture f;
    void SetUp() override {
        f.put("QCPres", {{-1, 500}, {10, 600}, {20, 700}, {30, 800}}, FlagLaunch);
        f.put("QCTdry", {{-1, -10}, {10, -4}, {20, 2}, {30, 8}}, FlagLaunch);
        f.put("QCRH", {{-1, 40}, {10, 50}, {20, 60}, {30, 70}}, FlagLaunch);
        f.put("RawPres", {{-1, 500}, {10, 600}}, FlagLaunch);
    }
    double thickness(int32_t a, int32_t b) {
        const DataSeries &p = f.series("QCPres"), &t = f.series("QCTdry"), &rh = f.series("QCRH");
        return layerThickness(p.value(a), p.value(b), t.value(a), t.value(b), rh.value(a), rh.value(b));
    }
};

TEST_F(AltitudeTest, SurfaceDropIntegratesUpFromSurfaceAndDownFromLaunch) {
    f.series("QCPres").setFlags(3, FlagSurface);
    f.set("DropsondeHitSfc", 1);
    f.set("SfcAltitude", 12);
    f.set("launchAltOverride", 5600);
    computeAltitudes(f.run);

    const DataSeries& up = f.series("QCAltUp");
    ASSERT_EQ(up.size(), 4);
    EXPECT_EQ(up.name(), "QCAltUp");
    EXPECT_EQ(up.value(3), 12);
    EXPECT_NEAR(up.value(2), 12 + thickness(3, 2), 1e-9);
    EXPECT_NEAR(up.value(0), 12 + thickness(3, 2) + thickness(2, 1) + thickness(1, 0), 1e-9);
    EXPECT_GT(up.value(0), up.value(1));
    EXPECT_TRUE(up.hasFlags(3, FlagSurface));
    EXPECT_TRUE(up.hasFlags(0, FlagLaunch));

    const DataSeries& dn = f.series("QCAltDn");
    ASSERT_EQ(dn.size(), 4);
    EXPECT_EQ(dn.value(0), 5600);
    EXPECT_NEAR(dn.value(3), 5600 + thickness(0, 1) + thickness(1, 2) + thickness(2, 3), 1e-9);
    EXPECT_LT(dn.value(3), dn.value(2));
}

TEST_F(AltitudeTest, SwitchesAndLaunchAltitudeDecideWhichSeriesAreMade) {
    f.set("DropsondeHitSfc", 1);
    f.set("SfcAltUnknown", 1);
    computeAltitudes(f.run);
    EXPECT_TRUE(f.series("QCAltUp").empty());
    EXPECT_TRUE(f.series("QCAltDn").empty());  // no launch altitude either

    f.header.launchAltitude = 5000;
    f.header.launchAltitudeValid = true;
    computeAltitudes(f.run);
    EXPECT_TRUE(f.series("QCAltUp").empty());
    EXPECT_EQ(f.series("QCAltDn").value(0), 5000);
    EXPECT_EQ(f.series("QCAltDn").size(), 4);
}

TEST_F(AltitudeTest, DropWithoutLaunchPointGetsTemporaryLaunchFromFirstRawPressure) {
    f.put("QCPres", {{10, 600}, {20, 700}, {30, 800}});
    f.put("RawPres", {{0, 550}, {10, 600}});
    f.set("launchAltOverride", 5000);
    computeAltitudes(f.run);
    const DataSeries& dn = f.series("QCAltDn");
    ASSERT_EQ(dn.size(), 4);
    EXPECT_EQ(dn.time(0), -1.0);
    EXPECT_EQ(dn.value(0), 5000);
    EXPECT_NEAR(dn.value(1), 5000 + layerThickness(550, 600, -10, -4, 40, 50), 1e-9);
    EXPECT_GT(dn.value(0), dn.value(1));
    EXPECT_EQ(f.series("QCPres").size(), 3);
    EXPECT_EQ(f.series("QCPres").time(0), 10);

    // A first raw pressure above the first QC pressure (a record QC rejected) would put the launch
    // below the sonde: the launch is taken at the first QC pressure instead.
    f.put("RawPres", {{0, 1200}, {10, 600}});
    computeAltitudes(f.run);
    EXPECT_EQ(f.series("QCAltDn").value(1), 5000);
}

TEST_F(AltitudeTest, LayerWithoutTemperatureDropsItsFarPoint) {
    // The launch point has no temperature: the first data point is dropped and the next one gets
    // the launch altitude plus its own layer only.
    f.put("QCTdry", {{0.5, -5}, {10, -4}, {20, 2}, {30, 8}});
    f.set("launchAltOverride", 5000);
    computeAltitudes(f.run);
    const DataSeries& dn = f.series("QCAltDn");
    ASSERT_EQ(dn.size(), 3);
    EXPECT_EQ(dn.times(), (std::vector<double>{-1, 20, 30}));
    EXPECT_NEAR(dn.value(1), 5000 + thickness(1, 2), 1e-9);
    EXPECT_TRUE(dn.hasFlags(0, FlagLaunch));
}

TEST_F(AltitudeTest, TooFewTemperaturesLeaveNoAltitudes) {
    f.put("QCTdry", {{10, -4}});
    f.set("launchAltOverride", 5000);
    f.set("DropsondeHitSfc", 1);
    computeAltitudes(f.run);
    EXPECT_TRUE(f.series("QCAltUp").empty());
    EXPECT_TRUE(f.series("QCAltDn").empty());
}

TEST(AscentAltitudeTest, IntegratesUpFromTheLaunchWhenItsAltitudeIsKnown) {
    StepFixture f(/*ascending=*/true);
    f.put("QCPres", {{-1, 1010}, {10, 1000}, {20, 990}}, FlagSurface);
    f.put("QCTdry", {{-1, 20}, {10, 19}, {20, 18}}, FlagSurface);
    f.set("SfcAltitude", 35);
    computeAltitudes(f.run);
    EXPECT_TRUE(f.series("QCAltUp").empty());  // the launch altitude is not known

    f.header.launchAltitude = 30;
    f.header.launchAltitudeValid = true;
    computeAltitudes(f.run);
    const DataSeries& up = f.series("QCAltUp");
    ASSERT_EQ(up.size(), 3);
    EXPECT_EQ(up.value(0), 35);
    EXPECT_TRUE(up.hasFlags(0, FlagSurface));
    EXPECT_NEAR(up.value(1), 35 + layerThickness(1010, 1000, 20, 19, 50, 50), 1e-9);
    EXPECT_TRUE(f.series("QCAltDn").empty());

    f.set("launchAltOverride", 40);
    computeAltitudes(f.run);
    EXPECT_EQ(f.series("QCAltUp").value(0), 40);
}

TEST(HeightIntegratorTest, BridgesLongTemperatureGapsWhenTheRecordIsLong) {
    DataSeries p("QCPres"), t("QCTdry"), rh("QCRH"), z("QCAltDn");
    for (double time : {0.0, 50.0, 100.0, 150.0}) p.append(500 + time, time);
    t.append(-10, 0);
    t.append(0, 150);  // one 150 s gap spanning the whole record
    z = DataSeries(p, "QCAltDn");
    HeightIntegrator(p, t, rh, 100, HeightIntegrator::Anchor::FirstPoint)(z);
    ASSERT_EQ(z.size(), 4);
    EXPECT_NEAR(z.value(1), 100 + layerThickness(500, 550, -10, -10.0 * 100 / 150, 50, 50), 1e-9);
}

TEST(PositionTest, NorthwardWindMovesLatitude) {
    StepFixture f;
    DataSeries u("QCU"), v("QCV");
    for (int i = 0; i <= 100; ++i) {
        u.append(0.0, i);
        v.append(10.0, i);
    }
    f.sounding.addSeries("QCU", u);
    f.sounding.addSeries("QCV", v);
    f.put("QCLat", {{-1, 0.0}}, FlagLaunch);
    f.put("QCLon", {{-1, 20.0}}, FlagLaunch);
    computePosition(f.run);
    const DataSeries& lat = f.series("QCLat");
    ASSERT_EQ(lat.size(), 102);
    EXPECT_EQ(lat.time(1), 0);
    // From -1 s the temporary launch wind (the first wind) carries the sonde 10 m north by 0 s.
    EXPECT_NEAR(lat.value(1), 0.01 / kmPerDegreeLatitude(0), 1e-12);
    EXPECT_NEAR(lat.value(101) - lat.value(1), 0.0090444, 5e-8);
    EXPECT_EQ(f.series("QCLon").value(101), 20.0);
    EXPECT_EQ(f.series("QCU").size(), 101);  // the temporary launch wind is gone again
    EXPECT_EQ(f.series("QCU").time(0), 0);
}

TEST(PositionTest, WindGapLongerThanSpanEndsTheTrack) {
    StepFixture f;
    DataSeries u("QCU"), v("QCV");
    for (double t : {-1.0, 0.0, 10.0, 20.0, 30.0, 120.0, 130.0}) {
        u.append(5.0, t);
        v.append(5.0, t);
    }
    u.setFlags(0, FlagLaunch);
    v.setFlags(0, FlagLaunch);
    f.sounding.addSeries("QCU", u);
    f.sounding.addSeries("QCV", v);
    f.put("QCLat", {{-1, 45.0}}, FlagLaunch);
    f.put("QCLon", {{-1, 10.0}}, FlagLaunch);
    f.set("PosInterpSpan", 60);
    computePosition(f.run);
    for (const char* key : {"QCLat", "QCLon"}) {
        const DataSeries& s = f.series(key);
        EXPECT_EQ(s.times(), (std::vector<double>{-1, 0, 10, 20, 30})) << key;
        for (double value : s.values()) EXPECT_NE(value, MissingValue) << key;
    }
    EXPECT_GT(f.series("QCLon").value(4), 10.0);
    EXPECT_GT(f.series("QCLat").value(4), 45.0);
    EXPECT_EQ(f.series("QCU").size(), 7);
}

TEST(PositionTest, NothingWithoutWindsOrLaunchPosition) {
    StepFixture f;
    f.put("QCU", {{0, 1}, {1, 1}});
    f.put("QCV", {{0, 1}, {1, 1}});
    computePosition(f.run);  // QCLat and QCLon are empty
    EXPECT_TRUE(f.series("QCLat").empty());
    EXPECT_EQ(f.series("QCU").size(), 2);
}

}  // namespace
}  // namespace velta
