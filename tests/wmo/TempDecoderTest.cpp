// Velta's decoder on bulletins as distributed, on text in every shape mail
// and serial links give it, and on broken groups.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestData.h"
#include "wmo/DecodedFigures.h"
#include "wmo/RemarkDecoder.h"
#include "wmo/TempDecoder.h"

namespace velta {
namespace {

const DecodedLevel* find(const DecodedMessage& m, DecodedLevelKind kind, double pressure) {
    for (const DecodedLevel& l : m.levels)
        if (l.kind == kind && l.pressure && *l.pressure == pressure) return &l;
    return nullptr;
}

std::string bulletin() { return test::readFile(test::sourcePath("samples/messages/UZNT13_KNHC_200250.txt")); }

TEST(TempDecoderTest, DistributedBulletinDecodesToItsValues) {
    const DecodeResult r = decodeTempMessages(bulletin());
    EXPECT_TRUE(r.problems.empty()) << r.problems.front().reason;
    ASSERT_EQ(r.messages.size(), 1u);
    const DecodedMessage& m = r.messages[0];
    ASSERT_TRUE(m.heading);
    EXPECT_EQ(m.heading->designator, "UZNT13");
    EXPECT_EQ(m.heading->station, "KNHC");
    EXPECT_EQ(m.heading->time, "200250");
    ASSERT_EQ(m.parts.size(), 1u);
    const DecodedPart& a = m.parts[0];
    EXPECT_EQ(a.identifier, "XXAA");
    EXPECT_EQ(a.day, 20);
    EXPECT_EQ(a.hour, 3);
    EXPECT_TRUE(a.knots);
    EXPECT_EQ(a.indicator, "5");
    EXPECT_DOUBLE_EQ(*a.latitude, 15.3);
    EXPECT_DOUBLE_EQ(*a.longitude, -65.9);
    EXPECT_EQ(a.instrument, "09608");
    EXPECT_EQ(a.launchTime, 231);
    EXPECT_TRUE(a.terminated);

    struct Row {
        DecodedLevelKind kind;
        double pressure, height, temperature, depression, direction, speed;
    };
    const auto S = DecodedLevelKind::Standard;
    const Row rows[] = {
        {DecodedLevelKind::Surface, 1007, NAN, 29.4, 6.0, 285, 21},
        {S, 1000, 67, 28.8, 6.0, 285, 23},
        {S, 925, 755, 22.2, 1.7, 300, 27},
        {S, 850, 1489, 19.0, 2.7, 315, 24},
        {S, 700, 3139, 11.4, 4.2, 290, 22},
        {S, 500, 5870, -4.7, 9.0, 295, 22},
    };
    ASSERT_EQ(m.levels.size(), 7u);
    for (const Row& row : rows) {
        const DecodedLevel* l = find(m, row.kind, row.pressure);
        ASSERT_NE(l, nullptr) << row.pressure;
        if (!std::isnan(row.height)) {
            EXPECT_DOUBLE_EQ(l->height.value_or(NAN), row.height) << row.pressure;
        }
        EXPECT_DOUBLE_EQ(l->temperature.value_or(NAN), row.temperature) << row.pressure;
        EXPECT_DOUBLE_EQ(l->depression.value_or(NAN), row.depression) << row.pressure;
        EXPECT_DOUBLE_EQ(l->direction.value_or(NAN), row.direction) << row.pressure;
        EXPECT_DOUBLE_EQ(l->speed.value_or(NAN), row.speed) << row.pressure;
    }
    const DecodedLevel* extrapolated = find(m, DecodedLevelKind::ExtrapolatedAltitude, 400);
    ASSERT_NE(extrapolated, nullptr);
    EXPECT_DOUBLE_EQ(*extrapolated->height, 7600);

    ASSERT_TRUE(a.mission);
    EXPECT_EQ(a.mission->agencyAircraft, "AF302");
    EXPECT_EQ(a.mission->storm, "0715A");
    EXPECT_EQ(a.mission->missionId, "MARIA");
    EXPECT_EQ(a.mission->observation, 3);
    ASSERT_TRUE(a.remarks);
    const DecodedRemarks& rm = *a.remarks;
    EXPECT_EQ(rm.meanBoundaryLayerDirection, 290);
    EXPECT_EQ(rm.meanBoundaryLayerSpeed, 23);
    EXPECT_EQ(rm.version, 33304);
    EXPECT_EQ(rm.deepLayerDirection, 295);
    EXPECT_EQ(rm.deepLayerSpeed, 25);
    EXPECT_EQ(rm.deepLayerBottom, 1007);
    EXPECT_EQ(rm.deepLayerTop, 410);
    // The wrap cut "080" after its second figure.
    EXPECT_EQ(rm.layer150Direction, 285);
    EXPECT_EQ(rm.layer150Speed, 23);
    EXPECT_EQ(rm.layer150Altitude, 80);
    EXPECT_EQ(rm.other, "REL 1532N06587W 023155 SPG 1529N06581W 024152");
}

TEST(TempDecoderTest, LineEndsBlanksAndSeveralMessagesReadAlike) {
    const std::string lf = bulletin();
    std::string crlf, trailing, oneBlank;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (char c : lf) trailing += c == '\n' ? std::string("   \n") : std::string(1, c);
    oneBlank = lf;
    oneBlank.replace(oneBlank.find("XXAA  "), 6, "XXAA ");
    const DecodedMessage reference = decodeTempMessages(lf).messages.at(0);
    for (const std::string& text : {crlf, trailing, oneBlank, lf + "NNNN\n" + lf}) {
        const DecodeResult r = decodeTempMessages(text);
        EXPECT_TRUE(r.problems.empty());
        ASSERT_GE(r.messages.size(), 1u);
        for (const DecodedMessage& m : r.messages) {
            ASSERT_EQ(m.levels.size(), reference.levels.size());
            for (std::size_t i = 0; i < m.levels.size(); ++i) {
                EXPECT_EQ(m.levels[i].pressure, reference.levels[i].pressure);
                EXPECT_EQ(m.levels[i].temperature, reference.levels[i].temperature);
                EXPECT_EQ(m.levels[i].speed, reference.levels[i].speed);
            }
            EXPECT_EQ(m.parts[0].remarks->text, reference.parts[0].remarks->text);
            EXPECT_EQ(m.groupCount(), reference.groupCount());
        }
    }
    EXPECT_EQ(decodeTempMessages(lf + lf).messages.size(), 2u);
    // A remark wrapped by the earlier layout, the continuation after a blank.
    const std::string old = "XXBB 7003/ 99153 70659 04355 00007 29456\n"
                            "62626 SPL 1529N06581W 0244 LST WND 012 MBL WND 29023 KEV 30104 DLM\n"
                            " WND 29525 007410 =\n";
    const DecodeResult r = decodeTempMessages(old);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_TRUE(r.problems.empty());
    const DecodedRemarks& rm = *r.messages[0].parts[0].remarks;
    EXPECT_EQ(rm.splashTime, 244);
    EXPECT_DOUBLE_EQ(*rm.splashLatitude, 15.29);
    EXPECT_DOUBLE_EQ(*rm.splashLongitude, -65.81);
    EXPECT_EQ(rm.lastWindAltitude, 12);
    EXPECT_EQ(rm.deepLayerTop, 410);
    EXPECT_EQ(rm.other, "");
}

TEST(TempDecoderTest, MalformedGroupsAreReportedWhereTheyStandAndDecodingGoesOn) {
    std::string text = bulletin();
    text.replace(text.find("22217"), 5, "22A17");  // line 3, column 7
    text.replace(text.find("31524"), 5, "45024");  // a direction of 450 degrees
    const DecodeResult r = decodeTempMessages(text);
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[0].column, 7);
    EXPECT_EQ(r.problems[0].group, "22A17");
    EXPECT_EQ(r.problems[1].line, 3);
    EXPECT_EQ(r.problems[1].column, 31);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].levels.size(), 7u);  // every level still there
    EXPECT_NE(find(r.messages[0], DecodedLevelKind::Standard, 500), nullptr);

    // A group of part B in part A is reported and passed over.
    const DecodeResult misplaced = decodeTempMessages("XXAA  70035 99153 70659 04355 21212 99007 29456 28521 =");
    ASSERT_EQ(misplaced.problems.size(), 1u);
    EXPECT_EQ(misplaced.problems[0].group, "21212");
    ASSERT_EQ(misplaced.messages.size(), 1u);
    EXPECT_NE(find(misplaced.messages[0], DecodedLevelKind::Surface, 1007), nullptr);

    // Text that holds no message, and a part cut short.
    EXPECT_TRUE(decodeTempMessages("hello\nworld\n").messages.empty());
    const DecodeResult cut = decodeTempMessages("XXAA  70035 99153 70659 04355 99007 29456");
    ASSERT_EQ(cut.messages.size(), 1u);
    EXPECT_FALSE(cut.messages[0].parts[0].terminated);
    EXPECT_FALSE(cut.problems.empty());
}

