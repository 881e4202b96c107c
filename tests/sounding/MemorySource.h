// An in-memory raw source for building soundings in tests.
#pragma once

#include "sounding/RawSource.h"

namespace velta::test {

struct MemorySource : RawSource {
    RawData data;
    int family = 0;

    const RawData& raw() const override { return data; }
    int systemFamily() const override { return family; }

    // One data record; fields left at MissingValue are missing.
    struct Record {
        double time = MissingValue, pres = MissingValue, tdry = MissingValue, rh1 = MissingValue,
               rh2 = MissingValue, rh3 = MissingValue, wdir = MissingValue, wspd = MissingValue,
               dz = MissingValue, lon = MissingValue, lat = MissingValue, alt = MissingValue,
               gpsAlt = MissingValue, sats = MissingValue, status = MissingValue;
    };
    void add(const Record& r) {
        RawRecords& a = data.records;
        a.time.push_back(r.time);
        a.pressure.push_back(r.pres);
        a.temperature.push_back(r.tdry);
        a.rh1.push_back(r.rh1);
        a.rh2.push_back(r.rh2);
        a.rh3.push_back(r.rh3);
        a.windDirection.push_back(r.wdir);
        a.windSpeed.push_back(r.wspd);
        a.dz.push_back(r.dz);
        a.longitude.push_back(r.lon);
        a.latitude.push_back(r.lat);
        a.altitude.push_back(r.alt);
        a.gpsAltitude.push_back(r.gpsAlt);
        a.sats.push_back(r.sats);
        a.status.push_back(r.status);
    }
};

}  // namespace velta::test
