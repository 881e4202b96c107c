#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ReadText.h"
#include "WriterTestInput.h"
#include "io/CsvWriter.h"

namespace velta {
namespace {

using test::linesOf;
using test::WriterRows;
using ::testing::ElementsAre;

TEST(CsvWriter, KeyBlockWithInvalidLaunchValuesAndLog) {
    std::ostringstream out;
    WriterRows rows;
    WriterInput in = test::writerInput(rows, &out);
    in.writeProcessingLog = true;
    in.header.launchPressureValid = false;
    in.header.launchGpsAltitudeValid = false;
    in.header.comments = "say \"hi\", twice";
    in.buildRevision = "Revision: 1234";
    CsvWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    const std::vector<std::string> expected = {
        "FileFormat,CSV",
        "Year,2005",
        "Month,08",
        "Day,27",
        "Hour,18",
        "Minute,34",
        "Second,59",
        "Pressure,,\"units=mb\"",
        "Temperature,-20.0,\"units=deg C\"",
        "RH,50.0,\"units=%\"",
        "Speed,10.0,\"units=m/s\"",
        "Direction,90.0,\"units=deg\"",
        "Latitude,17.2500,\"units=deg\"",
        "Longitude,-80.5000,\"units=deg\"",
        "Altitude,7500.0,\"units=m\"",
        "GpsAltitude,,\"units=m\"",
        "Ascending,\"false\"",
        "Comments,\"say \"hi\", twice\"",
        "DataType,\"Dropsonde\"",
        "EquipmentType,\"/\"",
        "PlatformType,\"WC-130J AF305\"",
        "ProjectId,\"HURR05\"",
        "PtuWindTimeDiff,\"0\"",
        "RadiationCorr,\"0\"",
        "TrackingType,\"//\"",
        "SondeId,\"123456789\"",
        "SondeModel,\"RD93\"",
        "Operator,\"OPS1\"",
        "LaunchObsSource,\"aircraft\"",
        "LaunchObsTime,\"18:34:59\"",
        "SvnRevision,\"Revision: 1234\"",
        "KarvoEditorVersion,\"0.1.0\"",
        "SoundingDescription,\"D20050827_183401.1 test drop\"",
        "ConfigSetName,\"default\"",
        "Fields,Time,Pressure,Temperature,RH,Speed,Direction,Latitude,Longitude,Altitude,GPS "
        "Altitude,Dewpoint,Uwnd,Vwnd,Ascent",
        "Units,sec,mb,deg C,%,m/s,deg,deg,deg,m,m,deg C,m/s,m/s,m/s",
    };
    ASSERT_EQ(lines.size(), expected.size() + 3);
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(lines[k], expected[k]) << "line " << k + 1;
}

TEST(CsvWriter, DataLinesLeaveMissingFieldsEmpty) {
    std::ostringstream out;
    WriterRows rows;
    // The last row keeps only time and pressure; the altitude column is absent.
    for (auto* column : {&rows.temperature, &rows.rh, &rows.speed, &rows.direction, &rows.u, &rows.v,
                         &rows.latitude, &rows.longitude, &rows.gpsAltitude, &rows.dz})
        column->back() = -999.0;
    CsvWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_THAT(
        std::vector<std::string>(lines.end() - 3, lines.end()),
        ElementsAre(
            "Data,-1.0,400.00,-20.00,50.00,10.00,90.00,17.25000,-80.50000,,7500.0,-30.00,-10.00,0.00,",
            "Data,0.5,399.50,,60.00,11.00,95.00,17.25010,-80.49990,,7495.0,,-11.00,1.00,-12.00",
            "Data,12.5,1012.30,,,,,,,,,,,,"));
    // Without the flag the processing log stays out.
    EXPECT_EQ(out.str().find("KarvoEditorVersion"), std::string::npos);
}

TEST(CsvWriter, LaunchPointMarkSkipsTheFirstRow) {
    struct Case {
        std::size_t rows;
        bool mark;
        std::vector<std::string> times;
    };
    const Case cases[] = {{3, false, {"-1.0", "0.5", "12.5"}}, {3, true, {"0.5", "12.5"}}, {1, true, {}}};
    for (const Case& c : cases) {
        WriterRows rows;
        for (auto* column :
             {&rows.time, &rows.pressure, &rows.temperature, &rows.rh, &rows.speed, &rows.direction, &rows.u,
              &rows.v, &rows.latitude, &rows.longitude, &rows.gpsAltitude, &rows.dz})
            column->resize(c.rows);
        std::ostringstream out;
        WriterInput in = test::writerInput(rows, &out);
        in.firstRowIsLaunchPoint = c.mark;
        CsvWriter writer(in);
        ASSERT_TRUE(writer.ok()) << writer.errorText();
        std::vector<std::string> times;
        for (const std::string& line : linesOf(out.str()))
            if (line.rfind("Data,", 0) == 0) times.push_back(line.substr(5, line.find(',', 5) - 5));
        EXPECT_EQ(times, c.times) << c.rows << " rows, mark " << c.mark;
    }
}

TEST(CsvWriter, ReadBackByTheCsvReader) {
    std::ostringstream out;
    WriterRows rows;
    WriterInput in = test::writerInput(rows, &out);
    in.writeProcessingLog = true;
    in.header.launchAltitudeValid = false;
    in.header.ptuwindtimediff = 0.25;
    CsvWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    const SoundingFile file = test::readText(out.str(), "drop.csv");
    ASSERT_TRUE(file.valid()) << file.errorText();
    EXPECT_EQ(file.fileKind(), FileKind::Csv);
    const RawData& raw = file.raw();
    const RawRecords& r = raw.records;
    EXPECT_EQ(r.time, rows.time);
    EXPECT_EQ(r.pressure, rows.pressure);
    EXPECT_EQ(r.temperature, rows.temperature);
    EXPECT_EQ(r.rh1, rows.rh);
    EXPECT_EQ(r.windSpeed, rows.speed);
    EXPECT_EQ(r.windDirection, rows.direction);
    EXPECT_EQ(r.latitude, rows.latitude);
    EXPECT_EQ(r.longitude, rows.longitude);
    EXPECT_EQ(r.dz, rows.dz);
    EXPECT_THAT(r.altitude, ElementsAre(-999.0, -999.0, -999.0));

    EXPECT_EQ(raw.year, 2005);
    EXPECT_EQ(raw.month, 8);
    EXPECT_EQ(raw.day, 27);
    EXPECT_EQ(raw.timeOfDay(), 183459);
    EXPECT_DOUBLE_EQ(raw.pressure, 400.0);
    EXPECT_DOUBLE_EQ(raw.temperature, -20.0);
    EXPECT_DOUBLE_EQ(raw.latitude, 17.25);
    EXPECT_DOUBLE_EQ(raw.longitude, -80.5);
    EXPECT_DOUBLE_EQ(raw.altitude, -999.0);
    EXPECT_DOUBLE_EQ(raw.gpsaltitude, 7510.0);
    EXPECT_DOUBLE_EQ(raw.ptuwindtimediff, 0.25);
    EXPECT_FALSE(raw.ascending);
    EXPECT_EQ(raw.comments, "calm");
    EXPECT_EQ(raw.datatype, "Dropsonde");
    EXPECT_EQ(raw.platformtype, "WC-130J AF305");
    EXPECT_EQ(raw.projectid, "HURR05");
    EXPECT_EQ(raw.sondeid, "123456789");
    EXPECT_EQ(raw.operatorName, "OPS1");
    EXPECT_EQ(raw.launchobssource, "aircraft");
    EXPECT_EQ(raw.soundingdescription, "D20050827_183401.1 test drop");
}

TEST(CsvWriter, HeaderTextsWithCommasAndQuotesReadBackWhole) {
    std::ostringstream out;
    WriterRows rows;
    WriterInput in = test::writerInput(rows, &out);
    in.header.platformtype = "WC-130J, AF5309";
    in.header.projectid = "HURR25, storm 12, fix 3";
    in.header.comments = "sonde \"fast\" fall, no wind";
    in.header.operatorName = "Smith, J.";
    in.header.sondeid = ",";
    in.header.launchobstime = "";
    in.writeProcessingLog = true;
    in.processingLog[1].second = "D20250915_174512.1 Karvo, WC-130J, AF5309";
    CsvWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    const SoundingFile file = test::readText(out.str(), "drop.csv");
    ASSERT_TRUE(file.valid());
    const RawData& raw = file.raw();
    EXPECT_EQ(raw.platformtype, "WC-130J, AF5309");
    EXPECT_EQ(raw.projectid, "HURR25, storm 12, fix 3");
    EXPECT_EQ(raw.comments, "sonde \"fast\" fall, no wind");
    EXPECT_EQ(raw.operatorName, "Smith, J.");
    EXPECT_EQ(raw.sondeid, ",");
    EXPECT_EQ(raw.launchobstime, "");
    EXPECT_EQ(raw.soundingdescription, "D20250915_174512.1 Karvo, WC-130J, AF5309");
    // The numbers of the key lines are unchanged.
    EXPECT_DOUBLE_EQ(raw.pressure, 400.0);
    EXPECT_EQ(raw.year, 2005);
}

}  // namespace
}  // namespace velta
