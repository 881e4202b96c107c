// The sonde's sensor classes: published response times at the reference conditions, forced-convection
// scaling elsewhere, and the type code the trailer gives each class.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "DFileText.h"
#include "Sensors.h"

namespace velta::sim::test {
namespace {

TEST(SensorClass, ReferenceTimesAndConvectionScaling) {
    struct Case {
        SensorKind kind;
        double referenceTau;
        const char* typeCode;
    };
    for (const Case c : {Case{SensorKind::Bead, 3.0, "2"}, Case{SensorKind::Fast, 0.45, "3"}}) {
        const SensorClass& s = sensorClass(c.kind);
        SCOPED_TRACE(s.name);
        EXPECT_NEAR(temperatureResponseTime(s, 1000, 20, 6), c.referenceTau, 1e-12);
        EXPECT_EQ(s.typeCode, c.typeCode);
        // Doubling the mass flux (twice the speed, or twice the density at the same temperature)
        // raises the heat transfer by about its square root.
        for (const double ratio : {temperatureResponseTime(s, 1000, 20, 6) / temperatureResponseTime(s, 1000, 20, 12),
                                   temperatureResponseTime(s, 400, -20, 10) / temperatureResponseTime(s, 800, -20, 10)}) {
            const double exponent = std::log2(ratio);
            EXPECT_GT(exponent, 0.42);
            EXPECT_LT(exponent, 0.6);
        }
        // Thin, cold air slows the sensor; the humidity sensor slows far more in the cold.
        EXPECT_GT(temperatureResponseTime(s, 200, -50, 20), 1.15 * temperatureResponseTime(s, 1000, 28, 11.5));
        EXPECT_NEAR(humidityResponseTime(s, 1000, 20, 6), s.humidityTauWarm, 1e-12);
        EXPECT_NEAR(humidityResponseTime(s, 1000, -40, 6) / humidityResponseTime(s, 1000, 20, 6),
                    s.humidityTauCold / s.humidityTauWarm * temperatureResponseTime(s, 1000, -40, 6) /
                        temperatureResponseTime(s, 1000, 20, 6),
                    1e-9);
    }
    EXPECT_GT(sensorClass(SensorKind::Bead).temperatureTau, 5 * sensorClass(SensorKind::Fast).temperatureTau);
}

// The sensor seen in the record values: the fast sensor leaves the cabin's temperature within a few
// seconds and trails the warming air by a few hundredths, the bead by tenths.
TEST(SensorClass, DropsShowTheirSensorsLag) {
    auto drop = [](SensorKind kind) {
        DropSettings s = defaultSettings(DropKind::Hurricane);
        s.instrument.noise = false;
        s.sensor = kind;
        return simulateDrop(s);
    };
    auto settled = [](const SimulatedDrop& d) {
        for (const TruthSample& t : d.fall.samples)
            if (std::fabs(t.sensorTemperature - t.temperature) < 0.2) return t.time;
        return 1e9;
    };
    auto meanLag = [](const SimulatedDrop& d) {
        double sum = 0;
        int n = 0;
        for (const TruthSample& t : d.fall.samples)
            if (t.time > 40) sum += t.temperature - t.sensorTemperature, ++n;
        return sum / n;
    };
    const SimulatedDrop bead = drop(SensorKind::Bead);
    const SimulatedDrop fast = drop(SensorKind::Fast);
    EXPECT_LT(settled(fast), 5.0);
    EXPECT_GT(settled(bead), 8.0);
    EXPECT_GT(meanLag(bead), 0.1);
    EXPECT_LT(meanLag(fast), 0.25 * meanLag(bead));
    EXPECT_GT(meanLag(fast), 0.0);
}

// The trailer names the class by its type code; Auto follows the layout, a set code stays.
TEST(SensorClass, TrailerTypeCodeFollowsTheSensor) {
    struct Case {
        SensorKind kind;
        const char* setCode;
        const char* written;
    };
    for (const Case c : {Case{SensorKind::Auto, "", "3"}, Case{SensorKind::Bead, "", "2"},
                         Case{SensorKind::Fast, "", "3"}, Case{SensorKind::Fast, "7", "7"}}) {
        DropSettings s = defaultSettings(DropKind::Hurricane);
        s.formatVersion = 1.7;
        s.sensor = c.kind;
        s.texts.sondeTypeCode = c.setCode;
        applyLayout(s);
        const Made m = make(s);
        const auto at = m.text.find("COM Sonde ID/Type/Rev/Built/Sensors:");
        ASSERT_NE(at, std::string::npos);
        const std::string line = m.text.substr(at, m.text.find('\r', at) - at);
        EXPECT_NE(line.find(std::string(" 252405117, ") + c.written + ", A2,"), std::string::npos) << line;
    }
    DropSettings classic = defaultSettings(DropKind::Hurricane);
    EXPECT_EQ(sensorOf(classic).kind, SensorKind::Bead);
}

}  // namespace
}  // namespace velta::sim::test
