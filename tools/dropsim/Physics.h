#pragma once

namespace velta::sim {

// Physical constants and formulas of the simulated atmosphere and sonde.
inline constexpr double kGravity = 9.80665;        // m/s², also the geopotential reference
inline constexpr double kGasConstantDry = 287.05;  // J/(kg K)
inline constexpr double kEarthRadius = 6371000.0;  // m
inline constexpr double kKelvin = 273.15;

// Saturation vapour pressure over water (hPa) at T (°C).
double saturationVaporPressure(double tempC);

// Virtual temperature (K) of moist air at p (hPa), T (°C) and relative humidity (%).
double virtualTemperature(double pressure, double tempC, double rh);

// Density of moist air (kg/m³).
double airDensity(double pressure, double tempC, double rh);

// Terminal speed (m/s) where weight balances parachute drag: m g = ½ ρ v² Cd A.
double terminalFallSpeed(double density, double massKg, double areaM2, double dragCoefficient);

// Thickness (geopotential m) of a layer between p1 and p2 with the given mean virtual temperature.
double hypsometricThickness(double p1, double p2, double meanVirtualTempK);

double geometricFromGeopotential(double geopotentialM);
double geopotentialFromGeometric(double geometricM);

double kmPerDegreeLatitude(double latDeg);
double kmPerDegreeLongitude(double latDeg);

struct WindVector {
    double speed;
    double direction;  // degrees the wind blows from
};
WindVector windFromComponents(double u, double v);
void componentsFromWind(double speed, double direction, double& u, double& v);

}  // namespace velta::sim
