#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ReadText.h"
#include "WriterTestInput.h"
#include "io/TurvaWriter.h"

namespace velta {
namespace {

using test::linesOf;
using test::WriterRows;
using ::testing::ElementsAre;

TEST(TurvaWriter, HeaderLines) {
    std::ostringstream out;
    WriterRows rows;
    TurvaWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 15u + 3u);
    const std::vector<std::string> expected = {
        "Data Type:                         Dropsonde",
        "Project ID:                        HURR05",
        "Launch Site Type/Site ID:          WC-130J AF305",
        "Launch Location (lon,lat,alt):     80 30.00'W, 17 15.00'N, -80.50000 17.25000 7500",
        "GMT Launch Time (y,m,d,h,m,s):     2005, 08, 27, 18:34:59",
        "Sonde Id:                          123456789",
        "/",
        "/",
        "/",
        "System Operator/Comments:          OPS1,calm",
        "/",
        "/",
        " Time  Press  Temp  Dewpt  RH    Uwind  Vwind  Wspd  Dir   dZ      Lon     Lat    Rng   Az     Alt  "
        "  Qp   "
        "Qt   Qh   Qu   Qv   Quv",
        "  sec    mb     C     C     %     m/s    m/s   m/s   deg   m/s     deg     deg     km   deg     m   "
        "  mb   C "
        "   %    m/s  m/s  m/s",
        "------ ------ ----- ----- ----- ------ ------ ----- ----- ----- -------- ------- ----- ----- "
        "------- ---- ---- "
        "---- ---- ---- ----"};
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(lines[k], expected[k]) << "line " << k + 1;

    SoundingHeader h = test::writerHeader();
    h.launchAltitudeValid = false;
    h.launchLatitudeValid = false;
    EXPECT_EQ(TurvaWriter::locationText(h), "80 30.00'W, -999, -80.50000 -999 -999");
}

TEST(TurvaWriter, DropIsWrittenBottomFirstWithMissingCodes) {
    std::ostringstream out;
    WriterRows rows;
    rows.time.push_back(20.0);  // a row with nothing but its time
    for (auto* column : {&rows.pressure, &rows.temperature, &rows.rh, &rows.speed, &rows.direction, &rows.u,
                         &rows.v, &rows.latitude, &rows.longitude, &rows.gpsAltitude, &rows.dz})
        column->push_back(-999.0);
    TurvaWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 19u);
    const std::string tail = " 999.0 999.0 99999.0 99.0 99.0 99.0 99.0 99.0 99.0";
    EXPECT_THAT(
        std::vector<std::string>(lines.begin() + 15, lines.end()),
        ElementsAre(
            "  20.0 9999.0 999.0 999.0 999.0  999.0  999.0 999.0 999.0  99.0  999.000 999.000" + tail,
            "  12.5 1012.3  25.0  21.0  80.0    1.0   -2.0   3.0   4.0 -10.0  -80.500  17.250" + tail,
            "   0.5  399.5 999.0 999.0  60.0  -11.0    1.0  11.0  95.0 -12.0  -80.500  17.250" + tail,
            "  -1.0  400.0 -20.0 -30.0  50.0  -10.0    0.0  10.0  90.0  99.0  -80.500  17.250" + tail));
}

TEST(TurvaWriter, NoRowsGivesTheHeaderOnly) {
    std::ostringstream out;
    WriterRows rows;
    for (auto* column :
         {&rows.time, &rows.pressure, &rows.temperature, &rows.rh, &rows.speed, &rows.direction, &rows.u,
          &rows.v, &rows.latitude, &rows.longitude, &rows.gpsAltitude, &rows.dz})
        column->clear();
    TurvaWriter writer(test::writerInput(rows, &out));
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    EXPECT_EQ(linesOf(out.str()).size(), 15u);
}

TEST(TurvaWriter, AscendingSoundingReadBackByTheTurvaReader) {
    WriterRows rows;
    rows.time = {0.0, 10.0, 20.0};
    rows.pressure = {1012.3, 1000.0, -999.0};
    rows.temperature = {25.0, 24.1, -999.0};
    rows.rh = {80.0, 79.0, 78.0};
    rows.altitude = {10.0, 120.0, 230.0};
    rows.dz = {-999.0, 5.5, 5.6};
    std::ostringstream out;
    WriterInput in = test::writerInput(rows, &out);
    in.header.ascending = true;
    TurvaWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    const SoundingFile file = test::readText(out.str(), "ascent.tvx");
    ASSERT_TRUE(file.valid()) << file.errorText();
    const RawData& raw = file.raw();
    // The first row is the launch row; the others are the data records.
    EXPECT_DOUBLE_EQ(raw.pressure, 1012.3);
    EXPECT_DOUBLE_EQ(raw.temperature, 25.0);
    EXPECT_DOUBLE_EQ(raw.rh, 80.0);
    EXPECT_DOUBLE_EQ(raw.speed, 10.0);
    EXPECT_DOUBLE_EQ(raw.direction, 90.0);
    EXPECT_DOUBLE_EQ(raw.longitude, -80.5);
    EXPECT_DOUBLE_EQ(raw.latitude, 17.25);
    EXPECT_DOUBLE_EQ(raw.altitude, 10.0);
    EXPECT_EQ(raw.year, 2005);
    EXPECT_EQ(raw.month, 8);
    EXPECT_EQ(raw.day, 27);
    EXPECT_EQ(raw.timeOfDay(), 183459);
    const RawRecords& r = raw.records;
    EXPECT_THAT(r.time, ElementsAre(10.0, 20.0));
    EXPECT_THAT(r.pressure, ElementsAre(1000.0, -999.0));
    EXPECT_THAT(r.temperature, ElementsAre(24.1, -999.0));
    EXPECT_THAT(r.rh1, ElementsAre(79.0, 78.0));
    EXPECT_THAT(r.windSpeed, ElementsAre(11.0, 3.0));
    EXPECT_THAT(r.windDirection, ElementsAre(95.0, 4.0));
    EXPECT_THAT(r.dz, ElementsAre(5.5, 5.6));
    EXPECT_THAT(r.longitude, ElementsAre(-80.5, -80.5));  // three decimals in the file
    EXPECT_THAT(r.latitude, ElementsAre(17.25, 17.25));
    EXPECT_THAT(r.altitude, ElementsAre(120.0, 230.0));
}

}  // namespace
}  // namespace velta
