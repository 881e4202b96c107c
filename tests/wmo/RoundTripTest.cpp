// Simulated drops through the whole pipeline, their messages read back by
// Velta's decoder: every coded level returns within the code's resolution,
// every group is read, the layout is that of distributed bulletins, and an
// altered group does not pass unnoticed.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/SoundingProcessor.h"
#include "levels/LevelOrder.h"
#include "qc/MetFormulas.h"
#include "wmo/CodeFigures.h"
#include "wmo/MessageCoder.h"
#include "wmo/Remarks.h"
#include "wmo/TempDecoder.h"

namespace velta {
namespace {

using L = LevelType;
using V = LevelValue;

struct Scenario {
    const char* name;
    sim::DropKind kind;
    double launchPressure;
    double endPressure;  // 0: to the surface
};

const Scenario Scenarios[] = {
    {"hurricane to the sea", sim::DropKind::Hurricane, 700, 0},
    {"hurricane, signal lost", sim::DropKind::Hurricane, 700, 940},
    {"research to the sea", sim::DropKind::Research, 300, 0},
    {"research from above 100 mb", sim::DropKind::Research, 90, 0},
    {"research from above 100 mb, signal lost", sim::DropKind::Research, 90, 600},
};
constexpr int SeedsPerScenario = 4;

struct DropRun {
    OptionStore store;
    ConfigSet options{store};
    SoundingProcessor processor{options, "3.1.4"};
    std::vector<Level> levels;

