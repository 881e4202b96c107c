#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LevelFixture.h"
#include "wmo/DoubtfulHeights.h"
#include "wmo/MessageCoder.h"

namespace velta {
namespace {

using namespace velta::test;

// Every other group of a section from the first: the nnPPP groups.
std::vector<std::string> levelGroups(const std::vector<std::string>& groups, std::size_t first = 0) {
    std::vector<std::string> out;
    for (std::size_t i = first; i < groups.size(); i += 2) out.push_back(groups[i]);
    return out;
}

TEST(PartBDTest, DuplicatePressureFiguresKeepTheHighestLevel) {
    const std::vector<Level> levels = sorted({
        makeLevel(LevelType::GdlTemperature, {{V::Pres, 850.4}, {V::Tdry, 10.0}}),
        makeLevel(LevelType::InversionTop, {{V::Pres, 850.3}, {V::Tdry, 11.0}}),
        makeLevel(LevelType::InversionBottom, {{V::Pres, 870.0}, {V::Tdry, 9.0}}),
        makeLevel(LevelType::GdlRH, {{V::Pres, 700.0}, {V::Tdry, 2.0}}, true),  // excluded: left out
    });
    const TempMessage m = codeDropMessage(levels, dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::SignificantTemperature),
              (std::vector<std::string>{"00870", "090//", "11850", "110//"}));
}

TEST(PartBDTest, LevelNumbersRunPast99) {
    std::vector<Level> levels;
    for (int i = 0; i < 11; ++i)
        levels.push_back(makeLevel(LevelType::GdlTemperature, {{V::Pres, 900.0 - 50 * i}}));
    for (int i = 0; i < 10; ++i)
        levels.push_back(makeLevel(LevelType::GdlTemperature, {{V::Pres, 95.0 - 5 * i}}));
    const TempMessage m = codeDropMessage(sorted(levels), dropHeader(), true);
    ASSERT_EQ(m.parts().size(), 4u);
    EXPECT_EQ(levelGroups(groupTexts(m, 1, SectionOrder::SignificantTemperature)),
              (std::vector<std::string>{"00900", "11850", "22800", "33750", "44700", "55650", "66600",
                                        "77550", "88500", "99450", "11400"}));
    EXPECT_EQ(levelGroups(groupTexts(m, 3, SectionOrder::SignificantTemperature)),
              (std::vector<std::string>{"11950", "22900", "33850", "44800", "55750", "66700", "77650",
                                        "88600", "99550", "11500"}));
    // A level at exactly 100 mb is in neither part B nor part D.
    levels.push_back(makeLevel(LevelType::InversionTop, {{V::Pres, 100.0}}));
    const TempMessage again = codeDropMessage(sorted(levels), dropHeader(), true);
    EXPECT_EQ(again.lines(), m.lines());
}

TEST(PartBDTest, ExtrapolatedSurfaceStandsForTheSurface) {
    const std::vector<Level> levels = sorted({
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Time, 900}}),
        makeLevel(LevelType::ExtrapolatedSfcPressure, {{V::Time, 900}, {V::Pres, 1008.0}}),
        makeLevel(LevelType::LowermostThermodynamic, {{V::Pres, 990.0}, {V::Tdry, 25.0}, {V::RH, 100}}),
        makeLevel(LevelType::SurfaceWinds, {{V::Time, 900}, {V::Pres, 1008.0}}),
        makeLevel(LevelType::LowermostWinds, {{V::Pres, 990.0}, {V::Wspd, 10}, {V::Wdir, 273}}),
        makeLevel(LevelType::ExtrapolatedAltitude, {{V::Pres, 1000.0}, {V::Alt, -25.0}}),
        makeLevel(LevelType::ExtrapolatedAltitude, {{V::Pres, 200.0}, {V::Alt, 11800.0}}),
    });
    const TempMessage m = codeDropMessage(levels, dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::StandardLevels),
              (std::vector<std::string>{"99008", "/////", "/////"}));
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::SignificantTemperature),
              (std::vector<std::string>{"00008", "/////", "11990", "25000"}));
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::SignificantWind),
              (std::vector<std::string>{"21212", "00008", "/////", "11990", "27519"}));
    const std::vector<std::string> regional = {"51515", "10190", "00525", "10190", "20180", "10191"};
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Regional51515), regional);
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::Regional51515), regional);
}

TEST(PartBDTest, OnePointWindRecordIsWrittenOnce) {
    const Level lower =
        makeLevel(LevelType::LowermostWinds, {{V::Time, 300}, {V::Pres, 500}, {V::Wspd, 10}, {V::Wdir, 90}});
    const Level upper =
        makeLevel(LevelType::UppermostWinds, {{V::Time, 300}, {V::Pres, 500}, {V::Wspd, 10}, {V::Wdir, 90}});
    TempMessage m = codeDropMessage(sorted({lower, upper}), dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::SignificantWind),
              (std::vector<std::string>{"21212", "00500", "09019"}));

    // Part D: two ends of a record at different pressures are both written.
    const Level lowerD = makeLevel(LevelType::LowermostWinds, {{V::Pres, 90}, {V::Wspd, 10}, {V::Wdir, 90}});
    const Level upperD = makeLevel(LevelType::UppermostWinds, {{V::Pres, 50}, {V::Wspd, 10}, {V::Wdir, 90}});
    m = codeDropMessage(sorted({lowerD, upperD}), dropHeader(), true);
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::SignificantWind),
              (std::vector<std::string>{"21212", "11900", "09019", "22500", "09019"}));
}

