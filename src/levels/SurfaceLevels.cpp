#include "levels/SurfaceLevels.h"

#include "levels/EndLevels.h"
#include "qc/MetFormulas.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {

// Humidity assumed where none was measured, %.
constexpr double AssumedHumidity = 70.0;
// How long after the last position a surface point still takes it, s.
constexpr double PositionHold = 107.0;

// Latitude and longitude at t; failing that, the last positions when t lies
// shortly after both.
void setPosition(const LevelContext& ctx, Level& level, double t) {
    const std::optional<double> la = LevelContext::at(ctx.lat, t);
    const std::optional<double> lo = LevelContext::at(ctx.lon, t);
    if (la && lo) {
        level.set(LevelValue::Lat, *la);
        level.set(LevelValue::Lon, *lo);
        return;
    }
    if (ctx.lat.size() <= 1 || ctx.lon.size() <= 1) return;
    const double sinceLat = t - ctx.lat.time(ctx.lat.lastIndex());
    const double sinceLon = t - ctx.lon.time(ctx.lon.lastIndex());
    if (sinceLat >= 0.0 && sinceLat < PositionHold && sinceLon >= 0.0 && sinceLon < PositionHold) {
        level.set(LevelValue::Lat, ctx.lat.value(ctx.lat.lastIndex()));
        level.set(LevelValue::Lon, ctx.lon.value(ctx.lon.lastIndex()));
    }
}

// The surface pressure below a drop that ended above the known surface.
void addExtrapolatedSurfacePressure(LevelContext& ctx) {
    const DataSeries& pres = ctx.pres;
    if (pres.size() <= 1) return;
    const double tl = pres.time(pres.lastIndex());
    const double pl = pres.value(pres.lastIndex());
    const std::optional<double> tempLast = LevelContext::at(ctx.tdry, tl);
    const std::optional<double> altLast = LevelContext::at(ctx.alt, tl);
    if (!tempLast || !altLast) return;
    const double zs = ctx.surfaceAltitude;
    if (*altLast < zs) return;
    const double humidity = LevelContext::at(ctx.rh, tl).value_or(AssumedHumidity);
    const double firstGuess = pressureAtHeight(pl, *tempLast, *tempLast, humidity, humidity, *altLast, zs);
    const std::optional<double> tempSurface = ctx.extrapolatedTemperature(pl, *tempLast, firstGuess);
    if (!tempSurface) return;
    Level level(LevelType::ExtrapolatedSfcPressure);
    level.set(LevelValue::Time, tl);
    level.set(LevelValue::Pres,
              pressureAtHeight(pl, *tempLast, *tempSurface, humidity, humidity, *altLast, zs));
    ctx.add(level);
}

