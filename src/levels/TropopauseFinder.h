// Finds the tropopause by the lapse-rate criterion: first upward from 500 mb
// for up to three tropopauses, then, when none is found, downward from 500 mb.
#pragma once

#include <vector>

#include "sounding/DataSeries.h"

namespace velta {

class TropopauseFinder {
public:
    // The search runs here. smoothWavelength (s) smooths the temperature in
    // time before the lapse rates are taken.
    TropopauseFinder(const DataSeries& temperature, const DataSeries& altitude, const DataSeries& pressure,
                     double smoothWavelength, bool ascending);

    // Tropopause times in the order found; empty when there is none.
    std::vector<double> times() const { return times_; }

    // The usable points, from the bottom up, and their lapse rates (K/km, positive
    // when the temperature falls with height).
    int size() const { return static_cast<int>(altitude_.size()); }
    const std::vector<double>& lapseRate100() const { return l100_; }
    const std::vector<double>& lapseRate1000() const { return l1000_; }

private:
    bool collect(const DataSeries& temperature, const DataSeries& altitude, const DataSeries& pressure,
                 bool ascending);
    bool computeLapseRates();
    void search();
    void clear();
    bool layerTest(int i, double depth, double limit) const;
    bool upperLayerTest(int i, double depth, double limit) const;

    std::vector<double> temperature_, altitude_, pressure_, time_;
    std::vector<double> l100_, l1000_;
    std::vector<double> times_;
};

}  // namespace velta
