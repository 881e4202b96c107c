#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "LevelFixture.h"
#include "wmo/MessageCoder.h"

namespace velta {
namespace {

using namespace velta::test;

// A drop from 200 mb to the sea: surface, standard levels 1000 to 200 with
// winds up to 300 mb (850 mb without one), no tropopause, no maximum wind.
std::vector<Level> smallDrop() {
    return sorted({
        makeLevel(LevelType::SurfaceThermodynamic,
                  {{V::Pres, 1012.3}, {V::Tdry, 28.0}, {V::RH, 100}, {V::Alt, 0}}),
        makeLevel(LevelType::SurfaceWinds, {{V::Pres, 1012.3}, {V::Wspd, 10}, {V::Wdir, 273}}),
        withWind(standardLevel(1000, 105, 27.0, 100), 10, 90),
        withWind(standardLevel(925, 780, 22.5, 100), 12, 180),
        standardLevel(850, 1512, 18.0, 100),
        withWind(makeLevel(LevelType::Standard, {{V::Pres, 700}, {V::Alt, 3150}, {V::Tdry, 9.0}}), 20, 200),
        withWind(standardLevel(500, 5830, -6.3, 100), 25, 245),
        withWind(standardLevel(400, 7570, -17.1, 100), 28, 250),
        withWind(standardLevel(300, 9650, -32.0, 100), 30, 260),
        standardLevel(250, 10360, -41.0, 100),
        makeLevel(LevelType::Standard, {{V::Pres, 200}, {V::Alt, 11800}}),
    });
}

TEST(PartACTest, SmallDropCodesPartsAAndB) {
    const TempMessage m = codeDropMessage(smallDrop(), dropHeader(), false);
    ASSERT_EQ(m.parts().size(), 2u);
    const std::vector<std::string> expected = {
        "UZNT13 UZxx13 000000",
        "XXAA  78183 99253 70756 08055 99012 28000 27519 00105 27000 09019",
        "92780 22400 18023 85512 18000 ///// 70150 090// 20039 50583 06300",
        "24549 40757 17100 25054 30965 32100 26058 25036 41100 20180 /////",
        "88999 77999",
        "31313 0//// 81810",
        "61616 =",
        "XXBB  7818/ 99253 70756 08055 00012 28000",
        "21212 00012 27519",
        "31313 0//// 81810",
        "61616 =",
    };
    EXPECT_EQ(m.lines(), expected);
}

TEST(PartACTest, WithoutAbbreviatedHeadingPartAStartsWithItsIdentifier) {
    const TempMessage m = codeDropMessage(smallDrop(), dropHeader(), true);
    EXPECT_EQ(m.lines().front().substr(0, 6), "XXAA  ");
}

// Up to two groups that follow a group of the list.
std::vector<std::string> groupsAfter(const std::vector<std::string>& groups, const std::string& group) {
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (groups[i] == group)
            return std::vector<std::string>(
                groups.begin() + static_cast<std::ptrdiff_t>(i + 1),
                groups.begin() + static_cast<std::ptrdiff_t>(std::min(i + 3, groups.size())));
    return {};
}

TEST(PartACTest, WindGroupsFollowTheIndicator) {
    struct Case {
        double windTop;
        const char* id;
        std::vector<std::string> after200;  // the groups after 200 mb's PP-hhh group
        std::vector<std::string> after100;
    };
    // Id gives only the hundreds of the highest pressure with wind, so a
    // 250 mb (150 mb) top implies a slashed wind group at 200 mb (100 mb).
    const Case cases[] = {
        {250, "2", {"55100", "/////"}, {"70100"}},
        {150, "1", {"55100", "20020"}, {"70100", "/////"}},
        {100, "1", {"55100", "20020"}, {"70100", "20020"}},
        {300, "3", {"55100", "15360"}, {"70100"}},
    };
    const std::pair<double, double> heights[] = {{1000, 100},  {925, 800},   {850, 1500}, {700, 3100},
                                                 {500, 5800},  {400, 7500},  {300, 9600}, {250, 10400},
                                                 {200, 11800}, {150, 13600}, {100, 16500}};
    for (const Case& c : cases) {
        std::vector<Level> levels;
        for (const auto& [p, alt] : heights) {
            Level level = standardLevel(p, alt, p == 200 ? -55.0 : -70.0, 100);
            if (p >= c.windTop) level = withWind(level, 10.31, 200);  // 20 kt
            levels.push_back(level);
        }
        const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
        EXPECT_EQ(m.parts().size(), 2u);
        EXPECT_EQ(groupTexts(m, 0, SectionOrder::Identification)[1], std::string("7818") + c.id);
        const std::vector<std::string> groups = groupTexts(m, 0, SectionOrder::StandardLevels);
        EXPECT_EQ(groupsAfter(groups, "20180"), c.after200) << c.windTop;
        EXPECT_EQ(groupsAfter(groups, "10650"), c.after100) << c.windTop;
    }
}

TEST(PartACTest, NoWindAnywhereOmitsWindGroupsAndKeepsThePlainDay) {
    std::vector<Level> levels = {standardLevel(1000, 100, 20, 100), standardLevel(925, 800, 15, 100)};
    const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Identification)[1], "2818/");
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::StandardLevels),
              (std::vector<std::string>{"99///", "/////", "/////", "00100", "20000", "92800", "15000"}));
}