void addDescendingSurfaceWinds(LevelContext& ctx) {
    double zw = ctx.surfaceKnown ? ctx.surfaceAltitude + 10.0 : 10.0;
    double offset = 0.0;

    std::optional<double> surfaceTime, surfacePressure;
    if (const Level* s = ctx.firstOfType(LevelType::SurfaceThermodynamic, 1.0, 2000.0)) {
        surfaceTime = s->value(LevelValue::Time);
        surfacePressure = s->value(LevelValue::Pres);
    }

    std::optional<double> windTime, uWind, vWind;
    auto lookUp = [&]() {
        windTime = ctx.altitudeTime(zw - offset);
        if (!windTime) return;
        uWind = LevelContext::at(ctx.u, *windTime);
        vWind = LevelContext::at(ctx.v, *windTime);
    };
    auto haveWind = [&]() { return windTime && uWind && vWind; };

    if (const std::optional<double> ts = ctx.altitudeTime(ctx.surfaceAltitude)) {
        offset = ctx.windLagOffset(*ts);
        lookUp();
    }
    if (const std::optional<double> t2 = ctx.altitudeTime(zw + 2.0)) {
        offset = ctx.windLagOffset(*t2);
        if (!haveWind()) {
            zw += 2.0;
            lookUp();
        }
    }

    if (surfacePressure && haveWind()) {
        Level level(LevelType::SurfaceWinds);
        level.set(LevelValue::Time, *windTime);
        level.set(LevelValue::Alt, zw);
        LevelContext::setWind(level, *uWind, *vWind);
        level.set(LevelValue::Pres, *surfacePressure);
        ctx.add(level);
        // Without a known surface the height above it is only assumed.
        if (!ctx.surfaceKnown) {
            Level last(LevelType::LastWindAltitude62626);
            last.set(LevelValue::Time, *windTime);
            last.set(LevelValue::Alt, zw);
            last.set(LevelValue::Pres, *surfacePressure);
            ctx.add(last);
        }
        return;
    }

    Level level(LevelType::SurfaceWinds);
    if (surfacePressure) {
        level.set(LevelValue::Time, surfaceTime);
        level.set(LevelValue::Pres, *surfacePressure);
    } else if (!ctx.pres.empty()) {
        level.set(LevelValue::Time, ctx.pres.time(ctx.pres.lastIndex()));
    }
    ctx.add(level);
    addEndWind(ctx, SoundingEnd::Bottom, LevelType::LowermostWinds);

    const Level* lowest = ctx.firstOfType(LevelType::LowermostWinds, 0.0, 2000.0);
    if (!lowest || !lowest->has(LevelValue::Time)) return;
    const double t = *lowest->value(LevelValue::Time);
    const std::optional<double> z = LevelContext::at(ctx.alt, t);
    if (!z) return;
    Level last(LevelType::LastWindAltitude62626);
    last.set(LevelValue::Time, t);
    last.set(LevelValue::Alt, *z + offset);
    last.set(LevelValue::Pres, lowest->value(LevelValue::Pres));
    ctx.add(last);
}

void addAscendingSurfaceWinds(LevelContext& ctx) {
    const DataSeries& pres = ctx.pres;
    const DataSeries& u = ctx.u;
    const DataSeries& v = ctx.v;
    if (!u.empty() && !v.empty() && !pres.empty() && u.hasFlags(0, FlagSurface) &&
        pres.hasFlags(0, FlagSurface) && !ctx.alt.empty()) {
        Level level(LevelType::SurfaceWinds);
        level.set(LevelValue::Time, pres.time(0));
        level.set(LevelValue::Pres, pres.value(0));
        level.set(LevelValue::Alt, ctx.alt.value(0));
        LevelContext::setWind(level, u.value(0), v.value(0));
        ctx.add(level);
        return;
    }
    Level level(LevelType::SurfaceWinds);
    if (!pres.empty()) {
        level.set(LevelValue::Time, pres.time(0));
        level.set(LevelValue::Pres, pres.value(0));
    }
    ctx.add(level);
    addEndWind(ctx, SoundingEnd::Bottom, LevelType::LowermostWinds);
}

}  // namespace

void addSurfaceThermodynamic(LevelContext& ctx) {
    if (ctx.surfacePointTime) {
        const double ts = *ctx.surfacePointTime;
        Level level(LevelType::SurfaceThermodynamic);
        level.set(LevelValue::Time, ts);
        bool complete = false;
        if (LevelContext::setAt(level, LevelValue::Pres, ctx.pres, ts)) {
            const bool temperature = LevelContext::setAt(level, LevelValue::Tdry, ctx.tdry, ts);
            const bool humidity = LevelContext::setAt(level, LevelValue::RH, ctx.rh, ts);
            LevelContext::setAt(level, LevelValue::Alt, ctx.alt, ts);
            setPosition(ctx, level, ts);
            complete = temperature && humidity;
        }
        ctx.add(level);
        if (!complete) addEndThermodynamic(ctx, SoundingEnd::Bottom, LevelType::LowermostThermodynamic);
        return;
    }

    Level level(LevelType::SurfaceThermodynamic);
    if (!ctx.pres.empty()) level.set(LevelValue::Time, ctx.pres.time(ctx.pres.lastIndex()));
    ctx.add(level);
    addEndThermodynamic(ctx, SoundingEnd::Bottom, LevelType::LowermostThermodynamic);
    if (!ctx.ascending && ctx.surfaceKnown) addExtrapolatedSurfacePressure(ctx);
}

void addSurfaceWinds(LevelContext& ctx) {
    if (ctx.ascending)
        addAscendingSurfaceWinds(ctx);
    else
        addDescendingSurfaceWinds(ctx);
}

}  // namespace velta
