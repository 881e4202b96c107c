#pragma once

#include <string>

namespace velta::sim {

// The kinds of temperature and humidity sensor a simulated sonde can carry.
enum class SensorKind {
    Auto,  // by the file layout: Fast for the current layout, Bead for the classic one
    Bead,  // the older sonde's glass-coated bead and its polymer humidity capacitor
    Fast   // the current sonde's thin-wire temperature sensor and thin-film humidity sensor
};

// A sensor class described by what its makers publish: the response time at the reference
// conditions (1000 mb, 20 C, 6 m/s ventilation) and the shape and size that set how the heat
// transfer scales with the air's mass flux elsewhere.
struct SensorClass {
    SensorKind kind = SensorKind::Bead;
    const char* name = "";
    std::string typeCode;  // the sonde type code the data system writes for such a sonde
    enum class Shape { Sphere, Cylinder } shape = Shape::Sphere;
    double diameter = 0.0;        // m
    double temperatureTau = 0.0;  // s at the reference conditions
    // The humidity sensor's published response times at 6 m/s and 1000 mb, at +20 C and at -40 C;
    // the polymer slows as it gets colder.
    double humidityTauWarm = 0.0;
    double humidityTauCold = 0.0;
};

const SensorClass& sensorClass(SensorKind kind);

// Response times (s) of the class's sensors at pressure p (mb), temperature t (C) and ventilation
// speed v (m/s): the reference time scaled by the inverse ratio of the forced-convection heat
// transfer coefficients (Whitaker's correlation for a sphere, Churchill and Bernstein's for a
// cylinder in cross flow), so the heat transfer grows with about the 0.5 power of the mass flux.
double temperatureResponseTime(const SensorClass& sensor, double pressure, double tempC, double ventilation);
double humidityResponseTime(const SensorClass& sensor, double pressure, double tempC, double ventilation);

}  // namespace velta::sim