TEST(TempDecoderTest, EveryRemarkVeltaWritesReadsBack) {
    const DecodedRemarks r = decodeRemarks(
        " EYEWALL 045 SPL 2512N07546W 1825 LST WND -3 MBL WND 27519 KEV 30104 REXMT OF OB 02 CORRECTED RPT "
        "LAST REPORT OBS 01 THRU 17 TO KNHC DLM WND 00519 008850 WL150 00000 084 ATCF AL122005");
    EXPECT_EQ(r.environment, "EYEWALL");
    EXPECT_EQ(r.azimuth, 45);
    EXPECT_DOUBLE_EQ(*r.splashLatitude, 25.12);
    EXPECT_DOUBLE_EQ(*r.splashLongitude, -75.46);
    EXPECT_EQ(r.splashTime, 1825);
    EXPECT_EQ(r.lastWindAltitude, -3);
    EXPECT_EQ(r.meanBoundaryLayerDirection, 275);
    EXPECT_EQ(r.meanBoundaryLayerSpeed, 19);
    EXPECT_EQ(r.version, 30104);
    EXPECT_EQ(r.retransmission, 2);
    EXPECT_TRUE(r.corrected);
    EXPECT_EQ(r.lastReportObservation, 17);
    EXPECT_EQ(r.lastReportStation, "KNHC");
    EXPECT_EQ(r.deepLayerDirection, 5);
    EXPECT_EQ(r.deepLayerBottom, 1008);
    EXPECT_EQ(r.deepLayerTop, 850);
    EXPECT_EQ(r.layer150Speed, 0);
    EXPECT_EQ(r.layer150Altitude, 84);
    EXPECT_EQ(r.atcf, "AL122005");
    EXPECT_EQ(r.other, "");
    // A layer reaching above the 100 mb surface has its top in tenths of mb.
    EXPECT_DOUBLE_EQ(*decodeRemarks(" DLM WND 26561 600926").deepLayerTop, 92.6);
}

