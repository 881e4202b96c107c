#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelFixture.h"
#include "wmo/Heading.h"
#include "wmo/MessageCoder.h"
#include "wmo/Remarks.h"

namespace velta {
namespace {

using namespace velta::test;

RemarkEntries fullEntries() {
    RemarkEntries e;
    e.icao = "KNHC";
    e.correctionNumber = 3;
    e.agencyAircraft = "AF302";
    e.missionStorm = "1412A";
    e.missionId = "KATRINA";
    e.observationNumber = "17";
    e.environment = "EYEWALL";
    e.azimuth = 45.7;
    e.retransmission = "2";
    e.correctedReport = true;
    e.lastReport = true;
    e.atcfId = "AL122005";
    return e;
}

std::vector<Level> remarkLevels() {
    return sorted({
        makeLevel(LevelType::SurfaceThermodynamic,
                  {{V::Time, 905.6}, {V::Pres, 1008}, {V::Lat, 25.123}, {V::Lon, -75.456}}),
        makeLevel(LevelType::LastWindAltitude62626, {{V::Time, 900}, {V::Pres, 1008}, {V::Alt, -3.4}}),
        makeLevel(LevelType::MeanBLWind62626, {{V::Pres, 960}, {V::Alt, 500}, {V::Wspd, 10}, {V::Wdir, 273}}),
        makeLevel(LevelType::DeepLayerMeanWind62626, {{V::Pres, 1008},
                                                      {V::Wspd, 10},
                                                      {V::Wdir, 4},
                                                      {V::LayerBottomPres, 1008},
                                                      {V::LayerTopPres, 850}}),
        makeLevel(LevelType::LayerMeanWind150m62626,
                  {{V::Pres, 1000}, {V::Wspd, 0.2}, {V::Wdir, 100}, {V::Alt, 84.9}}),
        withWind(standardLevel(1000, 60, 27, 100), 10, 90),
    });
}

const int64_t MessageTime = calendarTime(2005, 8, 28, 18, 35, 0);

TEST(RemarksTest, CodedMessageCarriesPlaceholders) {
    const TempMessage m = codeDropMessage(remarkLevels(), dropHeader(), false);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Heading), (std::vector<std::string>{"UZNT13 UZxx13 000000"}));
    for (int part = 0; part < 2; ++part)
        EXPECT_EQ(groupTexts(m, part, SectionOrder::Remarks), (std::vector<std::string>{"61616"}));
}

TEST(RemarksTest, EntriesRewriteHeadingAndRemarksOfEveryPart) {
    TempMessage m = codeDropMessage(remarkLevels(), dropHeader(), false);
    applyRemarkEntries(m, remarkLevels(), dropHeader(), fullEntries(), MessageTime, "3.1.4");
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Heading),
              (std::vector<std::string>{"UZNT13 KNHC 281835 COR 03"}));
    const std::string remark =
        "62626 EYEWALL 045 SPL 2512N07546W 1825 LST WND -3 MBL WND 27519 KEV 30104 REXMT OF OB 02 CORRECTED "
        "RPT "
        "LAST REPORT OBS 01 THRU 17 TO KNHC DLM WND 00519 008850 WL150 00000 084 ATCF AL122005";
    const std::vector<std::string> expected = {"61616 AF302 1412A KATRINA      OB 17", remark};
    for (int part = 0; part < 2; ++part) EXPECT_EQ(groupTexts(m, part, SectionOrder::Remarks), expected);

    // Applying again gives the same message, not a second set of remarks.
    const std::vector<std::string> lines = m.lines();
    applyRemarkEntries(m, remarkLevels(), dropHeader(), fullEntries(), MessageTime, "3.1.4");
    EXPECT_EQ(m.lines(), lines);

    // The remark is wrapped hard at column 65, the next line going on in
    // column 1. The second piece ends in a blank, which stays in its 65th
    // column; the terminator ends the last.
    ASSERT_EQ(remark[129], ' ');
    const std::string text = m.text(false);
    EXPECT_NE(text.find("\r\n61616 AF302 1412A KATRINA      OB 17\r\n" + remark.substr(0, 65) + "\r\n" +
                        remark.substr(65, 65) + "\r\n" + remark.substr(130) + " =\r\nXXBB"),
              std::string::npos)
        << text;
}

TEST(RemarksTest, OperatorEditsAfterTheRemarksAreReplaced) {
    TempMessage m = codeDropMessage(remarkLevels(), dropHeader(), true);
    MessageSection* remarks = m.findPart(1)->findSection(SectionOrder::Remarks);
    remarks->add("EXTRA");
    applyRemarkEntries(m, remarkLevels(), dropHeader(), fullEntries(), MessageTime, "3.1.4");
    ASSERT_EQ(remarks->groups().size(), 2u);
    EXPECT_EQ(remarks->groups()[0].text().substr(0, 5), "61616");
    EXPECT_TRUE(remarks->groups()[0].startsLine());
    EXPECT_EQ(remarks->groups()[1].text().substr(0, 5), "62626");

    // Figures of the free texts do not confuse the rewriting.
    RemarkEntries odd = fullEntries();
    odd.missionId = "62626";
    applyRemarkEntries(m, remarkLevels(), dropHeader(), odd, MessageTime, "3.1.4");
    ASSERT_EQ(remarks->groups().size(), 2u);
    EXPECT_EQ(remarks->groups()[0].text(), "61616 AF302 1412A 62626        OB 17");
}

