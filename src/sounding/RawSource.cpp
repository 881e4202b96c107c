#include "sounding/RawSource.h"

namespace velta {

void RawRecords::reserve(std::size_t n) {
    for (auto* a : {&time, &pressure, &temperature, &rh1, &rh2, &rh3, &windDirection, &windSpeed, &dz,
                    &longitude, &latitude, &altitude, &gpsAltitude, &sats, &status})
        a->reserve(n);
}

void RawRecords::appendMissing() {
    for (auto* a : {&time, &pressure, &temperature, &rh1, &rh2, &rh3, &windDirection, &windSpeed, &dz,
                    &longitude, &latitude, &altitude, &gpsAltitude, &sats, &status})
        a->push_back(MissingValue);
}

}  // namespace velta
