// The layout current data systems write for format 1.7, and its scenarios.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "DFileText.h"

namespace velta::sim::test {
namespace {

DropSettings current(Scenario scenario = Scenario::Good) {
    DropSettings s = defaultSettings(DropKind::Hurricane);
    s.formatVersion = 1.7;
    s.scenario = scenario;
    applyLayout(s);
    return s;
}

bool sentinel(const std::string& field, const char* value) { return field == value; }

TEST(CurrentLayout, RecordOrderStatusDigitsAndTheirDisagreements) {
    const Made m = make(current());
    bool crlf = false;
    const auto lines = splitCrLf(m.text, crlf);
    ASSERT_TRUE(crlf);

    // Station line, four headings, P..., LAU, one A, S..., trailer comments,
    // version, format, time offset, end.
    std::string order;
    int preLaunch = 0, aRecords = 0;
    for (const std::string& line : lines) {
        ASSERT_GE(line.size(), 36u) << line;
        const char c = line[6] == 'D' ? line[10] : static_cast<char>(std::tolower(line[10]));
        if (order.empty() || order.back() != c) order += c;
        preLaunch += isData(line, 'P');
        aRecords += isData(line, 'A');
    }
    EXPECT_EQ(order, "scPlASc" "vfte");
    EXPECT_EQ(lines.front().substr(10, 3), "STA");
    EXPECT_EQ(std::count_if(lines.begin(), lines.begin() + 5,
                            [](const std::string& l) { return l.substr(10, 3) == "COM"; }),
              4);
    EXPECT_EQ(preLaunch, 5 * 60 * 4);
    EXPECT_EQ(aRecords, 1);
    const auto fmtRecord =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.substr(10, 3) == "FMT"; });
    ASSERT_NE(fmtRecord, lines.end());
    EXPECT_NE(fmtRecord->find("FMT 1.7"), std::string::npos);
    EXPECT_DOUBLE_EQ(std::atof(fields(*fmtRecord)[3].c_str()), 1.7);

    int records = 0, noPtu = 0, noPtuWithValues = 0, noWind = 0, noWindWithValues = 0, negativeGps = 0;
    bool geopotentialMissingFirst = false;
    for (const std::string& line : lines) {
        if (!isData(line, 'S')) continue;
        const auto f = fields(line);
        ASSERT_EQ(f.size(), 20u) << line;
        ASSERT_TRUE((line[11] == '0' || line[11] == '1') && (line[12] == '0' || line[12] == '1')) << line;
        ++records;
        const bool ptu = !sentinel(f[5], "9999.00");
        const bool wind = !sentinel(f[9], "999.00");
        if (line[11] == '1') {
            ++noPtu;
            noPtuWithValues += ptu;
        } else {
            EXPECT_TRUE(ptu) << line;
        }
        if (line[12] == '1') {
            ++noWind;
            noWindWithValues += wind;
        }
        negativeGps += !sentinel(f[19], "99999.00") && std::atof(f[19].c_str()) < 0.0;
        if (records == 1) geopotentialMissingFirst = sentinel(f[13], "99999.00");
    }
    // About half the records carry no PTU; a few of those still carry values;
    // most of the wind-flagged records after the GPS lock still carry winds.
    EXPECT_NEAR(static_cast<double>(noPtu) / records, 0.5, 0.02);
    EXPECT_GT(noPtuWithValues, 0);
    EXPECT_LT(noPtuWithValues, noPtu / 20);
    EXPECT_GT(noWindWithValues, 0);
    EXPECT_GT(noWind, 20);
    EXPECT_TRUE(geopotentialMissingFirst);
    EXPECT_GT(negativeGps, 0);  // near the sea surface

    // The trailer: the sonde record with the type code, the standard comments
    // and a byte outside ASCII.
    const std::string sonde = "KARVO-T01 COM Sonde ID/Type/Rev/Built/Sensors:";
    const auto s = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(sonde, 0) == 0; });
    ASSERT_NE(s, lines.end());
    EXPECT_EQ(restAfter(*s, 4), "252405117, 3, A2, 20231129T154352Z, KPTU-7,KGPS-3");
    EXPECT_NE(m.text.find("COM Standard Comments:                  Good Drop\r\n"), std::string::npos);
    EXPECT_TRUE(std::any_of(m.text.begin(), m.text.end(), [](char ch) { return static_cast<unsigned char>(ch) > 127; }));
}