TEST(RemarksTest, MissionGroupObservationNumber) {
    struct Case {
        const char* entry;
        const char* mission;
        const char* lastReport;
    };
    const Case cases[] = {{"", "OB 99", "THRU 01"},
                          {"0", "OB 99", "THRU 00"},
                          {"-5", "OB 99", "THRU 01"},
                          {"17", "OB 17", "THRU 17"},
                          {"x", "OB 99", "THRU 01"}};
    for (const Case& c : cases) {
        RemarkEntries e;
        e.observationNumber = c.entry;
        e.lastReport = true;
        e.icao = "KBIX";
        const std::string mission = missionGroup(e);
        EXPECT_EQ(mission, std::string("61616                          ") + c.mission) << c.entry;
        EXPECT_NE(remarkText({}, dropHeader(), e, "")
                      .find(std::string(" LAST REPORT OBS 01 ") + c.lastReport + " TO KBIX"),
                  std::string::npos)
            << c.entry;
    }
    // Entries longer than their fields are cut to keep the columns.
    RemarkEntries e = fullEntries();
    e.agencyAircraft = "AF302XYZ";
    e.missionId = "KATRINA-LONG-NAME";
    EXPECT_EQ(missionGroup(e), "61616 AF302 1412A KATRINA-LONG OB 17");
}

TEST(RemarksTest, RemarkPiecesByTheirConditions) {
    const SoundingHeader h = dropHeader();
    // A splash level without a position still gives its time.
    const std::vector<Level> timeOnly = {
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Time, 905.6}, {V::Pres, 1008}}),
        makeLevel(LevelType::LastWindAltitude62626, {{V::Pres, 1008}, {V::Alt, 12}}),
    };
    EXPECT_EQ(remarkText(timeOnly, h, RemarkEntries(), ""), " 1825 LST WND 012");

    // Past midnight the splash time is the time of day.
    SoundingHeader late = h;
    late.hour = 23;
    late.minute = 50;
    late.second = 0;
    EXPECT_EQ(remarkText({timeOnly[0]}, late, RemarkEntries(), ""), " 0005");
    late.minute = 44;
    late.second = 55;  // 23:44:55 + 905 s is exactly midnight
    EXPECT_EQ(remarkText({timeOnly[0]}, late, RemarkEntries(), ""), " 0000");

    // A sonde that never splashed ends in a surface level without a pressure:
    // its time is no splash time, and only the last wind is remarked.
    const std::vector<Level> lost = {
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Time, 545.0}}),
        makeLevel(LevelType::LastWindAltitude62626, {{V::Pres, 950}, {V::Alt, 486}}),
    };
    EXPECT_EQ(remarkText(lost, h, RemarkEntries(), ""), " LST WND 486");

    // Excluded splash levels, last-wind altitudes of 1000 m and more, winds
    // without a direction say nothing.
    const std::vector<Level> silent = {
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Time, 905.6}, {V::Lat, 25}, {V::Lon, -75}}, true),
        makeLevel(LevelType::LastWindAltitude62626, {{V::Alt, 1000}}),
        makeLevel(LevelType::MeanBLWind62626, {{V::Wspd, 10}}),
    };
    EXPECT_EQ(remarkText(silent, h, RemarkEntries(), ""), "");

    RemarkEntries eye;
    eye.environment = "EYE";
    eye.azimuth = 45;
    EXPECT_EQ(remarkText({}, h, eye, "2.6.1"), " EYE KEV 20601");
}

TEST(RemarksTest, NothingToRemarkLeavesNo62626Group) {
    TempMessage m = codeDropMessage({standardLevel(1000, 60, 27, 100)}, dropHeader(), true);
    applyRemarkEntries(m, {standardLevel(1000, 60, 27, 100)}, dropHeader(), RemarkEntries(), MessageTime, "");
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Remarks),
              (std::vector<std::string>{"61616                          OB 99"}));
}

TEST(RemarksTest, VersionNumbers) {
    EXPECT_EQ(versionNumber("3.1.4"), 30104);
    EXPECT_EQ(versionNumber("2.6.1"), 20601);
    EXPECT_EQ(versionNumber("9.99.99"), 99999);
    EXPECT_EQ(versionNumber("10.0.0"), 0);
    EXPECT_EQ(versionNumber("1.2.3.4"), 0);
    EXPECT_EQ(versionNumber(""), 0);
}

TEST(RemarksTest, HeadingBasinOverrideAndCorrection) {
    struct Case {
        double lat, lon;
        const char* basin;
    };
    const Case cases[] = {{25, -75, "NT"},    {0, 41, "PA"},     {8.75, -70.1, "PN"}, {8.8, -70.1, "NT"},
                          {10, -84, "PN"},    {14, -85, "PN"},   {15, -85, "NT"},     {17.5, -91, "PN"},
                          {30, -100.1, "PN"}, {30, -99.9, "NT"}, {-20, 40, "NT"}};
    for (const Case& c : cases) EXPECT_EQ(basinCode(c.lat, c.lon), c.basin) << c.lat << "," << c.lon;
    SoundingHeader noPosition = dropHeader();
    noPosition.launchLatitudeValid = false;
    noPosition.launchLongitude = 150;
    EXPECT_EQ(basinCode(noPosition), "NT");

    EXPECT_EQ(abbreviatedHeading("PN", "", "KBIX", MessageTime, 0), "UZPN13 KBIX 281835");
    EXPECT_EQ(abbreviatedHeading("PN", "URNT11", "KBIX", MessageTime, 1), "URNT11 KBIX 281835 COR 01");
    EXPECT_EQ(abbreviatedHeading("NT", "      ", "KBIX", MessageTime, 0), "UZNT13 KBIX 281835");
    EXPECT_EQ(placeholderHeading(), "UZNT13 UZxx13 000000");
}

}  // namespace
}  // namespace velta
