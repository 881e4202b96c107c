#include "levels/LevelContext.h"

#include <algorithm>
#include <cmath>

#include "qc/MetFormulas.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {

std::optional<double> firstSurfaceTime(const DataSeries& pres) {
    for (int32_t i = 0; i < pres.size(); ++i)
        if (pres.hasFlags(i, FlagSurface)) return pres.time(i);
    return std::nullopt;
}

}  // namespace

LevelContext::LevelContext(const LevelSeries& s, const LevelOptions& opts, double sfcAltitude)
    : empty_("Empty"),
      pres(s.pres ? *s.pres : empty_),
      tdry(s.tdry ? *s.tdry : empty_),
      rh(s.rh ? *s.rh : empty_),
      wspd(s.wspd ? *s.wspd : empty_),
      wdir(s.wdir ? *s.wdir : empty_),
      u(s.u ? *s.u : empty_),
      v(s.v ? *s.v : empty_),
      alt(s.alt ? *s.alt : empty_),
      lat(s.lat ? *s.lat : empty_),
      lon(s.lon ? *s.lon : empty_),
      dz(s.dz ? *s.dz : empty_),
      options(opts),
      ascending(opts.ascending),
      surfaceAltitude(sfcAltitude),
      surfaceKnown(sfcAltitude != MissingValue),
      surfacePointTime(firstSurfaceTime(pres)),
      presRange_(rangeOf(pres)),
      altRange_(rangeOf(alt)) {}

LevelContext::Range LevelContext::rangeOf(const DataSeries& s) {
    Range r;
    if (s.empty()) return r;
    r.low = r.high = s.value(0);
    for (const DataPoint& q : s.points()) {
        // A value that is not a number leaves the range open, so every lookup scans.
        if (q.value != q.value) return Range{-HUGE_VAL, HUGE_VAL};
        r.low = std::min(r.low, q.value);
        r.high = std::max(r.high, q.value);
    }
    return r;
}

namespace {

bool timesAscending(const DataSeries& s) {
    for (int32_t i = 1; i < s.size(); ++i)
        if (!(s.time(i - 1) <= s.time(i))) return false;
    return true;
}

}  // namespace

std::vector<std::optional<double>> LevelContext::pressuresAtPointsOf(const DataSeries& s) const {
    std::vector<std::optional<double>> out(static_cast<std::size_t>(s.size()));
    if (pres.size() < 2 || !timesAscending(s) || !timesAscending(pres)) {
        for (int32_t i = 0; i < s.size(); ++i) out[static_cast<std::size_t>(i)] = at(pres, s.time(i));
        return out;
    }
    // Both time axes ascend: walk them together. j is the first pressure
    // point not earlier than t, which is the pair interpolate would use.
    int32_t j = 0;
    for (int32_t i = 0; i < s.size(); ++i) {
        const double t = s.time(i);
        while (j < pres.size() && pres.time(j) < t) ++j;
        if (j == pres.size()) break;  // later than every pressure point
        const DataPoint& b = pres.point(j);
        if (b.time == t) {
            out[static_cast<std::size_t>(i)] = b.value;
            continue;
        }
        if (j == 0) continue;
        const DataPoint& a = pres.point(j - 1);
        if (std::fabs(b.time - a.time) > Gap) continue;
        out[static_cast<std::size_t>(i)] = a.value + (b.value - a.value) * (t - a.time) / (b.time - a.time);
    }
    return out;
}

bool LevelContext::setAt(Level& level, LevelValue key, const DataSeries& s, double t, double gap) {
    const std::optional<double> x = s.interpolate(t, gap);
    if (!x) return false;
    level.set(key, *x);
    return true;
}

void LevelContext::setWind(Level& level, double uValue, double vValue) {
    double speed = 0.0, direction = 0.0;
    windSpeedDirection(uValue, vValue, speed, direction);
    level.set(LevelValue::U, uValue);
    level.set(LevelValue::V, vValue);
    level.set(LevelValue::Wspd, speed);
    level.set(LevelValue::Wdir, direction);
}

bool LevelContext::setWindAt(Level& level, double t, double gap) const {
    const std::optional<double> uu = u.interpolate(t, gap);
    if (!uu) return false;
    const std::optional<double> vv = v.interpolate(t, gap);
    if (!vv) return false;
    setWind(level, *uu, *vv);
    return true;
}

double LevelContext::windLagOffset(double t) const {
    const std::optional<double> w = dz.interpolate(t, Gap);
    return w ? *w * options.ptuwindtimediff : 0.0;
}

std::optional<double> LevelContext::extrapolatedTemperature(double pa, double ta, double pt) const {
    const double d = pt - pa;
    if (std::fabs(d) < 0.00001) return ta;
    const std::optional<double> tb = pressureTime(pa - d);
    if (!tb) return std::nullopt;
    const std::optional<double> other = tdry.interpolate(*tb, Gap);
    if (!other) return std::nullopt;
    // The same temperature change again over the same pressure distance.
    return ta + (ta - *other);
}

const Level* LevelContext::firstOfType(LevelType type, double pmin, double pmax) const {
    for (const Level& level : levels) {
        if (level.type() != type || level.excluded()) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (pmin <= p && p < pmax) return &level;
    }
    return nullptr;
}

}  // namespace velta
