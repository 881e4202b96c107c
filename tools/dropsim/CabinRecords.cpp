#include "CabinRecords.h"

#include <algorithm>
#include <cmath>

#include "Physics.h"
#include "Random.h"

namespace velta::sim {

namespace {

constexpr double kDegToRad = 0.017453292519943295;

// The pressure inside a cabin held at about 1.5 km of equivalent height when
// flying higher, or at the outside pressure below.
double cabinPressureFor(double outside) { return std::max(outside, 844.0); }

void fillAircraftGps(DataRecord& r, const Aircraft& a, double t, Random& rng) {
    double lat = 0, lon = 0;
    a.positionAt(t, lat, lon);
    r.lat = lat + rng.normal(1.5) * 0.001 / kmPerDegreeLatitude(lat);
    r.lon = lon + rng.normal(1.5) * 0.001 / kmPerDegreeLongitude(lat);
    // The GPS "wind" of a sonde carried along is the aircraft's velocity,
    // reported the meteorological way (direction it comes from).
    r.windSpeed = a.groundSpeed + rng.normal(0.3);
    r.windDirection = std::fmod(a.heading + 180.0 + rng.normal(0.3) + 360.0, 360.0);
    r.verticalVelocity = rng.normal(0.2);
    r.gpsAltitude = a.altitude + rng.normal(2.5);
    r.altitude = geopotentialFromGeometric(*r.gpsAltitude);
    r.satellites = 9;
    r.windError = 0.3;
}

void fillCabinPtu(DataRecord& r, const Aircraft& a, double humidity, Random& rng) {
    r.pressure = a.cabinPressure + rng.normal(0.04);
    r.temperature = a.cabinTemperature + rng.normal(0.08);
    r.rh1 = std::clamp(humidity + rng.normal(0.6), 0.0, 100.0);
    r.rh2 = std::clamp(humidity + rng.normal(0.6), 0.0, 100.0);
}

}  // namespace

void Aircraft::positionAt(double t, double& latOut, double& lonOut) const {
    const double east = groundSpeed * t * std::sin(heading * kDegToRad) * 0.001;
    const double north = groundSpeed * t * std::cos(heading * kDegToRad) * 0.001;
    latOut = lat + north / kmPerDegreeLatitude(lat);
    lonOut = lon + east / kmPerDegreeLongitude(lat);
}

Aircraft aircraftAt(const FallResult& fall) {
    const TruthSample& s = fall.samples.front();
    Aircraft a{};
    a.lat = s.lat;
    a.lon = s.lon;
    a.altitude = s.geometric;
    a.pressure = s.pressure;
    a.groundSpeed = 125.0;
    a.heading = 250.0;
    a.cabinPressure = cabinPressureFor(s.pressure);
    a.cabinTemperature = 22.0;
    return a;
}

std::vector<DataRecord> tubeRecords(const DropSettings& settings, const FallResult& fall, const Aircraft& aircraft) {
    Random rng(settings.seed, "tube");
    const int count = static_cast<int>(std::lround(settings.preLaunchMinutes * 60.0 * 4.0));
    const TruthSample& release = fall.samples.front();
    std::vector<DataRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int k = count; k >= 1; --k) {
        DataRecord r;
        r.letter = 'P';
        r.time = -0.25 * k;
        if (k % 2 == 0) {
            // The launch tube is open to the outside air but warmed by the cabin.
            r.pressure = release.pressure + settings.instrument.pressureDefect + rng.normal(0.04);
            r.temperature = settings.sonde.cabinTemperature + rng.normal(0.08);
            r.rh1 = std::clamp(settings.sonde.cabinHumidity + rng.normal(0.6), 0.0, 100.0);
            r.rh2 = std::clamp(settings.sonde.cabinHumidity + rng.normal(0.6), 0.0, 100.0);
        }
        r.ptuFlag = !r.pressure;
        // The GPS finds its satellites some two minutes after switch-on.
        if (k < count - 480) {
            fillAircraftGps(r, aircraft, r.time, rng);
        } else {
            r.satellites = 0;
            r.windFlag = true;
        }
        r.batteryVoltage = 8.4;
        records.push_back(r);
    }
    return records;
}

std::vector<DataRecord> secondSondeRecords(const DropSettings& settings, const FallResult& fall,
                                           const Aircraft& aircraft) {
    std::vector<DataRecord> records;
    if (fall.samples.size() < 2) return records;
    const Scenario scenario = settings.scenario;
    if (scenario != Scenario::SecondSentinels && scenario != Scenario::SecondCabin &&
        scenario != Scenario::LaunchNamesEmpty && scenario != Scenario::FailedSonde)
        return records;
    Random rng(settings.seed, "second sonde");
    const double dropEnd = fall.samples.back().time;
    // Two records a second, between the dropped sonde's; after a failure the
    // data system goes on recording the sonde in the cabin on the same
    // channel, under the failed sonde's id, at the record rate.
    const bool failed = scenario == Scenario::FailedSonde;
    const double end = scenario == Scenario::SecondCabin || failed ? 40.0 * 60.0 : dropEnd;
    const double step = failed ? 0.25 : 0.5;
    for (double t = failed ? dropEnd + 0.25 : 0.37; t <= end; t += step) {
        DataRecord r;
        r.time = t;
        if (!failed) r.sondeId = settings.secondSondeId;
        if (failed) {
            if (records.size() % 2 == 0) fillCabinPtu(r, aircraft, 35.0, rng);
            fillAircraftGps(r, aircraft, t, rng);
        } else if (scenario == Scenario::SecondCabin) {
            fillCabinPtu(r, aircraft, 35.0, rng);
            fillAircraftGps(r, aircraft, t, rng);
        } else if (scenario == Scenario::LaunchNamesEmpty && records.size() % 97 == 40) {
            // Nearly empty: now and then a pressure and temperature come through.
            r.pressure = aircraft.cabinPressure + rng.normal(0.04);
            r.temperature = aircraft.cabinTemperature + rng.normal(0.08);
        }
        r.ptuFlag = !r.pressure;
        r.windFlag = !r.windSpeed;
        records.push_back(r);
    }
    return records;
}

}  // namespace velta::sim
