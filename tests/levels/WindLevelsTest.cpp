#include <gtest/gtest.h>

#include <cmath>

#include "LevelTestSupport.h"
#include "levels/GdlMethod.h"
#include "levels/LevelContext.h"
#include "levels/MaxWindLevels.h"
#include "levels/MeanWindLayers.h"
#include "levels/SurfaceLevels.h"
#include "qc/MetFormulas.h"

namespace velta {
namespace {

using test::countOf;
using test::firstOf;
using test::makeSeries;

Level at(LevelType type, double t, double p) {
    Level l(type);
    l.set(LevelValue::Time, t);
    l.set(LevelValue::Pres, p);
    return l;
}

// A drop reaching the surface at t = 100 s: pressure 900 -> 1000 mb and
// altitude 100 -> 0 m, both linear in time, wind (t, -t / 10).
test::SeriesSet surfaceDrop() {
    test::SeriesSet s;
    s.pres = test::line(0, 900, 100, 1000);
    s.pres.setFlags(s.pres.lastIndex(), FlagSurface);
    s.tdry = test::line(0, 20, 100, 25);
    s.rh = test::line(0, 80, 100, 90);
    s.alt = test::line(0, 100, 100, 0);
    s.u = test::sampled(test::timesFrom(0, 100, 1), [](double t) { return t; });
    s.v = test::sampled(test::timesFrom(0, 100, 1), [](double t) { return -t / 10; });
    return s;
}

TEST(SurfaceWinds, TenMetresAboveAKnownSurfaceTwelveAboveAnUnknownOne) {
    struct Case {
        double surface;
        double lagSeconds;  // ptuwindtimediff, with a fall speed of 10 m/s
        double windAlt;     // altitude the wind is looked up at
        double levelAlt;
        bool lastWindLevel;
    };
    for (const Case c : {Case{0.0, 0.0, 10.0, 10.0, false}, Case{MissingValue, 0.0, 12.0, 12.0, true},
                         Case{0.0, 0.5, 15.0, 10.0, false}}) {
        test::SeriesSet s = surfaceDrop();
        s.dz = test::line(0, -10, 100, -10);
        LevelOptions options;
        options.ptuwindtimediff = c.lagSeconds;
        LevelContext ctx(s.view(), options, c.surface);
        addSurfaceThermodynamic(ctx);
        addSurfaceWinds(ctx);
        SCOPED_TRACE(testing::Message() << c.surface << " " << c.lagSeconds);
        const Level* w = firstOf(ctx.levels, LevelType::SurfaceWinds);
        ASSERT_NE(w, nullptr);
        const double tw = 100.0 - c.windAlt;
        EXPECT_NEAR(*w->value(LevelValue::Time), tw, 1e-9);
        EXPECT_EQ(*w->value(LevelValue::Alt), c.levelAlt);
        EXPECT_EQ(*w->value(LevelValue::Pres), 1000.0);
        EXPECT_NEAR(*w->value(LevelValue::U), tw, 1e-9);
        EXPECT_NEAR(*w->value(LevelValue::Wspd), std::hypot(tw, tw / 10), 1e-9);
        const Level* last = firstOf(ctx.levels, LevelType::LastWindAltitude62626);
        ASSERT_EQ(last != nullptr, c.lastWindLevel);
        if (last) {
            EXPECT_EQ(*last->value(LevelValue::Alt), 12.0);
        }
    }
}

TEST(SurfaceWinds, LowermostWindWhenTheAltitudesEndHigh) {
    test::SeriesSet s = surfaceDrop();
    s.alt = test::line(0, 400, 100, 300);  // never reaches 12 m
    LevelContext ctx(s.view(), LevelOptions{}, MissingValue);
    addSurfaceThermodynamic(ctx);
    addSurfaceWinds(ctx);
    const Level* w = firstOf(ctx.levels, LevelType::SurfaceWinds);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->has(LevelValue::Wspd));
    EXPECT_EQ(*w->value(LevelValue::Pres), 1000.0);
    const Level* low = firstOf(ctx.levels, LevelType::LowermostWinds);
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(*low->value(LevelValue::Time), 100.0);
    const Level* last = firstOf(ctx.levels, LevelType::LastWindAltitude62626);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(*last->value(LevelValue::Alt), 300.0);