TEST(PartBDTest, NoWindLevelsNo21212) {
    const TempMessage m =
        codeDropMessage({makeLevel(LevelType::GdlTemperature, {{V::Pres, 800.0}})}, dropHeader(), true);
    EXPECT_TRUE(groupTexts(m, 1, SectionOrder::SignificantWind).empty());
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::SignificantTemperature),
              (std::vector<std::string>{"00800", "/////"}));
}

std::vector<Level> standardOnly() {
    return sorted({standardLevel(1000, 100, 25, 100), standardLevel(925, 800, 20, 100),
                   standardLevel(850, 1500, 15, 100), standardLevel(250, 10400, -40, 50)});
}

TEST(PartBDTest, DoubtfulHeightsOnTwiceReplacesAndOffRemoves) {
    const std::vector<Level> levels = standardOnly();
    TempMessage m = codeDropMessage(levels, dropHeader(), true);
    // Without extrapolated levels there is no 51515 group.
    EXPECT_TRUE(groupTexts(m, 0, SectionOrder::Regional51515).empty());
    EXPECT_TRUE(groupTexts(m, 1, SectionOrder::Regional51515).empty());

    setDoubtfulHeights(m, levels, true);
    const std::vector<std::string> on = {"51515", "10166", "00025"};
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Regional51515), on);
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::Regional51515), on);

    // Again, after the 250 mb level went: the pressures are replaced.
    std::vector<Level> fewer(levels.begin() + 1, levels.end());
    setDoubtfulHeights(m, fewer, true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Regional51515),
              (std::vector<std::string>{"51515", "10166", "00085"}));

    setDoubtfulHeights(m, levels, false);
    EXPECT_TRUE(groupTexts(m, 0, SectionOrder::Regional51515).empty());
    EXPECT_TRUE(groupTexts(m, 1, SectionOrder::Regional51515).empty());
    EXPECT_EQ(m.lines(), codeDropMessage(levels, dropHeader(), true).lines());
}

TEST(PartBDTest, DoubtfulHeightsJoinExistingRegionalGroups) {
    std::vector<Level> levels = standardOnly();
    levels.push_back(makeLevel(LevelType::ExtrapolatedSfcPressure, {{V::Pres, 1008.0}}));
    levels = sorted(levels);
    TempMessage m = codeDropMessage(levels, dropHeader(), true);
    setDoubtfulHeights(m, levels, true);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Regional51515),
              (std::vector<std::string>{"51515", "10166", "00025", "10191"}));
    setDoubtfulHeights(m, levels, false);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Regional51515), (std::vector<std::string>{"51515", "10191"}));
    // The groups stand on one line after the 31313 line.
    setDoubtfulHeights(m, levels, true);
    const std::vector<std::string> lines = m.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "51515 10166 00025 10191"), lines.end());
}

TEST(PartBDTest, LevelsWithoutAPressureAreNeverCodedInPartD) {
    // A drop from above 100 mb that ended over the sea: the surface levels
    // carry no pressure, the extrapolated surface pressure stands for them.
    const std::vector<Level> levels = sorted({
        standardLevel(70, 18500, -65.0, 5),
        makeLevel(LevelType::UppermostThermodynamic, {{V::Pres, 80.0}, {V::Tdry, -66.0}}),
        makeLevel(LevelType::UppermostWinds, {{V::Pres, 80.0}, {V::Wspd, 10}, {V::Wdir, 270}}),
        makeLevel(LevelType::SurfaceThermodynamic, {{V::Time, 900.0}}),
        makeLevel(LevelType::SurfaceWinds, {{V::Time, 900.0}, {V::Wspd, 5}, {V::Wdir, 90}}),
        makeLevel(LevelType::ExtrapolatedSfcPressure, {{V::Time, 900.0}, {V::Pres, 1004.0}}),
    });
    const TempMessage m = codeDropMessage(levels, dropHeader(), true);
    ASSERT_EQ(m.parts().size(), 4u);
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::SignificantTemperature),
              (std::vector<std::string>{"11800", "661//"}));
    EXPECT_EQ(groupTexts(m, 3, SectionOrder::SignificantWind),
              (std::vector<std::string>{"21212", "11800", "27019"}));
    EXPECT_TRUE(groupTexts(m, 3, SectionOrder::Regional51515).empty());
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::Regional51515), (std::vector<std::string>{"51515", "10191"}));
}

}  // namespace
}  // namespace velta
