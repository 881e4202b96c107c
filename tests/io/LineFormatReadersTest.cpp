// The VIRA and HALVO readers: the Karvo line records in one pass, with their
// own comments and differences.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ReadText.h"
#include "io/HalvoReader.h"

namespace velta {
namespace {

using test::fixture;
using test::readText;
using ::testing::DoubleNear;
using ::testing::Each;
using ::testing::ElementsAre;

TEST(ViraReader, ReadsItsRecordsAndComments) {
    const SoundingFile file = readText(fixture("vira_example.txt"));
    ASSERT_TRUE(file.valid()) << file.errorText();
    EXPECT_EQ(file.fileKind(), FileKind::Vira);
    EXPECT_EQ(file.systemFamily(), 4);
    const RawData& raw = file.raw();
    const RawRecords& r = raw.records;
    EXPECT_TRUE(raw.ascending);
    EXPECT_THAT(r.time, ElementsAre(DoubleNear(1.3, 1e-9), DoubleNear(2.3, 1e-9)));
    // No dynamic error correction in VIRA (its comment is not read): only 0.4 hPa.
    EXPECT_THAT(r.pressure, ElementsAre(DoubleNear(1007.4, 1e-9), DoubleNear(1006.4, 1e-9)));
    EXPECT_THAT(r.altitude, ElementsAre(12.0, 20.0));
    EXPECT_THAT(r.gpsAltitude, ElementsAre(13.0, -999.0));  // field 20, always
    EXPECT_THAT(r.rh2, Each(-999.0));
    EXPECT_EQ(raw.year, 2010);
    EXPECT_EQ(raw.timeOfDay(), 120000);
    EXPECT_DOUBLE_EQ(raw.pressure, 1008.2);
    EXPECT_DOUBLE_EQ(raw.longitude, -81.25);
    EXPECT_DOUBLE_EQ(raw.latitude, 24.75);
    EXPECT_DOUBLE_EQ(raw.altitude, 6.0);  // field 20, not field 14
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, 6.0);
    EXPECT_DOUBLE_EQ(raw.ptuwindtimediff, 0.0);  // T/T ignored
    EXPECT_EQ(raw.platformtype, "ORVA VIRA");
    EXPECT_EQ(raw.projectid, "STORM");
    EXPECT_EQ(raw.missionid, "M12");
    EXPECT_EQ(raw.soundingdescription, "987654 STORM, M12");
    EXPECT_EQ(raw.operatorName, "OPS3");
    EXPECT_EQ(raw.comments, "windy, Ship launch");
    EXPECT_EQ(raw.datatype, "PTU+GPS");
    EXPECT_EQ(raw.launchobssource, "Ship mast");
    EXPECT_EQ(raw.launchobstime, "");
    EXPECT_EQ(raw.sondemodel, "RS41-SGP");
    EXPECT_EQ(raw.sondetype, "96");
    EXPECT_EQ(raw.trackingtype, "08");
}

TEST(HalvoReader, ReadsItsRecordsAndComments) {
    const SoundingFile file = readText(fixture("halvo_example.txt"));
    ASSERT_TRUE(file.valid()) << file.errorText();
    EXPECT_EQ(file.fileKind(), FileKind::Halvo);
    EXPECT_EQ(file.systemFamily(), 0);
    const auto* halvo = dynamic_cast<const HalvoReader*>(file.reader());
    ASSERT_NE(halvo, nullptr);
    EXPECT_DOUBLE_EQ(halvo->pressureCorrection(), -0.1);
    const RawData& raw = file.raw();
    const RawRecords& r = raw.records;
    EXPECT_TRUE(raw.ascending);
    // The first line has a launch record's layout but is never one: the launch is 09-03-01 06:00:00.
    EXPECT_EQ(raw.year, 2009);
    EXPECT_EQ(raw.month, 3);
    EXPECT_EQ(raw.timeOfDay(), 60000);
    EXPECT_THAT(r.time, ElementsAre(DoubleNear(1.0, 1e-9), DoubleNear(2.0, 1e-9)));
    EXPECT_THAT(r.pressure, ElementsAre(DoubleNear(1015.3, 1e-9), DoubleNear(1014.3, 1e-9)));
    EXPECT_THAT(r.gpsAltitude, ElementsAre(20.0, 28.0));  // the altitude of field 14
    EXPECT_THAT(r.rh2, ElementsAre(91.0, -999.0));
    EXPECT_DOUBLE_EQ(raw.longitude, -75.25);
    EXPECT_DOUBLE_EQ(raw.latitude, 38.5);
    EXPECT_DOUBLE_EQ(raw.altitude, 12.0);
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, -999.0);
    EXPECT_DOUBLE_EQ(raw.ptuwindtimediff, 0.3);
    EXPECT_EQ(raw.platformtype, "ORVA HALVO");
    EXPECT_EQ(raw.projectid, "CLIMATE");
    EXPECT_EQ(raw.missionid, "F07");
    EXPECT_EQ(raw.soundingdescription, "555000111 CLIMATE, F07");
    EXPECT_EQ(raw.operatorName, "OPS4");
    EXPECT_EQ(raw.comments, "overcast, drizzle");  // everything after the first comma
    EXPECT_EQ(raw.datatype, "FULL, Ch 3");
    EXPECT_EQ(raw.launchobssource, "Tower");
    EXPECT_EQ(raw.launchobstime, "05:59:00");
    EXPECT_EQ(raw.sondemodel, "RS92-SGP");
    EXPECT_EQ(raw.equipmenttype, "8");
}

TEST(LineFormatReaders, FirstLineIsARecordForViraButNotForHalvo) {
    const std::string rest =
        "XXXXX0D01 S00 1 100615 120001.30 1007.00 25.00 76.00 181.00 3.50 5.10 -81.2 24.7 12.00 10 76.00 76.00 0 0 "
        "12.00\n";
    const SoundingFile vira = readText("VIRA-0T01 LAU 987654 100615 120000.00\n" + rest);
    EXPECT_TRUE(vira.valid()) << vira.errorText();
    EXPECT_EQ(vira.raw().sondeid, "987654");
    const SoundingFile halvo = readText("HALVO0T01 LAU 987654 100615 120000.00\n" + rest);
    EXPECT_FALSE(halvo.valid());
    EXPECT_EQ(halvo.errorText(),
              "Sounding data (S) line occurs before launch (LAU) line in file.\n"
              "No sounding data found in file.\n");
}

TEST(LineFormatReaders, OperatorWithoutCommaAndMissingLaunchAreHandled) {
    const SoundingFile halvo = readText(
        "halvo file\nHALVO0T01 COM Operator Comments:    never mind\nHALVO0T01 COM Operator Name/Comments: "
        "OPS9\n");
    EXPECT_FALSE(halvo.valid());
    EXPECT_EQ(halvo.errorText(), "No launch line (LAU) found in file.\nNo sounding data found in file.\n");
    EXPECT_EQ(halvo.raw().operatorName, "OPS9");
    EXPECT_EQ(halvo.raw().comments, "");  // no comma: the comments are emptied
}

}  // namespace
}  // namespace velta
