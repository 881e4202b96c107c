#include "levels/EndLevels.h"

#include "sounding/DataPoint.h"

namespace velta {

namespace {

int32_t indexFrom(const LevelContext& ctx, const DataSeries& s, SoundingEnd end, int32_t k) {
    return end == SoundingEnd::Bottom ? ctx.fromBottom(s, k) : ctx.fromTop(s, k);
}

}  // namespace

void addEndThermodynamic(LevelContext& ctx, SoundingEnd end, LevelType type) {
    bool humidityFound = false;
    for (int32_t k = 0; k < ctx.tdry.size(); ++k) {
        const int32_t i = indexFrom(ctx, ctx.tdry, end, k);
        const double t = ctx.tdry.time(i);
        const std::optional<double> p = LevelContext::at(ctx.pres, t);
        if (!p) continue;
        Level level(type);
        level.set(LevelValue::Time, t);
        level.set(LevelValue::Pres, *p);
        level.set(LevelValue::Tdry, ctx.tdry.value(i));
        humidityFound = LevelContext::setAt(level, LevelValue::RH, ctx.rh, t);
        ctx.add(level);
        break;
    }
    if (humidityFound) return;
    for (int32_t k = 0; k < ctx.rh.size(); ++k) {
        const int32_t i = indexFrom(ctx, ctx.rh, end, k);
        const double t = ctx.rh.time(i);
        const std::optional<double> p = LevelContext::at(ctx.pres, t);
        if (!p) continue;
        const std::optional<double> temperature = LevelContext::at(ctx.tdry, t);
        if (!temperature) continue;
        Level level(type);
        level.set(LevelValue::Time, t);
        level.set(LevelValue::Pres, *p);
        level.set(LevelValue::Tdry, *temperature);
        level.set(LevelValue::RH, ctx.rh.value(i));
        ctx.add(level);
        break;
    }
}

void addEndWind(LevelContext& ctx, SoundingEnd end, LevelType type) {
    const DataSeries& u = ctx.u;
    if (u.size() == 1 && u.hasFlags(0, FlagLaunch)) return;
    for (int32_t k = 0; k < u.size(); ++k) {
        const int32_t i = indexFrom(ctx, u, end, k);
        const double t = u.time(i);
        const std::optional<double> p = LevelContext::at(ctx.pres, t);
        if (!p) continue;
        const std::optional<double> vValue = LevelContext::at(ctx.v, t);
        if (!vValue) return;
        Level level(type);
        level.set(LevelValue::Time, t);
        level.set(LevelValue::Pres, *p);
        LevelContext::setWind(level, u.value(i), *vValue);
        ctx.add(level);
        return;
    }
}

}  // namespace velta