TEST(PartACTest, UpperPartsOnlyAbove100mb) {
    std::vector<Level> levels = smallDrop();
    levels.push_back(makeLevel(LevelType::Standard, {{V::Pres, 100}, {V::Alt, 16500}}));
    EXPECT_EQ(codeDropMessage(sorted(levels), dropHeader(), false).parts().size(), 2u);
    levels.push_back(makeLevel(LevelType::UppermostThermodynamic, {{V::Pres, 99.9}, {V::Tdry, -70}}));
    const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), false);
    ASSERT_EQ(m.parts().size(), 4u);
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::Identification).front(), "XXCC");
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::Identification).front(), "XXDD");
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::Identification)[1], "7818/");
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::SignificantTemperature),
              (std::vector<std::string>{"11999", "701//"}));
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::Heading).size(), 0u);
}

TEST(PartACTest, TropopauseAndMaximumWindAt100mb) {
    std::vector<Level> levels = {
        withWind(standardLevel(100, 16500, -75.0, 10), 10, 90),
        withWind(makeLevel(LevelType::Standard, {{V::Pres, 70}, {V::Alt, 18600}}), 5, 90),
        makeLevel(LevelType::Tropopause, {{V::Pres, 100.0}, {V::Tdry, -75.0}, {V::Wspd, 10}, {V::Wdir, 90}}),
        makeLevel(LevelType::MaximumWind, {{V::Pres, 100.0}, {V::Wspd, 40}, {V::Wdir, 270}}),
    };
    const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
    ASSERT_EQ(m.parts().size(), 4u);
    // The tropopause at exactly 100 mb belongs to part C only.
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Tropopause), (std::vector<std::string>{"88999"}));
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::Tropopause),
              (std::vector<std::string>{"88000", "751//", "09019"}));
    // The maximum wind is written in both.
    const std::vector<std::string> maximum = {"77000", "27078", "4////"};
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::MaximumWind), maximum);
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::MaximumWind), maximum);
    // Part C's standard levels: 70 mb with its wind, Id 7.
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::StandardLevels),
              (std::vector<std::string>{"70860", "/////", "09010"}));
    EXPECT_EQ(groupTexts(m, 2, SectionOrder::Identification)[1], "78187");
}

