#include "levels/MaxWindLevels.h"

namespace velta {

namespace {

constexpr double ShearDistance = 914.0;    // m, 3000 ft
constexpr double HighestPressure = 500.0;  // mb

}  // namespace

void addMaxWindLevels(LevelContext& ctx) {
    const Level* fastest = nullptr;
    double top = 0.0;
    for (const Level& level : ctx.levels) {
        const std::optional<double> speed = level.value(LevelValue::Wspd);
        if (speed && *speed > top) {
            top = *speed;
            fastest = &level;
        }
    }
    if (!fastest || top < MaxWindMinimumSpeed) return;
    const std::optional<double> p = fastest->value(LevelValue::Pres);
    if (!p || *p > HighestPressure) return;

    Level level(LevelType::MaximumWind);
    for (LevelValue key : {LevelValue::Time, LevelValue::Wspd, LevelValue::Wdir, LevelValue::U, LevelValue::V,
                           LevelValue::Pres, LevelValue::Alt})
        level.set(key, fastest->value(key));
    std::optional<double> za;
    if (const std::optional<double> t = level.value(LevelValue::Time)) {
        za = LevelContext::at(ctx.alt, *t);
        level.set(LevelValue::Alt, za);
    }
    ctx.add(level);  // fastest is not used after this
    if (!za) return;

    for (auto [dz, type] : {std::pair{ShearDistance, LevelType::WindShearAbove},
                            std::pair{-ShearDistance, LevelType::WindShearBelow}}) {
        const double z = *za + dz;
        const std::optional<double> t = ctx.altitudeTime(z);
        if (!t) continue;
        Level shear(type);
        shear.set(LevelValue::Time, *t);
        shear.set(LevelValue::Alt, z);
        ctx.setWindAt(shear, *t);
        LevelContext::setAt(shear, LevelValue::Pres, ctx.pres, *t);
        ctx.add(shear);
    }
}

}  // namespace velta
