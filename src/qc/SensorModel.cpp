#include "qc/SensorModel.h"

#include <algorithm>
#include <cmath>

namespace velta {

namespace {

constexpr double kGasConstant = 287.0;       // J/(kg K), dry air
constexpr double kSensorDiameter = 0.00215;  // m
constexpr double kHeatCapacityTerm = 2.6e-6;
constexpr double kAreaTerm = 1.4e-5;

double airDensity(double pressure, double kelvin) { return 100.0 * pressure / (kGasConstant * kelvin); }

}  // namespace

double fallSpeed(double pressure, double celsius, double chuteArea, double dragCoefficient, double mass) {
    const double rho = airDensity(pressure, celsius + 273.15);
    return std::sqrt(mass * 0.001 * 19.6 / (rho * chuteArea * 0.0001 * dragCoefficient));
}

double tdryTimeConstant(double pressure, double celsius, double ventilationSpeed) {
    const double tk = celsius + 273.15;
    const double rho = airDensity(pressure, tk);
    const double tk15 = std::pow(tk, 1.5);
    const double viscosity = 1.458e-6 * tk15 / (tk + 110.4);
    const double reynolds = (rho / viscosity) * std::fabs(ventilationSpeed) * kSensorDiameter;
    const double conductivity = 6.325e-7 * tk15 / (tk + 245.4 * std::pow(10.0, 12.0 / tk));
    const double heatTransfer = conductivity * 0.37 * std::pow(reynolds, 0.6) / kSensorDiameter;
    return kHeatCapacityTerm / (kAreaTerm * heatTransfer);
}

double equilibrationCount(double difference, double accuracy) {
    if (difference == 0.0) return 0.0;
    const double n = -std::log(std::fabs(accuracy) / std::fabs(difference));
    // A NaN (from a NaN input) counts as nothing to wait for.
    return n > 0.0 ? n : 0.0;
}

}  // namespace velta
