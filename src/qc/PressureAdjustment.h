// Brings the pressure of a drop that reached the ground onto the operator's surface pressure.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

class PressureAdjustment {
public:
    explicit PressureAdjustment(double surfacePressure) : surfacePressure_(surfacePressure) {}

    // Shifts each point by (time - time of point 0) * rate so that point 0 keeps its value and the
    // last point becomes the surface pressure; the last point gets FlagOverride. Where a falling
    // correction would make a pressure drop below its predecessor that was not below it before, the
    // point is held at its predecessor's pressure, so the order later height integration relies on
    // survives. False, and nothing changed, when the series spans no time.
    bool operator()(DataSeries& pressure) const;

private:
    double surfacePressure_;
};

}  // namespace velta
