// The working state of one level derivation: the input series (an absent
// series reads as empty), the option values, the surface facts derived from
// them, the growing level list, and the lookups every step shares.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "levels/Level.h"
#include "levels/LevelInputs.h"
#include "levels/LevelType.h"

namespace velta {

class LevelContext {
public:
    // Gap limit of an ordinary interpolation, s.
    static constexpr double Gap = 60.0;
    // Knots per m/s, as the message uses them.
    static constexpr double KnotsPerMs = 3600.0 / 1852.0;

    LevelContext(const LevelSeries& series, const LevelOptions& options, double surfaceAltitude);
    // The series references may point at the context's own empty series.
    LevelContext(const LevelContext&) = delete;
    LevelContext& operator=(const LevelContext&) = delete;

private:
    const DataSeries empty_;

public:
    const DataSeries& pres;
    const DataSeries& tdry;
    const DataSeries& rh;
    const DataSeries& wspd;
    const DataSeries& wdir;
    const DataSeries& u;
    const DataSeries& v;
    const DataSeries& alt;
    const DataSeries& lat;
    const DataSeries& lon;
    const DataSeries& dz;

    const LevelOptions options;
    const bool ascending;
    // Surface altitude (m) as handed in; known unless it is the missing value.
    const double surfaceAltitude;
    const bool surfaceKnown;
    // Time of the first pressure point flagged as the surface point.
    const std::optional<double> surfacePointTime;

    std::vector<Level> levels;

    // s at t under the gap limit.
    static std::optional<double> at(const DataSeries& s, double t, double gap = Gap) {
        return s.interpolate(t, gap);
    }
    // Sets key from s at t when it can be interpolated; answers whether it was.
    static bool setAt(Level& level, LevelValue key, const DataSeries& s, double t, double gap = Gap);
    // U, V and the speed and direction from them.
    static void setWind(Level& level, double uValue, double vValue);
    // The wind from u and v interpolated at t; nothing is set unless both are found.
    bool setWindAt(Level& level, double t, double gap = Gap) const;

    // Vertical velocity at t times ptuwindtimediff: how much lower the sonde
    // was when the wind belonging to t was measured. 0 without a velocity.
    double windLagOffset(double t) const;

    // Temperature at pressure pt, continued linearly in pressure from the end
    // point (pa, ta) with the temperature found the same pressure distance on
    // the other side of pa.
    std::optional<double> extrapolatedTemperature(double pa, double ta, double pt) const;

    // The time at which the pressure (altitude) series first reaches the
    // value, as DataSeries::timeAtValue; values outside the series' range are
    // answered without a scan.
    std::optional<double> pressureTime(double p) const { return timeInRange(pres, presRange_, p); }
    std::optional<double> altitudeTime(double z) const { return timeInRange(alt, altRange_, z); }

    // The pressure interpolated at the time of every point of s, as at(pres, t)
    // answers it, in one pass over both series.
    std::vector<std::optional<double>> pressuresAtPointsOf(const DataSeries& s) const;

    // Index of the k-th point of s counted from the bottom (from the top) of
    // the sounding.
    int32_t fromBottom(const DataSeries& s, int32_t k) const { return ascending ? k : s.lastIndex() - k; }
    int32_t fromTop(const DataSeries& s, int32_t k) const { return ascending ? s.lastIndex() - k : k; }

    // First level of the type with pmin <= p < pmax that is not excluded.
    const Level* firstOfType(LevelType type, double pmin, double pmax) const;

    Level& add(Level level) {
        levels.push_back(level);
        return levels.back();
    }

private:
    struct Range {
        double low = 0.0;
        double high = -1.0;  // empty
    };
    static Range rangeOf(const DataSeries& s);
    static std::optional<double> timeInRange(const DataSeries& s, const Range& r, double value) {
        if (!(r.low <= value && value <= r.high)) return std::nullopt;
        return s.timeAtValue(value);
    }

    const Range presRange_;
    const Range altRange_;
};

}  // namespace velta
