#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ReadText.h"
#include "io/CsvReader.h"

namespace velta {
namespace {

using test::fixture;
using test::readText;
using ::testing::Each;
using ::testing::ElementsAre;

TEST(CsvReader, ReadsWhatTheCsvWriterWrites) {
    const SoundingFile file = readText(fixture("csv_example.csv"));
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.errorText(), "");
    EXPECT_EQ(file.fileKind(), FileKind::Csv);
    EXPECT_EQ(file.systemFamily(), 5);
    const auto* csv = dynamic_cast<const CsvReader*>(file.reader());
    ASSERT_NE(csv, nullptr);
    EXPECT_EQ(csv->fieldCount(), 14);

    const RawData& raw = file.raw();
    const RawRecords& r = raw.records;
    // The data line with one field too many is skipped.
    EXPECT_THAT(r.time, ElementsAre(0.5, 1.3, 1.8));
    EXPECT_THAT(r.pressure, ElementsAre(1010.6, -999.0, 1005.6));
    EXPECT_THAT(r.temperature, ElementsAre(27.5, -999.0, 0.0));
    EXPECT_THAT(r.rh1, ElementsAre(85.0, -999.0, -999.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(6.5, -999.0, 7.0));
    EXPECT_THAT(r.windDirection, ElementsAre(95.0, -999.0, 100.0));
    EXPECT_THAT(r.latitude, ElementsAre(17.251, -999.0, 17.252));
    EXPECT_THAT(r.longitude, ElementsAre(-80.499, -999.0, -80.498));
    EXPECT_THAT(r.altitude, ElementsAre(7490.0, -999.0, 7440.0));
    EXPECT_THAT(r.dz, ElementsAre(-10.5, -999.0, -11.0));
    // "GPS Altitude", "Dewpoint", "Uwnd" and "Vwnd" are no field of the reader.
    EXPECT_THAT(r.gpsAltitude, ElementsAre(-999.0, -999.0, -999.0));
    for (const auto* a : {&r.rh2, &r.rh3, &r.sats, &r.status})
        EXPECT_THAT(*a, ElementsAre(-999.0, -999.0, -999.0));

    EXPECT_EQ(raw.year, 2005);
    EXPECT_EQ(raw.month, 8);
    EXPECT_EQ(raw.day, 27);
    EXPECT_EQ(raw.timeOfDay(), 183401);
    EXPECT_DOUBLE_EQ(raw.pressure, 1012.5);
    EXPECT_DOUBLE_EQ(raw.latitude, 17.25);
    EXPECT_DOUBLE_EQ(raw.altitude, -999.0);  // "Altitude,,..." leaves it missing
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, 7510.0);
    EXPECT_FALSE(raw.ascending);
    EXPECT_EQ(raw.comments, "calm, clear");  // a quoted value keeps its commas
    EXPECT_EQ(raw.platformtype, "WC-130J AF305");
    EXPECT_EQ(raw.projectid, "HURR05");
    EXPECT_DOUBLE_EQ(raw.ptuwindtimediff, 0.5);
    EXPECT_EQ(raw.trackingtype, "08");
    EXPECT_EQ(raw.sondeid, "123456789");
    EXPECT_EQ(raw.operatorName, "OPS1");
    EXPECT_EQ(raw.launchobstime, "12:00:00");
    EXPECT_EQ(raw.soundingdescription, "123456789 HURR05 WC-130J AF305");
    EXPECT_EQ(raw.sondetype, "90");  // defaults stay unless a key sets them
}

TEST(CsvReader, ValidityNeedsTheWholeDateAndAtLeastOneRecord) {
    const std::string date = "FileFormat,CSV\nYear,2005\nMonth,8\nDay,27\nHour,18\nMinute,34\n";
    const std::string fields = "Fields,Time,Pressure\n";
    struct Case {
        const char* name;
        std::string text;
        bool valid;
    };
    const Case cases[] = {
        {"complete", date + "Second,1\n" + fields + "Data,1.0,1000\n", true},
        {"no Second line", date + fields + "Data,1.0,1000\n", false},
        {"no data line", date + "Second,1\n" + fields, false},
        {"data before fields", date + "Second,1\nData,1.0,1000\n" + fields, false},
        {"no time column", date + "Second,1\nFields,Pressure\nData,1000\n", false},
    };
    for (const auto& c : cases) {
        const SoundingFile file = readText(c.text);
        EXPECT_EQ(file.valid(), c.valid) << c.name;
        EXPECT_EQ(file.errorText(), "") << c.name;
    }
}

TEST(CsvReader, FieldNamesKeysAndDataPrefixIgnoreCase) {
    const std::string text =
        "fileformat,csv\n  YEAR , 2010 \nmonth,6\nday,15\nhour,12\nminute,0\nsecond,5\n"
        "ASCENDING,\"TRUE\"\nRH,\n"
        "FIELDS, time ,RH,Rh1,rh2,Sats,GpsAlt,Ascent,Unknown,Speed,Direction\n"
        "  DATA,3.5,50,51,52,9,120.5,4.5,77,n/a,nan  \n";
    const SoundingFile file = readText(text);
    ASSERT_TRUE(file.valid());
    const RawData& raw = file.raw();
    EXPECT_EQ(raw.year, 2010);
    EXPECT_TRUE(raw.ascending);
    EXPECT_DOUBLE_EQ(raw.rh, -999.0);
    const RawRecords& r = raw.records;
    EXPECT_THAT(r.time, ElementsAre(3.5));
    EXPECT_THAT(r.rh1, ElementsAre(50.0));
    EXPECT_THAT(r.rh2, ElementsAre(51.0));
    EXPECT_THAT(r.rh3, ElementsAre(52.0));
    EXPECT_THAT(r.sats, ElementsAre(9.0));
    EXPECT_THAT(r.gpsAltitude, ElementsAre(120.5));
    EXPECT_THAT(r.dz, ElementsAre(4.5));
    EXPECT_THAT(r.pressure, ElementsAre(-999.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(0.0));         // not a number: 0
    EXPECT_THAT(r.windDirection, ElementsAre(-999.0));  // NaN: missing
}

TEST(CsvReader, ArraysStayOfOneLengthWhenTheFieldsChange) {
    // A second "Fields" line with other columns: every record still has a
    // value in every array.
    const std::string text =
        "FileFormat,CSV\nYear,2005\nMonth,8\nDay,27\nHour,18\nMinute,34\nSecond,1\n"
        "Fields,Time,Pressure\nData,1,1000\n"
        "Fields,Temperature,Time\nData,20,2\n";
    const SoundingFile file = readText(text);
    ASSERT_TRUE(file.valid());
    const RawRecords& r = file.raw().records;
    EXPECT_THAT(r.time, ElementsAre(1.0, 2.0));
    EXPECT_THAT(r.pressure, ElementsAre(1000.0, -999.0));
    EXPECT_THAT(r.temperature, ElementsAre(-999.0, 20.0));
    EXPECT_THAT(r.windSpeed, Each(-999.0));
    for (const auto* a : {&r.pressure, &r.temperature, &r.rh1, &r.status, &r.gpsAltitude})
        EXPECT_EQ(a->size(), 2u);
}

}  // namespace
}  // namespace velta
