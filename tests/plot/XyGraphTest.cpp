#include <gtest/gtest.h>

#include "plot/XyGraph.h"
#include "sounding/DataSeries.h"

namespace velta {
namespace {

DataSeries series(const char* name, std::vector<DataPoint> points) {
    DataSeries s(name);
    for (const DataPoint& p : points) s.append(p);
    return s;
}

TEST(TimeMergedTableTest, RowsAreTheDistinctTimesWithMissingCells) {
    const DataSeries a = series("A", {{0, 1, 0}, {2, 3, 0}});
    const DataSeries b = series("B", {{1, 10, 0}, {2, 30, 0}});
    const TimeMergedTable t({&a, nullptr, &b});
    ASSERT_EQ(t.rows(), 3u);
    EXPECT_EQ(t.column(0), (std::vector<double>{1, -999, 3}));
    EXPECT_EQ(t.column(1), (std::vector<double>{-999, -999, -999}));
    EXPECT_EQ(t.column(2), (std::vector<double>{-999, 10, 30}));
}

TEST(XyGraphTest, WindAgainstPressureWithLevelMarkers) {
    const DataSeries pres = series("QCPres", {{0, 500, 0}, {1, 600, 0}, {2, 700, 0}});
    const DataSeries spd = series("QCWspd", {{0, 23, 0}, {2, 12, 0}});
    const DataSeries dir = series("QCWdir", {{0, 270, 0}, {2, 250, 0}});
    const DataSeries rawSpd = series("RawWspd", {{0, 31, 0}});
    const DataSeries rawPres = series("RawPres", {{0, 501, 0}});
    XyGraphTables tables;
    tables.qc = TimeMergedTable({nullptr, &pres, nullptr, nullptr, &spd, &dir, nullptr, nullptr, nullptr, nullptr});
    tables.raw = TimeMergedTable({nullptr, &rawPres, nullptr, nullptr, nullptr, &rawSpd, nullptr, nullptr, nullptr});

    Level level(LevelType::Standard);
    level.set(LevelValue::Pres, 600.0);
    level.set(LevelValue::Wspd, 15.0);
    const std::vector<Level> levels{level};

    XyGraphSettings settings;
    settings.kind = XyGraphKind::Wind;
    settings.xMode = XyXMode::Pressure;
    settings.markLevels = true;
    XyGraph g = buildXyGraph(settings, tables, &levels, "Velta 1.0");
    EXPECT_EQ(g.title, "Wind Speed and Wind Direction versus Pressure");
    EXPECT_EQ(g.xTitle, "Pressure (mb)");
    EXPECT_TRUE(g.xAxisFlag);
    EXPECT_EQ(g.yTitle[1], "Wind Direction");
    ASSERT_EQ(g.curves.size(), 4u);
    EXPECT_EQ(g.curves[0].label, "Raw Speed");
    EXPECT_EQ(g.curves[2].label, "QC Speed");
    EXPECT_EQ(g.curves[2].x, (std::vector<double>{500, 700}));
    EXPECT_EQ(g.curves[2].y, (std::vector<double>{23, 12}));
    ASSERT_EQ(g.curves[2].markers.size(), 1u);
    EXPECT_DOUBLE_EQ(g.curves[2].markers[0].x, 600.0);
    EXPECT_TRUE(g.curves[0].markers.empty());
    // Point tips name the curve, the value and the x in its unit.
    EXPECT_EQ(xyPointTip(g, 2, 1), "QC Speed 12.00 at 700.0 mb");
    EXPECT_EQ(xyPointTip(g, 2, 2), "");
    EXPECT_EQ(xyPointTip(g, 4, 0), "");
    // The largest QC speed is 23 (the raw 31 is a spike the range ignores):
    // trunc(4.6) + 1 = 5 steps of 5.
    EXPECT_EQ(g.yRange[0].max, 25.0);
    EXPECT_EQ(g.yRange[1].max, 360.0);
    // x from the QC pressures 500 to 700 with 5 % on each side.
    EXPECT_DOUBLE_EQ(*g.xRange.min, 490.0);
    EXPECT_DOUBLE_EQ(*g.xRange.max, 710.0);
    EXPECT_TRUE(g.curves[0].raw);
    EXPECT_FALSE(g.curves[2].raw);
    // The caption names the sounding in the title.
    EXPECT_EQ(buildXyGraph(settings, tables, &levels, "", "D20250915_174512.1").title,
              "Wind Speed and Wind Direction versus Pressure: D20250915_174512.1");

    settings.showRaw = false;
    settings.kind = XyGraphKind::SatellitesFallRate;
    settings.xMode = XyXMode::Time;
    g = buildXyGraph(settings, tables, &levels, "");
    EXPECT_EQ(g.title, "Number of satellites and dz/dt versus Time");
    EXPECT_TRUE(g.xAxisFlag);
    ASSERT_EQ(g.curves.size(), 1u);
    EXPECT_EQ(g.curves[0].label, "Hydrostatic dz/dt");
    EXPECT_TRUE(g.curves[0].x.empty());
    EXPECT_EQ(g.yRange[0].min, -10.0);
    EXPECT_FALSE(g.yRange[0].max.has_value());

    settings.ascending = true;
    EXPECT_FALSE(buildXyGraph(settings, tables, &levels, "").xAxisFlag);
}

}  // namespace
}  // namespace velta
