#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "MemorySource.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

using test::MemorySource;

// A short drop from the airborne system: launch observation, five records of
// which 0.5, 1.0 and 2.0 arrived with a checksum error (the last flagged one
// included), and a trailing position-only record at 2.5.
MemorySource dropSource() {
    MemorySource src;
    RawData& d = src.data;
    d.ascending = false;
    d.year = 2005, d.month = 8, d.day = 27, d.hour = 18, d.minute = 34, d.second = 1;
    d.pressure = 700, d.temperature = 5, d.rh = 50, d.speed = 10, d.direction = 270;
    d.altitude = 3000, d.gpsaltitude = 3010, d.latitude = 15, d.longitude = -60;
    d.sondeid = "050826123";
    d.operatorName = "JD";
    d.launchobssource = "aircraft";
    src.add({.time = 0,
             .pres = 699,
             .tdry = 4.9,
             .rh1 = 51,
             .rh2 = 61,
             .rh3 = 71,
             .wdir = 260,
             .wspd = 11,
             .lon = -60.01,
             .lat = 15.01,
             .gpsAlt = 3005,
             .sats = 8,
             .status = 0});
    src.add({.time = 0.5,
             .pres = 698,
             .tdry = 4.8,
             .rh1 = 52,
             .rh2 = 62,
             .rh3 = 72,
             .wdir = 250,
             .wspd = 12,
             .lon = -60.02,
             .lat = 15.02,
             .status = 1});
    src.add({.time = 1.0,
             .pres = 697,
             .tdry = 4.7,
             .rh1 = 53,
             .rh2 = 63,
             .rh3 = 73,
             .wdir = 240,
             .lon = -60.03,
             .lat = 15.03,
             .status = 4});
    src.add(
        {.time = 1.5, .pres = 696, .tdry = 4.6, .rh1 = 54, .rh2 = 64, .rh3 = 74, .wspd = 14, .status = 0});
    src.add({.time = 2.0, .pres = 695, .wdir = 220, .wspd = 15, .lon = -60.05, .lat = 15.05, .status = 2});
    src.add({.time = 2.5, .lon = -60.06, .lat = 15.06, .sats = 7, .status = 1});
    return src;
}

std::vector<double> times(const Sounding& s, const char* key) {
    const DataSeries* series = s.series(key);
    return series ? series->times() : std::vector<double>{-12345};
}

TEST(Sounding, ConstructionBuildsRawSeriesWithLaunchPoints) {
    const MemorySource src = dropSource();
    const Sounding s(src);

    for (const char* key :
         {"RawStatus", "RawDz", "RawPres", "RawSats", "RawTdry", "RawRH", "RawRH1", "RawRH2", "RawRH3",
          "RawTime", "RawWdir", "RawWspd", "RawAlt", "RawGpsAlt", "RawLat", "RawLon"}) {
        SCOPED_TRACE(key);
        ASSERT_NE(s.series(key), nullptr);
        EXPECT_EQ(s.series(key)->name(), key);
    }
    EXPECT_EQ(s.series("QCPres"), nullptr);
    EXPECT_EQ(s.series("RawDz")->size(), 0);  // all missing: empty, but present

    EXPECT_EQ(times(s, "RawPres"), (std::vector<double>{-1, 0, 0.5, 1, 1.5, 2}));
    EXPECT_EQ(s.series("RawPres")->flags(0), FlagLaunch);
    EXPECT_EQ(s.series("RawPres")->value(0), 700);
    EXPECT_EQ(s.series("RawRH3")->value(0), 50);
    EXPECT_EQ(s.series("RawRH")->value(1), 51);
    EXPECT_EQ(times(s, "RawWspd"), (std::vector<double>{-1, 0, 0.5, 1.5, 2}));
    EXPECT_EQ(s.series("RawTime")->value(0), -1);
    EXPECT_EQ(s.series("RawTime")->flags(0), FlagLaunch);
    EXPECT_EQ(s.series("RawAlt")->size(), 1);
    EXPECT_EQ(s.series("RawAlt")->value(0), 3000);
    // The GPS launch altitude is not a raw launch point until QC runs.
    EXPECT_EQ(times(s, "RawGpsAlt"), (std::vector<double>{0}));

    // The trailing position-only record is gone from every series.
    EXPECT_EQ(s.lastDataTime(), 2.0);
    EXPECT_EQ(times(s, "RawLat"), (std::vector<double>{-1, 0, 0.5, 1, 2}));
    EXPECT_EQ(times(s, "RawTime"), (std::vector<double>{-1, 0, 0.5, 1, 1.5, 2}));
    EXPECT_EQ(times(s, "RawStatus"), (std::vector<double>{0, 0.5, 1, 1.5, 2}));

    EXPECT_FALSE(s.qcDone());
    EXPECT_EQ(s.qcGeneration(), 0);
    EXPECT_EQ(s.rawGeneration(), 0);
    EXPECT_EQ(s.qcCutTime(), -1.0);
    EXPECT_EQ(s.systemFamily(), 0);
}