    bool run(const Scenario& s, std::uint64_t seed) {
        sim::DropSettings settings = sim::defaultSettings(s.kind);
        settings.seed = seed;
        settings.launchPressure = s.launchPressure;
        settings.endPressure = s.endPressure;
        const sim::SimulatedDrop drop = sim::simulateDrop(settings);
        if (s.endPressure > 0) options.option("DropsondeHitSfc")->setValue(0);
        std::istringstream in(sim::formatDFile(settings, drop));
        if (!processor.load("D.1", in)) return false;
        processor.processAll();
        if (!processor.levels() || !processor.message()) return false;
        levels = processor.levels()->levels();
        RemarkEntries entries;
        entries.icao = "KNHC";
        entries.agencyAircraft = "AF302";
        entries.missionStorm = "0715A";
        entries.missionId = "MARIA";
        entries.observationNumber = "3";
        entries.atcfId = "AL152017";
        applyRemarkEntries(*processor.message(), levels, processor.header(), entries,
                           calendarTime(2017, 9, 20, 2, 50, 0), "3.1.4");
        return true;
    }
};

double knots(double ms) { return ms * KnotsPerMs; }

// The levels of the list a decoded level may stand for.
std::vector<L> typesFor(DecodedLevelKind kind) {
    switch (kind) {
        case DecodedLevelKind::Surface: return {L::ExtrapolatedSfcPressure, L::SurfaceThermodynamic};
        case DecodedLevelKind::Standard: return {L::Standard};
        case DecodedLevelKind::Tropopause: return {L::Tropopause};
        case DecodedLevelKind::MaximumWind: return {L::MaximumWind};
        case DecodedLevelKind::SignificantTemperature:
            return {L::ExtrapolatedSfcPressure, L::SurfaceThermodynamic,     L::UppermostThermodynamic,
                    L::LowermostThermodynamic,  L::Temperature110To100,      L::InversionTop,
                    L::InversionBottom,         L::MissingTemperatureTop,    L::MissingTemperatureBottom,
                    L::MissingRHTop,            L::MissingRHBottom,          L::StationBasePressure,
                    L::Freezing,                L::GdlTemperature,           L::GdlRH};
        case DecodedLevelKind::SignificantWind:
            return {L::ExtrapolatedSfcPressure, L::SurfaceWinds,   L::UppermostWinds,    L::LowermostWinds,
                    L::Winds110To100,           L::GdlWindSpeed,   L::GdlWindDirection};
        case DecodedLevelKind::ExtrapolatedAltitude: return {L::ExtrapolatedAltitude};
    }
    return {};
}

bool temperatureMatches(const std::optional<double>& decoded, const Level& level) {
    const auto t = level.value(V::Tdry);
    if (!t) return !decoded;
    if (!decoded) return false;
    // Tenths as coded, moved by one for the sign's parity.
    if (std::fabs(*decoded - *t) > 0.15 + 1e-9) return false;
    return std::fabs(*t) < 0.05 || (*decoded < 0) == (*t < 0);
}

bool depressionMatches(const std::optional<double>& decoded, const Level& level) {
    const auto t = level.value(V::Tdry);
    const auto rh = level.value(V::RH);
    if (!t || !rh) return !decoded;
    const double d = dewPointDepression(*t, *rh);
    if (!decoded) return std::isnan(d) || d < 0;
    if (d >= 49.5) return *decoded == 49;
    if (d <= 5.0) return std::fabs(*decoded - d) <= 0.05 + 1e-9;
    if (d < 5.5) return *decoded == 5.0;
    return std::fabs(*decoded - d) <= 0.5 + 1e-9;
}

bool windMatches(const DecodedLevel& decoded, const Level& level) {
    const auto s = level.value(V::Wspd);
    const auto d = level.value(V::Wdir);
    if (!s || !d) return !decoded.speed;
    if (!decoded.speed || !decoded.direction || !decoded.knots) return false;
    if (std::fabs(*decoded.speed - knots(*s)) > 0.5 + 1e-9) return false;
    if (*decoded.speed == 0) return *decoded.direction == 0;
    const double turn = std::fabs(std::remainder(*decoded.direction - *d, 360.0));
    return turn <= 2.5 + 1e-9;
}

bool heightMatches(const std::optional<double>& decoded, const Level& level, double pressure) {
    const auto h = level.value(V::Alt);
    if (!h) return !decoded;
    if (!decoded) return false;
    const double resolution = pressure > 500 ? 0.5 : 5.0;
    return std::fabs(*decoded - *h) <= resolution + 1e-6;
}

bool matches(const DecodedLevel& decoded, const Level& level, const std::vector<Level>& all) {
    if (level.excluded()) return false;
    const auto p = level.value(V::Pres);
    if (!p || !decoded.pressure) return false;
    switch (decoded.kind) {
        case DecodedLevelKind::Standard:
            return *p == *decoded.pressure && heightMatches(decoded.height, level, *p) &&
                   temperatureMatches(decoded.temperature, level) && depressionMatches(decoded.depression, level) &&
                   (!decoded.speed || windMatches(decoded, level));
        case DecodedLevelKind::ExtrapolatedAltitude:
            return *p == *decoded.pressure && heightMatches(decoded.height, level, *p);
        default: break;
    }
    if (codePressure(*p) != codePressure(*decoded.pressure)) return false;
    switch (decoded.kind) {
        case DecodedLevelKind::Surface: {
            if (!temperatureMatches(decoded.temperature, level) || !depressionMatches(decoded.depression, level))
                return false;
            for (const Level& w : all)
                if (w.type() == L::SurfaceWinds) return windMatches(decoded, w);
            return !decoded.speed;
        }
        case DecodedLevelKind::SignificantWind:
        case DecodedLevelKind::MaximumWind: return windMatches(decoded, level);
        case DecodedLevelKind::Tropopause: return temperatureMatches(decoded.temperature, level) && windMatches(decoded, level);
        default:
            return temperatureMatches(decoded.temperature, level) && depressionMatches(decoded.depression, level);
    }
}

// Bulletin layout: at most 65 columns, nothing in column 1 but a figure or
// letter, two blanks after the part identifier, groups of five but in the
// heading, the remarks and their continuation lines.
void checkLayout(const std::vector<std::string>& lines) {
    bool inRemark = false;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        ASSERT_FALSE(line.empty());
        EXPECT_LE(line.size(), 65u);
        EXPECT_NE(line[0], ' ');
        const bool remark = line.rfind("62626", 0) == 0;
        const bool free = inRemark || remark || line.rfind("61616", 0) == 0 || line.rfind("UZ", 0) == 0;
        if (remark) inRemark = true;
        if (line.find('=') != std::string::npos) inRemark = false;
        if (free) continue;
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first.size() == 4) {
            EXPECT_EQ(line.substr(4, 3).find_first_not_of(' '), 2u) << "two blanks after " << first;
            std::string callSign;
            if (first[0] == 'U' || first[0] == 'I') words >> callSign;
        } else {
            EXPECT_EQ(first.size(), 5u);
        }
        for (std::string w; words >> w;)
            if (w != "=") EXPECT_EQ(w.size(), 5u) << w;
    }
}

