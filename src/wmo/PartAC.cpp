#include "wmo/PartAC.h"

#include "wmo/CodeFigures.h"
#include "wmo/LevelGroups.h"

namespace velta {

namespace {

constexpr PressureRange TropopauseA{100.0001, 2000.0};
constexpr PressureRange TropopauseC{0.0, 100.0001};
constexpr PressureRange MaximumWindA{100.0, 2000.0};
constexpr PressureRange MaximumWindC{0.0, 100.00001};

void addSurface(const std::vector<Level>& levels, MessageSection& section) {
    std::vector<Level> surface = selectType(levels, LevelType::ExtrapolatedSfcPressure, AnyPressure, true);
    if (surface.empty()) surface = selectType(levels, LevelType::SurfaceThermodynamic, AnyPressure, true);
    if (surface.empty()) {
        section.add("99///");
        section.add("/////");
        section.add("/////");
        return;
    }
    const Level& level = surface.front();
    const auto p = level.value(LevelValue::Pres);
    section.add("99" + (p && !level.excluded() ? codePressure(*p) : std::string("///")));
    section.add(temperatureGroup(level));
    const auto wind = firstOfType(levels, LevelType::SurfaceWinds, AnyPressure, true);
    section.add(wind ? windGroup(*wind) : "/////");
}

}  // namespace

MessageSection standardLevelsSection(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::StandardLevels, partIndex);
    if (partIndex == 0) addSurface(levels, section);

    const std::vector<Level> standard =
        selectType(levels, LevelType::Standard, standardRange(partIndex), true);
    // Wind groups are written up to the highest standard level with a wind;
    // above it only where Id, which gives just the hundreds of its pressure,
    // implies one.
    const auto windTop = highestStandardWindPressure(levels, partIndex);
    bool wrote250 = false;
    bool wrote150 = false;
    for (auto it = standard.rbegin(); it != standard.rend(); ++it) {
        const Level& level = *it;
        const auto p = level.value(LevelValue::Pres);
        const auto alt = level.value(LevelValue::Alt);
        const std::string pp = p ? codeTwoFigurePressure(*p) : "//";
        section.add(pp + (p && alt && !level.excluded() ? codeHeight(*alt, *p) : std::string("///")));
        section.add(temperatureGroup(level));
        if (!windTop) continue;
        const double pressure = p.value_or(0.0);
        if (pressure >= *windTop) {
            section.add(windGroup(level));
            if (pressure == 250.0) wrote250 = true;
            if (pressure == 150.0) wrote150 = true;
        } else if ((pressure == 200.0 && wrote250) || (pressure == 100.0 && wrote150)) {
            section.add("/////");
        }
    }
    return section;
}

MessageSection tropopauseSection(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::Tropopause, partIndex);
    const std::vector<Level> found =
        selectType(levels, LevelType::Tropopause, partIndex == 0 ? TropopauseA : TropopauseC, false);
    if (found.empty()) {
        section.add("88999");
        return section;
    }
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        const auto p = it->value(LevelValue::Pres);
        section.add("88" + (p ? codePressure(*p) : std::string("///")));
        section.add(temperatureGroup(*it));
        section.add(windGroup(*it));
    }
    return section;
}

MessageSection maximumWindSection(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::MaximumWind, partIndex);
    const PressureRange range = partIndex == 0 ? MaximumWindA : MaximumWindC;
    const auto maximum = firstOfType(levels, LevelType::MaximumWind, range, false);
    const auto speed = maximum ? maximum->value(LevelValue::Wspd) : std::nullopt;
    const auto direction = maximum ? maximum->value(LevelValue::Wdir) : std::nullopt;
    const auto p = maximum ? maximum->value(LevelValue::Pres) : std::nullopt;
    if (!speed || !direction || !p) {
        section.add("77999");
        return section;
    }
    // 66: the maximum wind is the top of the wind record.
    const auto top = firstOfType(levels, LevelType::UppermostWinds, range, false);
    const bool atTop = top && top->value(LevelValue::Pres) == p;
    section.add((atTop ? "66" : "77") + codePressure(*p));
    section.add(codeWind(*speed, *direction));

    const auto shear = [&](LevelType type) -> std::string {
        const auto level = firstOfType(levels, type, range, false);
        if (!level) return "//";
        const auto s = level->value(LevelValue::Wspd);
        const auto d = level->value(LevelValue::Wdir);
        if (!s || !d) return "//";
        return codeWindShear(*speed, *direction, *s, *d);
    };
    std::string group = "4";
    group += shear(LevelType::WindShearBelow);
    group += shear(LevelType::WindShearAbove);
    section.add(std::move(group));
    return section;
}

}  // namespace velta