TEST(TempDecoderTest, FiguresReadBackWithinTheirResolution) {
    std::optional<double> v, d, s;
    ASSERT_TRUE(decodeTemperature("123", v));
    EXPECT_DOUBLE_EQ(*v, -12.3);
    ASSERT_TRUE(decodeTemperature("001", v));
    EXPECT_DOUBLE_EQ(*v, -0.1);
    EXPECT_FALSE(decodeTemperature("1A3", v));
    ASSERT_TRUE(decodeDepression("99", v));
    EXPECT_DOUBLE_EQ(*v, 49);
    EXPECT_FALSE(decodeDepression("53", v));
    ASSERT_TRUE(decodeWind("36117", d, s));
    EXPECT_EQ(*d, 360);
    ASSERT_TRUE(decodeWind("00617", d, s));
    EXPECT_EQ(*d, 5);
    EXPECT_EQ(*s, 117);
    ASSERT_TRUE(decodeWind("00000", d, s));
    EXPECT_EQ(*s, 0);
    EXPECT_FALSE(decodeWind("36517", d, s));
    ASSERT_TRUE(decodeHeight("530", 1000, v));
    EXPECT_EQ(*v, -30);
    ASSERT_TRUE(decodeHeight("036", 250, v));
    EXPECT_EQ(*v, 10360);
    ASSERT_TRUE(decodeHeight("060", 50, v));
    EXPECT_EQ(*v, 20600);
    ASSERT_TRUE(decodePressure("853", true, v));
    EXPECT_DOUBLE_EQ(*v, 85.3);
    ASSERT_TRUE(decodePressure("013", false, v));
    EXPECT_DOUBLE_EQ(*v, 1013);
}

}  // namespace
}  // namespace velta
