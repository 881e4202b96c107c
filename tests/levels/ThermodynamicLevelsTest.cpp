#include <gtest/gtest.h>

#include <cmath>

#include "LevelTestSupport.h"
#include "levels/ExtrapolatedAltitudes.h"
#include "levels/GapLevels.h"
#include "levels/InversionLevels.h"
#include "levels/Layer110Levels.h"
#include "levels/LevelContext.h"
#include "levels/StationBaseLevel.h"
#include "levels/SurfaceLevels.h"
#include "qc/MetFormulas.h"

namespace velta {
namespace {

using test::countOf;
using test::firstOf;
using test::makeSeries;

LevelOptions drop() { return LevelOptions{}; }
LevelOptions ascent() {
    LevelOptions o;
    o.ascending = true;
    return o;
}

TEST(GapLevels, MoreThanSixtySecondsMakesTopAndBottom) {
    struct Case {
        double gap;
        bool ascending;
        int pairs;
    };
    for (const Case c : {Case{60.0, false, 0}, Case{60.1, false, 1}, Case{60.1, true, 1}}) {
        test::SeriesSet s;
        s.pres = makeSeries({{0, 500}, {10, 510}, {10 + c.gap, 600}, {200, 700}});
        s.tdry = makeSeries({{0, -10}, {10, -9}, {10 + c.gap, -3}});
        s.rh = makeSeries({{0, 40}, {10 + c.gap, 60}});
        LevelContext ctx(s.view(), c.ascending ? ascent() : drop(), MissingValue);
        addMissingTemperatureLevels(ctx);
        SCOPED_TRACE(c.gap);
        ASSERT_EQ(static_cast<int>(ctx.levels.size()), 2 * c.pairs);
        if (c.pairs == 0) continue;
        const Level& earlier = ctx.levels[0];
        const Level& later = ctx.levels[1];
        EXPECT_EQ(earlier.type(),
                  c.ascending ? LevelType::MissingTemperatureBottom : LevelType::MissingTemperatureTop);
        EXPECT_EQ(later.type(),
                  c.ascending ? LevelType::MissingTemperatureTop : LevelType::MissingTemperatureBottom);
        EXPECT_EQ(*earlier.value(LevelValue::Pres), 510.0);
        EXPECT_EQ(*earlier.value(LevelValue::Tdry), -9.0);
        EXPECT_EQ(*later.value(LevelValue::Time), 10 + c.gap);
        EXPECT_EQ(*later.value(LevelValue::RH), 60.0);
        EXPECT_FALSE(earlier.has(LevelValue::RH));  // humidity itself has a gap there
    }
}

// A drop with an inversion layer from 700 to 700 + depth mb (t = 20 to 40 s):
// the temperature falls with rising pressure there and rises again below. The
// strength is read against the point after the end (t = 50 s), `fall` below
// the top of the layer.
test::SeriesSet inversionDrop(double depth, double fall) {
    test::SeriesSet s;
    s.pres = makeSeries(
        {{0, 600}, {10, 650}, {20, 700}, {30, 700 + depth / 2}, {40, 700 + depth}, {50, 800}, {60, 900}});
    s.tdry = makeSeries({{0, -12}, {10, -8}, {20, 0}, {30, -1}, {40, -fall - 0.5}, {50, -fall}, {60, 5}});
    return s;
}

TEST(InversionLevels, RecordedWhenDeeperThan20mbOrStrongerThan2_5C) {
    struct Case {
        double depth;
        double fall;
        bool recorded;
    };
    for (const Case c : {Case{20.0, 2.5, false}, Case{20.5, 2.5, true}, Case{20.0, 2.75, true}}) {
        test::SeriesSet s = inversionDrop(c.depth, c.fall);
        LevelContext ctx(s.view(), drop(), MissingValue);
        addInversionLevels(ctx);
        SCOPED_TRACE(testing::Message() << c.depth << " mb " << c.fall << " C");
        if (!c.recorded) {
            EXPECT_TRUE(ctx.levels.empty());
            continue;
        }
        ASSERT_EQ(ctx.levels.size(), 2u);
        EXPECT_EQ(ctx.levels[0].type(), LevelType::InversionTop);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), 700.0);
        EXPECT_EQ(ctx.levels[1].type(), LevelType::InversionBottom);
        EXPECT_EQ(*ctx.levels[1].value(LevelValue::Time), 40.0);
        EXPECT_EQ(*ctx.levels[1].value(LevelValue::Tdry), -c.fall - 0.5);
    }
}

