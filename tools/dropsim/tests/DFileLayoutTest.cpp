#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "DFileText.h"

namespace velta::sim::test {
namespace {

struct Case {
    const char* name;
    DropSettings settings;
};

std::vector<Case> variedDrops() {
    DropSettings hurricane = defaultSettings(DropKind::Hurricane);
    hurricane.instrument.spikes = 4;
    hurricane.instrument.crcErrors = 3;
    hurricane.instrument.missingGaps = 3;
    DropSettings research = defaultSettings(DropKind::Research);
    research.launchPressure = 400.0;  // keeps the test quick
    DropSettings split = defaultSettings(DropKind::Hurricane);
    split.instrument.splitPtu = true;
    split.endPressure = 950.0;
    split.formatVersion = 1.7;
    split.layout = Layout::Classic;  // the older layout with the newer version number
    DropSettings midnight = defaultSettings(DropKind::Hurricane);
    midnight.launchTime = {2025, 12, 31, 23, 58, 30};
    midnight.endPressure = 900.0;
    return {{"hurricane 4 Hz 1.6 with faults", hurricane},
            {"research 2 Hz 1.4", research},
            {"split PTU 1.7", split},
            {"across midnight into the new year", midnight}};
}

TEST(DFileLayout, EveryLineKeepsTheFixedPositionsAndEndsInCrLf) {
    for (const Case& c : variedDrops()) {
        SCOPED_TRACE(c.name);
        const Made m = make(c.settings);
        bool crlf = false;
        const auto lines = splitCrLf(m.text, crlf);
        ASSERT_TRUE(crlf);
        ASSERT_GT(lines.size(), 50u);

        std::string first = lines.front();
        std::transform(first.begin(), first.end(), first.begin(),
                       [](unsigned char ch) { return std::tolower(ch); });
        EXPECT_NE(first.find("karvo"), std::string::npos);

        const std::size_t dataFields = c.settings.formatVersion >= 1.6 ? 20 : 19;
        // Order of the records: text header, P..., L, A, S..., comments, end.
        std::string order;
        for (const std::string& line : lines) {
            ASSERT_GE(line.size(), 36u) << line;
            ASSERT_TRUE(line[6] == 'D' || line[6] == 'T') << line;
            for (unsigned char ch : line) ASSERT_TRUE(std::isprint(ch)) << line;
            if (line[6] == 'D') {
                ASSERT_NE(std::string("PAS").find(line[10]), std::string::npos) << line;
                ASSERT_TRUE(line[11] == '0' || line[11] == '1') << line;
                EXPECT_EQ(fields(line).size(), dataFields) << line;
                if (line[10] == 'P' || line[10] == 'A') {
                    EXPECT_EQ(line[11], '0');
                }
            } else {
                ASSERT_NE(std::string("VFTLCE").find(line[10]), std::string::npos) << line;
            }
            const char code = line[6] == 'D' ? line[10] : static_cast<char>(std::tolower(line[10]));
            if (order.empty() || order.back() != code) order += code;
        }
        const std::string header = c.settings.formatVersion >= 1.6 ? "vftc" : "vtc";
        EXPECT_EQ(order, header + "PlASce");
    }
}

TEST(DFileLayout, CommentRecordsCarryTheirTextAfterTheLabelFields) {
    struct Expect {
        const char* label;  // positions 9-35
        int leadingFields;
        const char* rest;
    };
    const Made hurricane = make(defaultSettings(DropKind::Hurricane));
    DropSettings researchSettings = defaultSettings(DropKind::Research);
    researchSettings.launchPressure = 500.0;
    const Made research = make(researchSettings);
    const std::vector<std::pair<const Made*, std::vector<Expect>>> table{
        {&hurricane,
         {{" COM Project Name/Flight ID", 5, "TCX-25, 20250915A1"},
          {" COM Aircraft Type/ID:     ", 4, "WC-130J, AF5309"},
          {" COM Operator Name/Comments", 4, "R. Lindqvist, Eyewall drop in the NE quadrant"},
          {" COM Sonde ID/ID$/Built/Fir", 4, "252405117, 0F0A3C51, 2025-06-02, 3.4.1, KD-41"},
          {" COM Data Type/Data Channel", 5, "FULL, 4 Hz, Channel 3"},
          {" COM Pre-launch Obs Data Sy", 6, "Aircraft flight-level data, 17:45:11"}}},
        {&research,
         {{" COM Project Name/Mission I", 5, "ATMOS-X, RF07"},
          {" COM Aircraft Type/ID:     ", 4, "G-V, N912RA"},
          {" COM Operator Name:        ", 4, "M. Okafor"},
          {" COM Operator Comments:    ", 4, "Clear air above thin cirrus, drop near the jet core"},
          {" COM Standard Comments:    ", 4, "Nominal release"},
          {" COM Sonde Type/ID/Ver/Batt", 5, "KD-20, 251903344, 2.8.0, 8.4"},
          {" COM Data Type/Data Channel", 5, "FULL, 2 Hz, Channel 1"},
          {" COM Pre-launch Obs Data Sy", 6, "Aircraft flight-level data, 20:29:59"}}},
    };
    for (const auto& [made, expectations] : table) {
        bool crlf = false;
        const auto lines = splitCrLf(made->text, crlf);
        for (const Expect& e : expectations) {
            SCOPED_TRACE(e.label);
            const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.size() >= 36 && l[6] == 'T' && l[10] == 'C' && l.compare(9, 27, e.label) == 0;
            });
            ASSERT_NE(it, lines.end());
            EXPECT_EQ(restAfter(*it, e.leadingFields), e.rest);
        }
    }
}

