// Small series builders for the level tests and a synthetic drop.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "levels/Level.h"
#include "levels/LevelInputs.h"
#include "sounding/DataPoint.h"
#include "sounding/DataSeries.h"

namespace velta::test {

inline DataSeries makeSeries(std::initializer_list<std::pair<double, double>> timeValue,
                             const char* name = "S") {
    DataSeries s(name);
    for (auto [t, v] : timeValue) s.append(v, t);
    return s;
}

// A series of f(t) at the given times.
template <class F>
DataSeries sampled(const std::vector<double>& times, F f, const char* name = "S") {
    DataSeries s(name);
    s.reserve(times.size());
    for (double t : times) s.append(f(t), t);
    return s;
}

inline std::vector<double> timesFrom(double t0, double t1, double step) {
    std::vector<double> out;
    for (int k = 0;; ++k) {
        const double t = t0 + k * step;
        if (t > t1 + 1e-9) break;
        out.push_back(t);
    }
    return out;
}

// The straight line from (t0, v0) to (t1, v1) sampled every step seconds.
inline DataSeries line(double t0, double v0, double t1, double v1, double step = 10.0) {
    DataSeries s("S");
    for (double t : timesFrom(t0, t1, step)) s.append(v0 + (v1 - v0) * (t - t0) / (t1 - t0), t);
    return s;
}

// The series of one sounding, owned together.
struct SeriesSet {
    DataSeries pres{"QCPres"}, tdry{"QCTdry"}, rh{"QCRH"}, wspd{"QCWspd"}, wdir{"QCWdir"}, u{"QCU"}, v{"QCV"},
        alt{"QCAltDn"}, lat{"QCLat"}, lon{"QCLon"}, dz{"QCDz"};

    LevelSeries view() const {
        return LevelSeries{&pres, &tdry, &rh, &wspd, &wdir, &u, &v, &alt, &lat, &lon, &dz};
    }
};

inline int countOf(const std::vector<Level>& levels, LevelType type) {
    int n = 0;
    for (const Level& l : levels) n += l.type() == type ? 1 : 0;
    return n;
}

inline const Level* firstOf(const std::vector<Level>& levels, LevelType type) {
    for (const Level& l : levels)
        if (l.type() == type) return &l;
    return nullptr;
}

// Altitude (m) of pressure p (mb) in a standard-like atmosphere.
inline double standardAltitude(double p) { return 44330.8 * (1.0 - std::pow(p / 1013.25, 0.190263)); }

// A drop released at p0 (700 mb unless given) that falls for 15 minutes at
// 4 Hz to a sea surface at 1010 mb: launch point at -1 s, ~3600 data points,
// the surface point last. Temperature falls 6.5 K/km up to 11 km and is
// constant above, with an inversion near 850 mb and small waves; humidity,
// wind and position vary smoothly.
inline SeriesSet syntheticDrop(double p0 = 700.0, double duration = 900.0, double step = 0.25) {
    SeriesSet s;
    const double ps = 1010.0;
    auto pressureAt = [&](double t) { return p0 + (ps - p0) * std::pow(std::max(t, 0.0) / duration, 0.9); };
    auto altitudeAt = [&](double t) { return standardAltitude(pressureAt(t)) - standardAltitude(ps); };
    auto temperatureAt = [&](double t) {
        const double p = pressureAt(t);
        const double z = altitudeAt(t);
        double temp = 27.0 - 6.5 * std::min(z, 11000.0) / 1000.0 + 0.3 * std::sin(t / 7.0);
        if (p > 840.0 && p < 870.0) temp += 0.3 * (870.0 - p) * (p < 855.0 ? (p - 840.0) / 15.0 : 1.0);
        return temp;
    };
    auto rhAt = [&](double t) { return 70.0 + 20.0 * std::sin(t / 60.0) + 2.0 * std::sin(t / 3.0); };
    auto uAt = [&](double t) { return -8.0 + 14.0 * std::sin(t / 150.0) + 0.5 * std::sin(t / 5.0); };
    auto vAt = [&](double t) { return 6.0 + 10.0 * std::cos(t / 110.0); };

    std::vector<double> times{-1.0};
    for (double t : timesFrom(0.0, duration, step)) times.push_back(t);
    for (double t : times) {
        const int32_t flags = t < 0.0 ? FlagLaunch : (t >= duration ? FlagSurface : 0);
        const double tt = std::max(t, 0.0);
        s.pres.append(DataPoint{t, pressureAt(tt), flags});
        s.tdry.append(DataPoint{t, temperatureAt(tt), flags});
        s.rh.append(DataPoint{t, rhAt(tt), flags});
        const double u = uAt(tt), v = vAt(tt);
        s.u.append(DataPoint{t, u, flags});
        s.v.append(DataPoint{t, v, flags});
        s.wspd.append(DataPoint{t, std::hypot(u, v), flags});
        s.wdir.append(DataPoint{t, std::fmod(270.0 - std::atan2(v, u) * 57.29578 + 360.0, 360.0), flags});
        s.alt.append(DataPoint{t, altitudeAt(tt), flags});
        s.lat.append(DataPoint{t, 15.0 + 0.0001 * tt, flags});
        s.lon.append(DataPoint{t, -60.0 + 0.0002 * tt, flags});
        if (t > 0.0) s.dz.append(DataPoint{t, -(altitudeAt(tt - 0.5) - altitudeAt(tt + 0.5)), 0});
    }
    return s;
}

}  // namespace velta::test