TEST(CurrentLayout, ScenariosAndTheirSecondSondes) {
    struct Case {
        Scenario scenario;
        bool secondHasPtu;
        double lastSecondTime;  // s, at least
        bool launchNamesSecond;
    };
    const DropSettings base = current();
    for (const Case c : {Case{Scenario::SecondSentinels, false, 200, false}, Case{Scenario::SecondCabin, true, 2390, false},
                         Case{Scenario::LaunchNamesEmpty, false, 200, true}}) {
        SCOPED_TRACE(static_cast<int>(c.scenario));
        const Made m = make(current(c.scenario));
        bool crlf = false;
        const auto lines = splitCrLf(m.text, crlf);
        int second = 0, secondPtu = 0;
        for (const std::string& line : lines) {
            if (isData(line, 'S') && fields(line)[2] == base.secondSondeId) {
                ++second;
                secondPtu += fields(line)[5] != "9999.00";
            }
            if (line.substr(10, 3) == "LAU") {
                EXPECT_EQ(fields(line)[2], c.launchNamesSecond ? base.secondSondeId : base.sondeId);
            }
            if (isData(line, 'A')) {
                EXPECT_EQ(fields(line)[2], base.sondeId);
            }
        }
        EXPECT_EQ(static_cast<std::size_t>(second), m.drop.secondSonde.size());
        EXPECT_EQ(secondPtu > second / 2, c.secondHasPtu);
        EXPECT_GE(m.drop.secondSonde.back().time, c.lastSecondTime);
        if (c.scenario == Scenario::SecondCabin) {
            EXPECT_NEAR(*m.drop.secondSonde.front().pressure, 844.0, 0.5);
            EXPECT_NEAR(*m.drop.secondSonde.front().temperature, 22.0, 0.5);
            EXPECT_NEAR(*m.drop.secondSonde.front().gpsAltitude, m.drop.fall.samples.front().geometric, 15.0);
        }
        // The dropped sonde's records are those of the good drop.
        const Made good = make(current());
        ASSERT_EQ(m.drop.records.size(), good.drop.records.size());
        for (std::size_t i = 0; i < good.drop.records.size(); ++i)
            ASSERT_EQ(m.drop.records[i].pressure, good.drop.records[i].pressure) << i;
    }
}

TEST(CurrentLayout, FailedSondeAndLateAcquisition) {
    DropSettings research = defaultSettings(DropKind::Research);
    research.formatVersion = 1.7;
    research.scenario = Scenario::FailedSonde;
    applyLayout(research);
    const Made failed = make(research);
    // The signal ends about 190 mb; the cabin sonde goes on under the same id.
    EXPECT_NEAR(failed.drop.fall.samples.back().pressure, 190.0, 1.0);
    ASSERT_FALSE(failed.drop.secondSonde.empty());
    EXPECT_TRUE(failed.drop.secondSonde.front().sondeId.empty());
    EXPECT_GT(failed.drop.secondSonde.front().time, failed.drop.records.back().time);
    EXPECT_NEAR(*failed.drop.secondSonde.front().pressure, 844.0, 0.5);
    EXPECT_GE(failed.drop.secondSonde.back().time, 2399.0);
    int sameId = 0;
    bool crlf = false;
    for (const std::string& line : splitCrLf(failed.text, crlf))
        sameId += isData(line, 'S') && fields(line)[2] == research.sondeId;
    EXPECT_EQ(static_cast<std::size_t>(sameId), failed.drop.records.size() + failed.drop.secondSonde.size());

    research = defaultSettings(DropKind::Research);
    research.formatVersion = 1.7;
    research.scenario = Scenario::LateAcquisition;
    applyLayout(research);
    const Made late = make(research);
    ASSERT_FALSE(late.drop.records.empty());
    const DataRecord* first = &late.drop.records.front();
    if (!first->pressure) first = &late.drop.records[1];
    EXPECT_NEAR(*first->pressure, 150.0 + 550.0, 2.0);
    EXPECT_NEAR(*late.drop.launchObservation.pressure, 150.0, 1.0);
}

TEST(CurrentLayout, CloudReadsAboveSaturation) {
    const Made m = make(current(Scenario::Cloud));
    double highest = 0;
    for (const DataRecord& r : m.drop.records)
        if (r.rh1) highest = std::max(highest, *r.rh1);
    EXPECT_GT(highest, 103.0);
    EXPECT_LE(highest, 105.0);
    // The truth is saturated inside the layer, and only there.
    int saturated = 0;
    for (const TruthSample& t : m.drop.fall.samples) {
        if (t.pressure > 880.0 && t.pressure < 956.0) {
            EXPECT_EQ(t.rh, 100.0) << t.pressure;
        }
        saturated += t.rh == 100.0;
        if (t.pressure < 865.0 || t.pressure > 975.0) {
            EXPECT_LT(t.rh, 100.0) << t.pressure;
        }
    }
    EXPECT_GT(saturated, 100);
}

}  // namespace
}  // namespace velta::sim::test