TEST(DFileLayout, LaunchRecordAndTimeFieldsCountFromTheLaunch) {
    for (const Case& c : variedDrops()) {
        SCOPED_TRACE(c.name);
        const Made m = make(c.settings);
        bool crlf = false;
        const auto lines = splitCrLf(m.text, crlf);
        const auto launch = std::find_if(lines.begin(), lines.end(),
                                         [](const std::string& l) { return l[6] == 'T' && l[10] == 'L'; });
        ASSERT_NE(launch, lines.end());
        const auto lf = fields(*launch);
        ASSERT_GE(lf.size(), 5u);
        EXPECT_EQ(lf[2], c.settings.sondeId);
        const UtcTime& t = c.settings.launchTime;
        char date[16];
        std::snprintf(date, sizeof date, "%02d%02d%02d", t.year % 100, t.month, t.day);
        EXPECT_EQ(lf[3], date);
        const double launchSecs = t.hour * 3600 + t.minute * 60 + t.second;
        EXPECT_EQ(std::atof(lf[4].c_str()), t.hour * 10000 + t.minute * 100 + t.second);

        // Sounding records follow at the record rate, first one interval after the launch.
        int k = 0;
        for (const std::string& line : lines) {
            if (!isData(line, 'S')) continue;
            ++k;
            const std::string date = fields(line)[3];
            const std::string hms = fields(line)[4];
            ASSERT_EQ(hms.size(), 9u);
            ASSERT_EQ(hms[6], '.');
            const double secs = std::atoi(hms.substr(0, 2).c_str()) * 3600 +
                                std::atoi(hms.substr(2, 2).c_str()) * 60 + std::atof(hms.substr(4).c_str()) +
                                (date == lf[3] ? 0.0 : 86400.0);
            if (date != lf[3]) {
                EXPECT_EQ(date, "260101");
            }
            ASSERT_NEAR(secs - launchSecs, static_cast<double>(k) / c.settings.rate, 1e-6) << line;
        }
        EXPECT_EQ(static_cast<std::size_t>(k), m.drop.records.size());
    }
}

TEST(DFileLayout, FormatVersionDecidesTheVersionRecordAndGpsAltitude) {
    for (double version : {1.4, 1.6}) {
        DropSettings s = defaultSettings(DropKind::Hurricane);
        s.formatVersion = version;
        s.endPressure = 800.0;
        const Made m = make(s);
        bool crlf = false;
        const auto lines = splitCrLf(m.text, crlf);
        const auto fmtRecord = std::find_if(lines.begin() + 1, lines.end(),
                                            [](const std::string& l) { return l[6] == 'T' && l[10] == 'F'; });
        if (version < 1.6) {
            EXPECT_EQ(fmtRecord, lines.end());
        } else {
            ASSERT_NE(fmtRecord, lines.end());
            EXPECT_DOUBLE_EQ(std::atof(fields(*fmtRecord)[3].c_str()), 1.6);
            // Field 20 of the A record is the aircraft's GPS altitude.
            const auto a =
                std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return isData(l, 'A'); });
            ASSERT_NE(a, lines.end());
            EXPECT_NEAR(std::atof(fields(*a)[19].c_str()), m.drop.fall.samples.front().geometric, 15.0);
        }
    }
}

}  // namespace
}  // namespace velta::sim::test
