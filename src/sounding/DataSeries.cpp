#include "sounding/DataSeries.h"

#include <fmt/printf.h>
#include <cmath>

namespace velta {

namespace {

// Result for the pair (a, b) whose times bracket t.
std::optional<double> betweenPair(const DataPoint& a, const DataPoint& b, double t, double maxGap) {
    if (std::fabs(b.time - a.time) > maxGap) return std::nullopt;
    if (a.time == b.time) return (a.value + b.value) / 2.0;
    return a.value + (b.value - a.value) * (t - a.time) / (b.time - a.time);
}

bool brackets(double x0, double x1, double x) { return (x0 <= x && x <= x1) || (x1 <= x && x <= x0); }

// Least-squares line through points [lo, hi) evaluated at t; nothing when the
// range is empty or all its times are equal.
std::optional<double> lineValueAt(const std::vector<DataPoint>& pts, std::size_t lo, std::size_t hi,
                                  double t) {
    const std::size_t n = hi - lo;
    if (n == 0) return std::nullopt;
    if (n == 1) return pts[lo].value;
    double sumT = 0.0, sumV = 0.0;
    for (std::size_t k = lo; k < hi; ++k) {
        sumT += pts[k].time;
        sumV += pts[k].value;
    }
    const double meanT = sumT / static_cast<double>(n);
    const double meanV = sumV / static_cast<double>(n);
    double num = 0.0, den = 0.0;
    for (std::size_t k = lo; k < hi; ++k) {
        const double dt = pts[k].time - meanT;
        num += dt * pts[k].value;
        den += dt * dt;
    }
    if (!(den > 0.0)) return std::nullopt;
    const double slope = num / den;
    const double intercept = meanV - slope * meanT;
    return intercept + slope * t;
}

std::string format(const char* pattern, auto... args) {
    return fmt::sprintf(pattern, args...);
}

}  // namespace

DataSeries::DataSeries(const DataSeries& other, std::string newName) : DataSeries(other) {
    name_ = std::move(newName);
}

void DataSeries::noteAdded(std::size_t index) {
    dirty_ = true;
    if (!sorted_) return;
    const double t = points_[index].time;
    if (index > 0 && !(points_[index - 1].time <= t)) sorted_ = false;
    if (index + 1 < points_.size() && !(t <= points_[index + 1].time)) sorted_ = false;
}

void DataSeries::setValue(int32_t i, double value) {
    points_[static_cast<std::size_t>(i)].value = value;
    dirty_ = true;
}

void DataSeries::setFlags(int32_t i, int32_t bits) {
    points_[static_cast<std::size_t>(i)].flags |= bits;
    dirty_ = true;
}

void DataSeries::append(double value, double time) { append(DataPoint{time, value, 0}); }

void DataSeries::append(const DataPoint& p) {
    points_.push_back(p);
    noteAdded(points_.size() - 1);
}

void DataSeries::insertAtFront(double value, double time) {
    points_.insert(points_.begin(), DataPoint{time, value, 0});
    noteAdded(0);
}

int32_t DataSeries::insertInOrder(const DataPoint& p) {
    auto notLess = [](const DataPoint& q, double t) { return q.time < t; };
    std::vector<DataPoint>::iterator at;
    if (sorted_) {
        at = std::lower_bound(points_.begin(), points_.end(), p.time, notLess);
    } else {
        at = std::find_if(points_.begin(), points_.end(),
                          [&](const DataPoint& q) { return !(q.time < p.time); });
    }
    const auto index = static_cast<std::size_t>(at - points_.begin());
    points_.insert(at, p);
    noteAdded(index);
    return static_cast<int32_t>(index);
}

void DataSeries::removeAt(int32_t i) {
    points_.erase(points_.begin() + i);
    dirty_ = true;
}

void DataSeries::clear() {
    points_.clear();
    dirty_ = true;
    sorted_ = true;
}

void DataSeries::removeUpTo(double t) {
    if (points_.empty() || points_.front().time > t) return;
    std::size_t last = points_.size();
    for (std::size_t k = points_.size(); k-- > 0;) {
        if (points_[k].time <= t) {
            last = k;
            break;
        }
    }
    if (last == points_.size() || last == 0) return;
    std::size_t out = 0;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        if (k < last && points_[k].time <= t) continue;
        points_[out++] = points_[k];
    }
    points_.resize(out);
    dirty_ = true;
}