TEST(Sounding, HeaderFromLaunchPointsAndReader) {
    MemorySource src = dropSource();
    src.data.temperature = MissingValue;
    src.data.longitude = MissingValue;
    const SoundingHeader h = Sounding(src).header();

    EXPECT_TRUE(h.launchPressureValid);
    EXPECT_EQ(h.launchPressure, 700);
    EXPECT_FALSE(h.launchTemperatureValid);  // first RawTdry point is a record
    EXPECT_TRUE(h.launchWindDirectionValid);
    EXPECT_EQ(h.launchWindDirection, 270);
    EXPECT_TRUE(h.launchGpsAltitudeValid);
    EXPECT_EQ(h.launchGpsAltitude, 3010);
    EXPECT_TRUE(h.launchLatitudeValid);
    EXPECT_FALSE(h.launchLongitudeValid);

    EXPECT_EQ(h.year, 2005);
    EXPECT_EQ(h.month, 8);
    EXPECT_EQ(h.day, 27);
    EXPECT_EQ(h.hour, 18);
    EXPECT_EQ(h.minute, 34);
    EXPECT_EQ(h.second, 1);
    EXPECT_EQ(h.launchTime, 1125167641);
    EXPECT_FALSE(h.ascending);
    EXPECT_EQ(h.callSign, "//// ");
    EXPECT_EQ(h.stationNumber, "99999");
    EXPECT_EQ(h.sondeid, "050826123");
    EXPECT_EQ(h.operatorName, "JD");
    EXPECT_EQ(h.launchobssource, "aircraft");
    EXPECT_EQ(h.sondetype, "90");
}

