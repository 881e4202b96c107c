// The TURVA and FENRO table formats.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ReadText.h"

namespace velta {
namespace {

using test::fixture;
using test::readText;
using ::testing::Each;
using ::testing::ElementsAre;

// The first n lines of a text.
std::string firstLines(const std::string& text, int n) {
    std::size_t end = 0;
    for (int i = 0; i < n && end != std::string::npos; ++i) {
        end = text.find('\n', end);
        if (end != std::string::npos) ++end;
    }
    return text.substr(0, end);
}

TEST(TurvaReader, ReadsHeaderLaunchRowAndDataRows) {
    const SoundingFile file = readText(fixture("turva_example.tvx"));
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.errorText(), "");
    EXPECT_EQ(file.fileKind(), FileKind::Turva);
    EXPECT_EQ(file.systemFamily(), 1);
    const RawData& raw = file.raw();
    EXPECT_TRUE(raw.ascending);
    EXPECT_EQ(raw.projectid, "SHIP ALPHA");
    EXPECT_EQ(raw.soundingdescription, "ALPHA  ");
    EXPECT_EQ(raw.year, 2005);
    EXPECT_EQ(raw.month, 8);
    EXPECT_EQ(raw.day, 27);
    EXPECT_EQ(raw.timeOfDay(), 183401);
    EXPECT_EQ(raw.platformtype, "ORVA TURVA RS80");
    EXPECT_EQ(raw.sondeid, "123456");
    EXPECT_EQ(raw.launchobssource, "Manual");
    EXPECT_EQ(raw.operatorName, "JSMITH");
    EXPECT_EQ(raw.comments, "fair weather");
    EXPECT_EQ(raw.sondetype, "90");  // the code strings keep their defaults
    EXPECT_EQ(raw.trackingtype, "19");

    EXPECT_DOUBLE_EQ(raw.pressure, 1012.5);
    EXPECT_DOUBLE_EQ(raw.temperature, 28.3);
    EXPECT_DOUBLE_EQ(raw.rh, 80.0);
    EXPECT_DOUBLE_EQ(raw.speed, 5.0);
    EXPECT_DOUBLE_EQ(raw.direction, 90.0);
    EXPECT_DOUBLE_EQ(raw.longitude, -80.5);
    EXPECT_DOUBLE_EQ(raw.latitude, 17.25);
    EXPECT_DOUBLE_EQ(raw.altitude, 7.0);
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, -999.0);

    const RawRecords& r = raw.records;
    // The row at -1.0 after the launch row is skipped; missing codes become -999
    // except for the altitude, which is taken as written.
    EXPECT_THAT(r.time, ElementsAre(0.0, 2.0, 4.0));
    EXPECT_THAT(r.pressure, ElementsAre(1011.8, -999.0, 1009.9));
    EXPECT_THAT(r.temperature, ElementsAre(28.1, -999.0, 27.7));
    EXPECT_THAT(r.rh1, ElementsAre(80.5, -999.0, 82.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(5.2, -999.0, 5.6));
    EXPECT_THAT(r.windDirection, ElementsAre(91.0, -999.0, 94.0));
    EXPECT_THAT(r.dz, ElementsAre(4.9, -999.0, 5.2));
    EXPECT_THAT(r.longitude, ElementsAre(-80.5, -999.0, -80.501));
    EXPECT_THAT(r.latitude, ElementsAre(17.25, -999.0, 17.251));
    EXPECT_THAT(r.altitude, ElementsAre(12.0, 99999.0, 32.0));
    for (const auto* a : {&r.gpsAltitude, &r.sats, &r.status, &r.rh2, &r.rh3}) EXPECT_THAT(*a, Each(-999.0));
}

TEST(FenroReader, ReadsHeaderLaunchRowAndDataRows) {
    const SoundingFile file = readText(fixture("fenro_example.txt"));
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.fileKind(), FileKind::Fenro);
    EXPECT_EQ(file.systemFamily(), 2);
    const RawData& raw = file.raw();
    EXPECT_TRUE(raw.ascending);
    EXPECT_EQ(raw.datatype, "FENRO RS92 ascending sounding");
    EXPECT_EQ(raw.projectid, "ALPHA");
    EXPECT_EQ(raw.soundingdescription, "ALPHA, north site  ");
    EXPECT_EQ(raw.missionid, "KAREN");
    EXPECT_EQ(raw.year, 2010);
    EXPECT_EQ(raw.timeOfDay(), 120005);
    EXPECT_EQ(raw.platformtype, "ORVA FENRO");
    EXPECT_EQ(raw.sondeid, "1234567");
    EXPECT_EQ(raw.sondemodel, "RS92 SGP ");
    EXPECT_EQ(raw.launchobssource, "Manual");
    EXPECT_EQ(raw.operatorName, "OPS2");
    EXPECT_EQ(raw.comments, "light winds");
    EXPECT_EQ(raw.sondetype, "96");
    EXPECT_EQ(raw.equipmenttype, "8");

    EXPECT_DOUBLE_EQ(raw.pressure, 1008.2);
    EXPECT_DOUBLE_EQ(raw.rh, 75.0);
    EXPECT_DOUBLE_EQ(raw.direction, 180.0);
    EXPECT_DOUBLE_EQ(raw.speed, 3.0);
    EXPECT_DOUBLE_EQ(raw.longitude, -81.25);
    EXPECT_DOUBLE_EQ(raw.latitude, 24.75);
    EXPECT_DOUBLE_EQ(raw.altitude, 5.0);