void DataSeries::removeAfter(double t) {
    if (points_.size() < 2) return;
    auto it =
        std::remove_if(points_.begin() + 1, points_.end(), [t](const DataPoint& p) { return p.time > t; });
    if (it == points_.end()) return;
    points_.erase(it, points_.end());
    dirty_ = true;
}

void DataSeries::removeBetween(double a, double b) {
    if (a > b) return;
    const std::size_t n = points_.size();
    std::size_t first = n;
    for (std::size_t k = 0; k < n; ++k) {
        if (points_[k].time > a) {
            first = k;
            break;
        }
    }
    if (first == n) return;
    std::size_t last = n;
    for (std::size_t k = n; k-- > 0;) {
        if (points_[k].time < b) {
            last = k;
            break;
        }
    }
    if (last == n || last == 0 || first >= last) return;
    points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(first),
                  points_.begin() + static_cast<std::ptrdiff_t>(last));
    dirty_ = true;
}

std::optional<double> DataSeries::interpolate(double t, double maxGap) const {
    const std::size_t n = points_.size();
    if (n == 0) return std::nullopt;
    if (n == 1) {
        if (points_[0].time == t) return points_[0].value;
        return std::nullopt;
    }
    if (sorted_) {
        // With non-decreasing times the first pair the walk below would stop
        // at is the one ending at the first point not earlier than t, which the
        // positioned lookup finds.
        std::size_t hint = 0;
        return interpolate(t, maxGap, hint);
    }
    for (std::size_t k = 1; k < n; ++k) {
        const DataPoint& a = points_[k - 1];
        const DataPoint& b = points_[k];
        if (a.time == t) return a.value;
        if (b.time == t) return b.value;
        if (brackets(a.time, b.time, t)) return betweenPair(a, b, t, maxGap);
    }
    return std::nullopt;
}

std::optional<double> DataSeries::interpolate(double t, double maxGap, std::size_t& hint) const {
    const std::size_t n = points_.size();
    if (!sorted_ || n < 2) return interpolate(t, maxGap);
    // The first point not earlier than t, as interpolate() finds it. When every
    // point before the hint is earlier than t, it lies at or after the hint: a
    // few steps forward usually reach it. Otherwise search from the start.
    const auto earlier = [](const DataPoint& p, double x) { return p.time < x; };
    std::size_t i = std::min(hint, n);
    if (i > 0 && !(points_[i - 1].time < t)) {
        i = static_cast<std::size_t>(std::lower_bound(points_.begin(), points_.end(), t, earlier) - points_.begin());
    } else {
        constexpr std::size_t kWalk = 8;
        for (std::size_t steps = 0; i < n && points_[i].time < t && steps < kWalk; ++steps) ++i;
        if (i < n && points_[i].time < t)
            i = static_cast<std::size_t>(
                std::lower_bound(points_.begin() + static_cast<std::ptrdiff_t>(i), points_.end(), t, earlier) -
                points_.begin());
    }
    hint = i;
    if (i == n) return std::nullopt;
    if (points_[i].time == t) return points_[i].value;
    if (i == 0) return std::nullopt;
    return betweenPair(points_[i - 1], points_[i], t, maxGap);
}

std::optional<double> DataSeries::timeAtValue(double v) const {
    const std::size_t n = points_.size();
    if (n == 0) return std::nullopt;
    if (n == 1) {
        if (points_[0].value == v) return points_[0].time;
        return std::nullopt;
    }
    for (std::size_t k = 1; k < n; ++k) {
        const DataPoint& a = points_[k - 1];
        const DataPoint& b = points_[k];
        if (a.value == v) return a.time;
        if (b.value == v) return b.time;
        if (brackets(a.value, b.value, v)) {
            if (a.value == b.value) return (a.time + b.time) / 2.0;
            return a.time + (b.time - a.time) * (v - a.value) / (b.value - a.value);
        }
    }
    return std::nullopt;
}

