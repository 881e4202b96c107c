#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReadText.h"
#include "io/KarvoReader.h"

namespace velta {
namespace {

using test::fixture;
using test::readText;
using ::testing::DoubleNear;
using ::testing::Each;
using ::testing::ElementsAre;

const std::string First = "KARVO-T01 Karvo airborne data system raw sounding file\r\n";

std::string launch(const std::string& date = "050827", const std::string& time = "183401.75") {
    return "KARVO-T01 LAU 123456789 " + date + " " + time + "\r\n";
}

std::string data(const std::string& date = "050827", const std::string& time = "183402.25",
                 const std::string& pressure = "1010.00") {
    return "KARVO-D01 S00 123456789 " + date + " " + time + " " + pressure +
           " 27.50 85.00 95.00 6.50 -10.50 -80.499000 17.251000 7490.00 8 86.00 87.00 0.00 0.00 7495.00\r\n";
}

TEST(KarvoReader, ReadsEveryRecordOfAVersion16File) {
    const SoundingFile file = readText(fixture("karvo_v16.txt"));
    ASSERT_TRUE(file.valid()) << file.errorText();
    EXPECT_EQ(file.errorText(), "");
    EXPECT_EQ(file.fileKind(), FileKind::Karvo);
    EXPECT_EQ(file.systemFamily(), 0);
    const auto* karvo = dynamic_cast<const KarvoReader*>(file.reader());
    ASSERT_NE(karvo, nullptr);
    EXPECT_DOUBLE_EQ(karvo->formatVersion(), 1.6);
    EXPECT_DOUBLE_EQ(karvo->pressureCorrection(), 0.2);

    const RawData& raw = file.raw();
    const RawRecords& r = raw.records;
    ASSERT_EQ(r.count(), 3);
    // Tenths only: 183402.25 - 183401.75 is 0.5 s (2 tenths after 7 tenths).
    EXPECT_THAT(r.time, ElementsAre(DoubleNear(0.5, 1e-9), DoubleNear(1.3, 1e-9), DoubleNear(1.8, 1e-9)));
    // Corrected by the dynamic error 0.2 and 0.4 hPa; the 9999 sentinel stays missing.
    EXPECT_THAT(r.pressure, ElementsAre(DoubleNear(1010.6, 1e-9), -999.0, DoubleNear(1005.6, 1e-9)));
    EXPECT_THAT(r.temperature, ElementsAre(27.5, -999.0, 0.0));  // "xyz" reads as 0
    EXPECT_THAT(r.rh1, ElementsAre(85.0, -999.0, -999.0));       // "nan" is missing
    EXPECT_THAT(r.windDirection, ElementsAre(95.0, -999.0, 100.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(6.5, -999.0, 7.0));
    EXPECT_THAT(r.dz, ElementsAre(-10.5, -999.0, -11.0));
    EXPECT_THAT(r.longitude, ElementsAre(-80.499, -999.0, -80.498));
    EXPECT_THAT(r.latitude, ElementsAre(17.251, -999.0, 17.252));
    EXPECT_THAT(r.altitude, ElementsAre(7490.0, -999.0, 7440.0));
    EXPECT_THAT(r.sats, ElementsAre(8.0, -999.0, 10.0));
    EXPECT_THAT(r.rh2, ElementsAre(86.0, -999.0, 88.0));
    EXPECT_THAT(r.rh3, ElementsAre(87.0, -999.0, 89.0));
    EXPECT_THAT(r.gpsAltitude, ElementsAre(7495.0, -999.0, 7446.0));
    EXPECT_THAT(r.status, ElementsAre(-999.0, 1.0, -999.0));

    EXPECT_FALSE(raw.ascending);
    EXPECT_EQ(raw.year, 2005);
    EXPECT_EQ(raw.month, 8);
    EXPECT_EQ(raw.day, 27);
    EXPECT_EQ(raw.timeOfDay(), 183401);
    EXPECT_DOUBLE_EQ(raw.pressure, 1012.5);
    EXPECT_DOUBLE_EQ(raw.temperature, 28.3);
    EXPECT_DOUBLE_EQ(raw.rh, 80.0);
    EXPECT_DOUBLE_EQ(raw.direction, 90.0);
    EXPECT_DOUBLE_EQ(raw.speed, 5.0);
    EXPECT_DOUBLE_EQ(raw.longitude, -80.5);
    EXPECT_DOUBLE_EQ(raw.latitude, 17.25);
    EXPECT_DOUBLE_EQ(raw.altitude, 7510.0);  // field 20 from version 1.6 on
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, 7510.0);
    EXPECT_DOUBLE_EQ(raw.ptuwindtimediff, 0.5);

    EXPECT_EQ(raw.sondeid, "123456789");
    EXPECT_EQ(raw.projectid, "HURR05, AF302");
    EXPECT_EQ(raw.platformtype, "WC-130J AF305");
    EXPECT_EQ(raw.soundingdescription, "123456789 HURR05, AF302 WC-130J AF305");
    EXPECT_EQ(raw.operatorName, "OPS1");
    EXPECT_EQ(raw.comments, "calm, Eye drop");  // "clear" (third element) is dropped
    EXPECT_EQ(raw.launchobssource, "Dropsonde");
    EXPECT_EQ(raw.launchobstime, "12:00:00");
    EXPECT_EQ(raw.datatype, "FULL, Channel 1");
    EXPECT_EQ(raw.sondemodel, "RD93");
    EXPECT_EQ(raw.missionid, "");
    EXPECT_EQ(raw.trackingtype, "08");
    EXPECT_EQ(raw.radiationcorr, "0");
    EXPECT_EQ(raw.equipmenttype, "8");
    EXPECT_EQ(raw.sondetype, "96");
    EXPECT_EQ(file.title(), "test.txt 123456789 HURR05, AF302 WC-130J AF305");
}

TEST(KarvoReader, WithoutVersionRecordReadsVersion14) {
    const SoundingFile file = readText(test::withoutLine(fixture("karvo_v16.txt"), " FMT "));
    ASSERT_TRUE(file.valid());
    EXPECT_THAT(file.raw().records.gpsAltitude, Each(-999.0));
    EXPECT_DOUBLE_EQ(file.raw().altitude, 7500.0);  // field 14
    EXPECT_DOUBLE_EQ(file.raw().gpsaltitude, -999.0);
}

TEST(KarvoReader, VersionRecordAnywhereAppliesToEveryRecord) {
    std::string text = test::withoutLine(fixture("karvo_v16.txt"), " FMT ");
    text += "KARVO-T01 FMT Version: 1.6 (Karvo data system)\r\n";
    const SoundingFile file = readText(text);
    EXPECT_THAT(file.raw().records.gpsAltitude, ElementsAre(7495.0, -999.0, 7446.0));
}

TEST(KarvoReader, ErrorTexts) {
    const std::string beforeLaunch = "Sounding data (S) line occurs before launch (LAU) line in file.\n";
    const std::string noLaunch = "No launch line (LAU) found in file.\n";
    const std::string badTime = "Launch date or time is invalid.\n";
    const std::string noData = "No sounding data found in file.\n";
    struct Case {
        const char* name;
        std::string text;
        std::string errors;
    };
    const Case cases[] = {
        {"data before launch", First + data() + launch() + data(), beforeLaunch + noData},
        {"no launch, no data", First, noLaunch + noData},
        {"launch without data", First + launch(), noData},
        {"launch line too short", First + "KARVO-T01 LAU 1 050827 183401\r\n", noLaunch + noData},
        {"minute 64", First + launch("050827", "186401.00") + data(), badTime},
        {"month 13", First + launch("051327") + data("051327"), badTime},
        {"hour 24, no data", First + launch("050827", "240000.00"), badTime + noData},
        {"day 00", First + launch("050800") + data("050800"), badTime},
        {"31 April", First + launch("050431") + data("050431"), badTime},
    };
    for (const auto& c : cases) {
        const SoundingFile file = readText(c.text);
        EXPECT_EQ(file.errorText(), c.errors) << c.name;
        EXPECT_EQ(file.valid(), c.errors.empty()) << c.name;
    }
}

TEST(KarvoReader, CenturyOfTwoDigitYears) {
    struct Case {
        const char* date;
        int year;
    };
    for (const Case c :
         {Case{"050827", 2005}, Case{"950827", 1995}, Case{"890101", 2089}, Case{"900101", 1990}}) {
        const SoundingFile file = readText(First + launch(c.date) + data(c.date));
        EXPECT_EQ(file.raw().year, c.year) << c.date;
    }
    // A drop across midnight at the turn of the century keeps counting seconds.
    const SoundingFile file = readText(First + launch("991231", "235959.50") + data("000101", "000001.00"));
    ASSERT_TRUE(file.valid());
    EXPECT_NEAR(file.raw().records.time.at(0), 1.5, 1e-9);
}

TEST(KarvoReader, CommentRecords) {
    auto comment = [](const std::string& label, const std::string& value) {
        return "KARVO-T01" + label + value + "\r\n";
    };
    const std::string text = First + launch() + data() +
                             comment(" COM Operator Comments:    ", "first words") +
                             comment(" COM Standard Comments:    ", "Eye drop") +
                             comment(" COM Operator Name:        ", "J. Smith") +
                             comment(" COM Project Name/Mission I", "D: MISSION7") +
                             comment(" COM Sonde Type/ID/Ver/Batt", " Voltage: RD94, 1234, 2.1, 9.0V") +
                             comment(" COM Pre-launch Obs Data Sy", "stem/Time: Manual entry") +
                             comment(" COM Operator Name: ", "ignored: the label must be exact");
    const RawData raw = readText(text).raw();
    EXPECT_EQ(raw.comments, "first words, Eye drop");
    EXPECT_EQ(raw.operatorName, "J. Smith");
    EXPECT_EQ(raw.projectid, "MISSION7");
    EXPECT_EQ(raw.soundingdescription, "123456789 MISSION7");
    EXPECT_EQ(raw.sondemodel, "RD94");
    EXPECT_EQ(raw.launchobssource, "Manual entry");
    EXPECT_EQ(raw.launchobstime, "");
}

TEST(KarvoReader, LongLinesAreReadWholeAndTheReadingGoesOn) {
    const std::string longComment(400, 'c');
    const std::string text = First + launch() + "KARVO-T01 COM Standard Comments:    " + longComment +
                             "\r\n" + data("050827", "183402.25", "1010.00" + std::string(300, ' ')) + data();
    const SoundingFile file = readText(text);
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.raw().comments, longComment);
    EXPECT_EQ(file.raw().records.count(), 2);
    EXPECT_THAT(file.raw().records.pressure, Each(DoubleNear(1010.4, 1e-9)));
}

TEST(KarvoReader, LineEndsOfEveryKindAndNoFinalLineEnd) {
    std::string crlf = fixture("karvo_v16.txt");
    std::string lf, cr;
    for (char c : crlf) {
        if (c != '\r') lf += c;
        if (c != '\n') cr += c;
    }
    for (const std::string& text : {lf, cr, lf.substr(0, lf.size() - 1)}) {
        const SoundingFile file = readText(text);
        ASSERT_TRUE(file.valid());
        EXPECT_EQ(file.raw().records.count(), 3);
        EXPECT_DOUBLE_EQ(file.raw().records.gpsAltitude.back(), 7446.0);
    }
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

TEST(KarvoReader, ReadsTheSampleDrops) {
    struct Case {
        const char* name;
        int records;
        bool gps;
    };
    for (const Case c : {Case{"D20250915_174512.1", 984, true}, Case{"D20250915_181630.1", 825, true},
                         Case{"D20250916_203000.1", 1693, false}}) {
        const SoundingFile file(test::sourcePath(std::string("samples/") + c.name));
        ASSERT_TRUE(file.valid()) << c.name << ": " << file.errorText();
        const RawData& raw = file.raw();
        EXPECT_EQ(raw.records.count(), c.records) << c.name;
        EXPECT_EQ(raw.records.gpsAltitude.back() != -999.0, c.gps) << c.name;
        EXPECT_GE(raw.records.time.front(), 0.0) << c.name;
        EXPECT_FALSE(raw.operatorName.empty()) << c.name;
        EXPECT_FALSE(raw.projectid.empty()) << c.name;
    }
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;

// A format 1.7 record: code (letter and the two part digits), sonde id, time,
// pressure and GPS altitude; PTU sentinels when the pressure is 9999.00.
std::string record17(const std::string& code, const std::string& id, const std::string& time,
                     const std::string& pressure, const std::string& gps = "7495.00") {
    const bool ptu = pressure != "9999.00";
    return "KARVO-D01 " + code + " " + id + " 231129 " + time + " " + pressure + (ptu ? " 27.50 85.00" : " 99.00 999.00") +
           " 95.00 6.50 -10.50 -80.499000 17.251000 7490.00 8 86.00 999.00 0.30 9.00 " + gps + "\r\n";
}

const std::string Station17 = "KARVO-T01 STA 234150010 231129 154000.00\r\n";
const std::string Format17 = "KARVO-T01 FMT  FMT 1.7, 0.25 second winds\r\n";

TEST(KarvoReader, Format17StatusDigitsFlagEachPartAndTimesKeepHundredths) {
    const std::string text = Station17 + "KARVO-T01 LAU 234150010 231129 154352.25\r\n" +
                             record17("S00", "234150010", "154352.50", "700.00") +
                             record17("S10", "234150010", "154352.75", "9999.00") +
                             record17("S01", "234150010", "154353.00", "700.60") +
                             record17("S11", "234150010", "154353.25", "9999.00") + Format17;
    const SoundingFile file = readText(text);
    ASSERT_TRUE(file.valid()) << file.errorText();
    const RawData& raw = file.raw();
    EXPECT_TRUE(raw.statusByPart);
    EXPECT_THAT(raw.records.time, ElementsAre(DoubleNear(0.25, 1e-9), DoubleNear(0.5, 1e-9),
                                              DoubleNear(0.75, 1e-9), DoubleNear(1.0, 1e-9)));
    EXPECT_THAT(raw.records.status, ElementsAre(-999.0, kStatusPtu, kStatusWind, kStatusPtu | kStatusWind));
    // Sentinels decide what is missing, whatever the digits say.
    EXPECT_THAT(raw.records.windSpeed, ElementsAre(6.5, 6.5, 6.5, 6.5));
    EXPECT_THAT(raw.records.pressure, ElementsAre(DoubleNear(700.4, 1e-9), -999.0, DoubleNear(701.0, 1e-9), -999.0));

    // Older formats keep tenths and one digit for the whole record.
    const SoundingFile older = readText(test::withoutLine(text, " FMT "));
    EXPECT_FALSE(older.raw().statusByPart);
    EXPECT_THAT(older.raw().records.time, ElementsAre(DoubleNear(0.3, 1e-9), DoubleNear(0.5, 1e-9),
                                                      DoubleNear(0.8, 1e-9), DoubleNear(1.0, 1e-9)));
    EXPECT_THAT(older.raw().records.status, ElementsAre(-999.0, 1.0, -999.0, 1.0));
}

TEST(KarvoReader, Format17TrailerComments) {
    const std::string text =
        Station17 + "KARVO-T01 LAU 234150010 231129 154352.00\r\n" + record17("S00", "234150010", "154352.50", "700.00") +
        "KARVO-T01 COM Operator Name/Comments:  K. Aalto, Eye drop \xB0 near the wall\r\n"
        "KARVO-T01 COM Sonde ID/Type/Rev/Built/Sensors: 234150010, 3, A2, 20231129T154352Z, KPTU-7,KGPS-3\r\n"
        "KARVO-T01 COM Standard Comments:    Late Winds, Bad Pressure\r\n" + Format17;
    const RawData raw = readText(text).raw();
    EXPECT_EQ(raw.sondetypecode, "3");
    EXPECT_EQ(raw.sondemodel, "KPTU-7");
    EXPECT_EQ(raw.standardcomments, "Late Winds, Bad Pressure");
    EXPECT_EQ(raw.operatorcomments, "Eye drop   near the wall");  // the stray byte reads as a blank
    EXPECT_EQ(raw.operatorName, "K. Aalto");
    EXPECT_EQ(raw.comments, "Eye drop   near the wall, Late Winds, Bad Pressure");
}

TEST(KarvoReader, TheFallingSondeIsKeptAndOtherSondesAreSetAside) {
    // Falling: pressure rises and the GPS altitude falls. Cabin: valid but at
    // rest. Empty: sentinels only.
    struct Case {
        const char* name;
        std::string launchId;
        std::vector<std::string> otherIds;  // interleaved with the falling sonde "234150010"
        std::string kept;
    };
    const Case cases[] = {{"a sonde at rest in the cabin", "234150010", {"234150022"}, "234150010"},
                          {"launch record names the empty sonde", "234150033", {"234150033"}, "234150010"},
                          {"two other sondes", "234150010", {"234150022", "234150033"}, "234150010"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = Station17 + "KARVO-T01 LAU " + c.launchId + " 231129 154352.00\r\n";
        for (int k = 0; k < 8; ++k) {
            char time[16], pres[16], gps[16];
            std::snprintf(time, sizeof time, "1543%02d.00", 53 + k);
            std::snprintf(pres, sizeof pres, "%.2f", 700.0 + 4.0 * k);
            std::snprintf(gps, sizeof gps, "%.2f", 3000.0 - 40.0 * k);
            text += record17("S00", "234150010", time, pres, gps);
            for (const std::string& other : c.otherIds) {
                if (other == "234150022") text += record17("S00", other, time, "844.00", "3000.00");
                if (other == "234150033") text += record17("S11", other, time, "9999.00", "99999.00");
            }
        }
        const RawData raw = readText(text + Format17).raw();
        EXPECT_EQ(raw.sondeid, c.kept);
        EXPECT_EQ(raw.records.count(), 8);
        EXPECT_THAT(raw.records.pressure.back(), DoubleNear(728.4, 1e-9));
        ASSERT_EQ(raw.setAsideSondes.size(), c.otherIds.size());
        for (std::size_t k = 0; k < c.otherIds.size(); ++k) {
            EXPECT_EQ(raw.setAsideSondes[k].id, c.otherIds[k]);
            EXPECT_EQ(raw.setAsideSondes[k].records, 8);
        }
    }
}

}  // namespace
}  // namespace velta