void checkRoundTrip(const TempMessage& message, const std::vector<Level>& levels) {
    const std::string text = message.text(false);
    SCOPED_TRACE(text);
    checkLayout(message.lines());
    const DecodeResult r = decodeTempMessages(text);
    for (const DecodeProblem& p : r.problems)
        ADD_FAILURE() << p.line << ":" << p.column << " " << p.group << ": " << p.reason;
    ASSERT_EQ(r.messages.size(), 1u);
    const DecodedMessage& m = r.messages[0];
    ASSERT_EQ(m.parts.size(), message.parts().size());
    for (std::size_t i = 0; i < m.parts.size(); ++i) {
        EXPECT_EQ(m.parts[i].groups, message.parts()[i].groupCount()) << "part " << i;
        EXPECT_TRUE(m.parts[i].terminated);
    }
    EXPECT_GT(m.levels.size(), 10u);
    int standard = 0;
    for (const DecodedLevel& d : m.levels) {
        bool found = false;
        for (L type : typesFor(d.kind))
            for (const Level& l : levels)
                if (l.type() == type && matches(d, l, levels)) found = true;
        EXPECT_TRUE(found) << levelKindName(d.kind) << " at " << d.pressure.value_or(NAN) << " mb, line " << d.line
                           << " column " << d.column;
        if (d.kind == DecodedLevelKind::Standard) ++standard;
    }
    int coded = 0;
    for (const Level& l : levels)
        if (l.type() == L::Standard) ++coded;
    EXPECT_EQ(standard, coded) << "every standard level read back";

    // A dew-point depression altered to a figure the code has not: reported
    // where it stands.
    const DecodedLevel* surface = nullptr;
    for (const DecodedLevel& d : m.levels)
        if (d.kind == DecodedLevelKind::Surface) surface = &d;
    ASSERT_NE(surface, nullptr);
    const std::vector<std::string> lines = message.lines();
    int line = surface->line, column = surface->column + 6;
    if (column > static_cast<int>(lines[static_cast<std::size_t>(line - 1)].size())) {
        ++line;
        column = 1;
    }
    std::size_t offset = 0;
    for (int k = 1; k < line; ++k) offset += lines[static_cast<std::size_t>(k - 1)].size() + 2;
    const std::size_t group = offset + static_cast<std::size_t>(column) - 1;
    std::string altered = text;
    altered.replace(group + 3, 2, "53");
    const DecodeResult bad = decodeTempMessages(altered);
    ASSERT_EQ(bad.problems.size(), 1u) << altered;
    EXPECT_EQ(bad.problems[0].line, line);
    EXPECT_EQ(bad.problems[0].column, column);
    EXPECT_EQ(bad.problems[0].group, altered.substr(group, 5));
}

TEST(RoundTripTest, SimulatedDropsDecodeBackToTheirLevels) {
    for (const Scenario& s : Scenarios)
        for (int seed = 1; seed <= SeedsPerScenario; ++seed) {
            SCOPED_TRACE(std::string(s.name) + ", seed " + std::to_string(seed));
            DropRun run;
            ASSERT_TRUE(run.run(s, static_cast<std::uint64_t>(seed) * 7919));
            if (s.launchPressure < 100) {
                ASSERT_EQ(run.processor.message()->parts().size(), 4u);
            }
            checkRoundTrip(*run.processor.message(), run.levels);
        }
}

TEST(RoundTripTest, AscendingSoundingsDecodeBackToTheirLevels) {
    for (int type = 0; type <= 2; ++type)
        for (int seed = 1; seed <= 2; ++seed) {
            SCOPED_TRACE("type " + std::to_string(type) + ", seed " + std::to_string(seed));
            DropRun run;
            ASSERT_TRUE(run.run(Scenarios[3], static_cast<std::uint64_t>(seed) * 104729));
            SoundingHeader header = run.processor.header();
            header.ascending = true;
            header.stationNumber = "72210";
            header.callSign = "WTEC";
            AscendingMessageOptions options;
            options.messageType = type;
            options.icao = "KWBC";
            options.codingTime = calendarTime(2017, 9, 20, 2, 50, 0);
            const TempMessage message = codeAscendingMessage(run.levels, header, options);
            ASSERT_EQ(message.parts().size(), 4u);
            checkRoundTrip(message, run.levels);
        }
}

}  // namespace
}  // namespace velta
