#include "Sensors.h"

#include <algorithm>
#include <cmath>

#include "Physics.h"

namespace velta::sim {

namespace {

constexpr double kReferencePressure = 1000.0;  // mb
constexpr double kReferenceTemp = 20.0;        // C
constexpr double kReferenceVentilation = 6.0;  // m/s
constexpr double kPrandtl = 0.71;              // air, nearly constant over the sounding

// Power-law fits of the dynamic viscosity (Pa s) and thermal conductivity (W/(m K)) of air.
double viscosity(double kelvin) { return 1.716e-5 * std::pow(kelvin / 273.15, 0.7); }
double conductivity(double kelvin) { return 0.0241 * std::pow(kelvin / 273.15, 0.81); }

double nusselt(SensorClass::Shape shape, double reynolds) {
    if (shape == SensorClass::Shape::Sphere)  // Whitaker (1972)
        return 2.0 + (0.4 * std::sqrt(reynolds) + 0.06 * std::pow(reynolds, 2.0 / 3.0)) * std::pow(kPrandtl, 0.4);
    // Churchill and Bernstein (1977), below the range where the wake term matters.
    return 0.3 + 0.62 * std::sqrt(reynolds) * std::cbrt(kPrandtl) /
                     std::pow(1.0 + std::pow(0.4 / kPrandtl, 2.0 / 3.0), 0.25);
}

// Heat transfer coefficient (W/(m2 K)) of the sensor's surface.
double heatTransfer(const SensorClass& sensor, double pressure, double tempC, double ventilation) {
    const double kelvin = tempC + kKelvin;
    const double density = airDensity(pressure, tempC, 0.0);
    const double reynolds = density * std::max(std::fabs(ventilation), 0.1) * sensor.diameter / viscosity(kelvin);
    return nusselt(sensor.shape, reynolds) * conductivity(kelvin) / sensor.diameter;
}

// Reference time scaled to the conditions: a first-order sensor's response time is its heat
// capacity over (h times its area), and only h changes with the air.
double scaled(const SensorClass& sensor, double tau, double pressure, double tempC, double ventilation) {
    const double reference = heatTransfer(sensor, kReferencePressure, kReferenceTemp, kReferenceVentilation);
    return tau * reference / heatTransfer(sensor, pressure, tempC, ventilation);
}

}  // namespace

const SensorClass& sensorClass(SensorKind kind) {
    using Shape = SensorClass::Shape;
    // The older sondes' bead: about 3 s at 6 m/s and 1000 mb; its humidity capacitor a few seconds
    // when warm and about ten in the cold.
    static const SensorClass bead{SensorKind::Bead, "bead", "2", Shape::Sphere, 1.5e-3, 3.0, 6.0, 10.0};
    // The current sondes' thin wire: published 0.4-0.5 s at 6 m/s and 1000 mb; the thin-film
    // humidity sensor below 0.3 s at +20 C and 10 s at -40 C.
    static const SensorClass fast{SensorKind::Fast, "fast", "3", Shape::Cylinder, 0.1e-3, 0.45, 0.3, 10.0};
    return kind == SensorKind::Fast ? fast : bead;
}

double temperatureResponseTime(const SensorClass& sensor, double pressure, double tempC, double ventilation) {
    return scaled(sensor, sensor.temperatureTau, pressure, tempC, ventilation);
}

double humidityResponseTime(const SensorClass& sensor, double pressure, double tempC, double ventilation) {
    // Log-linear in temperature between the two published points, held beyond them.
    const double f = std::clamp((kReferenceTemp - tempC) / 60.0, 0.0, 1.0);
    const double tau = sensor.humidityTauWarm * std::pow(sensor.humidityTauCold / sensor.humidityTauWarm, f);
    return scaled(sensor, tau, pressure, tempC, ventilation);
}

}  // namespace velta::sim
