// Small level sets and headers for the message tests.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "levels/Level.h"
#include "levels/LevelOrder.h"
#include "sounding/SoundingHeader.h"
#include "wmo/TempMessage.h"

namespace velta::test {

using V = LevelValue;

inline Level makeLevel(LevelType type, std::initializer_list<std::pair<LevelValue, double>> values,
                       bool excluded = false) {
    Level level(type);
    for (const auto& [key, value] : values) level.set(key, value);
    level.setExcluded(excluded);
    return level;
}

// A standard level with pressure, altitude, temperature and humidity.
inline Level standardLevel(double p, double alt, double t, double rh) {
    return makeLevel(LevelType::Standard, {{V::Pres, p}, {V::Alt, alt}, {V::Tdry, t}, {V::RH, rh}});
}

inline Level withWind(Level level, double speed, double direction) {
    level.set(V::Wspd, speed);
    level.set(V::Wdir, direction);
    return level;
}

inline std::vector<Level> sorted(std::vector<Level> levels) {
    sortLevels(levels);
    return levels;
}

// A drop from 25.3 N 75.6 W on 28 Aug 2005 at 18:10:05.
inline SoundingHeader dropHeader() {
    SoundingHeader h;
    h.ascending = false;
    h.launchLatitude = 25.3;
    h.launchLatitudeValid = true;
    h.launchLongitude = -75.6;
    h.launchLongitudeValid = true;
    h.year = 2005;
    h.month = 8;
    h.day = 28;
    h.hour = 18;
    h.minute = 10;
    h.second = 5;
    return h;
}

// The texts of one section of one part; empty when either is absent.
inline std::vector<std::string> groupTexts(const TempMessage& m, int part, SectionOrder order) {
    std::vector<std::string> out;
    const MessagePart* p = m.findPart(part);
    const MessageSection* s = p ? p->findSection(order) : nullptr;
    if (s)
        for (const MessageGroup& g : s->groups()) out.push_back(g.text());
    return out;
}

}  // namespace velta::test