std::optional<double> DataSeries::valueAtOrBeyond(double t, double span) const {
    const std::size_t n = points_.size();
    if (n == 0) return std::nullopt;
    const double first = points_.front().time;
    const double last = points_.back().time;
    if (t < first) {
        std::size_t hi = 0;
        while (hi < n && std::fabs(points_[hi].time - t) <= span) ++hi;
        return lineValueAt(points_, 0, hi, t);
    }
    if (t > last) {
        std::size_t lo = n;
        while (lo > 0 && std::fabs(points_[lo - 1].time - t) <= span) --lo;
        return lineValueAt(points_, lo, n, t);
    }
    return interpolate(t, span);
}

const SeriesFit& DataSeries::fit() const {
    if (!dirty_) return fit_;
    fit_ = SeriesFit{};
    dirty_ = false;
    const std::size_t n = points_.size();
    if (n == 0) return fit_;
    double sumT = 0.0, sumV = 0.0;
    for (const DataPoint& p : points_) {
        sumT += p.time;
        sumV += p.value;
    }
    const double meanT = sumT / static_cast<double>(n);
    const double meanV = sumV / static_cast<double>(n);
    double num = 0.0, den = 0.0;
    for (const DataPoint& p : points_) {
        const double dt = p.time - meanT;
        num += dt * p.value;
        den += dt * dt;
    }
    // All times equal: no slope can be told, the line is the mean value.
    fit_.slope = den > 0.0 ? num / den : 0.0;
    fit_.intercept = meanV - fit_.slope * meanT;
    double ss = 0.0;
    for (const DataPoint& p : points_) {
        const double r = p.value - (fit_.intercept + fit_.slope * p.time);
        ss += r * r;
    }
    fit_.rms = ss > 1e-20 ? std::sqrt(ss / static_cast<double>(n)) : 0.0;
    return fit_;
}

std::vector<double> DataSeries::times() const {
    std::vector<double> out;
    out.reserve(points_.size());
    for (const DataPoint& p : points_) out.push_back(p.time);
    return out;
}

std::vector<double> DataSeries::values() const {
    std::vector<double> out;
    out.reserve(points_.size());
    for (const DataPoint& p : points_) out.push_back(p.value);
    return out;
}

std::pair<DataSeries, DataSeries> DataSeries::commonTimes(const DataSeries& other) const {
    std::pair<DataSeries, DataSeries> out{DataSeries(name_), DataSeries(other.name_)};
    const std::size_t n1 = points_.size(), n2 = other.points_.size();
    const std::size_t reserve = std::min(n1, n2);
    out.first.reserve(reserve);
    out.second.reserve(reserve);
    // Merge walk: the k-th occurrence of a time here pairs with its k-th
    // occurrence there, so repeated times keep each their own record.
    std::size_t i = 0, j = 0;
    while (i < n1 && j < n2) {
        const double a = points_[i].time, b = other.points_[j].time;
        if (a < b) {
            ++i;
        } else if (b < a) {
            ++j;
        } else if (a == b) {
            out.first.append(points_[i++]);
            out.second.append(other.points_[j++]);
        } else {  // a time that is not a number matches nothing
            if (a != a) ++i;
            if (b != b) ++j;
        }
    }
    return out;
}

std::vector<std::string> DataSeries::dump(int32_t first, int32_t last, const std::string& heading) const {
    if (last > lastIndex()) last = lastIndex();
    std::vector<std::string> lines;
    lines.push_back(format("%s values for indices %d:%d %s\n", name_.c_str(), first, last, heading.c_str()));
    for (int32_t i = std::max(first, 0); i <= last; ++i)
        lines.push_back(format("%12.1e (t %6.1f)", value(i), time(i)));
    return lines;
}

}  // namespace velta
