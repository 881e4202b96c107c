#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "levels/Level.h"
#include "levels/LevelListing.h"
#include "levels/LevelOrder.h"
#include "levels/LevelSelection.h"
#include "levels/LevelType.h"

namespace velta {
namespace {

Level make(LevelType type, std::optional<double> pres, std::optional<double> time = std::nullopt) {
    Level l(type);
    l.set(LevelValue::Pres, pres);
    l.set(LevelValue::Time, time);
    return l;
}

TEST(LevelType, DisplayNames) {
    EXPECT_STREQ(levelTypeName(LevelType::Standard), "Standard");
    EXPECT_STREQ(levelTypeName(LevelType::Temperature110To100), "110-100mb Temperature");
    EXPECT_STREQ(levelTypeName(LevelType::MaximumWind), "Maximim Wind");
    EXPECT_STREQ(levelTypeName(LevelType::DeepLayerMeanWind62626), "62626 Deep Layer Mean Wind");
    EXPECT_STREQ(levelTypeName(static_cast<LevelType>(34)), "Unknown");
    EXPECT_STREQ(levelTypeName(static_cast<LevelType>(-1)), "Unknown");
}

TEST(Level, ValuesArePresentOrAbsent) {
    Level l(LevelType::Tropopause);
    EXPECT_FALSE(l.value(LevelValue::Alt));
    l.set(LevelValue::Alt, 0.0);
    ASSERT_TRUE(l.value(LevelValue::Alt));
    EXPECT_EQ(*l.value(LevelValue::Alt), 0.0);
    l.set(LevelValue::Alt, std::optional<double>{});  // nothing to set keeps the value
    EXPECT_TRUE(l.has(LevelValue::Alt));
    l.remove(LevelValue::Alt);
    EXPECT_FALSE(l.has(LevelValue::Alt));
    EXPECT_EQ(l, Level(LevelType::Tropopause));
}

// The order must be a strict weak ordering whatever the mix of missing
// pressures and times, and must give one result for every input order.
TEST(LevelOrder, TotalAndIndependentOfInputOrder) {
    const std::vector<Level> expected = {
        make(LevelType::Tropopause, 150.0, 300.0),
        make(LevelType::GdlTemperature, 500.0, 90.0),
        make(LevelType::Standard, 500.0, 100.0),
        make(LevelType::Standard, 500.0),  // no time: after the timed ones at 500
        make(LevelType::MaximumWind, 500.0),
        make(LevelType::Standard, 1000.0),
        make(LevelType::SurfaceThermodynamic, std::nullopt, 50.0),  // no pressure: at the end
        make(LevelType::SurfaceWinds, std::nullopt, 60.0),
        make(LevelType::SurfaceThermodynamic, std::nullopt),
        make(LevelType::SurfaceWinds, std::nullopt),
    };
    std::vector<int> order(expected.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k);
    int permutations = 0;
    do {
        std::vector<Level> shuffled;
        for (int k : order) shuffled.push_back(expected[static_cast<std::size_t>(k)]);
        sortLevels(shuffled);
        ASSERT_EQ(shuffled, expected) << "permutation " << permutations;
        // Only a sample of the 10! orders: rotate the tail.
    } while (++permutations < 2000 && std::next_permutation(order.begin(), order.end()));

    std::vector<Level> reversed(expected.rbegin(), expected.rend());
    sortLevels(reversed);
    EXPECT_EQ(reversed, expected);
    for (std::size_t a = 0; a < expected.size(); ++a) EXPECT_FALSE(levelBefore(expected[a], expected[a]));
}

TEST(LevelSelection, TypesRangeAndExclusion) {
    std::vector<Level> levels = {
        make(LevelType::Standard, 500.0, 1.0), make(LevelType::Tropopause, 200.0, 2.0),
        make(LevelType::Standard, 1000.0, 3.0), make(LevelType::Standard, std::nullopt, 4.0),
        make(LevelType::Standard, 850.0, 5.0)};
    levels[4].setExcluded(true);

    auto times = [](const std::vector<Level>& v) {
        std::vector<double> out;
        for (const Level& l : v) out.push_back(*l.value(LevelValue::Time));
        return out;
    };
    // pmin <= p < pmax; a level without pressure counts as 0.
    EXPECT_EQ(times(selectLevels(levels, {LevelType::Standard}, 0.0, 1000.0, false)),
              (std::vector<double>{1, 4}));
    EXPECT_EQ(times(selectLevels(levels, {LevelType::Standard}, 500.0, 1000.1, true)),
              (std::vector<double>{1, 3, 5}));
    // A type listed twice copies its levels twice, in list order.
    EXPECT_EQ(times(selectLevels(levels, {LevelType::Tropopause, LevelType::Standard, LevelType::Tropopause},
                                 100.0, 600.0, false)),
              (std::vector<double>{1, 2, 2}));

    const std::vector<Level> ordered = pressureOrderedLevels(levels);
    EXPECT_EQ(times(ordered), (std::vector<double>{2, 1, 5, 3}));
}

TEST(LevelListing, PagesRowsAndGraphLabels) {
    std::vector<Level> levels;
    for (int k = 0; k < 51; ++k) levels.push_back(make(LevelType::Standard, 1000.0 - k, k));
    levels[0].set(LevelValue::Tdry, -12.345);
    levels[0].set(LevelValue::Alt, 12345.67);

    const auto pages = levelListing(levels);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].size(), 53u);
    ASSERT_EQ(pages[1].size(), 4u);
    EXPECT_EQ(pages[1][0], "Levels");
    EXPECT_EQ(pages[0][1], "    Time     Pres    T Dry       RH    Speed      Dir      Alt     Type   ");
    EXPECT_EQ(pages[0][2], " ");
    EXPECT_EQ(pages[0][3], "     0.0   1000.0    -12.3                             12345.7 Standard");
    EXPECT_EQ(levelListing({}).size(), 1u);

    Level noPressure(LevelType::SurfaceWinds);
    noPressure.set(LevelValue::Wspd, 3.0);
    noPressure.set(LevelValue::Alt, 10.0);
    Level high = make(LevelType::MaximumWind, 250.04, 1.0);
    high.set(LevelValue::Wspd, 40.0);
    high.set(LevelValue::Alt, 10000.0);
    Level noAlt = make(LevelType::Standard, 500.0, 2.0);
    noAlt.set(LevelValue::Wspd, 5.0);
    const auto points = levelGraphPoints({noPressure, high, noAlt}, LevelValue::Wspd, LevelValue::Alt);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].label, "Surface Winds");
    EXPECT_EQ(points[1].label, "Maximim Wind at 250.0 mb");
    EXPECT_EQ(points[1].x, 40.0);
    EXPECT_EQ(points[1].y, 10000.0);
}

}  // namespace
}  // namespace velta
