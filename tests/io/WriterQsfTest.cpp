#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "WriterTestInput.h"
#include "io/QsfWriter.h"

namespace velta {
namespace {

using test::linesOf;
using test::WriterRows;

TEST(WriterFormatting, DegreesAndMinutesAndDirectory) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : {Case{80.5, "80 30.00"}, Case{-80.5, "80 30.00"}, Case{-0.25, "0 15.00"},
                          Case{17.25, "17 15.00"}, Case{0.0, "0 00.00"}})
        EXPECT_EQ(SoundingWriter::degreesMinutes(c.value), c.text) << c.value;

    EXPECT_EQ(SoundingWriter::formatOrReplace("%7.1f", -999.0, 99999.0), "99999.0");
    EXPECT_EQ(SoundingWriter::formatOrReplace("%7.1f", 12.5, 99999.0), "   12.5");
    EXPECT_EQ(SoundingWriter::formatIntOrReplace("%2d", -999, 99), "99");
    EXPECT_EQ(SoundingWriter::formatIf("%.1f", 1.0, 2.0, false), "2.0");
    // A value too wide for a small buffer is printed whole.
    EXPECT_EQ(SoundingWriter::format("%.1f", 1e80).size(), 83u);

    std::ostringstream out;
    WriterRows rows;
    for (const auto& [path, dir] : {std::pair{"/data/out/a.qsf", "/data/out"},
                                    std::pair{"C:\\data\\a.qsf", "C:\\data"}, std::pair{"a.qsf", ""}}) {
        WriterInput in = test::writerInput(rows, &out, path);
        EXPECT_EQ(QsfWriter(in).directory(), dir);
    }
}

TEST(QsfWriter, HeaderLines) {
    std::ostringstream out;
    WriterRows rows;
    QsfWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 14u + 3u);
    const std::vector<std::string> expected = {
        "Data Type/Direction:                       Dropsonde/Descending",
        "File Format/Version:                       QSF Sounding Format/1.0",
        "Project Name/Platform:                     HURR05/WC-130J AF305",
        "Launch Site:                               Mission 5",
        "Launch Location (lon,lat,alt):             80 30.00'W -80.500000, 17 15.00'N 17.250000,  7500.00",
        "UTC Launch Time (y,m,d,h,m,s):             2005, 08, 27, 18:34:59",
        "Sonde Id/Sonde Type:                       123456789/RD93",
        "Reference Launch Data Source/Time:         aircraft/18:34:59",
        "System Operator/Comments:                  OPS1/calm",
        "Post Processing Comments:                  ",
        "/",
        " Time   -- UTC  --   Press    Temp   Dewpt    RH     Uwind   Vwind   Wspd     Dir     dZ    "
        "GeoPoAlt     "
        "Lon         Lat      GPSAlt ",
        "  sec   hh mm   ss     mb      C       C       %      m/s     m/s     m/s     deg     m/s       m   "
        "     "
        "deg         deg         m   ",
        "------- -- -- ----- ------- ------- ------- ------- ------- ------- ------- ------- ------- "
        "-------- "
        "----------- ----------- --------"};
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(lines[k], expected[k]) << "line " << k + 1;
}

TEST(QsfWriter, LaunchLocationParts) {
    struct Case {
        double lon;
        bool lonValid;
        double lat;
        bool latValid;
        double alt;
        bool altValid;
        const char* text;
    };
    const Case cases[] = {
        {-80.5, true, 17.25, true, 7500.0, true, "80 30.00'W -80.500000, 17 15.00'N 17.250000,  7500.00"},
        {-0.25, true, -0.25, true, 12.0, true, "0 15.00'W -0.250000, 0 15.00'S -0.250000,    12.00"},
        {10.5, true, 17.25, true, 7500.0, false, "10 30.00'E 10.500000, 17 15.00'N 17.250000, -999"},
        {-80.5, false, 17.25, false, 7500.0, true, "-999 -999, -999 -999,  7500.00"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        WriterRows rows;
        WriterInput in = test::writerInput(rows, &out);
        in.header.launchLongitude = c.lon;
        in.header.launchLongitudeValid = c.lonValid;
        in.header.launchLatitude = c.lat;
        in.header.launchLatitudeValid = c.latValid;
        in.header.launchAltitude = c.alt;
        in.header.launchAltitudeValid = c.altValid;
        QsfWriter writer(in);
        EXPECT_EQ(linesOf(out.str())[4], std::string("Launch Location (lon,lat,alt):             ") + c.text);
    }
}

TEST(QsfWriter, DataLinesWithUtcClockAndMissingValues) {
    std::ostringstream out;
    WriterRows rows;
    rows.time.push_back(-999.0);  // a row without a time
    for (auto* column : {&rows.pressure, &rows.temperature, &rows.rh, &rows.speed, &rows.direction, &rows.u,
                         &rows.v, &rows.latitude, &rows.longitude, &rows.gpsAltitude, &rows.dz})
        column->push_back(-999.0);
    QsfWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 18u);
    // Every row is written, the launch point included; no altitude column gives -999.00 GeoPoAlt.
    EXPECT_EQ(lines[14],
              "   -1.0 18 34 58.00  400.00  -20.00  -30.00   50.00  -10.00    0.00   10.00   90.00 -999.00  "
              "-999.00 "
              " -80.500000   17.250000  7500.00");
    // Missing temperature: -999.00 in Temp and Dewpt.
    EXPECT_EQ(lines[15],
              "    0.5 18 34 59.50  399.50 -999.00 -999.00   60.00  -11.00    1.00   11.00   95.00  -12.00  "
              "-999.00 "
              " -80.499900   17.250100  7495.00");
    // 18:34:59 + 12.5 s.
    EXPECT_EQ(lines[16],
              "   12.5 18 35 11.50 1012.30   25.00   21.00   80.00    1.00   -2.00    3.00    4.00  -10.00  "
              "-999.00 "
              " -80.500000   17.250000  7400.00");
    EXPECT_EQ(lines[17],
              "99999.0 99 99 99.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00  "
              "-999.00 "
              "-999.000000 -999.000000  -999.00");
}

TEST(QsfWriter, InconsistentColumnsAreRefused) {
    std::ostringstream out;
    WriterRows rows;
    rows.pressure.pop_back();
    QsfWriter writer(test::writerInput(rows, &out));
    EXPECT_FALSE(writer.ok());
    EXPECT_THAT(writer.errorText(), ::testing::HasSubstr("pressure"));
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace velta
