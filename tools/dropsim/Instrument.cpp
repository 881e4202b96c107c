#include "Instrument.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "Physics.h"
#include "Random.h"

namespace velta::sim {

namespace {

struct Noise {
    Random rng;
    bool on;
    double operator()(double sigma) { return on ? rng.normal(sigma) : 0.0; }
};

double clampRh(double rh) { return std::clamp(rh, 0.0, 100.0); }

void clearPtu(DataRecord& r) {
    r.pressure.reset();
    r.temperature.reset();
    r.rh1.reset();
    r.rh2.reset();
}

void clearGps(DataRecord& r) {
    r.windDirection.reset();
    r.windSpeed.reset();
    r.verticalVelocity.reset();
    r.lon.reset();
    r.lat.reset();
    r.altitude.reset();
    r.gpsAltitude.reset();
    r.windError.reset();
}

DataRecord measure(const TruthSample& s, Noise& noise, const InstrumentSettings& settings) {
    DataRecord r;
    r.time = s.time;
    r.pressure = s.pressure + settings.pressureDefect + noise(0.04);
    r.temperature = s.sensorTemperature + noise(0.08);
    // Two humidity sensors side by side, each with its own noise; no third
    // sensor. A wetted sensor reads above saturation in cloud.
    if (settings.cloudExcess > 0.0) {
        const double excess = settings.cloudExcess * std::clamp((s.sensorRh - 96.0) / 4.0, 0.0, 1.0);
        r.rh1 = std::clamp(s.sensorRh + excess + noise(0.6), 0.0, 105.0);
        r.rh2 = std::clamp(s.sensorRh + excess + noise(0.6), 0.0, 105.0);
    } else {
        r.rh1 = clampRh(s.sensorRh + noise(0.6));
        r.rh2 = clampRh(s.sensorRh + noise(0.6));
    }
    const WindVector w = windFromComponents(s.sondeU + noise(0.2), s.sondeV + noise(0.2));
    r.windSpeed = w.speed;
    r.windDirection = w.direction;
    r.verticalVelocity = -s.fallSpeed + noise(0.15);
    r.lat = s.lat + noise(1.5) * 0.001 / kmPerDegreeLatitude(s.lat);
    r.lon = s.lon + noise(1.5) * 0.001 / kmPerDegreeLongitude(s.lat);
    const double gpsAltitude = s.geometric + noise(2.5);
    // The receiver's geoid model puts heights a little low in the current
    // layout, so the last records read below the sea surface.
    r.gpsAltitude = gpsAltitude + (settings.currentLayout ? settings.gpsAltitudeBias : 0.0);
    r.altitude = geopotentialFromGeometric(gpsAltitude);
    r.windError = 0.3;
    r.batteryVoltage = 8.4 - 0.0004 * s.time;
    r.satellites = 8 + static_cast<int>(std::lround(1.5 + 1.5 * std::sin(s.time / 97.0)));
    return r;
}

// A record index not yet used by another fault.
std::size_t pickRecord(Random& rng, std::size_t first, std::size_t count, std::set<std::size_t>& used) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const auto i =
            static_cast<std::size_t>(rng.integer(static_cast<int>(first), static_cast<int>(count - 1)));
        if (used.insert(i).second) return i;
    }
    return count;  // nothing left
}

void addMissingGaps(std::vector<DataRecord>& records, std::size_t first, const InstrumentSettings& settings) {
    Random rng(settings.seed, "missing");
    for (int g = 0; g < settings.missingGaps && first + 4 < records.size(); ++g) {
        const int kind = rng.integer(0, 4);
        const int length = rng.integer(2, 12);
        const auto start = static_cast<std::size_t>(
            rng.integer(static_cast<int>(first), static_cast<int>(records.size() - 4)));
        for (std::size_t i = start;
             i < std::min(records.size() - 2, start + static_cast<std::size_t>(length)); ++i) {
            DataRecord& r = records[i];
            switch (kind) {
                case 0:
                    r.pressure.reset();
                    break;
                case 1:
                    r.temperature.reset();
                    break;
                case 2:
                    r.rh1.reset();
                    r.rh2.reset();
                    break;
                case 3:
                    clearGps(r);
                    r.satellites.reset();
                    break;
                default:
                    clearPtu(r);
                    clearGps(r);
                    r.satellites.reset();
                    break;
            }
        }
    }
}

void addSpikes(std::vector<DataRecord>& records, std::size_t first, const InstrumentSettings& settings,
               std::set<std::size_t>& used) {
    Random rng(settings.seed, "spikes");
    for (int k = 0; k < settings.spikes && first < records.size(); ++k) {
        const std::size_t i = pickRecord(rng, first, records.size(), used);
        if (i >= records.size()) break;
        DataRecord& r = records[i];
        const double sign = rng.uniform() < 0.5 ? -1.0 : 1.0;
        // The quantity hit is the first present one from a random start.
        const int start = rng.integer(0, 3);
        for (int q = 0; q < 4; ++q) {
            const int which = (start + q) % 4;
            if (which == 0 && r.pressure) {
                *r.pressure += sign * rng.uniform(8.0, 25.0);
                break;
            }
            if (which == 1 && r.temperature) {
                *r.temperature += sign * rng.uniform(4.0, 12.0);
                break;
            }
            if (which == 2 && r.rh1) {
                *r.rh1 = clampRh(*r.rh1 + (*r.rh1 > 50.0 ? -1.0 : 1.0) * rng.uniform(20.0, 45.0));
                break;
            }
            if (which == 3 && r.windSpeed) {
                *r.windSpeed += rng.uniform(8.0, 20.0);
                break;
            }
        }
    }
}