    const RawRecords& r = raw.records;
    EXPECT_THAT(r.time, ElementsAre(0.0, 1.0));
    EXPECT_THAT(r.pressure, ElementsAre(1007.9, 1007.4));
    EXPECT_THAT(r.rh1, ElementsAre(75.5, 76.0));
    EXPECT_EQ(r.rh2, r.rh1);
    EXPECT_EQ(r.rh3, r.rh1);
    EXPECT_THAT(r.windDirection, ElementsAre(181.0, 182.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(3.1, 3.2));
    EXPECT_THAT(r.dz, ElementsAre(4.9, 5.0));
    EXPECT_THAT(r.altitude, ElementsAre(6.0, 11.0));
    EXPECT_THAT(r.sats, ElementsAre(8.0, 9.0));
    EXPECT_THAT(r.gpsAltitude, Each(-999.0));
    EXPECT_THAT(r.status, Each(-999.0));
}

TEST(FenroReader, VersionWordOnTheProjectLineIsDropped) {
    std::string text = fixture("fenro_example.txt");
    text.replace(text.find("Project Name: ALPHA"), 19, "Project Name: Version: ALPHA");
    const SoundingFile file = readText(text);
    EXPECT_EQ(file.raw().projectid, "ALPHA");
    EXPECT_EQ(file.raw().soundingdescription, "ALPHA, north site  ");
}

TEST(TableReaders, InvalidWithoutLaunchPressureOrDataRows) {
    for (const char* name : {"turva_example.tvx", "fenro_example.txt"}) {
        const std::string text = fixture(name);
        EXPECT_FALSE(readText(firstLines(text, 16)).valid()) << name << ": header and launch row only";
        EXPECT_FALSE(readText(firstLines(text, 10)).valid()) << name << ": header cut short";
        std::string noPressure = text;
        noPressure.replace(noPressure.find("  -1.0 1"), 13, "  -1.0 -999.0");
        EXPECT_FALSE(readText(noPressure).valid()) << name << ": launch pressure -999";
        EXPECT_EQ(readText(noPressure).errorText(), "") << name;
    }
}

TEST(TableReaders, BlankRowsAreNoRecords) {
    // A blank line would read as a row of zeros at time 0.
    const SoundingFile file = readText(fixture("turva_example.tvx") + "\n   \n");
    ASSERT_TRUE(file.valid());
    EXPECT_THAT(file.raw().records.time, ElementsAre(0.0, 2.0, 4.0));
}

TEST(TableReaders, RowValuesReadAsNumbersWithNanMissing) {
    const SoundingFile file =
        readText(fixture("fenro_example.txt") + "   2.0 n/a nan 76.0 182.0 3.2 5.0 -81.25 24.75 13.0 7\n");
    ASSERT_TRUE(file.valid());
    EXPECT_DOUBLE_EQ(file.raw().records.pressure.back(), 0.0);
    EXPECT_DOUBLE_EQ(file.raw().records.temperature.back(), -999.0);
    EXPECT_DOUBLE_EQ(file.raw().records.sats.back(), 7.0);
}

TEST(TableReaders, RowsCutShortAreNoRecordsAndTheNotesSaySo) {
    // A half-copied last line would read its missing columns (humidity among them) as zeros.
    const struct {
        const char* name;
        const char* cut;
        const char* note;
    } cases[] = {
        {"turva_example.tvx", "   6.0 1010.4  27.7  23.5", "1 data line has fewer than the 15 columns of a row; not read.\n"},
        {"fenro_example.txt", "   2.0 1007.5  24.9  76.0 182.0 3.2 5.0 -81.25 24.75 13.0",
         "1 data line has fewer than the 11 columns of a row; not read.\n"},
    };
    for (const auto& c : cases) {
        const SoundingFile whole = readText(fixture(c.name));
        const SoundingFile cut = readText(fixture(c.name) + c.cut);
        ASSERT_TRUE(cut.valid()) << c.name;
        EXPECT_EQ(cut.raw().records.time, whole.raw().records.time) << c.name;
        EXPECT_EQ(cut.notes(), c.note) << c.name;
        EXPECT_EQ(whole.notes(), "") << c.name;
    }
}

TEST(TableReaders, AcceptedOnlyWhenTheStructureHolds) {
    std::string readme = "Velta\n\nA program for soundings.\n";
    for (int i = 0; i < 40; ++i) readme += "Some words of line " + std::to_string(i) + " and more 1 2 3 4 5 6 7 8 9 10\n";
    std::string turvaLetters = fixture("turva_example.tvx");
    const auto row = turvaLetters.find("  -1.0 1012.5");
    turvaLetters.replace(row, 13, "  -1.0 high  ");
    const struct {
        const char* name;
        std::string text;
        const char* error;
    } cases[] = {
        {"a README", readme, "Launch date or time is invalid.\n"},
        {"a launch row of words", turvaLetters, "Line 16 is no launch row of numbers.\n"},
    };
    for (const auto& c : cases) {
        const SoundingFile file = readText(c.text);
        EXPECT_FALSE(file.valid()) << c.name;
        EXPECT_EQ(file.errorText(), c.error) << c.name;
    }
}

}  // namespace
}  // namespace velta
