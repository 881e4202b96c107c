// The estimated surface observation at the bottom of a drop that reached the ground: pressure,
// temperature and humidity extrapolated from the last data to the moment of impact.
#pragma once

#include "sounding/DataSeries.h"
#include "sounding/ProcessingLog.h"

namespace velta {

class SurfaceObservation {
public:
    // The series the extrapolation reads and extends; any may be null (taken as empty).
    struct Series {
        DataSeries* pressure = nullptr;
        DataSeries* temperature = nullptr;
        DataSeries* humidity = nullptr;
        const DataSeries* fallRate = nullptr;  // QCDz, m/s, negative while falling
        DataSeries* time = nullptr;            // QCTime
    };

    static constexpr const char* LogCategory = "Surface Observation";
    // The surface is taken to be reached this long after the last data (s).
    static constexpr double TimeToSurface = 0.54;
    // Fall rate assumed when none can be told at the end of the data (m/s).
    static constexpr double DefaultFallRate = -12.0;

    // Appends the surface point to pressure (and to temperature, humidity and time where it can) and
    // logs what it appended. Does nothing when the sonde was not falling at the end or no pressure
    // can be told there. Answers whether the surface pressure was appended.
    bool operator()(const Series& series, ProcessingLog& log) const;
};

}  // namespace velta