void addCrcErrors(std::vector<DataRecord>& records, std::size_t first, const InstrumentSettings& settings,
                  std::set<std::size_t>& used) {
    Random rng(settings.seed, "crc");
    for (int k = 0; k < settings.crcErrors && first < records.size(); ++k) {
        const std::size_t i = pickRecord(rng, first, records.size(), used);
        if (i >= records.size()) break;
        DataRecord& r = records[i];
        r.crcError = true;
        // A damaged frame: one of its values (the first present from a random
        // start) is garbage.
        std::optional<double>* values[] = {&r.pressure, &r.temperature, &r.rh1, &r.windDirection};
        const double lo[] = {100.0, -70.0, 0.0, 0.0};
        const double hi[] = {1050.0, 40.0, 100.0, 359.99};
        const int start = rng.integer(0, 3);
        for (int q = 0; q < 4; ++q) {
            const int which = (start + q) % 4;
            if (*values[which]) {
                *values[which] = rng.uniform(lo[which], hi[which]);
                break;
            }
        }
    }
}

// The data system's status digits by part, as current files carry them: a
// record without PTU (every other one) or without winds is flagged for that
// part. The digits and the values do not always agree: a few PTU-flagged
// records keep PTU values, and most records in a run of distrusted winds keep
// their wind values.
void setPartStatus(std::vector<DataRecord>& records, std::size_t first, const InstrumentSettings& settings) {
    Random rng(settings.seed, "status");
    for (DataRecord& r : records) {
        r.ptuFlag = !r.pressure && !r.temperature && !r.rh1;
        r.windFlag = !r.windSpeed && !r.windDirection;
        if (r.time < settings.geopotentialDelay) r.altitude.reset();
    }
    for (std::size_t i = first; i < records.size(); ++i) {
        DataRecord& r = records[i];
        if (r.ptuFlag && i > 0 && rng.uniform() < 0.01) {
            // Flagged but filled: the previous record's PTU repeated.
            const DataRecord& before = records[i - 1];
            r.pressure = before.pressure;
            r.temperature = before.temperature;
            r.rh1 = before.rh1;
            r.rh2 = before.rh2;
        }
        if (r.crcError) r.ptuFlag = r.windFlag = true;
    }
    for (int k = 0; k < settings.windDropouts && first + 20 < records.size(); ++k) {
        const auto start = static_cast<std::size_t>(
            rng.integer(static_cast<int>(first), static_cast<int>(records.size() - 20)));
        const auto length = static_cast<std::size_t>(rng.integer(3, 10));
        for (std::size_t i = start; i < start + length; ++i) {
            records[i].windFlag = true;
            if (rng.uniform() < 0.2) clearGps(records[i]);
        }
    }
}

}  // namespace

std::vector<DataRecord> observeDrop(const FallResult& fall, const InstrumentSettings& settings) {
    Noise noise{Random(settings.seed, "noise"), settings.noise};
    std::vector<DataRecord> records;
    std::size_t firstLocked = 0;
    for (std::size_t k = 1; k < fall.samples.size(); ++k) {
        const TruthSample& s = fall.samples[k];
        DataRecord r = measure(s, noise, settings);
        if (settings.splitPtu && k % 2 == 1) clearPtu(r);
        if (s.time < settings.gpsLockTime) {
            clearGps(r);
            r.satellites = 3;
            firstLocked = records.size() + 1;
        }
        records.push_back(r);
    }
    if (records.empty()) return records;
    // Faults go after the GPS has locked, and a few records later still for the
    // gaps so that the first winds are seen.
    std::set<std::size_t> used;
    addMissingGaps(records, firstLocked + 4, settings);
    addSpikes(records, firstLocked, settings, used);
    addCrcErrors(records, firstLocked, settings, used);
    if (settings.currentLayout) setPartStatus(records, firstLocked + 4, settings);
    return records;
}

DataRecord launchObservation(const FallResult& fall, const InstrumentSettings& settings) {
    Noise noise{Random(settings.seed, "aircraft"), settings.noise};
    const TruthSample& s = fall.samples.front();
    DataRecord r;
    r.letter = 'A';
    r.pressure = s.pressure + noise(0.2);
    r.temperature = s.temperature + noise(0.2);
    r.rh1 = clampRh(s.rh + noise(2.0));
    const WindVector w = windFromComponents(s.u + noise(0.5), s.v + noise(0.5));
    r.windSpeed = w.speed;
    r.windDirection = w.direction;
    r.lat = s.lat;
    r.lon = s.lon;
    r.altitude = s.geopotential + noise(3.0);
    r.gpsAltitude = s.geometric + noise(3.0);
    return r;
}

std::vector<DataRecord> preLaunchRecords(const FallResult& fall, const InstrumentSettings& settings,
                                         const SondeBody& body, int count) {
    Noise noise{Random(settings.seed, "prelaunch"), settings.noise};
    const TruthSample& s = fall.samples.front();
    std::vector<DataRecord> records;
    for (int k = count; k >= 1; --k) {
        DataRecord r;
        r.letter = 'P';
        r.time = -static_cast<double>(k);
        r.pressure = s.pressure + settings.pressureDefect + noise(0.04);
        r.temperature = body.cabinTemperature + noise(0.08);
        r.rh1 = clampRh(body.cabinHumidity + noise(0.6));
        r.rh2 = clampRh(body.cabinHumidity + noise(0.6));
        r.satellites = 0;
        r.batteryVoltage = 8.4;
        records.push_back(r);
    }
    return records;
}

}  // namespace velta::sim
