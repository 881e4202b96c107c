#include "wmo/PartBD.h"

#include <cstdio>

#include "levels/LevelOrder.h"
#include "wmo/CodeFigures.h"
#include "wmo/LevelGroups.h"

namespace velta {

namespace {

const std::vector<LevelType> TemperatureTypes = {LevelType::ExtrapolatedSfcPressure,
                                                 LevelType::SurfaceThermodynamic,
                                                 LevelType::UppermostThermodynamic,
                                                 LevelType::LowermostThermodynamic,
                                                 LevelType::Temperature110To100,
                                                 LevelType::InversionTop,
                                                 LevelType::InversionBottom,
                                                 LevelType::MissingTemperatureTop,
                                                 LevelType::MissingTemperatureBottom,
                                                 LevelType::MissingRHTop,
                                                 LevelType::MissingRHBottom,
                                                 LevelType::StationBasePressure,
                                                 LevelType::Freezing,
                                                 LevelType::GdlTemperature,
                                                 LevelType::GdlRH};

const std::vector<LevelType> WindTypes = {LevelType::ExtrapolatedSfcPressure, LevelType::SurfaceWinds,
                                          LevelType::UppermostWinds,          LevelType::LowermostWinds,
                                          LevelType::Winds110To100,           LevelType::GdlWindSpeed,
                                          LevelType::GdlWindDirection};

PressureRange significantRange(int partIndex) {
    return partIndex == 1 ? PressureRange{100.0001, 2000.0} : PressureRange{0.0, 100.0};
}

std::string pressureFigures(const Level& level) {
    const auto p = level.value(LevelValue::Pres);
    return p ? codePressure(*p) : "///";
}

bool contains(const std::vector<Level>& levels, LevelType type) {
    for (const Level& level : levels)
        if (level.type() == type) return true;
    return false;
}

// Numbers 00 (part B) or 11 (part D), 11, 22, ... 99, then 11 again.
class LevelNumbers {
public:
    explicit LevelNumbers(int partIndex) : next_(partIndex == 1 ? 0 : 1) {}
    std::string take() {
        const std::string figures = codeLevelNumber(next_);
        next_ = next_ == 9 ? 1 : next_ + 1;
        return figures;
    }

private:
    int next_;
};

}  // namespace

std::vector<Level> significantLevels(const std::vector<Level>& levels, const std::vector<LevelType>& types,
                                     double pmin, double pmax) {
    std::vector<Level> chosen;
    // A level without a pressure (the surface of a sonde that never splashed)
    // would be selected as if at 0 mb, into part D: it is not coded at all.
    for (LevelType type : types)
        for (Level& level : selectType(levels, type, {pmin, pmax}, false))
            if (level.has(LevelValue::Pres)) chosen.push_back(std::move(level));
    sortLevels(chosen);
    for (std::size_t i = chosen.size(); i-- > 1;)
        if (pressureFigures(chosen[i]) == pressureFigures(chosen[i - 1]))
            chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(i));
    return chosen;
}

MessageSection significantTemperatureSection(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::SignificantTemperature, partIndex);
    const PressureRange range = significantRange(partIndex);
    const std::vector<Level> chosen = significantLevels(levels, TemperatureTypes, range.min, range.max);
    // An extrapolated surface pressure stands for a surface the sonde did not reach.
    const bool extrapolated = contains(chosen, LevelType::ExtrapolatedSfcPressure);
    LevelNumbers numbers(partIndex);
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        if (extrapolated && it->type() == LevelType::SurfaceThermodynamic) continue;
        section.add(numbers.take() + pressureFigures(*it));
        const auto t = it->value(LevelValue::Tdry);
        const auto rh = it->value(LevelValue::RH);
        section.add(!t ? "/////" : codeTemperature(*t) + (rh ? codeDewPointDepression(*t, *rh) : "//"));
    }
    return section;
}

MessageSection significantWindSection(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::SignificantWind, partIndex);
    const PressureRange range = significantRange(partIndex);
    std::vector<Level> chosen = significantLevels(levels, WindTypes, range.min, range.max);

    // A wind record of a single point is both its lowermost and uppermost level.
    const bool pairTest = partIndex == 1 ? chosen.size() >= 2 : chosen.size() == 2;
    if (pairTest) {
        const LevelType a = chosen[0].type();
        const LevelType b = chosen[1].type();
        const bool pair = (a == LevelType::LowermostWinds && b == LevelType::UppermostWinds) ||
                          (a == LevelType::UppermostWinds && b == LevelType::LowermostWinds);
        if (pair && chosen[0].value(LevelValue::Pres) == chosen[1].value(LevelValue::Pres))
            chosen.erase(chosen.begin());
    }
    if (chosen.empty()) return section;

    section.add("21212", true);
    const bool extrapolated = contains(chosen, LevelType::ExtrapolatedSfcPressure);
    LevelNumbers numbers(partIndex);
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        if (extrapolated && it->type() == LevelType::SurfaceWinds) continue;
        section.add(numbers.take() + pressureFigures(*it));
        const auto speed = it->value(LevelValue::Wspd);
        const auto direction = it->value(LevelValue::Wdir);
        section.add(speed && direction ? codeWind(*speed, *direction) : "/////");
    }
    return section;
}

namespace {

// The figures of a header string in a fixed width: cut, or filled with
// slashes.
std::string fixedWidth(const std::string& s, std::size_t width) {
    std::string out = s.substr(0, width);
    out.resize(width, '/');
    return out;
}

}  // namespace

MessageSection section31313(const SoundingHeader& header, int partIndex) {
    MessageSection section(SectionOrder::Group31313, partIndex);
    section.add("31313", true);
    section.add(fixedWidth(header.radiationcorr, 1) + fixedWidth(header.sondetype, 2) +
                fixedWidth(header.trackingtype, 2));
    if (header.hour < 0 || header.hour > 23 || header.minute < 0 || header.minute > 59) {
        section.add("8////");
    } else {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "8%02d%02d", header.hour, header.minute);
        section.add(buffer);
    }
    return section;
}

MessageSection section51515(const std::vector<Level>& levels, int partIndex) {
    MessageSection section(SectionOrder::Regional51515, partIndex);
    const PressureRange range =
        partIndex == 0 || partIndex == 1 ? PressureRange{100.0001, 2000.0} : PressureRange{0.0, 100.0001};
    const auto withPressure = [&](LevelType type) {
        std::vector<Level> found = selectType(levels, type, range, false);
        std::erase_if(found, [](const Level& level) { return !level.has(LevelValue::Pres); });
        return found;
    };
    const std::vector<Level> altitudes = withPressure(LevelType::ExtrapolatedAltitude);
    const bool surface = !withPressure(LevelType::ExtrapolatedSfcPressure).empty();
    if (altitudes.empty() && !surface) return section;

    section.add("51515", true);
    for (auto it = altitudes.rbegin(); it != altitudes.rend(); ++it) {
        const auto p = it->value(LevelValue::Pres);
        const auto alt = it->value(LevelValue::Alt);
        section.add("10190");
        section.add((p ? codeTwoFigurePressure(*p) : "//") + (p && alt ? codeHeight(*alt, *p) : "///"));
    }
    if (surface) section.add("10191");
    return section;
}

}  // namespace velta
