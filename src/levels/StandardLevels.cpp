#include "levels/StandardLevels.h"

#include <algorithm>

#include "levels/StandardPressures.h"
#include "qc/MetFormulas.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {

struct SurfaceValues {
    double pres;
    double alt;
    double tdry;
    double rh;
};

// The one "Surface Thermodynamic" level below 1200 mb, when it has a pressure,
// an altitude and a temperature.
std::optional<SurfaceValues> surfaceValues(const LevelContext& ctx) {
    const Level* found = nullptr;
    for (const Level& level : ctx.levels) {
        if (level.type() != LevelType::SurfaceThermodynamic || level.excluded()) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (!(0.0 <= p && p < 1200.0)) continue;
        if (found) return std::nullopt;
        found = &level;
    }
    if (!found || !found->has(LevelValue::Pres) || !found->has(LevelValue::Alt) ||
        !found->has(LevelValue::Tdry))
        return std::nullopt;
    return SurfaceValues{*found->value(LevelValue::Pres), *found->value(LevelValue::Alt),
                         *found->value(LevelValue::Tdry), found->valueOr(LevelValue::RH, 50.0)};
}

// A drop whose highest standard level lies within 2 mb below the release
// pressure takes the launch wind there when it has none of its own.
void addLaunchWind(LevelContext& ctx) {
    Level* highest = nullptr;
    for (std::size_t k = 1; k < ctx.levels.size(); ++k) {
        Level& level = ctx.levels[k];
        if (level.type() != LevelType::Standard) continue;
        const std::optional<double> p = level.value(LevelValue::Pres);
        if (!p || !(*p < 2000.0)) continue;
        if (!highest || *p < *highest->value(LevelValue::Pres)) highest = &level;
    }
    if (!highest || highest->has(LevelValue::Wspd)) return;
    const DataSeries& speed = ctx.wspd;
    const DataSeries& pres = ctx.pres;
    if (speed.empty() || pres.empty() || !speed.hasFlags(0, FlagLaunch) || !pres.hasFlags(0, FlagLaunch))
        return;
    if (ctx.wdir.empty() || ctx.u.empty() || ctx.v.empty()) return;
    const double p0 = pres.value(0);
    const double p = *highest->value(LevelValue::Pres);
    if (!(p0 < p && p <= p0 + 2.0)) return;
    highest->set(LevelValue::Wspd, speed.value(0));
    highest->set(LevelValue::Wdir, ctx.wdir.value(0));
    highest->set(LevelValue::U, ctx.u.value(0));
    highest->set(LevelValue::V, ctx.v.value(0));
}

}  // namespace

void addStandardLevels(LevelContext& ctx) {
    const std::optional<SurfaceValues> surface = surfaceValues(ctx);

    for (double ps : StandardPressures) {
        if (const std::optional<double> t = ctx.pressureTime(ps)) {
            Level level(LevelType::Standard);
            level.set(LevelValue::Time, *t);
            level.set(LevelValue::Pres, ps);
            LevelContext::setAt(level, LevelValue::Tdry, ctx.tdry, *t);
            LevelContext::setAt(level, LevelValue::RH, ctx.rh, *t);
            ctx.setWindAt(level, *t);
            ctx.add(level);
        } else if (ps == 1000.0 && surface && 949.5 <= surface->pres && surface->pres < 1000.0) {
            // Below the ground: the 1000 mb surface lies the thickness of the
            // layer from the surface pressure to 1000 mb below the surface.
            Level level(LevelType::Standard);
            level.set(LevelValue::Pres, 1000.0);
            level.set(LevelValue::Alt,
                      surface->alt + layerThickness(surface->pres, 1000.0, surface->tdry, surface->tdry,
                                                    surface->rh, surface->rh));
            ctx.add(level);
        }
    }

    if (!ctx.ascending) addLaunchWind(ctx);

    for (Level& level : ctx.levels) {
        if (level.type() != LevelType::Standard) continue;
        if (const std::optional<double> t = level.value(LevelValue::Time))
            LevelContext::setAt(level, LevelValue::Alt, ctx.alt, *t);
    }

    std::optional<double> pmin;
    for (const Level& level : ctx.levels) {
        if (level.type() != LevelType::Standard) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (0.0 <= p && p < 1200.0) pmin = p;
    }
    if (!pmin) return;
    for (double ps : StandardPressures) {
        if (ps < *pmin) continue;
        const bool carried = std::any_of(ctx.levels.begin(), ctx.levels.end(), [ps](const Level& l) {
            return l.type() == LevelType::Standard && l.value(LevelValue::Pres) == ps;
        });
        if (carried) continue;
        Level level(LevelType::Standard);
        level.set(LevelValue::Pres, ps);
        ctx.add(level);
    }
}

}  // namespace velta
