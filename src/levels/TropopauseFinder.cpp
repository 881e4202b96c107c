#include "levels/TropopauseFinder.h"

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"
#include "qc/SplineSmoother.h"

namespace velta {

namespace {

constexpr double Gap = 60.0;              // s
constexpr double MaxTopPressure = 200.0;  // mb; the data must reach this high
constexpr int MinPoints = 10;
constexpr double StartPressure = 500.0;  // mb
constexpr double Criterion = 2.0;        // K/km
constexpr int MaxTropopauses = 3;

// -1000 times the height derivative of the smoothed temperature, K/km.
bool lapseRates(const std::vector<double>& z, const std::vector<double>& t, double wavelength,
                std::vector<double>& out) {
    const SplineBasis basis(z.data(), z.size(), wavelength, SplineBasis::NaturalEnds, 0);
    const SplineCurve curve(basis, t.data());
    if (!curve.ok()) return false;
    out.resize(z.size());
    for (std::size_t i = 0; i < z.size(); ++i) out[i] = -1000.0 * curve.slope(z[i]);
    return true;
}

}  // namespace

TropopauseFinder::TropopauseFinder(const DataSeries& temperature, const DataSeries& altitude,
                                   const DataSeries& pressure, double smoothWavelength, bool ascending) {
    // Data that cannot give a result are not smoothed at all.
    if (temperature.size() < 3 || altitude.size() < 3 || pressure.size() < 3) return;
    if (pressure.value(ascending ? pressure.lastIndex() : 0) > MaxTopPressure) return;
    DataSeries smoothed(temperature);
    bool failed = true;
    SplineSmoother{}(smoothed, smoothWavelength, failed);
    const DataSeries& used = failed ? temperature : smoothed;
    if (!collect(used, altitude, pressure, ascending) || !computeLapseRates()) {
        clear();
        return;
    }
    search();
}

void TropopauseFinder::clear() {
    temperature_.clear();
    altitude_.clear();
    pressure_.clear();
    time_.clear();
    l100_.clear();
    l1000_.clear();
}

bool TropopauseFinder::collect(const DataSeries& temperature, const DataSeries& altitude,
                               const DataSeries& pressure, bool ascending) {
    if (temperature.size() < 3 || altitude.size() < 3 || pressure.size() < 3) return false;
    const double topPressure = pressure.value(ascending ? pressure.lastIndex() : 0);
    if (topPressure > MaxTopPressure) return false;
    const int32_t n = temperature.size();
    temperature_.reserve(static_cast<std::size_t>(n));
    altitude_.reserve(static_cast<std::size_t>(n));
    pressure_.reserve(static_cast<std::size_t>(n));
    time_.reserve(static_cast<std::size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        const int32_t i = ascending ? k : n - 1 - k;
        const double t = temperature.time(i);
        const std::optional<double> z = altitude.interpolate(t, Gap);
        if (!z) continue;
        const std::optional<double> p = pressure.interpolate(t, Gap);
        if (!p) continue;
        temperature_.push_back(temperature.value(i));
        altitude_.push_back(*z);
        pressure_.push_back(*p);
        time_.push_back(t);
    }
    return static_cast<int>(time_.size()) >= MinPoints && pressure_.back() <= MaxTopPressure;
}

bool TropopauseFinder::computeLapseRates() {
    return lapseRates(altitude_, temperature_, 100.0, l100_) &&
           lapseRates(altitude_, temperature_, 1000.0, l1000_);
}

bool TropopauseFinder::layerTest(int i, double depth, double limit) const {
    const auto at = [](const std::vector<double>& v, int k) { return v[static_cast<std::size_t>(k)]; };
    const double zi = at(altitude_, i);
    for (int k = i + 2; k < size(); ++k) {
        const double zk = at(altitude_, k);
        if (zk >= zi + depth) return true;
        if (zk != zi) {
            const double mean = (at(temperature_, i) - at(temperature_, k)) / ((zk - zi) / 1000.0);
            if (mean > limit) return false;
        }
    }
    return false;
}

bool TropopauseFinder::upperLayerTest(int i, double depth, double limit) const {
    if (i + 1 >= size()) return false;
    if (altitude_[static_cast<std::size_t>(i + 1)] + depth > altitude_.back()) return false;
    for (int k = i + 1; k < size(); ++k)
        if (l1000_[static_cast<std::size_t>(k)] > limit) return false;
    return true;
}

void TropopauseFinder::search() {
    const int n = size();
    int s = 0;
    while (s < n && !(pressure_[static_cast<std::size_t>(s)] < StartPressure)) ++s;
    if (s == n) return;
    const auto l100 = [&](int k) { return l100_[static_cast<std::size_t>(k)]; };

    int a = s;
    while (static_cast<int>(times_.size()) < MaxTropopauses) {
        int c = a;
        while (c < n && l100(c) < Criterion) ++c;
        if (c == n) break;
        while (c < n && l100(c) >= Criterion) ++c;
        if (c == n) break;
        if (layerTest(c, 2000.0, Criterion)) times_.push_back(time_[static_cast<std::size_t>(c)]);
        a = c;
    }
    if (!times_.empty()) return;

    for (int i = s; i >= 1; --i) {
        if (l100(i) <= Criterion && l100(i - 1) > Criterion &&
            pressure_[static_cast<std::size_t>(i - 1)] - pressure_[static_cast<std::size_t>(i)] < 5.0 &&
            layerTest(i, 1000.0, Criterion) && upperLayerTest(i, 1000.0, 3.0)) {
            times_.push_back(time_[static_cast<std::size_t>(i)]);
            return;
        }
    }
}

}  // namespace velta
