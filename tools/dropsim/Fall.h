#pragma once

#include <vector>

#include "AirColumn.h"
#include "ModelAtmosphere.h"
#include "Sensors.h"

namespace velta::sim {

// The sonde and its parachute. The drag coefficient gives a fall of about
// 11.5-12 m/s near sea level.
struct SondeBody {
    double massKg = 0.395;
    double chuteAreaM2 = 0.0676;
    double dragCoefficient = 0.70;
    double cabinTemperature = 25.0;  // °C, the sensors' temperature at release
    double cabinHumidity = 30.0;     // %, likewise
};

struct FallSettings {
    double launchPressure = 700.0;  // hPa
    double endPressure = 0.0;       // hPa; data ends once reached; 0 = fall to the surface
    double launchLat = 0.0;
    double launchLon = 0.0;
    int rate = 4;  // samples per second
    SondeBody sonde;
    SensorClass sensor = sensorClass(SensorKind::Bead);
};

// The truth at one instant: the air around the sonde and the sonde's own state.
struct TruthSample {
    double time;               // s since release
    double pressure;           // hPa
    double temperature;        // °C
    double rh;                 // %
    double u, v;               // wind, m/s
    double geopotential;       // geopotential m
    double geometric;          // m
    double lat, lon;           // degrees
    double fallSpeed;          // m/s, positive downward
    double sensorTemperature;  // what the lagging temperature sensor reads, °C
    double sensorRh;           // what the lagging humidity sensor reads, %
    double sondeU, sondeV;     // the sonde's horizontal velocity, m/s
};

struct SurfaceTruth {
    double pressure, temperature, rh, u, v, altitude;
};

struct FallResult {
    std::vector<TruthSample> samples;  // the first at release (time 0), then one per record time
    bool reachedSurface = false;
    SurfaceTruth surface{};
};

// Drops the sonde from the launch pressure. Every 0.01 s: the fall speed relaxes
// towards the terminal speed of the local air density, the height falls by it, the
// pressure follows from the hydrostatic column, the sonde's horizontal velocity
// follows the wind with a response time of fall speed / g, the position drifts
// with that velocity, and each sensor approaches the air with its own time
// constant. Data end when the sonde reaches the surface or the end pressure.
FallResult simulateFall(const ModelAtmosphere& atmosphere, const AirColumn& column,
                        const FallSettings& settings);

}  // namespace velta::sim
