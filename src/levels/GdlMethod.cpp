#include "levels/GdlMethod.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "levels/LevelOrder.h"
#include "qc/MetFormulas.h"

namespace velta {

namespace {

// Wind speeds below this carry no direction worth a level, m/s.
constexpr double CalmSpeed = 10.0 / LevelContext::KnotsPerMs;

// The end of a run: its pressure and its values of the two keys.
struct Anchor {
    double p;
    double k;
    double k2;
    // Direction mode: the unit vector of the wind direction (k, k2).
    double unitU = 0.0;
    double unitV = 0.0;
};

struct Run {
    int32_t first;  // first point index
    int32_t last;   // last point index, inclusive
    Anchor a;
    Anchor b;
};

// Fraction of the way from pa to pb at p; halfway when the two pressures are
// the same (levels can share a pressure), so that the line stays finite.
double fraction(double p, double pa, double pb) {
    if (pb == pa) return 0.5;
    return (p - pa) / (pb - pa);
}

double direction(double uValue, double vValue) {
    double speed = 0.0, dir = 0.0;
    windSpeedDirection(uValue, vValue, speed, dir);
    return dir;
}

class GdlPass {
public:
    GdlPass(LevelContext& ctx, const DataSeries& s, LevelType type, LevelValue key, double tolerance,
            GdlMode mode, const DataSeries* second, LevelValue secondKey)
        : ctx_(ctx),
          s_(s),
          type_(type),
          key_(key),
          tolerance_(tolerance),
          mode_(mode),
          second_(second),
          secondKey_(secondKey) {}

    void run() {
        std::vector<Level> anchors = pressureOrderedAnchors();
        if (anchors.size() < 2) return;
        // Points are examined again at each depth of the search; their
        // pressures are looked up once.
        pressures_ = ctx_.pressuresAtPointsOf(s_);
        if (mode_ == GdlMode::Direction) pointDirections();
        for (std::size_t n = 0; n + 1 < anchors.size(); ++n) {
            const Level& la = anchors[n];
            const Level& lb = anchors[n + 1];
            const double ta = *la.value(LevelValue::Time);
            const double tb = *lb.value(LevelValue::Time);
            const int32_t first = firstLater(ta);
            const int32_t last = firstAtOrAfter(tb) - 1;
            split(Run{first, last, anchorOf(la), anchorOf(lb)});
        }
    }

private:
    // The current levels that can bound a run, in level order from the top of
    // a drop or from the bottom of an ascent, i.e. in time order.
    std::vector<Level> pressureOrderedAnchors() const {
        std::vector<Level> out;
        for (const Level& level : ctx_.levels) {
            if (!level.has(LevelValue::Pres) || !level.has(LevelValue::Time) || !level.has(key_)) continue;
            if (mode_ == GdlMode::Direction && !level.has(secondKey_)) continue;
            out.push_back(level);
        }
        sortLevels(out);
        if (ctx_.ascending) std::reverse(out.begin(), out.end());
        return out;
    }

    Anchor anchorOf(const Level& level) const {
        return makeAnchor(*level.value(LevelValue::Pres), *level.value(key_), level.valueOr(secondKey_, 0.0));
    }

    Anchor makeAnchor(double p, double k, double k2) const {
        Anchor a{p, k, k2};
        if (mode_ == GdlMode::Direction) windComponents(1.0, direction(k, k2), a.unitU, a.unitV);
        return a;
    }

    // Direction mode: each point's wind direction, or nothing where the
    // second series has no value or the wind is calm (its departure is 0).
    void pointDirections() {
        directions_.assign(static_cast<std::size_t>(s_.size()), std::nullopt);
        calm_.assign(static_cast<std::size_t>(s_.size()), false);
        for (int32_t i = 0; i < s_.size(); ++i) {
            const std::optional<double> w = secondValue(i);
            if (!w) continue;
            double speed = 0.0, dir = 0.0;
            windSpeedDirection(s_.value(i), *w, speed, dir);
            if (speed < CalmSpeed)
                calm_[static_cast<std::size_t>(i)] = true;
            else
                directions_[static_cast<std::size_t>(i)] = dir;
        }
    }

