#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "../sounding/MemorySource.h"
#include "WriterTestInput.h"
#include "io/SeriesTable.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

DataSeries series(const char* name, std::vector<DataPoint> points) {
    DataSeries s(name);
    for (const DataPoint& p : points) s.append(p);
    return s;
}

TEST(SeriesTable, MergesSeriesOnTheirDistinctTimes) {
    const DataSeries a = series("A", {{-1.0, 10.0, FlagLaunch}, {0.5, 11.0, 0}, {1.0, 12.0, 0}});
    // A time of its own, and two points at 1.0 of which the later wins.
    const DataSeries b = series("B", {{0.5, 20.0, 0}, {0.75, 21.0, 0}, {1.0, 22.0, 0}, {1.0, 23.0, 0}});
    const SeriesTable table({&a, nullptr, &b});
    EXPECT_THAT(table.times(), ElementsAre(-1.0, 0.5, 0.75, 1.0));
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_THAT(table.column(0), ElementsAre(10.0, 11.0, -999.0, 12.0));
    EXPECT_THAT(table.column(1), Each(-999.0));
    EXPECT_THAT(table.column(2), ElementsAre(-999.0, 20.0, 21.0, 23.0));
    EXPECT_TRUE(table.firstRowIsLaunchPoint());

    const DataSeries surface = series("S", {{0.0, 1.0, FlagSurface}});
    EXPECT_TRUE(SeriesTable({&b, &surface}).firstRowIsLaunchPoint());
    EXPECT_FALSE(SeriesTable({&b}).firstRowIsLaunchPoint());
    EXPECT_EQ(SeriesTable(std::vector<const DataSeries*>{}).rowCount(), 0);
}

TEST(SeriesTable, RawPageArraysFromASounding) {
    test::MemorySource source;
    source.data.ascending = false;
    source.data.pressure = 400.0;
    source.data.speed = 10.0;
    source.data.direction = 90.0;
    source.add({.time = 0.5,
                .pres = 399.5,
                .tdry = -20.0,
                .rh1 = 50.0,
                .wdir = 95.0,
                .wspd = 11.0,
                .gpsAlt = 7495.0});
    source.add({.time = 1.0, .pres = 399.0, .tdry = -20.1, .rh1 = 51.0, .wdir = -999.0, .wspd = 12.0});
    const Sounding sounding(source);

    const SeriesTable table(sounding, rawTableSeries());
    ASSERT_EQ(table.rowCount(), 3);
    const DataViewArrays arrays = DataViewArrays::fromRawTable(table, test::StubFormulas::get());
    const WriterColumns c = arrays.columns();
    EXPECT_EQ(arrays.count(), 3);
    EXPECT_TRUE(arrays.firstRowIsLaunchPoint());
    EXPECT_THAT(c.time, ElementsAre(-1.0, 0.5, 1.0));
    EXPECT_THAT(c.pressure, ElementsAre(400.0, 399.5, 399.0));
    EXPECT_THAT(c.gpsAltitude, ElementsAre(-999.0, 7495.0, -999.0));
    // u and v from speed and direction (the stand-in gives u = speed, v = -direction), missing with either.
    EXPECT_THAT(c.u, ElementsAre(10.0, 11.0, -999.0));
    EXPECT_THAT(c.v, ElementsAre(-90.0, -95.0, -999.0));
    EXPECT_TRUE(c.altitude.empty());
}

TEST(SeriesTable, QcPageArraysTakeTheirColumnsAndEveryRowKeepsItsTime) {
    const DataSeries time = series("QCTime", {{0.5, 0.5, 0}});
    const DataSeries pres = series("QCPres", {{0.5, 399.5, 0}, {2.0, 398.0, 0}});
    const DataSeries alt = series("QCAltUp", {{0.5, 7480.0, 0}});
    const DataSeries u = series("QCU", {{0.5, 3.0, 0}});
    const SeriesTable table({&time, &pres, nullptr, nullptr, nullptr, nullptr, &alt, nullptr, nullptr,
                             nullptr, &u, nullptr, nullptr});
    const DataViewArrays arrays = DataViewArrays::fromQcTable(table);
    const WriterColumns c = arrays.columns();
    // The 2.0 row has no QCTime point; it is written at its own time, not as a missing one.
    EXPECT_THAT(c.time, ElementsAre(0.5, 2.0));
    EXPECT_THAT(c.altitude, ElementsAre(7480.0, -999.0));
    EXPECT_THAT(c.u, ElementsAre(3.0, -999.0));
    EXPECT_THAT(c.latitude, ElementsAre(-999.0, -999.0));

    EXPECT_THAT(qcTableSeries("QCAltDn", true),
                ElementsAre("QCTime", "QCPres", "QCTdry", "QCRH", "QCWspd", "QCWdir", "QCAltDn", "RawLat",
                            "RawLon", "QCDz", "QCU", "QCV", "RawGpsAlt"));
    EXPECT_EQ(qcTableSeries("QCAltUp", false)[QcLatColumn], "QCLat");
}

}  // namespace
}  // namespace velta
