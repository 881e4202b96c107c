#include "Physics.h"

#include <cmath>

namespace velta::sim {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
}  // namespace

double saturationVaporPressure(double tempC) { return 6.112 * std::exp(17.67 * tempC / (tempC + 243.5)); }

double virtualTemperature(double pressure, double tempC, double rh) {
    const double e = saturationVaporPressure(tempC) * rh * 0.01;
    const double q = 0.622 * e / (pressure - 0.378 * e);
    return (tempC + kKelvin) * (1.0 + 0.608 * q);
}

double airDensity(double pressure, double tempC, double rh) {
    return 100.0 * pressure / (kGasConstantDry * virtualTemperature(pressure, tempC, rh));
}

double terminalFallSpeed(double density, double massKg, double areaM2, double dragCoefficient) {
    return std::sqrt(2.0 * massKg * kGravity / (density * dragCoefficient * areaM2));
}

double hypsometricThickness(double p1, double p2, double meanVirtualTempK) {
    return kGasConstantDry / kGravity * meanVirtualTempK * std::log(p1 / p2);
}

double geometricFromGeopotential(double geopotentialM) {
    return kEarthRadius * geopotentialM / (kEarthRadius - geopotentialM);
}

double geopotentialFromGeometric(double geometricM) {
    return kEarthRadius * geometricM / (kEarthRadius + geometricM);
}

double kmPerDegreeLatitude(double latDeg) {
    const double f = latDeg * kDegToRad;
    return 111.13209 - 0.56605 * std::cos(2 * f) + 0.00012 * std::cos(4 * f) - 0.000002 * std::cos(6 * f);
}

double kmPerDegreeLongitude(double latDeg) {
    const double f = latDeg * kDegToRad;
    return 111.41513 * std::cos(f) - 0.09455 * std::cos(3 * f) + 0.00012 * std::cos(5 * f);
}

WindVector windFromComponents(double u, double v) {
    const double speed = std::hypot(u, v);
    double dir = std::atan2(-u, -v) / kDegToRad;
    if (dir < 0.0) dir += 360.0;
    if (dir >= 360.0) dir -= 360.0;
    return {speed, dir};
}

void componentsFromWind(double speed, double direction, double& u, double& v) {
    const double a = direction * kDegToRad;
    u = -speed * std::sin(a);
    v = -speed * std::cos(a);
}

}  // namespace velta::sim