    int32_t firstLater(double t) const {
        const auto& pts = s_.points();
        return static_cast<int32_t>(
            std::upper_bound(pts.begin(), pts.end(), t,
                             [](double x, const DataPoint& q) { return x < q.time; }) -
            pts.begin());
    }
    int32_t firstAtOrAfter(double t) const {
        const auto& pts = s_.points();
        return static_cast<int32_t>(
            std::lower_bound(pts.begin(), pts.end(), t,
                             [](const DataPoint& q, double x) { return q.time < x; }) -
            pts.begin());
    }

    // The value of the second series at point i of s.
    std::optional<double> secondValue(int32_t i) const {
        if (i < second_->size() && second_->time(i) == s_.time(i)) return second_->value(i);
        return second_->interpolate(s_.time(i), LevelContext::Gap);
    }

    std::optional<double> deviation(int32_t i, double p, const Run& run) const {
        const double f = fraction(p, run.a.p, run.b.p);
        if (mode_ == GdlMode::Scalar) return std::fabs(s_.value(i) - (run.a.k + f * (run.b.k - run.a.k)));
        const auto k = static_cast<std::size_t>(i);
        if (calm_[k]) return 0.0;
        if (!directions_[k]) return std::nullopt;
        const double lineDir = direction(run.a.unitU + f * (run.b.unitU - run.a.unitU),
                                         run.a.unitV + f * (run.b.unitV - run.a.unitV));
        // Both directions lie in [0, 360).
        double diff = std::fabs(*directions_[k] - lineDir);
        if (diff > 180.0) diff = 360.0 - diff;
        return diff;
    }

    void split(Run top) {
        // Depth-first, the run before a new level ahead of the run after it.
        std::vector<Run> pending{top};
        while (!pending.empty()) {
            const Run run = pending.back();
            pending.pop_back();
            if (run.last - run.first + 1 < 2) continue;
            double worst = 0.0;
            int32_t worstIndex = -1;
            double worstPressure = 0.0;
            for (int32_t i = run.first; i <= run.last; ++i) {
                const std::optional<double>& p = pressures_[static_cast<std::size_t>(i)];
                if (!p) continue;
                const std::optional<double> d = deviation(i, *p, run);
                if (d && *d > worst) {
                    worst = *d;
                    worstIndex = i;
                    worstPressure = *p;
                }
            }
            if (worstIndex < 0 || !(tolerance_ < worst)) continue;
            Level level(type_);
            level.set(LevelValue::Time, s_.time(worstIndex));
            level.set(LevelValue::Pres, worstPressure);
            level.set(key_, s_.value(worstIndex));
            double k2 = 0.0;
            if (mode_ == GdlMode::Direction) {
                k2 = *secondValue(worstIndex);
                level.set(secondKey_, k2);
            }
            const Anchor mid = makeAnchor(worstPressure, s_.value(worstIndex), k2);
            ctx_.add(level);
            pending.push_back(Run{worstIndex + 1, run.last, mid, run.b});
            pending.push_back(Run{run.first, worstIndex - 1, run.a, mid});
        }
    }