TEST(InversionLevels, OnlyBelow300mbForDropsAndAscents) {
    // Drop: an inversion above 300 mb is cut away, one below is kept.
    test::SeriesSet s;
    s.pres = makeSeries({{0, 200}, {10, 250}, {20, 280}, {30, 350}, {40, 400}, {50, 500}, {60, 600}});
    s.tdry = makeSeries({{0, -50}, {10, -60}, {20, -45}, {30, -40}, {40, -45}, {50, -30}, {60, -20}});
    {
        LevelContext ctx(s.view(), drop(), MissingValue);
        addInversionLevels(ctx);
        ASSERT_EQ(ctx.levels.size(), 2u);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), 350.0);
        EXPECT_EQ(*ctx.levels[1].value(LevelValue::Pres), 400.0);
    }
    // The same air met by an ascent: the layer above 300 mb is left out as well,
    // and the ascent is searched although it reaches above 300 mb.
    test::SeriesSet up;
    up.pres =
        makeSeries({{0, 600}, {10, 500}, {20, 400}, {30, 350}, {40, 320}, {50, 280}, {60, 250}, {70, 200}});
    up.tdry =
        makeSeries({{0, -20}, {10, -30}, {20, -45}, {30, -40}, {40, -48}, {50, -45}, {60, -60}, {70, -50}});
    LevelContext ctx(up.view(), ascent(), MissingValue);
    addInversionLevels(ctx);
    ASSERT_EQ(ctx.levels.size(), 2u);
    EXPECT_EQ(ctx.levels[0].type(), LevelType::InversionBottom);
    EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), 400.0);
    EXPECT_EQ(ctx.levels[1].type(), LevelType::InversionTop);
    EXPECT_EQ(*ctx.levels[1].value(LevelValue::Pres), 350.0);
}

TEST(StationBaseLevel, PressureByKnownSurfaceAltitude) {
    test::SeriesSet s;
    s.pres = test::line(0, 700, 100, 900);
    s.tdry = test::line(0, 0, 100, 20);
    struct Case {
        double zs;
        std::optional<double> base;
    };
    for (const Case c : {Case{999.9, 850.0}, Case{1000.0, 800.0}, Case{1400.0, 800.0}, Case{1400.1, 750.0},
                         Case{2000.0, 750.0}, Case{2000.1, std::nullopt}, Case{MissingValue, std::nullopt}}) {
        LevelContext ctx(s.view(), drop(), c.zs);
        addStationBasePressure(ctx);
        SCOPED_TRACE(c.zs);
        if (!c.base) {
            EXPECT_TRUE(ctx.levels.empty());
            continue;
        }
        ASSERT_EQ(ctx.levels.size(), 1u);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), *c.base);
        EXPECT_DOUBLE_EQ(*ctx.levels[0].value(LevelValue::Time), (*c.base - 700.0) / 2.0);
        EXPECT_DOUBLE_EQ(*ctx.levels[0].value(LevelValue::Tdry), (*c.base - 700.0) / 10.0);
    }
}

TEST(Layer110Levels, PointOnTheLowPressureSideOfTheCrossing) {
    // Drop: 110 mb is crossed at t = 15; the last point not later is t = 10 at 105 mb.
    test::SeriesSet s;
    s.pres = makeSeries({{0, 95}, {10, 105}, {20, 115}, {30, 125}});
    s.tdry = makeSeries({{0, -60}, {10, -61}, {20, -62}, {30, -63}});
    s.u = s.tdry;
    s.v = makeSeries({{0, 1}, {10, 1}, {20, 1}, {30, 1}});
    {
        LevelContext ctx(s.view(), drop(), MissingValue);
        add110mbTemperature(ctx);
        add110mbWinds(ctx);
        ASSERT_EQ(ctx.levels.size(), 2u);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Time), 10.0);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), 105.0);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Tdry), -61.0);
        EXPECT_EQ(ctx.levels[1].type(), LevelType::Winds110To100);
        EXPECT_EQ(*ctx.levels[1].value(LevelValue::U), -61.0);
    }
    // Ascent through the same pressures: the first point not earlier than the crossing.
    test::SeriesSet up;
    up.pres = makeSeries({{0, 125}, {10, 115}, {20, 105}, {30, 95}});
    up.tdry = makeSeries({{0, -63}, {10, -62}, {20, -61}, {30, -60}});
    {
        LevelContext ctx(up.view(), ascent(), MissingValue);
        add110mbTemperature(ctx);
        ASSERT_EQ(ctx.levels.size(), 1u);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Time), 20.0);
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Pres), 105.0);
    }
    // The nearest point above the crossing lies above 100 mb: no level.
    up.tdry = makeSeries({{0, -63}, {30, -60}});
    LevelContext ctx(up.view(), ascent(), MissingValue);
    add110mbTemperature(ctx);
    EXPECT_TRUE(ctx.levels.empty());
}