TEST(PartACTest, MaximumWindIndicatorAndShear) {
    struct Case {
        std::vector<Level> extra;
        std::vector<std::string> expected;
    };
    const Level maximum = makeLevel(LevelType::MaximumWind, {{V::Pres, 250}, {V::Wspd, 40}, {V::Wdir, 270}});
    const Case cases[] = {
        {{}, {"77250", "27078", "4////"}},
        {{makeLevel(LevelType::UppermostWinds, {{V::Pres, 250}, {V::Wspd, 40}, {V::Wdir, 270}})},
         {"66250", "27078", "4////"}},
        {{makeLevel(LevelType::UppermostWinds, {{V::Pres, 240}, {V::Wspd, 40}, {V::Wdir, 270}}),
          makeLevel(LevelType::WindShearBelow, {{V::Pres, 280}, {V::Wspd, 30}, {V::Wdir, 270}})},
         {"77250", "27078", "419//"}},
        {{makeLevel(LevelType::WindShearAbove, {{V::Pres, 220}, {V::Wspd, 22}, {V::Wdir, 90}}),
          makeLevel(LevelType::WindShearBelow, {{V::Pres, 280}, {V::Wspd, 36}, {V::Wdir, 270}})},
         {"77250", "27078", "40899"}},
        {{makeLevel(LevelType::MaximumWind, {{V::Pres, 400}, {V::Wspd, 35}, {V::Wdir, 270}}, false)},
         {"77250", "27078", "4////"}},  // the first in list order
    };
    for (const Case& c : cases) {
        std::vector<Level> levels = c.extra;
        levels.push_back(maximum);
        levels.push_back(standardLevel(1000, 100, 20, 100));
        const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
        EXPECT_EQ(groupTexts(m, 0, SectionOrder::MaximumWind), c.expected);
    }
    // Excluded or without a wind: no maximum wind.
    for (const Level& level :
         {makeLevel(LevelType::MaximumWind, {{V::Pres, 250}, {V::Wspd, 40}, {V::Wdir, 270}}, true),
          makeLevel(LevelType::MaximumWind, {{V::Pres, 250}, {V::Wspd, 40}})}) {
        const TempMessage m = codeDropMessage({level}, dropHeader(), true);
        EXPECT_EQ(groupTexts(m, 0, SectionOrder::MaximumWind), (std::vector<std::string>{"77999"}));
    }
}

TEST(PartACTest, ExcludedLevelsKeepTheirGroupsWithSlashes) {
    std::vector<Level> levels = {
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Pres, 1012.3}, {V::Tdry, 28.0}, {V::RH, 100}}, true),
        makeLevel(LevelType::SurfaceWinds, {{V::Pres, 1012.3}, {V::Wspd, 10}, {V::Wdir, 273}}),
        withWind(standardLevel(1000, 105, 27.0, 100), 10, 90),
    };
    levels[2].setExcluded(true);
    TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::StandardLevels),
              (std::vector<std::string>{"99///", "/////", "27519", "00///", "/////", "/////"}));
    // The excluded level still counts for Id.
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Identification)[1], "78180");

    levels[1].setExcluded(true);
    m = codeDropMessage(sorted(levels), dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::StandardLevels)[2], "/////");
}

TEST(PartACTest, IdentificationWithoutPositionAndAcrossMidnight) {
    SoundingHeader h = dropHeader();
    h.launchLongitudeValid = false;
    h.year = 2004;
    h.month = 2;
    h.day = 29;
    h.hour = 23;
    h.minute = 40;
    std::vector<Level> levels = smallDrop();
    levels.push_back(makeLevel(LevelType::UppermostWinds, {{V::Pres, 50}, {V::Wspd, 3}, {V::Wdir, 10}}));
    const TempMessage m = codeDropMessage(sorted(levels), h, true);
    ASSERT_EQ(m.parts().size(), 4u);
    const char* second[] = {"51003", "5100/", "5100/", "5100/"};
    for (int part = 0; part < 4; ++part) {
        const std::vector<std::string> ident = groupTexts(m, part, SectionOrder::Identification);
        ASSERT_EQ(ident.size(), 5u);
        EXPECT_EQ(ident[1], second[part]) << part;  // 1 March, 00 UTC, winds in knots
        EXPECT_EQ(std::vector<std::string>(ident.begin() + 2, ident.end()),
                  (std::vector<std::string>{"99///", "/////", "/////"}));
    }
    // Launch minutes stay unrounded in 31313.
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::Group31313).back(), "82340");
}

}  // namespace
}  // namespace velta