    // A u series holding only the launch point gives no lowermost wind.
    s.u = makeSeries({{-1, 3}});
    s.u.setFlags(0, FlagLaunch);
    LevelContext onlyLaunch(s.view(), LevelOptions{}, MissingValue);
    addSurfaceWinds(onlyLaunch);
    EXPECT_EQ(countOf(onlyLaunch.levels, LevelType::LowermostWinds), 0);
}

TEST(MaxWindLevels, AtLeast60_5KnotsAtOrAbove500mb) {
    EXPECT_NEAR(MaxWindMinimumSpeed, 60.5 * 1852.0 / 3600.0, 1e-12);  // 31.1239 m/s
    struct Case {
        double speed;
        double pres;
        double otherSpeed;  // a slower level at 400 mb
        bool found;
    };
    for (const Case c : {Case{31.12, 450, 0, false}, Case{31.13, 450, 0, true}, Case{31.13, 501, 0, false},
                         Case{31.13, 501, 31.124, false}, Case{31.13, 500, 0, true}}) {
        test::SeriesSet s;
        s.alt = test::line(0, 10000, 100, 0);
        s.pres = test::line(0, 250, 100, 1000);
        s.u = test::line(0, 1, 100, 101);
        s.v = test::line(0, 0, 100, 0);
        LevelContext ctx(s.view(), LevelOptions{}, 0.0);
        Level fast = at(LevelType::Standard, 50, c.pres);
        fast.set(LevelValue::Wspd, c.speed);
        fast.set(LevelValue::Alt, 1.0);
        ctx.levels.push_back(fast);
        Level other = at(LevelType::GdlWindSpeed, 60, 400);
        other.set(LevelValue::Wspd, c.otherSpeed);
        ctx.levels.push_back(other);
        addMaxWindLevels(ctx);
        SCOPED_TRACE(testing::Message() << c.speed << " at " << c.pres);
        const Level* max = firstOf(ctx.levels, LevelType::MaximumWind);
        ASSERT_EQ(max != nullptr, c.found);
        if (!max) {
            EXPECT_EQ(ctx.levels.size(), 2u);
            continue;
        }
        EXPECT_EQ(*max->value(LevelValue::Alt), 5000.0);  // from the altitude series, not the source level
        EXPECT_EQ(*ctx.levels[0].value(LevelValue::Alt), 1.0);
        const Level* above = firstOf(ctx.levels, LevelType::WindShearAbove);
        const Level* below = firstOf(ctx.levels, LevelType::WindShearBelow);
        ASSERT_TRUE(above && below);
        EXPECT_EQ(*above->value(LevelValue::Alt), 5914.0);
        EXPECT_NEAR(*above->value(LevelValue::Time), 40.86, 1e-9);
        EXPECT_NEAR(*above->value(LevelValue::U), 41.86, 1e-9);
        EXPECT_NEAR(*below->value(LevelValue::Pres), 250 + 7.5 * 59.14, 1e-9);
    }
}

TEST(MeanWindLayers, BoundaryLayerNeeds35PointsBelow500m) {
    for (int points : {34, 35}) {
        test::SeriesSet s;
        s.alt = test::line(0, 1000, 100, 0);  // 500 m at t = 50
        const auto times = test::timesFrom(0, 50 + points, 1);
        s.wspd = test::sampled(times, [](double) { return 5.0; });
        s.u = test::sampled(times, [](double t) { return t > 50 ? 4.0 : 100.0; });
        s.v = test::sampled(times, [](double t) { return t > 50 ? -3.0 : 100.0; });
        s.pres = test::line(0, 900, 100, 1000);
        LevelContext ctx(s.view(), LevelOptions{}, 0.0);
        addMeanWindLayers(ctx);
        const Level* bl = firstOf(ctx.levels, LevelType::MeanBLWind62626);
        SCOPED_TRACE(points);
        ASSERT_EQ(bl != nullptr, points == 35);
        if (!bl) continue;
        EXPECT_EQ(*bl->value(LevelValue::Time), 50.0);
        EXPECT_EQ(*bl->value(LevelValue::Alt), 500.0);
        EXPECT_EQ(*bl->value(LevelValue::Pres), 950.0);
        EXPECT_DOUBLE_EQ(*bl->value(LevelValue::U), 4.0);
        EXPECT_DOUBLE_EQ(*bl->value(LevelValue::Wspd), 5.0);
    }
}

TEST(MeanWindLayers, DeepAndLowest150mLayers) {
    test::SeriesSet s;
    s.alt = test::line(0, 3000, 100, 100);
    s.alt.insertAtFront(3000, -1);
    s.alt.append(0, 110);
    s.pres = test::line(0, 700, 110, 1000, 5);
    s.pres.insertAtFront(699, -1);
    std::vector<double> times{-1};
    for (double t : test::timesFrom(0, 110, 1)) times.push_back(t);
    s.wspd = test::sampled(times, [](double) { return 1.0; });
    s.wspd.setFlags(0, FlagLaunch);
    s.wspd.setFlags(s.wspd.lastIndex(), FlagSurface);
    s.u = test::sampled(times, [](double t) { return t < 0 ? 1000.0 : t; });
    s.v = test::sampled(times, [](double) { return 0.0; });
    s.dz = test::line(0, -10, 110, -10);
    LevelOptions options;
    options.ptuwindtimediff = 0.2;
    LevelContext ctx(s.view(), options, 0.0);
    addMeanWindLayers(ctx);

    const Level* deep = firstOf(ctx.levels, LevelType::DeepLayerMeanWind62626);
    ASSERT_NE(deep, nullptr);
    EXPECT_DOUBLE_EQ(*deep->value(LevelValue::U), 55.0);  // the launch point is left out
    EXPECT_EQ(*deep->value(LevelValue::LayerTopPres), 700.0);
    EXPECT_EQ(*deep->value(LevelValue::LayerBottomPres), 1000.0);
    EXPECT_EQ(*deep->value(LevelValue::Pres), 1000.0);

    // b is the point before the surface point (t = 109, 10 m); the layer top
    // 160 m is reached at t ~ 97.9, so the points 98 ... 109 are averaged.
    const Level* low = firstOf(ctx.levels, LevelType::LayerMeanWind150m62626);
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(*low->value(LevelValue::Time), 109.0);
    EXPECT_DOUBLE_EQ(*low->value(LevelValue::U), (98.0 + 109.0) / 2);
    EXPECT_NEAR(*low->value(LevelValue::Alt), 10 + 75 - 2, 1e-9);
}

// Between two levels, 500 mb (t 0, 0 deg C) and 600 mb or 500 mb (t 10, 10 or
// 2 deg C), with pressure linear in time: the line is then value = t.
TEST(GdlMethod, WorstPointBecomesALevelAndBothSidesAreSearchedAgain) {
    struct Case {
        std::vector<std::pair<double, double>> points;
        double pb;
        std::vector<double> newTimes;  // in creation order
    };
    const std::vector<Case> cases = {
        {{{5, 100}}, 600, {}},           // one point between: nothing, whatever its deviation
        {{{4, 4}, {6, 6.9}}, 600, {}},   // within 1 deg C of the line
        {{{4, 4}, {6, 7.1}}, 600, {6}},  // more than 1 deg C off
        {{{0, 50}, {4, 4}, {6, 7.1}, {10, 50}},
         600,
         {6}},  // points at the levels' own times are not between them
        {{{1, 1}, {2, 5}, {3, 3}, {6, 4}, {7, 12}, {8, 8}}, 600, {7, 6, 2}},  // depth first, left side first
        {{{4, 1}, {6, 1}}, 500, {}},  // levels of equal pressure: the line is their mean, finite
    };
    for (const Case& c : cases) {
        test::SeriesSet s;
        s.pres = makeSeries({{0, 500}, {10, c.pb}});
        if (c.pb == 500) s.pres = makeSeries({{0, 500}, {5, 505}, {10, 500}});
        DataSeries temperature("QCTdry");
        for (auto [t, v] : c.points) temperature.append(v, t);
        s.tdry = temperature;
        LevelContext ctx(s.view(), LevelOptions{}, MissingValue);
        Level a = at(LevelType::Standard, 0, 500);
        a.set(LevelValue::Tdry, 0);
        Level b = at(LevelType::Standard, 10, c.pb);
        b.set(LevelValue::Tdry, c.pb == 500 ? 2 : 10);
        ctx.levels = {a, b};
        applyGdl(ctx, ctx.tdry, LevelType::GdlTemperature, LevelValue::Tdry, 1.0);
        std::vector<double> made;
        for (std::size_t k = 2; k < ctx.levels.size(); ++k) {
            EXPECT_EQ(ctx.levels[k].type(), LevelType::GdlTemperature);
            made.push_back(*ctx.levels[k].value(LevelValue::Time));
        }
        EXPECT_EQ(made, c.newTimes) << "case with " << c.points.size() << " points";
    }
}

TEST(GdlMethod, DirectionDeparturesOfWindsAbove10Knots) {
    test::SeriesSet s;
    s.pres = makeSeries({{0, 500}, {10, 600}});
    double u = 0, v = 0;
    auto wind = [&](double speed, double dir) {
        windComponents(speed, dir, u, v);
        return std::pair{u, v};
    };
    // t = 1: on the line; t = 5: 30 degrees off but calm; t = 6: 30 degrees off at 20 m/s.
    const auto w1 = wind(20, 270), w5 = wind(4, 300), w6 = wind(20, 300), w7 = wind(20, 275);
    s.u = makeSeries({{1, w1.first}, {5, w5.first}, {6, w6.first}, {7, w7.first}});
    s.v = makeSeries({{1, w1.second}, {5, w5.second}, {6, w6.second}, {7, w7.second}});
    LevelContext ctx(s.view(), LevelOptions{}, MissingValue);
    for (double t : {0.0, 10.0}) {
        Level l = at(LevelType::Standard, t, 500 + 10 * t);
        const auto w = wind(20, 270);
        LevelContext::setWind(l, w.first, w.second);
        ctx.levels.push_back(l);
    }
    applyGdl(ctx, ctx.u, LevelType::GdlWindDirection, LevelValue::U, 10.0, GdlMode::Direction, &ctx.v,
             LevelValue::V);
    ASSERT_EQ(ctx.levels.size(), 3u);
    const Level& made = ctx.levels[2];
    EXPECT_EQ(*made.value(LevelValue::Time), 6.0);
    EXPECT_EQ(*made.value(LevelValue::U), w6.first);
    EXPECT_EQ(*made.value(LevelValue::V), w6.second);
}

}  // namespace
}  // namespace velta