TEST(SurfaceThermodynamic, SurfacePointAndLowermostData) {
    test::SeriesSet s;
    s.pres = makeSeries({{0, 900}, {10, 950}, {20, 1000}});
    s.pres.setFlags(2, FlagSurface);
    s.tdry = makeSeries({{0, 15}, {10, 20}});  // no temperature at the surface
    s.rh = makeSeries({{0, 80}, {10, 85}, {20, 90}});
    s.alt = makeSeries({{0, 900}, {10, 450}, {20, 0}});
    s.lat = makeSeries({{0, 15.0}, {5, 15.1}});
    s.lon = makeSeries({{0, -60.0}, {5, -60.1}});
    LevelContext ctx(s.view(), drop(), 0.0);
    addSurfaceThermodynamic(ctx);
    ASSERT_EQ(ctx.levels.size(), 2u);
    const Level& sfc = ctx.levels[0];
    EXPECT_EQ(sfc.type(), LevelType::SurfaceThermodynamic);
    EXPECT_EQ(*sfc.value(LevelValue::Pres), 1000.0);
    EXPECT_EQ(*sfc.value(LevelValue::RH), 90.0);
    EXPECT_EQ(*sfc.value(LevelValue::Alt), 0.0);
    EXPECT_FALSE(sfc.has(LevelValue::Tdry));
    EXPECT_EQ(*sfc.value(LevelValue::Lat), 15.1);  // last position, 15 s before the surface
    const Level& low = ctx.levels[1];
    EXPECT_EQ(low.type(), LevelType::LowermostThermodynamic);
    EXPECT_EQ(*low.value(LevelValue::Time), 10.0);
    EXPECT_EQ(*low.value(LevelValue::Tdry), 20.0);
    EXPECT_EQ(*low.value(LevelValue::RH), 85.0);
}

// Temperature linear in pressure: the extrapolation continues the line, so the
// extrapolated surface pressure matches the hypsometric pressure of the line's
// own temperature there.
TEST(SurfaceThermodynamic, ExtrapolatedSurfacePressureContinuesTheProfile) {
    test::SeriesSet s;
    auto tempAt = [](double p) { return 10.0 + 0.05 * (p - 900.0); };
    s.pres = makeSeries({{0, 800}, {10, 850}, {20, 900}, {30, 950}});
    s.tdry = makeSeries({{0, tempAt(800)}, {10, tempAt(850)}, {20, tempAt(900)}, {30, tempAt(950)}});
    s.rh = makeSeries({{0, 70}, {30, 70}});
    s.alt = makeSeries({{0, 2000}, {30, 500}});
    LevelContext ctx(s.view(), drop(), 0.0);
    addSurfaceThermodynamic(ctx);
    const Level* x = firstOf(ctx.levels, LevelType::ExtrapolatedSfcPressure);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(*x->value(LevelValue::Time), 30.0);
    const double first = pressureAtHeight(950, tempAt(950), tempAt(950), 70, 70, 500, 0);
    const double expected = pressureAtHeight(950, tempAt(950), tempAt(first), 70, 70, 500, 0);
    EXPECT_NEAR(*x->value(LevelValue::Pres), expected, 1e-9);
    EXPECT_GT(*x->value(LevelValue::Pres), 1000.0);

    // Unknown surface altitude or an ascent: nothing extrapolated.
    LevelContext unknown(s.view(), drop(), MissingValue);
    addSurfaceThermodynamic(unknown);
    EXPECT_EQ(countOf(unknown.levels, LevelType::ExtrapolatedSfcPressure), 0);
}

TEST(ExtrapolatedAltitudes, MandatoryLevelsJustBeyondTheData) {
    test::SeriesSet s;
    auto tempAt = [](double p) { return -20.0 + 0.1 * (p - 500.0); };
    // Released at 510 mb, ends at 980 mb without a surface point.
    s.pres = makeSeries({{0, 510}, {10, 530}, {20, 600}, {30, 900}, {40, 960}, {50, 980}});
    s.tdry = test::sampled(s.pres.times(), [&](double t) { return tempAt(*s.pres.interpolate(t, 60)); });
    s.alt = makeSeries({{0, 5600}, {50, 300}});
    LevelContext ctx(s.view(), drop(), MissingValue);
    addExtrapolatedAltitudes(ctx);
    ASSERT_EQ(ctx.levels.size(), 2u);
    const Level& top = ctx.levels[0];
    EXPECT_EQ(*top.value(LevelValue::Pres), 500.0);
    EXPECT_EQ(*top.value(LevelValue::Time), 0.0);
    EXPECT_NEAR(*top.value(LevelValue::Alt),
                5600 + layerThickness(510, 500, tempAt(510), tempAt(500), 70, 70), 1e-9);
    const Level& bottom = ctx.levels[1];
    EXPECT_EQ(*bottom.value(LevelValue::Pres), 1000.0);
    EXPECT_NEAR(*bottom.value(LevelValue::Alt),
                300 + layerThickness(980, 1000, tempAt(980), tempAt(1000), 70, 70), 1e-9);
    EXPECT_LT(*bottom.value(LevelValue::Alt), 300.0);
}

}  // namespace
}  // namespace velta
