#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "levels/LevelContext.h"
#include "levels/LevelOrder.h"
#include "levels/SignificantLevels.h"
#include "levels/StandardLevels.h"
#include "levels/SurfaceLevels.h"
#include "levels/TropopauseFinder.h"
#include "qc/MetFormulas.h"

namespace velta {
namespace {

using test::countOf;
using test::firstOf;
using test::makeSeries;

const Level* standardAt(const std::vector<Level>& levels, double p) {
    for (const Level& l : levels)
        if (l.type() == LevelType::Standard && l.value(LevelValue::Pres) == p) return &l;
    return nullptr;
}

TEST(StandardLevels, ThousandMillibarsBelowASurfaceFrom949_5To1000mb) {
    struct Case {
        double surfacePressure;
        bool extrapolated;  // the 1000 mb level lies below the surface
        bool crossed;       // the pressure series reaches 1000 mb
    };
    for (const Case c : {Case{949.4, false, false}, Case{949.5, true, false}, Case{999.9, true, false},
                         Case{1000.0, false, true}}) {
        test::SeriesSet s;
        s.pres = test::line(0, 900, 100, c.surfacePressure);
        s.pres.setFlags(s.pres.lastIndex(), FlagSurface);
        s.tdry = test::line(0, 20, 100, 25);
        s.alt = test::line(0, 500, 100, 50);
        LevelContext ctx(s.view(), LevelOptions{}, 50.0);
        addSurfaceThermodynamic(ctx);
        addStandardLevels(ctx);
        SCOPED_TRACE(c.surfacePressure);
        const Level* l1000 = standardAt(ctx.levels, 1000.0);
        ASSERT_NE(l1000, nullptr);  // every mandatory level from 1000 mb up to the top reached exists
        EXPECT_EQ(l1000->has(LevelValue::Time), c.crossed);
        EXPECT_EQ(l1000->has(LevelValue::Alt), c.extrapolated || c.crossed);
        if (c.extrapolated) {
            // Below the surface by the thickness of the layer from the surface pressure to 1000 mb.
            EXPECT_NEAR(*l1000->value(LevelValue::Alt),
                        50.0 + layerThickness(c.surfacePressure, 1000.0, 25, 25, 50, 50), 1e-9);
            EXPECT_LT(*l1000->value(LevelValue::Alt), 50.0);
        }
        const Level* l925 = standardAt(ctx.levels, 925.0);
        ASSERT_NE(l925, nullptr);
        EXPECT_TRUE(l925->has(LevelValue::Time) && l925->has(LevelValue::Tdry) && l925->has(LevelValue::Alt));
        EXPECT_EQ(countOf(ctx.levels, LevelType::Standard), 2);
    }
}

TEST(StandardLevels, EmptyLevelsUpToTheHighestReachedAndTheLaunchWind) {
    test::SeriesSet s;
    // Released at 399 mb, ends at 650 mb.
    s.pres = makeSeries({{-1, 399}, {0, 399.5}, {100, 650}});
    s.pres.setFlags(0, FlagLaunch);
    s.tdry = makeSeries({{0, -30}, {100, 0}});
    s.wspd = makeSeries({{-1, 7}, {80, 9}});
    s.wspd.setFlags(0, FlagLaunch);
    s.wdir = makeSeries({{-1, 90}, {80, 95}});
    s.u = makeSeries({{-1, -7}, {80, -9}});
    s.v = makeSeries({{-1, 0.5}, {80, 0.6}});
    LevelContext ctx(s.view(), LevelOptions{}, MissingValue);
    ctx.levels.push_back(Level(LevelType::SurfaceThermodynamic));
    addStandardLevels(ctx);

    std::vector<double> pressures;
    for (const Level& l : ctx.levels)
        if (l.type() == LevelType::Standard) pressures.push_back(*l.value(LevelValue::Pres));
    EXPECT_EQ(pressures, (std::vector<double>{500, 400, 1000, 925, 850, 700}));
    for (double p : {1000.0, 925.0, 850.0, 700.0}) {
        const Level* l = standardAt(ctx.levels, p);
        EXPECT_FALSE(l->has(LevelValue::Time) || l->has(LevelValue::Tdry) || l->has(LevelValue::Wspd)) << p;
    }
    // 400 mb lies within 2 mb below the release: it takes the launch wind.
    const Level* l400 = standardAt(ctx.levels, 400.0);
    EXPECT_EQ(*l400->value(LevelValue::Wspd), 7.0);
    EXPECT_EQ(*l400->value(LevelValue::Wdir), 90.0);
    EXPECT_EQ(*l400->value(LevelValue::V), 0.5);
    EXPECT_FALSE(standardAt(ctx.levels, 500.0)->has(LevelValue::Wspd));  // no wind data within 60 s
}

// Temperature falling 6.5 K/km up to 11 km and constant above, sampled every
// 2 s of a 1 km/min... drop from topAltitude to the surface.
test::SeriesSet tropopauseDrop(double topAltitude, double step = 2.0) {
    test::SeriesSet s;
    const double fall = 20.0;  // m/s
    const double duration = topAltitude / fall;
    for (double t : test::timesFrom(0, duration, step)) {
        const double z = topAltitude - fall * t;
        const double temp = 15.0 - 6.5 * std::min(z, 11000.0) / 1000.0;
        const double p = z <= 11000.0 ? 1013.25 * std::pow(1 - z / 44330.8, 5.25588)
                                      : 226.32 * std::exp(-(z - 11000.0) / 6341.6);
        s.alt.append(z, t);
        s.tdry.append(temp, t);
        s.pres.append(p, t);
    }
    return s;
}

TEST(TropopauseFinder, FindsTheTopOfTheLapseLayer) {
    test::SeriesSet s = tropopauseDrop(16000.0);
    const TropopauseFinder finder(s.tdry, s.alt, s.pres, 60.0, false);
    const std::vector<double> times = finder.times();
    ASSERT_EQ(times.size(), 1u);
    const double z = *s.alt.interpolate(times[0], 60);
    EXPECT_NEAR(z, 11000.0, 150.0);

    // The same profile seen by an ascent.
    test::SeriesSet up;
    for (int32_t i = s.alt.lastIndex(); i >= 0; --i) {
        const double t = s.alt.time(s.alt.lastIndex()) - s.alt.time(i);
        up.alt.append(s.alt.value(i), t);
        up.tdry.append(s.tdry.value(i), t);
        up.pres.append(s.pres.value(i), t);
    }
    const TropopauseFinder ascent(up.tdry, up.alt, up.pres, 60.0, true);
    ASSERT_EQ(ascent.times().size(), 1u);
    EXPECT_NEAR(*up.alt.interpolate(ascent.times()[0], 60), 11000.0, 150.0);

    // Data ending less than 2 km above the break: no tropopause.
    test::SeriesSet low = tropopauseDrop(12500.0);
    EXPECT_TRUE(TropopauseFinder(low.tdry, low.alt, low.pres, 60.0, false).times().empty());
}

TEST(TropopauseFinder, DataMustReach200mbWithTenUsablePoints) {
    // 200 mb lies at 11 774 m in this profile.
    const double z200 = 11000.0 + 6341.6 * std::log(226.32 / 200.0);
    struct Case {
        double top;
        double step;
        bool searched;
    };
    for (const Case c :
         {Case{z200 + 0.01, 2.0, true}, Case{z200 - 2.0, 2.0, false},
          Case{z200 + 0.01, z200 / 20.0 / 9.5, true}, Case{z200 + 0.01, z200 / 20.0 / 8.5, false}}) {
        test::SeriesSet s = tropopauseDrop(c.top, c.step);
        // Points further apart than 60 s interpolate nothing; keep them close in time.
        SCOPED_TRACE(testing::Message() << c.top << " m, " << s.tdry.size() << " points");
        const TropopauseFinder finder(s.tdry, s.alt, s.pres, 60.0, false);
        EXPECT_EQ(finder.size() > 0, c.searched);
    }
}

// Collects the step names the derivation reports.
class StepRecorder : public StatusReporter {
public:
    void setStep(const std::string& text) override { steps.push_back(text); }
    std::vector<std::string> steps;
};

TEST(SignificantLevels, SyntheticDropStepsOrderAndRepeatability) {
    const test::SeriesSet drop = test::syntheticDrop();
    StepRecorder progress;
    const SignificantLevels levels(progress, drop.view(), LevelOptions{}, 0.0);

    const std::vector<std::string> expectedSteps = {"surfce thermodynamic",
                                                    "surface winds",
                                                    "missing temperature",
                                                    "highest thermodynamic",
                                                    "110 mb thermodynamic",
                                                    "inversions",
                                                    "station base pressure",
                                                    "110 mb wind",
                                                    "highest wind",
                                                    "extrapolate mandatory altitude",
                                                    "GDL thermodynamic",
                                                    "GDL winds",
                                                    "tropopause",
                                                    "missing RH",
                                                    "standard",
                                                    "maxwind",
                                                    "62626"};
    EXPECT_EQ(progress.steps, expectedSteps);

    const std::vector<Level>& list = levels.levels();
    for (std::size_t k = 1; k < list.size(); ++k) EXPECT_FALSE(levelBefore(list[k], list[k - 1])) << k;

    const Level* sfc = firstOf(list, LevelType::SurfaceThermodynamic);
    ASSERT_NE(sfc, nullptr);
    EXPECT_NEAR(*sfc->value(LevelValue::Pres), 1010.0, 1e-9);
    EXPECT_TRUE(sfc->has(LevelValue::Lat) && sfc->has(LevelValue::Alt));
    for (double p : {1000.0, 925.0, 850.0, 700.0}) {
        const Level* l = standardAt(list, p);
        ASSERT_NE(l, nullptr) << p;
        EXPECT_TRUE(l->has(LevelValue::Alt) && l->has(LevelValue::Tdry) && l->has(LevelValue::Wspd)) << p;
    }
    EXPECT_EQ(standardAt(list, 500.0), nullptr);
    EXPECT_EQ(countOf(list, LevelType::SurfaceWinds), 1);
    EXPECT_EQ(*firstOf(list, LevelType::SurfaceWinds)->value(LevelValue::Alt), 10.0);
    EXPECT_EQ(countOf(list, LevelType::StationBasePressure), 1);
    EXPECT_EQ(countOf(list, LevelType::InversionTop), 1);
    EXPECT_GT(countOf(list, LevelType::GdlTemperature), 0);
    EXPECT_GT(countOf(list, LevelType::GdlWindSpeed), 0);
    EXPECT_GT(countOf(list, LevelType::GdlWindDirection), 0);
    EXPECT_EQ(countOf(list, LevelType::MeanBLWind62626), 1);
    EXPECT_EQ(countOf(list, LevelType::DeepLayerMeanWind62626), 1);
    EXPECT_EQ(countOf(list, LevelType::LayerMeanWind150m62626), 1);
    EXPECT_EQ(countOf(list, LevelType::MaximumWind), 0);
    EXPECT_EQ(countOf(list, LevelType::Tropopause), 0);

    // The same input gives the same levels in the same order.
    const SignificantLevels again(progress, drop.view(), LevelOptions{}, 0.0);
    EXPECT_EQ(again.levels(), list);
    EXPECT_EQ(again.listing(), levels.listing());
}

TEST(SignificantLevels, HighDropTropopauseAnd110mbLevels) {
    const test::SeriesSet drop = test::syntheticDrop(100.0);
    StatusReporter silent;
    const SignificantLevels levels(silent, drop.view(), LevelOptions{}, 0.0);
    const std::vector<Level>& list = levels.levels();
    ASSERT_EQ(countOf(list, LevelType::Tropopause), 1);
    // The smoothing in time spreads the break over a few hundred metres.
    EXPECT_NEAR(*firstOf(list, LevelType::Tropopause)->value(LevelValue::Alt), 11000.0, 400.0);
    for (double p : {1000.0, 850.0, 500.0, 250.0, 150.0, 100.0}) {
        const Level* l = standardAt(list, p);
        ASSERT_NE(l, nullptr) << p;
        EXPECT_TRUE(l->has(LevelValue::Alt) && l->has(LevelValue::Tdry)) << p;
    }
    const Level* t110 = firstOf(list, LevelType::Temperature110To100);
    ASSERT_NE(t110, nullptr);
    EXPECT_GE(*t110->value(LevelValue::Pres), 100.0);
    EXPECT_LE(*t110->value(LevelValue::Pres), 110.0);
    EXPECT_EQ(countOf(list, LevelType::Winds110To100), 1);
    EXPECT_EQ(countOf(list, LevelType::ExtrapolatedAltitude), 0);  // released exactly at 100 mb
}

TEST(SignificantLevels, NoSeriesAtAll) {
    StatusReporter silent;
    for (bool ascending : {false, true}) {
        LevelOptions options;
        options.ascending = ascending;
        SignificantLevels levels(silent, LevelSeries{}, options, MissingValue);
        // Only the empty placeholders of the surface steps.
        EXPECT_EQ(levels.size(), 2u);
        EXPECT_TRUE(levels.pressureOrdered().empty());
        levels.setExcluded(0, true);
        levels.setExcluded(99, true);
        EXPECT_TRUE(levels.levels()[0].excluded());
    }
}

}  // namespace
}  // namespace velta
