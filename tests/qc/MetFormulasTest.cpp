#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "qc/MetFormulaArrays.h"
#include "qc/MetFormulas.h"
#include "qc/SaturationTable.h"
#include "sounding/MissingValue.h"

namespace velta {
namespace {

const double Nan = std::numeric_limits<double>::quiet_NaN();

TEST(MetFormulasTest, DewPointWorkedValues) {
    struct Case {
        double t;
        double rh;
        double expected;
        double tolerance;
    };
    const Case cases[] = {
        {20.0, 50.0, 9.402, 0.0005}, {-40.0, 10.0, -61.021, 0.0005},
        {20.0, 100.0, 20.0, 1e-12},  // saturated: T itself
        {20.0, 100.5, 20.0, 0.0},    // above saturation: capped at T
        {20.0, 0.0, -273.16, 0.0},   // no vapour: the limit, absolute zero
        {20.0, -3.0, -273.16, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(dewPoint(c.t, c.rh), c.expected, c.tolerance) << c.t << " " << c.rh;
    }
    EXPECT_NEAR(dewPointDepression(20.0, 50.0), 20.0 - 9.402, 0.0005);
}

TEST(MetFormulasTest, DewPointEndsForHumidityNearZeroAndRejectsNonFiniteInput) {
    // The iteration must end with a finite value far below the temperature, also where the vapour
    // pressure to match is down in the denormal range (the last one underflows to no vapour at all).
    for (double rh : {1e-100, 1e-300, 1e-320, 4.9e-324}) {
        const double td = dewPoint(20.0, rh);
        EXPECT_TRUE(std::isfinite(td)) << rh;
        EXPECT_LT(td, -200.0) << rh;
        EXPECT_GE(td, -273.16) << rh;
    }
    EXPECT_NEAR(dewPoint(20.0, 1e-3), -92.526, 0.001);
    EXPECT_TRUE(std::isnan(dewPoint(Nan, 50.0)));
    EXPECT_TRUE(std::isnan(dewPoint(20.0, Nan)));
    EXPECT_TRUE(std::isnan(dewPoint(20.0, std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(dewPoint(-300.0, 50.0)));
}

TEST(MetFormulasTest, SaturationVaporPressureTableAndClosedForm) {
    const auto& table = saturationTable();
    EXPECT_DOUBLE_EQ(table[0], 0.01296);
    EXPECT_DOUBLE_EQ(table[126], 6.04158);
    EXPECT_DOUBLE_EQ(table[200], 62.14212);

    const MetFormulas met;
    // The table range is open: the ends use the closed form, which agrees with the end entries.
    EXPECT_DOUBLE_EQ(met.saturationVaporPressure(210.0), closedFormSaturationVaporPressure(210.0));
    EXPECT_NE(met.saturationVaporPressure(210.0), 0.01296);
    EXPECT_NEAR(met.saturationVaporPressure(210.0), 0.01296, 0.000005);
    EXPECT_DOUBLE_EQ(met.saturationVaporPressure(310.0), closedFormSaturationVaporPressure(310.0));
    EXPECT_NEAR(met.saturationVaporPressure(310.0), 62.14212, 0.000005);
    // Inside, linear interpolation between entries.
    EXPECT_NEAR(met.saturationVaporPressure(273.25), 0.5 * (table[126] + table[127]), 1e-12);
    EXPECT_DOUBLE_EQ(met.saturationVaporPressure(273.0), 6.04158);
    EXPECT_NEAR(met.saturationVaporPressure(309.999999), table[200], 1e-4);

    EXPECT_NEAR(met.saturationMixingRatio(273.0, 1000.0), 622.0 * 6.04158 / (1000.0 - 6.04158), 1e-12);
}

TEST(MetFormulasTest, PotentialTemperatureBandsSwitchBelowTheEdges) {
    // Reference values of 300 K times the band's series (or the power law), evaluated independently.
    struct Case {
        double p;
        double theta;
    };
    const Case cases[] = {
        {1000.0, 300.0018346637201}, {850.0, 314.24130302890796},
        {500.0, 365.6199208998376},  // second band (the first would give 365.6099943)
        {250.0, 445.5903723725998},  // third band (the second would give 445.5782733)
        {125.0, 543.0490980988243},  // power law (the third band would give 543.0376594)
    };
    const MetFormulas met;
    for (const Case& c : cases) {
        EXPECT_NEAR(met.potentialTemperature(300.0, c.p), c.theta, 1e-9) << c.p;
    }
}

TEST(MetFormulasTest, EquivalentPotentialTemperature) {
    const MetFormulas met;
    // Saturated air at 20 deg C, 1000 mb: theta-e well above theta.
    const double saturated = met.equivalentPotentialTemperature(293.16, 293.16, 1000.0);
    EXPECT_GT(saturated, met.potentialTemperature(293.16, 1000.0) + 40.0);
    EXPECT_LT(saturated, met.potentialTemperature(293.16, 1000.0) + 70.0);
    // Drier air has a lower theta-e.
    EXPECT_LT(met.equivalentPotentialTemperature(293.16, 283.16, 1000.0), saturated);
    // A dew point above the temperature counts as saturation instead of dividing by zero.
    EXPECT_DOUBLE_EQ(met.equivalentPotentialTemperature(293.16, 295.0, 1000.0), saturated);
}

TEST(MetFormulasTest, WindConversions) {
    double speed = -1.0;
    double direction = -1.0;
    windSpeedDirection(0.0, 0.0, speed, direction);
    EXPECT_EQ(speed, 0.0);
    EXPECT_NEAR(direction, 270.00015203962414, 1e-9);  // atan2(-0, -0) is -pi

    windSpeedDirection(5.0, 0.0, speed, direction);  // from the west; -v is -0 as above
    EXPECT_EQ(speed, 5.0);
    EXPECT_NEAR(direction, 270.00015203962414, 1e-9);

    windSpeedDirection(0.0, -7.0, speed, direction);  // from the north, just below 360 by the factor
    EXPECT_NEAR(direction, 359.99992398018793, 1e-9);

    double u = 0.0;
    double v = 0.0;
    windComponents(10.0, 90.0, u, v);  // from the east
    EXPECT_NEAR(u, -9.99999999986, 1e-11);
    EXPECT_NEAR(v, 0.0000531, 1e-7);

    // Round trip, within what the two approximate factors allow.
    windComponents(12.0, 225.0, u, v);
    windSpeedDirection(u, v, speed, direction);
    EXPECT_NEAR(speed, 12.0, 1e-12);
    EXPECT_NEAR(direction, 225.0, 1e-3);
}

TEST(MetFormulasTest, RoundHalfUp) {
    EXPECT_EQ(roundHalfUp(2.5), 3.0);
    EXPECT_EQ(roundHalfUp(-2.5), -2.0);
    EXPECT_EQ(roundHalfUp(2.49), 2.0);
}

TEST(MetFormulasTest, LayerThicknessAndPressureAtHeightAreInverse) {
    // 1000 to 850 mb in a standard-like atmosphere: about 1.4 km.
    const double dz = layerThickness(1000.0, 850.0, 15.0, 5.0, 70.0, 50.0);
    EXPECT_GT(dz, 1300.0);
    EXPECT_LT(dz, 1500.0);
    EXPECT_DOUBLE_EQ(layerThickness(850.0, 1000.0, 5.0, 15.0, 50.0, 70.0), -dz);
    EXPECT_EQ(layerThickness(700.0, 700.0, 0.0, -5.0, 50.0, 20.0), 0.0);
    EXPECT_TRUE(std::isfinite(layerThickness(2.0, 0.5, -60.0, -60.0, 0.0, 0.0)));  // ln weights cancel

    // Back from the height to the pressure: the two functions use slightly different constants.
    EXPECT_NEAR(pressureAtHeight(1000.0, 15.0, 5.0, 70.0, 50.0, 0.0, dz), 850.0, 1.0);
    EXPECT_NEAR(pressureAtHeight(850.0, 5.0, 15.0, 50.0, 70.0, dz, 0.0), 1000.0, 1.0);
    // Same height: p1 unchanged, nothing else looked at.
    EXPECT_EQ(pressureAtHeight(912.3, Nan, Nan, Nan, Nan, 120.0, 120.0), 912.3);
}

TEST(MetFormulasTest, VirtualTemperatureAndGoffGratch) {
    EXPECT_DOUBLE_EQ(virtualTemperature(1000.0, 20.0, 0.0), 293.16);
    const double r = goffGratchMixingRatio(293.16, 1000.0);
    EXPECT_NEAR(r, 0.0147, 0.0003);  // about 14.7 g/kg at 20 deg C, 1000 mb
    EXPECT_DOUBLE_EQ(virtualTemperature(1000.0, 20.0, 50.0), 293.16 * (1.0 + 0.609 * 0.5 * r));
}

TEST(MetFormulasTest, DegreeLengths) {
    EXPECT_NEAR(kmPerDegreeLatitude(0.0), 110.566158, 1e-9);
    EXPECT_NEAR(kmPerDegreeLongitude(0.0), 111.3207, 1e-9);
    EXPECT_NEAR(kmPerDegreeLatitude(90.0), 111.698262, 1e-5);
    EXPECT_NEAR(kmPerDegreeLongitude(90.0), 0.0, 1e-3);
}

TEST(MetFormulasTest, ArrayFormsWriteMissingWhereAnyInputIsMissing) {
    const std::vector<double> t = {20.0, MissingValue, 20.0, -999.5, 15.0};
    const std::vector<double> rh = {50.0, 50.0, MissingValue, 40.0, Nan};
    const std::vector<double> p = {1000.0, 1000.0, 1000.0, 1000.0, 900.0};
    std::vector<double> out(t.size(), 0.0);

    ASSERT_TRUE(dewPointArray(t, rh, out));
    EXPECT_NEAR(out[0], 9.402, 0.0005);
    for (std::size_t i = 1; i < out.size(); ++i) {
        EXPECT_EQ(out[i], MissingValue) << i;
    }

    ASSERT_TRUE(virtualTemperatureArray(t, rh, p, out));
    EXPECT_DOUBLE_EQ(out[0], virtualTemperature(1000.0, 20.0, 50.0));
    EXPECT_EQ(out[1], MissingValue);
    EXPECT_EQ(out[4], MissingValue);

    const MetFormulas met;
    ASSERT_TRUE(potentialTemperatureArray(t, p, out));
    EXPECT_DOUBLE_EQ(out[0], met.potentialTemperature(293.16, 1000.0));
    EXPECT_EQ(out[1], MissingValue);
    EXPECT_DOUBLE_EQ(out[2], out[0]);
    EXPECT_EQ(out[3], MissingValue);

    const std::vector<double> kelvin = {293.16, 280.0, MissingValue, 250.0, 300.0};
    ASSERT_TRUE(potentialTemperatureKelvinArray(kelvin, p, out));
    EXPECT_DOUBLE_EQ(out[0], met.potentialTemperature(293.16, 1000.0));
    EXPECT_EQ(out[2], MissingValue);

    ASSERT_TRUE(saturationMixingRatioArray(t, p, out));
    EXPECT_DOUBLE_EQ(out[0], met.saturationMixingRatio(293.16, 1000.0));

    const std::vector<double> td = {10.0, 0.0, 5.0, 1.0, MissingValue};
    ASSERT_TRUE(equivalentPotentialTemperatureArray(t, td, p, out));
    EXPECT_DOUBLE_EQ(out[0], met.equivalentPotentialTemperature(293.16, 283.16, 1000.0));
    EXPECT_EQ(out[1], MissingValue);
    EXPECT_EQ(out[4], MissingValue);

    std::vector<double> shortOut(2, 7.0);
    EXPECT_FALSE(dewPointArray(t, rh, shortOut));
    EXPECT_EQ(shortOut[0], 7.0);
}

}  // namespace
}  // namespace velta
