// The whole pipeline on simulated drops, measured against the profile the
// simulator knows to be true: mandatory levels, tropopause, maximum wind,
// surface levels, and the standard levels as coded in the message.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "TestData.h"
#include "TruthCsv.h"
#include "TruthProfile.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/SoundingProcessor.h"
#include "wmo/CodeFigures.h"

namespace velta {
namespace {

struct Pipeline {
    OptionStore store;
    ConfigSet options{store};
    SoundingProcessor processor{options, "1.0.0"};

    void run(const std::string& fileText) {
        std::istringstream in(fileText);
        ASSERT_TRUE(processor.load("D.1", in));
        processor.processAll();
        ASSERT_NE(processor.levels(), nullptr);
        ASSERT_NE(processor.message(), nullptr);
    }
    std::vector<Level> levelsOf(LevelType type) const {
        std::vector<Level> found;
        for (const Level& l : processor.levels()->levels())
            if (l.type() == type) found.push_back(l);
        return found;
    }
};

struct Drop {
    std::string file;
    test::TruthProfile truth;
};

Drop sample(const std::string& name) {
    return {test::readFile(test::sourcePath("samples/" + name + ".1")),
            test::TruthProfile(test::sourcePath("samples/truth/" + name + ".csv"))};
}

// A research drop from above 100 mb, made here by the simulator.
Drop highDrop() {
    sim::DropSettings settings = sim::defaultSettings(sim::DropKind::Research);
    settings.launchPressure = 90.0;
    settings.seed = 11;
    sim::SimulatedDrop drop = sim::simulateDrop(settings);
    return {sim::formatDFile(settings, drop), test::TruthProfile(sim::formatTruthCsv(settings, drop), true)};
}

constexpr double kMandatory[] = {1000, 925, 850, 700, 500, 400, 300, 250, 200, 150, 100};

// Every mandatory level the drop crosses is there, with the truth's values.
void checkStandardLevels(const Pipeline& p, const test::TruthProfile& truth, double top, double bottom) {
    std::vector<Level> standard = p.levelsOf(LevelType::Standard);
    for (double pressure : kMandatory) {
        if (pressure < top || pressure > bottom) continue;
        const Level* level = nullptr;
        for (const Level& l : standard)
            if (l.valueOr(LevelValue::Pres, -1) == pressure) level = &l;
        ASSERT_NE(level, nullptr) << pressure << " mb missing";
        SCOPED_TRACE(std::to_string(pressure) + " mb");
        EXPECT_NEAR(level->valueOr(LevelValue::Tdry, NAN), truth.atPressure("temperature_c", pressure), 0.5);
        EXPECT_NEAR(level->valueOr(LevelValue::RH, NAN), truth.atPressure("rh_pct", pressure), 8.0);
        EXPECT_NEAR(level->valueOr(LevelValue::Alt, NAN), truth.atPressure("geopotential_alt_m", pressure), 20.0);
        EXPECT_NEAR(level->valueOr(LevelValue::Wspd, NAN), truth.atPressure("wind_speed_ms", pressure), 1.5);
    }
}

// The standard-level groups of part A (and C): PPhhh followed by TTTdd, with
// the height and temperature of the truth within the code's resolution.
void checkCodedStandardLevels(const std::string& message, const test::TruthProfile& truth, double top,
                              double bottom) {
    std::vector<std::string> groups;
    std::istringstream in(message);
    for (std::string g; in >> g;) groups.push_back(g);
    for (double pressure : kMandatory) {
        if (pressure < top || pressure > bottom) continue;
        SCOPED_TRACE(std::to_string(pressure) + " mb");
        const double h = truth.atPressure("geopotential_alt_m", pressure);
        const double t = truth.atPressure("temperature_c", pressure);
        bool found = false;
        for (std::size_t i = 0; i + 1 < groups.size() && !found; ++i) {
            const std::string id = codeTwoFigurePressure(pressure);
            if (groups[i].size() != 5 || groups[i].substr(0, 2) != id) continue;
            bool heightOk = false, temperatureOk = false;
            for (double dh = -20; dh <= 20; dh += 1)
                if (groups[i] == id + codeHeight(h + dh, pressure)) heightOk = true;
            for (double dt = -0.5; dt <= 0.5; dt += 0.05)
                if (groups[i + 1].substr(0, 3) == codeTemperature(t + dt)) temperatureOk = true;
            found = heightOk && temperatureOk;
        }
        EXPECT_TRUE(found) << "no group of height " << h << " m and temperature " << t << " C in\n" << message;
    }
}

TEST(PipelineAgainstTruth, HurricaneDropToTheSea) {
    Drop d = sample("D20250915_174512");
    Pipeline p;
    p.run(d.file);
    checkStandardLevels(p, d.truth, 700.5, 1008.0);
    auto sfcT = p.levelsOf(LevelType::SurfaceThermodynamic);
    auto sfcW = p.levelsOf(LevelType::SurfaceWinds);
    ASSERT_EQ(sfcT.size(), 1u);
    ASSERT_EQ(sfcW.size(), 1u);
    EXPECT_NEAR(sfcT[0].valueOr(LevelValue::Pres, NAN), d.truth.meta["surface_pressure_mb"], 1.0);
    EXPECT_NEAR(sfcT[0].valueOr(LevelValue::Tdry, NAN), d.truth.meta["surface_temperature_c"], 0.5);
    const std::string message = p.processor.message()->text(false);
    EXPECT_NE(message.find("XXAA "), std::string::npos);
    EXPECT_NE(message.find("XXBB "), std::string::npos);
    EXPECT_EQ(message.find("XXCC "), std::string::npos);
    checkCodedStandardLevels(message, d.truth, 700.5, 1008.0);
}

TEST(PipelineAgainstTruth, DropLostInMidAirExtrapolatesTheSurfacePressure) {
    Drop d = sample("D20250915_181630");
    Pipeline p;
    p.options.option("DropsondeHitSfc")->setValue(0);
    p.run(d.file);
    auto extrapolated = p.levelsOf(LevelType::ExtrapolatedSfcPressure);
    ASSERT_EQ(extrapolated.size(), 1u);
    const double error = extrapolated[0].valueOr(LevelValue::Pres, NAN) - d.truth.meta["surface_pressure_mb"];
    std::printf("extrapolated surface pressure %.1f mb, truth %.1f mb, error %.1f mb\n", extrapolated[0].valueOr(LevelValue::Pres, NAN),
                d.truth.meta["surface_pressure_mb"], error);
    EXPECT_LT(std::fabs(error), 2.0);
    EXPECT_TRUE(p.levelsOf(LevelType::SurfaceThermodynamic).empty() ||
                !p.levelsOf(LevelType::SurfaceThermodynamic)[0].has(LevelValue::Pres));
    checkStandardLevels(p, d.truth, 700.5, 954.0);
}

TEST(PipelineAgainstTruth, ResearchDropTropopauseAndMaximumWind) {
    Drop d = sample("D20250916_203000");
    Pipeline p;
    p.run(d.file);
    checkStandardLevels(p, d.truth, 150.5, 1013.0);

    // The model's tropopause is where the lapse rate first falls to 2 K/km above 500 mb.
    const auto& pres = d.truth.columns.at("pressure_mb");
    const auto& temp = d.truth.columns.at("temperature_c");
    const auto& alt = d.truth.columns.at("geopotential_alt_m");
    double tropopause = 0;
    for (std::size_t i = pres.size() - 1; i > 40; --i) {
        if (pres[i] > 500) continue;
        const std::size_t j = i - 40;  // about 10-20 s higher
        const double lapse = -(temp[j] - temp[i]) / (alt[j] - alt[i]) * 1000.0;
        if (lapse <= 2.0) {
            tropopause = pres[i];
            break;
        }
    }
    auto found = p.levelsOf(LevelType::Tropopause);
    ASSERT_FALSE(found.empty());
    std::printf("tropopause %.1f mb, model %.1f mb\n", found[0].valueOr(LevelValue::Pres, NAN), tropopause);
    EXPECT_NEAR(found[0].valueOr(LevelValue::Pres, NAN), tropopause, 15.0);

    // The jet stream gives the maximum-wind level, near the truth's strongest wind above 500 mb.
    const auto& speed = d.truth.columns.at("wind_speed_ms");
    double best = 0, bestPressure = 0;
    for (std::size_t i = 0; i < pres.size(); ++i)
        if (pres[i] < 500 && speed[i] > best) best = speed[i], bestPressure = pres[i];
    auto maxWind = p.levelsOf(LevelType::MaximumWind);
    ASSERT_EQ(maxWind.size(), 1u);
    EXPECT_EQ(levelTypeName(LevelType::MaximumWind), std::string("Maximim Wind"));
    EXPECT_NEAR(maxWind[0].valueOr(LevelValue::Pres, NAN), bestPressure, 15.0);
    EXPECT_NEAR(maxWind[0].valueOr(LevelValue::Wspd, NAN), best, 1.5);
    checkCodedStandardLevels(p.processor.message()->text(false), d.truth, 150.5, 1013.0);
}

TEST(PipelineAgainstTruth, DropFromAbove100mbHasPartsCAndD) {
    Drop d = highDrop();
    Pipeline p;
    p.run(d.file);
    checkStandardLevels(p, d.truth, 90.5, 1013.0);
    const std::string message = p.processor.message()->text(false);
    for (const char* part : {"XXAA ", "XXBB ", "XXCC ", "XXDD "})
        EXPECT_NE(message.find(part), std::string::npos) << part << "\n" << message;
    checkCodedStandardLevels(message, d.truth, 90.5, 1013.0);
}

TEST(PipelineAgainstTruth, SameInputSameLevelsAndMessage) {
    Drop d = sample("D20250915_174512");
    Pipeline a, b;
    a.run(d.file);
    b.run(d.file);
    EXPECT_EQ(a.processor.levels()->levels(), b.processor.levels()->levels());
    EXPECT_EQ(a.processor.message()->text(true), b.processor.message()->text(true));
}

}  // namespace
}  // namespace velta
