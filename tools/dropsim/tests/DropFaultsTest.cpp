#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "DFileText.h"
#include "TruthCsv.h"

namespace velta::sim::test {
namespace {

// Field index (0-based) and sentinel of each value of a data record.
struct Column {
    int index;
    const char* sentinel;
};
constexpr Column kPressure{5, "9999.00"};
constexpr Column kTemperature{6, "99.00"};
constexpr Column kRh{7, "999.00"};
constexpr Column kWdir{8, "999.00"};
constexpr Column kWspd{9, "999.00"};
constexpr Column kLon{11, "999.000000"};
constexpr Column kLat{12, "99.000000"};
constexpr Column kAlt{13, "99999.00"};
constexpr Column kGpsAlt{19, "99999.00"};

std::vector<std::vector<std::string>> soundingRecords(const std::string& text) {
    bool crlf = false;
    std::vector<std::vector<std::string>> out;
    for (const std::string& line : splitCrLf(text, crlf)) {
        if (isData(line, 'S')) out.push_back(fields(line));
    }
    return out;
}

bool missing(const std::vector<std::string>& f, Column c) { return f[c.index] == c.sentinel; }

TEST(DropSim, SameSeedGivesTheSameBytesAndAnotherSeedDoesNot) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.instrument.spikes = 3;
    s.instrument.crcErrors = 2;
    s.instrument.missingGaps = 2;
    const Made a = make(s);
    const Made b = make(s);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(formatTruthCsv(a.settings, a.drop), formatTruthCsv(b.settings, b.drop));
    s.seed = 2;
    const Made c = make(s);
    EXPECT_NE(a.text, c.text);
    // More spikes leave the noise of the other records where it was.
    s.seed = 1;
    s.instrument.spikes = 6;
    const auto more = soundingRecords(make(s).text);
    const auto base = soundingRecords(a.text);
    ASSERT_EQ(more.size(), base.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < base.size(); ++i) differing += base[i] != more[i];
    EXPECT_LE(differing, 3u);
}

TEST(DropSim, CleanDropHasDataEverywhereOnceTheGpsLocks) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.instrument.noise = false;
    const Made m = make(s);
    const auto records = soundingRecords(m.text);
    ASSERT_EQ(records.size(), m.drop.records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& f = records[i];
        const double t = m.drop.records[i].time;
        EXPECT_EQ(f[1], "S00");
        for (Column c : {kPressure, kTemperature, kRh}) EXPECT_FALSE(missing(f, c)) << t;
        for (Column c : {kWdir, kWspd, kLon, kLat, kAlt, kGpsAlt}) {
            EXPECT_EQ(missing(f, c), t < s.instrument.gpsLockTime) << t;
        }
        EXPECT_EQ(f[16], "999.00");  // no third humidity sensor
        // Without noise the file is the truth: the sensor reading, and the pressure
        // reads low by the port's defect.
        const TruthSample& truth = m.drop.fall.samples[i + 1];
        EXPECT_NEAR(std::atof(f[kPressure.index].c_str()) - s.instrument.pressureDefect, truth.pressure,
                    0.006);
        EXPECT_NEAR(std::atof(f[kTemperature.index].c_str()), truth.sensorTemperature, 0.006);
    }
}

TEST(DropSim, RequestedFaultsAppear) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.instrument.noise = false;
    s.instrument.crcErrors = 5;
    s.instrument.spikes = 6;
    s.instrument.missingGaps = 4;
    const Made m = make(s);
    const auto records = soundingRecords(m.text);

    int crc = 0;
    int spikes = 0;
    int gapRecords = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& f = records[i];
        const TruthSample& truth = m.drop.fall.samples[i + 1];
        if (f[1] == "S10") {
            ++crc;
            continue;
        }
        ASSERT_EQ(f[1], "S00");
        if (truth.time < s.instrument.gpsLockTime) continue;
        bool gap = false;
        for (Column c : {kPressure, kTemperature, kRh, kWspd, kLat}) gap = gap || missing(f, c);
        gapRecords += gap;
        const bool spiked =
            (!missing(f, kPressure) && std::fabs(std::atof(f[5].c_str()) + 0.4 - truth.pressure) > 5.0) ||
            (!missing(f, kTemperature) &&
             std::fabs(std::atof(f[6].c_str()) - truth.sensorTemperature) > 3.0) ||
            (!missing(f, kRh) && std::fabs(std::atof(f[7].c_str()) - truth.sensorRh) > 15.0) ||
            (!missing(f, kWspd) && std::atof(f[9].c_str()) - std::hypot(truth.sondeU, truth.sondeV) > 5.0);
        spikes += spiked;
    }
    EXPECT_EQ(crc, 5);
    EXPECT_EQ(spikes, 6);
    EXPECT_GE(gapRecords, 4 * 2);
}

TEST(DropSim, SplitPtuCarriesPressureTemperatureAndHumidityOnEveryOtherRecord) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.instrument.splitPtu = true;
    s.endPressure = 850.0;
    const auto records = soundingRecords(make(s).text);
    ASSERT_GT(records.size(), 100u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool ptu = i % 2 == 1;  // at whole and half seconds
        for (Column c : {kPressure, kTemperature, kRh}) EXPECT_EQ(missing(records[i], c), !ptu) << i;
        if (!ptu) {
            EXPECT_EQ(records[i][15], "999.00") << i;  // the second humidity sensor too
        }
        if (i > 40) {
            EXPECT_FALSE(missing(records[i], kWspd)) << i;
        }
    }
}

}  // namespace
}  // namespace velta::sim::test
