// A named, time-ordered list of points with interpolation under a gap limit,
// inverse interpolation, extrapolation by a fitted line, trimming and common
// times. Indices run from 0 to size() - 1; an index outside that range is a
// caller error that the index accessors do not guard against.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sounding/DataPoint.h"
#include "sounding/SeriesFit.h"

namespace velta {

class DataSeries {
public:
    explicit DataSeries(std::string name = "Unassigned") : name_(std::move(name)) {}
    // A copy of other (points, cached fit) under a new name.
    DataSeries(const DataSeries& other, std::string newName);
    DataSeries(const DataSeries&) = default;
    DataSeries(DataSeries&&) = default;
    DataSeries& operator=(const DataSeries&) = default;
    DataSeries& operator=(DataSeries&&) = default;

    int32_t size() const { return static_cast<int32_t>(points_.size()); }
    int32_t lastIndex() const { return size() - 1; }
    bool empty() const { return points_.empty(); }

    double time(int32_t i) const { return points_[static_cast<std::size_t>(i)].time; }
    double value(int32_t i) const { return points_[static_cast<std::size_t>(i)].value; }
    int32_t flags(int32_t i) const { return points_[static_cast<std::size_t>(i)].flags; }
    const DataPoint& point(int32_t i) const { return points_[static_cast<std::size_t>(i)]; }
    const std::vector<DataPoint>& points() const { return points_; }

    void setValue(int32_t i, double value);
    // ORs the bits into the point's flags.
    void setFlags(int32_t i, int32_t bits);
    // True when every given bit is set on point i.
    bool hasFlags(int32_t i, int32_t bits) const { return (flags(i) & bits) == bits; }

    const std::string& name() const { return name_; }
    void rename(std::string name) { name_ = std::move(name); }

    void reserve(std::size_t n) { points_.reserve(n); }
    // Adds a point at the end without looking at its time; flags 0.
    void append(double value, double time);
    // Adds a point (flags included) at the end without looking at its time.
    void append(const DataPoint& p);
    // Adds a point before the first; flags 0.
    void insertAtFront(double value, double time);
    // Inserts before the first point whose time is not less than p.time (so
    // of equal times the new point goes first); returns its index.
    int32_t insertInOrder(const DataPoint& p);
    void removeAt(int32_t i);
    void clear();
    // Removes every point with time <= t except the last of them; nothing when
    // the first point is already later than t.
    void removeUpTo(double t);
    // Removes every point with time > t, but never the first point.
    void removeAfter(double t);
    // Removes the points from the first one later than a up to, not including,
    // the last one earlier than b. Nothing when a > b, when no point is later
    // than a, or when the last point earlier than b is the first point.
    void removeBetween(double a, double b);
    // Removes every point for which pred(point) is true, keeping the order.
    template <class Pred>
    void removeIf(Pred pred) {
        auto it = std::remove_if(points_.begin(), points_.end(), pred);
        if (it != points_.end()) {
            points_.erase(it, points_.end());
            dirty_ = true;
        }
    }

    // Value at time t. A point at exactly t answers its own value; otherwise
    // the first pair of neighbours whose times bracket t is interpolated
    // linearly, unless their times differ by more than maxGap.
    std::optional<double> interpolate(double t, double maxGap) const;
    // The same, for a caller that looks up a run of increasing times: hint
    // carries the position of the previous lookup (start it at 0), so each
    // lookup walks on from there instead of searching the whole series.
    std::optional<double> interpolate(double t, double maxGap, std::size_t& hint) const;
    // Inverse interpolation: the time at which the values first reach v.
    std::optional<double> timeAtValue(double v) const;
    // Inside the series interpolate(t, span); outside it, the value at t of
    // the straight line fitted to the end points lying within span of t.
    std::optional<double> valueAtOrBeyond(double t, double span) const;
    // Straight-line fit through all points, recomputed only after a change.
    const SeriesFit& fit() const;

    std::vector<double> times() const;
    std::vector<double> values() const;
    // The points of this series and of other at the times present in both (a
    // time present k1 times here and k2 times there counts min(k1, k2) times,
    // matched in order). The results are named like this and other.
    std::pair<DataSeries, DataSeries> commonTimes(const DataSeries& other) const;
    // Heading line and one line per point from first to last (clamped).
    std::vector<std::string> dump(int32_t first, int32_t last, const std::string& heading) const;

private:
    void noteAdded(std::size_t index);

    std::string name_;
    std::vector<DataPoint> points_;
    mutable SeriesFit fit_;
    mutable bool dirty_ = true;
    // True while the times are known to be non-decreasing (then lookups may
    // search by bisection); removals keep it, insertions update it.
    bool sorted_ = true;
};

}  // namespace velta
