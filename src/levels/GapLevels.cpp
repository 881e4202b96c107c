#include "levels/GapLevels.h"

namespace velta {

namespace {

void addGapLevels(LevelContext& ctx, const DataSeries& s, LevelValue key, LevelType top, LevelType bottom) {
    // The earlier point is the upper one of a drop and the lower one of an ascent.
    const LevelType earlierType = ctx.ascending ? bottom : top;
    const LevelType laterType = ctx.ascending ? top : bottom;
    for (int32_t i = 0; i + 1 < s.size(); ++i) {
        const double t1 = s.time(i), t2 = s.time(i + 1);
        if (!(t2 - t1 > LevelContext::Gap)) continue;
        const std::optional<double> p1 = LevelContext::at(ctx.pres, t1);
        const std::optional<double> p2 = LevelContext::at(ctx.pres, t2);
        if (!p1 || !p2) continue;
        Level earlier(earlierType);
        earlier.set(LevelValue::Time, t1);
        earlier.set(LevelValue::Pres, *p1);
        earlier.set(key, s.value(i));
        ctx.add(earlier);
        Level later(laterType);
        later.set(LevelValue::Time, t2);
        later.set(LevelValue::Pres, *p2);
        later.set(key, s.value(i + 1));
        ctx.add(later);
    }
}

// Gives every level of the two types the value of s at its time.
void completeLevels(LevelContext& ctx, LevelType a, LevelType b, LevelValue key, const DataSeries& s) {
    for (Level& level : ctx.levels) {
        if (level.type() != a && level.type() != b) continue;
        if (const std::optional<double> t = level.value(LevelValue::Time))
            LevelContext::setAt(level, key, s, *t);
    }
}

}  // namespace

void addMissingTemperatureLevels(LevelContext& ctx) {
    addGapLevels(ctx, ctx.tdry, LevelValue::Tdry, LevelType::MissingTemperatureTop,
                 LevelType::MissingTemperatureBottom);
    completeLevels(ctx, LevelType::MissingTemperatureTop, LevelType::MissingTemperatureBottom, LevelValue::RH,
                   ctx.rh);
}

void addMissingHumidityLevels(LevelContext& ctx) {
    addGapLevels(ctx, ctx.rh, LevelValue::RH, LevelType::MissingRHTop, LevelType::MissingRHBottom);
    completeLevels(ctx, LevelType::MissingRHTop, LevelType::MissingRHBottom, LevelValue::Tdry, ctx.tdry);
}

}  // namespace velta
