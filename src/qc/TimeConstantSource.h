// Where the sensor time-lag correction finds the time constant at a given time: the temperature
// sensor's constants computed along the sounding, or the humidity sensor's constant as a function of
// pressure.
#pragma once

#include <optional>

#include "sounding/DataSeries.h"

namespace velta {

class TimeConstantSource {
public:
    virtual ~TimeConstantSource() = default;
    // Time constant (s) at time t, or nothing when it cannot be told there.
    virtual std::optional<double> timeConstantAt(double t) const = 0;
};

// The temperature sensor's time constants of one QC run, held as the series "RH80TdryTimeConstant"
// (not part of the sounding). Empty until the first update.
class TdryTimeConstantSeries : public TimeConstantSource {
public:
    static constexpr const char* SeriesName = "RH80TdryTimeConstant";

    // Replaces the held series; it is renamed to SeriesName.
    void replace(DataSeries series);
    void clear() { series_.clear(); }
    const DataSeries& series() const { return series_; }

    // Interpolated on the held series with a 60 s maximum gap.
    std::optional<double> timeConstantAt(double t) const override;

private:
    DataSeries series_{SeriesName};
};

// The humidity sensor's time constant from the pressure at time t:
// 18.3 - 0.02921 p + 3.31e-5 p^2 - 1.4e-8 p^3 (s, p in mb).
class RhTimeConstantByPressure : public TimeConstantSource {
public:
    // The pressure series is not owned and must outlive this object.
    explicit RhTimeConstantByPressure(const DataSeries& pressure) : pressure_(&pressure) {}

    // Nothing when the pressure cannot be interpolated at t (60 s gap) or is negative.
    std::optional<double> timeConstantAt(double t) const override;

    static double atPressure(double p);

private:
    const DataSeries* pressure_;
};

}  // namespace velta