    LevelContext& ctx_;
    const DataSeries& s_;
    LevelType type_;
    LevelValue key_;
    double tolerance_;
    GdlMode mode_;
    const DataSeries* second_;
    LevelValue secondKey_;
    std::vector<std::optional<double>> pressures_;
    std::vector<std::optional<double>> directions_;
    std::vector<bool> calm_;
};

void fillAt(LevelContext& ctx, LevelType type, LevelValue key, const DataSeries& s) {
    for (Level& level : ctx.levels)
        if (level.type() == type)
            if (const std::optional<double> t = level.value(LevelValue::Time))
                LevelContext::setAt(level, key, s, *t);
}

// The wind at 850 mb of a drop: interpolated at the crossing when data lie
// within 5 s of it, otherwise the wind points on both sides of the crossing.
void add850mbWind(LevelContext& ctx) {
    const std::optional<double> t850 = ctx.pressureTime(850.0);
    if (!t850) return;
    constexpr double TightGap = 5.0;
    if (LevelContext::at(ctx.u, *t850, TightGap)) {
        Level level(LevelType::GdlWindSpeed);
        level.set(LevelValue::Time, *t850);
        level.set(LevelValue::Pres, 850.0);
        ctx.setWindAt(level, *t850, TightGap);
        ctx.add(level);
        return;
    }
    const DataSeries& u = ctx.u;
    int32_t i = 0;
    while (i < u.size() && !(u.time(i) > *t850)) ++i;
    auto addPoint = [&](int32_t k) {
        const double t = u.time(k);
        const std::optional<double> p = LevelContext::at(ctx.pres, t);
        if (!p) return;
        Level level(LevelType::GdlWindSpeed);
        level.set(LevelValue::Time, t);
        level.set(LevelValue::Pres, *p);
        if (k < ctx.v.size())
            LevelContext::setWind(level, u.value(k), ctx.v.value(k));
        else
            level.set(LevelValue::U, u.value(k));
        ctx.add(level);
    };
    if (i - 1 >= 1) addPoint(i - 1);
    if (i < u.size()) addPoint(i);
}

// Runs a wind speed pass with the levels on one side of 850 mb set aside.
template <class Aside>
void passBeside850(LevelContext& ctx, double toleranceKnots, Aside aside) {
    std::vector<Level> kept, setAside;
    for (Level& level : ctx.levels) {
        const std::optional<double> p = level.value(LevelValue::Pres);
        (p && aside(*p) ? setAside : kept).push_back(level);
    }
    ctx.levels = std::move(kept);
    applyGdl(ctx, ctx.wspd, LevelType::GdlWindSpeed, LevelValue::Wspd,
             toleranceKnots / LevelContext::KnotsPerMs);
    ctx.levels.insert(ctx.levels.end(), setAside.begin(), setAside.end());
}

}  // namespace

void applyGdl(LevelContext& ctx, const DataSeries& s, LevelType type, LevelValue key, double tolerance,
              GdlMode mode, const DataSeries* second, LevelValue secondKey) {
    if (mode == GdlMode::Direction && !second) return;
    GdlPass(ctx, s, type, key, tolerance, mode, second, secondKey).run();
}

void addGdlThermodynamic(LevelContext& ctx) {
    applyGdl(ctx, ctx.tdry, LevelType::GdlTemperature, LevelValue::Tdry, ctx.options.tdryLevelDelta);
    fillAt(ctx, LevelType::GdlTemperature, LevelValue::RH, ctx.rh);
    applyGdl(ctx, ctx.rh, LevelType::GdlRH, LevelValue::RH, ctx.options.rhLevelDelta);
    fillAt(ctx, LevelType::GdlRH, LevelValue::Tdry, ctx.tdry);
    std::erase_if(ctx.levels,
                  [](const Level& l) { return l.type() == LevelType::GdlRH && !l.has(LevelValue::RH); });
}

void addGdlWinds(LevelContext& ctx) {
    if (ctx.ascending) {
        applyGdl(ctx, ctx.wspd, LevelType::GdlWindSpeed, LevelValue::Wspd,
                 ctx.options.wspdLevelDelta / LevelContext::KnotsPerMs);
    } else {
        add850mbWind(ctx);
        passBeside850(ctx, ctx.options.wspd850LevelDelta, [](double p) { return p < 850.0; });
        passBeside850(ctx, ctx.options.wspdLevelDelta, [](double p) { return p > 850.0; });
    }

    for (Level& level : ctx.levels) {
        if (level.type() != LevelType::GdlWindSpeed) continue;
        const std::optional<double> t = level.value(LevelValue::Time);
        if (!t) continue;
        const std::optional<double> uu = LevelContext::at(ctx.u, *t);
        const std::optional<double> vv = LevelContext::at(ctx.v, *t);
        if (!uu || !vv) continue;
        level.set(LevelValue::U, *uu);
        level.set(LevelValue::V, *vv);
        level.set(LevelValue::Wdir, direction(*uu, *vv));
    }

    applyGdl(ctx, ctx.u, LevelType::GdlWindDirection, LevelValue::U, ctx.options.wdirLevelDelta,
             GdlMode::Direction, &ctx.v, LevelValue::V);
    for (Level& level : ctx.levels) {
        if (level.type() != LevelType::GdlWindDirection) continue;
        const std::optional<double> uu = level.value(LevelValue::U);
        const std::optional<double> vv = level.value(LevelValue::V);
        if (uu && vv) LevelContext::setWind(level, *uu, *vv);
    }
}

}  // namespace velta
