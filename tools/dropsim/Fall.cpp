#include "Fall.h"

#include <algorithm>
#include <cmath>

#include "Physics.h"

namespace velta::sim {

namespace {

constexpr int kStepsPerSecond = 100;
constexpr double kStep = 1.0 / kStepsPerSecond;

// Fraction of the way a first-order system moves towards its target in one step.
double approach(double tau) { return tau > 0.0 ? 1.0 - std::exp(-kStep / tau) : 1.0; }

}  // namespace

FallResult simulateFall(const ModelAtmosphere& atmosphere, const AirColumn& column,
                        const FallSettings& settings) {
    FallResult result;
    const SondeBody& body = settings.sonde;
    const int stepsPerSample = kStepsPerSecond / settings.rate;

    double altitude = column.geometricAt(settings.launchPressure);
    double fallSpeed = 0.0;
    double lat = settings.launchLat;
    double lon = settings.launchLon;
    AirState air = atmosphere.at(settings.launchPressure);
    double sondeU = air.u;  // released into the air it is carried through
    double sondeV = air.v;
    double sensorT = body.cabinTemperature;
    double sensorRh = body.cabinHumidity;

    auto record = [&](double time, double pressure) {
        TruthSample s{};
        s.time = time;
        s.pressure = pressure;
        s.temperature = air.temperature;
        s.rh = air.rh;
        s.u = air.u;
        s.v = air.v;
        s.geometric = altitude;
        s.geopotential = geopotentialFromGeometric(altitude);
        s.lat = lat;
        s.lon = lon;
        s.fallSpeed = fallSpeed;
        s.sensorTemperature = sensorT;
        s.sensorRh = sensorRh;
        s.sondeU = sondeU;
        s.sondeV = sondeV;
        result.samples.push_back(s);
    };
    record(0.0, settings.launchPressure);

    for (long step = 1;; ++step) {
        double pressure = column.pressureAtGeometric(altitude);
        air = atmosphere.at(pressure);
        const double density = airDensity(pressure, air.temperature, air.rh);
        const double terminal =
            terminalFallSpeed(density, body.massKg, body.chuteAreaM2, body.dragCoefficient);
        // dv/dt = g (1 - v²/vt²): weight against drag, so the parachute takes a
        // couple of seconds to reach the terminal speed after release.
        fallSpeed += kGravity * (1.0 - (fallSpeed * fallSpeed) / (terminal * terminal)) * kStep;
        fallSpeed = std::max(fallSpeed, 0.0);
        altitude -= fallSpeed * kStep;

        const double inertia = std::max(fallSpeed, 0.5) / kGravity;
        sondeU += (air.u - sondeU) * approach(inertia);
        sondeV += (air.v - sondeV) * approach(inertia);
        lat += sondeV * kStep * 0.001 / kmPerDegreeLatitude(lat);
        lon += sondeU * kStep * 0.001 / kmPerDegreeLongitude(lat);

        pressure = column.pressureAtGeometric(std::max(altitude, 0.0));
        air = atmosphere.at(pressure);
        const double ventilation = std::max(fallSpeed, 1.0);
        const SensorClass& sensor = settings.sensor;
        sensorT += (air.temperature - sensorT) *
                   approach(temperatureResponseTime(sensor, pressure, air.temperature, ventilation));
        sensorRh += (air.rh - sensorRh) *
                    approach(humidityResponseTime(sensor, pressure, air.temperature, ventilation));

        if (altitude <= 0.0) {
            result.reachedSurface = true;
            break;
        }
        if (settings.endPressure > 0.0 && pressure >= settings.endPressure) break;
        if (step % stepsPerSample == 0) record(static_cast<double>(step) / kStepsPerSecond, pressure);
    }

    const AirState sfc = atmosphere.at(column.surfacePressure());
    result.surface = {column.surfacePressure(), sfc.temperature, sfc.rh, sfc.u, sfc.v, 0.0};
    return result;
}

}  // namespace velta::sim