TEST(Sounding, CalendarTimeNormalisesAndRejectsWildFields) {
    EXPECT_EQ(calendarTime(1970, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(calendarTime(2005, 8, 27, 18, 34, 1), 1125167641);
    EXPECT_EQ(calendarTime(2005, 8, 26, 42, 34, 1), 1125167641);
    EXPECT_EQ(calendarTime(2147483647, 1, 1, 0, 0, 0), 0);
}

TEST(Sounding, AscendingLaunchPointsCarrySurfaceFlag) {
    MemorySource src = dropSource();
    src.data.ascending = true;
    Sounding s(src);
    for (const char* key :
         {"RawPres", "RawTdry", "RawRH", "RawWspd", "RawWdir", "RawTime", "RawAlt", "RawLat"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(s.series(key)->flags(0), FlagSurface);
    }
    EXPECT_TRUE(s.header().launchPressureValid);
    s.rebuildQCSeries(0, false);
    EXPECT_EQ(s.series("QCLon")->flags(0), FlagSurface);
    EXPECT_EQ(s.series("QCU")->flags(0), FlagSurface);
}

TEST(Sounding, RebuildMakesQCSeries) {
    const MemorySource src = dropSource();
    Sounding s(src);
    s.rebuildQCSeries(0, false);

    EXPECT_TRUE(s.qcDone());
    EXPECT_EQ(s.qcCutTime(), 2.0);
    EXPECT_EQ(times(s, "QCPres"), times(s, "RawPres"));
    EXPECT_EQ(s.series("QCPres")->name(), "QCPres");
    EXPECT_EQ(s.series("QCPres")->flags(0), FlagLaunch);
    EXPECT_EQ(times(s, "QCLat"), (std::vector<double>{-1}));
    EXPECT_EQ(s.series("QCLon")->value(0), -60);
    for (const char* key : {"QCDz", "QCAltUp", "QCAltDn", "QCAltMissing"})
        EXPECT_EQ(s.series(key)->size(), 0);

    // Winds at the times both speed and direction have.
    EXPECT_EQ(times(s, "QCWspd"), (std::vector<double>{-1, 0, 0.5, 2}));
    EXPECT_EQ(times(s, "QCWdir"), (std::vector<double>{-1, 0, 0.5, 2}));
    const DataSeries& u = *s.series("QCU");
    const DataSeries& v = *s.series("QCV");
    EXPECT_EQ(u.name(), "QCu");
    EXPECT_EQ(v.name(), "QCv");
    EXPECT_EQ(u.times(), (std::vector<double>{-1, 0, 0.5, 2}));
    EXPECT_EQ(u.flags(0), FlagLaunch);
    EXPECT_EQ(v.flags(1), 0);
    const double angle = (450.0 - 260.0) * 0.01745327777777778;
    EXPECT_DOUBLE_EQ(u.value(1), -11 * std::cos(angle));
    EXPECT_DOUBLE_EQ(v.value(1), -11 * std::sin(angle));
    EXPECT_NEAR(u.value(0), 10, 1e-4);  // from the west: towards +u
}

TEST(Sounding, BadRecordsDiscardedOnlyWhenAsked) {
    const MemorySource src = dropSource();
    Sounding s(src);
    s.rebuildQCSeries(0, false);
    EXPECT_EQ(s.series("QCPres")->size(), 6);

    s.rebuildQCSeries(0, true);
    // 0.5, 1.0 and 2.0 go, the last flagged record too.
    EXPECT_EQ(times(s, "QCPres"), (std::vector<double>{-1, 0, 1.5}));
    EXPECT_EQ(times(s, "QCTdry"), (std::vector<double>{-1, 0, 1.5}));
    EXPECT_EQ(times(s, "QCRH"), (std::vector<double>{-1, 0, 1.5}));
    EXPECT_EQ(times(s, "QCWspd"), (std::vector<double>{-1, 0}));
    EXPECT_EQ(times(s, "QCU"), (std::vector<double>{-1, 0}));
    EXPECT_EQ(times(s, "RawLat"), (std::vector<double>{-1, 0}));
    EXPECT_EQ(times(s, "QCTime"), (std::vector<double>{-1, 0, 0.5, 1, 1.5, 2}));
    EXPECT_EQ(times(s, "RawPres"), (std::vector<double>{-1, 0, 0.5, 1, 1.5, 2}));

    // Other system families have no status channel.
    MemorySource other = dropSource();
    other.family = 2;
    Sounding o(other);
    EXPECT_EQ(o.series("RawRH1"), nullptr);
    o.rebuildQCSeries(0, true);
    EXPECT_EQ(o.series("QCPres")->size(), 6);
}

TEST(Sounding, StatusDigitsByPartDiscardOnlyTheirPart) {
    // The same records from a file whose status flags each part: 0.5 has no
    // valid PTU (bit 1), 2.0 no valid wind (bit 2); 1.0 carries neither bit.
    MemorySource src = dropSource();
    src.data.statusByPart = true;
    Sounding s(src);
    s.rebuildQCSeries(0, true);
    EXPECT_EQ(times(s, "QCPres"), (std::vector<double>{-1, 0, 1, 1.5, 2}));
    EXPECT_EQ(times(s, "QCTdry"), (std::vector<double>{-1, 0, 1, 1.5}));
    EXPECT_EQ(times(s, "QCRH"), (std::vector<double>{-1, 0, 1, 1.5}));
    EXPECT_EQ(times(s, "QCWspd"), (std::vector<double>{-1, 0, 0.5}));
    EXPECT_EQ(times(s, "QCV"), (std::vector<double>{-1, 0, 0.5}));
    EXPECT_EQ(times(s, "RawLat"), (std::vector<double>{-1, 0, 0.5, 1}));
    EXPECT_EQ(times(s, "RawLon"), (std::vector<double>{-1, 0, 0.5, 1}));
}

TEST(Sounding, HumidityChoiceAndGenerations) {
    const MemorySource src = dropSource();
    Sounding s(src);

    s.rebuildQCSeries(1, false);
    EXPECT_EQ(s.series("RawRH")->name(), "RawRH");
    EXPECT_EQ(s.series("RawRH")->value(1), 61);
    EXPECT_EQ(s.series("QCRH")->value(1), 61);
    EXPECT_EQ(s.series("QCRH")->flags(0), FlagLaunch);
    EXPECT_EQ(s.qcGeneration(), 1);
    EXPECT_EQ(s.rawGeneration(), 1);

    s.rebuildQCSeries(1, false);
    EXPECT_EQ(s.qcGeneration(), 2);
    EXPECT_EQ(s.rawGeneration(), 1);

    s.rebuildQCSeries(2, false);
    EXPECT_EQ(s.series("QCRH")->value(1), 71);
    s.rebuildQCSeries(7, false);  // anything else: sensor 1
    EXPECT_EQ(s.series("RawRH")->value(1), 51);
    EXPECT_EQ(s.qcGeneration(), 4);
    EXPECT_EQ(s.rawGeneration(), 3);
    EXPECT_EQ(s.rhChoice(), 7);
}

TEST(Sounding, LaunchGpsAltitudeInsertedOnce) {
    const MemorySource src = dropSource();
    Sounding s(src);
    s.rebuildQCSeries(0, false);
    s.rebuildQCSeries(0, true);
    const DataSeries& gps = *s.series("RawGpsAlt");
    EXPECT_EQ(gps.times(), (std::vector<double>{-1, 0}));
    EXPECT_EQ(gps.value(0), 3010);
    EXPECT_EQ(gps.flags(0), FlagLaunch);
}

TEST(Sounding, LoneWindPointRemoved) {
    MemorySource src;
    src.data.ascending = false;
    src.data.speed = 8, src.data.direction = 90, src.data.pressure = 1000;
    src.add({.time = 0, .pres = 999});
    src.add({.time = 1, .pres = 998, .wdir = 100});  // direction without speed
    Sounding s(src);
    s.rebuildQCSeries(0, false);
    for (const char* key : {"QCWspd", "QCWdir", "QCU", "QCV"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(s.series(key)->size(), 0);
    }
    EXPECT_EQ(s.series("RawWspd")->size(), 1);
}

TEST(Sounding, NoMetRecordsCutsAtLaunch) {
    MemorySource src;
    src.data.ascending = false;
    src.data.latitude = 20, src.data.longitude = -70;
    src.add({.time = 0, .lon = -70.1, .lat = 20.1, .sats = 6});
    src.add({.time = 1, .lon = -70.2, .lat = 20.2, .sats = 6});
    Sounding s(src);
    EXPECT_EQ(s.lastDataTime(), -1.0);
    EXPECT_EQ(times(s, "RawLat"), (std::vector<double>{-1, 0, 1}));
    EXPECT_EQ(s.series("RawPres")->size(), 0);

    s.rebuildQCSeries(0, true);
    EXPECT_EQ(s.qcCutTime(), -1.0);
    EXPECT_EQ(times(s, "QCTime"), (std::vector<double>{-1}));
    EXPECT_EQ(times(s, "QCLat"), (std::vector<double>{-1}));
    EXPECT_EQ(times(s, "RawLat"), (std::vector<double>{-1, 0, 1}));
    EXPECT_EQ(s.series("QCPres")->size(), 0);
}

TEST(Sounding, CutAndDeleteQCSeries) {
    const MemorySource src = dropSource();
    Sounding s(src);
    s.rebuildQCSeries(1.2, 0, false);
    EXPECT_EQ(s.qcCutTime(), 1.2);
    EXPECT_EQ(times(s, "QCTime"), (std::vector<double>{-1, 0, 0.5, 1}));
    EXPECT_EQ(times(s, "QCV"), (std::vector<double>{-1, 0, 0.5}));
    EXPECT_EQ(times(s, "RawPres"), (std::vector<double>{-1, 0, 0.5, 1, 1.5, 2}));

    s.series("QCAltMissing")->append(1, 1.8);
    s.cutQCSeries(0.2);
    EXPECT_EQ(times(s, "QCPres"), (std::vector<double>{-1, 0}));
    EXPECT_EQ(s.series("QCAltMissing")->size(), 1);

    s.deleteQCSeries();
    EXPECT_EQ(s.series("QCPres"), nullptr);
    EXPECT_EQ(s.series("QCU"), nullptr);
    EXPECT_NE(s.series("QCTime"), nullptr);
    EXPECT_NE(s.series("RawPres"), nullptr);
}

TEST(Sounding, AddRemoveAndNames) {
    const MemorySource src = dropSource();
    Sounding s(src);
    DataSeries& added = s.addSeries("QCExtra", DataSeries("QCExtra"));
    added.append(1, 2);
    EXPECT_EQ(s.series("QCExtra")->size(), 1);
    s.addSeries("QCExtra", DataSeries("QCExtra"));
    EXPECT_EQ(s.series("QCExtra")->size(), 0);
    const std::vector<std::string> names = s.seriesNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(names.size(), 17u);
    EXPECT_TRUE(s.removeSeries("QCExtra"));
    EXPECT_FALSE(s.removeSeries("QCExtra"));
}

TEST(Sounding, RaggedArraysDoNotReadPastTheShortest) {
    MemorySource src = dropSource();
    src.data.records.pressure.resize(2);
    src.data.records.time.resize(4);
    Sounding s(src);
    EXPECT_EQ(times(s, "RawPres"), (std::vector<double>{-1, 0, 0.5}));
    s.rebuildQCSeries(0, true);
    EXPECT_TRUE(s.qcDone());
}

}  // namespace
}  // namespace velta
