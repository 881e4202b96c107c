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

void RawRecords::keepOnly(const std::vector<char>& keep) {
    for (auto* a : {&time, &pressure, &temperature, &rh1, &rh2, &rh3, &windDirection, &windSpeed, &dz,
                    &longitude, &latitude, &altitude, &gpsAltitude, &sats, &status}) {
        std::size_t out = 0;
        for (std::size_t k = 0; k < a->size(); ++k)
            if (k < keep.size() && keep[k]) (*a)[out++] = (*a)[k];
        a->resize(out);
    }
}

}  // namespace velta
