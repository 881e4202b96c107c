// The response model of the sonde's RS80-type temperature and humidity sensors and of the sonde
// itself under its parachute: fall speed, the temperature sensor's time constant and the number of
// time constants an initial error needs to decay to a given accuracy.
#pragma once

namespace velta {

namespace sensor {

// Temperature of the sonde in the aircraft cabin before release (deg C).
inline constexpr double CabinTemperature = 25.0;
// Residual differences at which a sensor counts as equilibrated.
inline constexpr double TdryAccuracy = 0.2;  // deg C
inline constexpr double RhAccuracy = 5.0;    // %RH
inline constexpr double ParachuteDrag = 0.61;
// Parachute area (cm2) and sonde mass (g) when the configuration does not give them.
inline constexpr double DefaultChuteArea = 676.0;
inline constexpr double DefaultSondeMass = 395.0;

}  // namespace sensor

// Terminal fall speed (m/s) at pressure p (mb) and temperature t (deg C) of a sonde of the given mass
// (g) under a parachute of the given area (cm2) and drag coefficient.
double fallSpeed(double pressure, double celsius, double chuteArea, double dragCoefficient, double mass);

// Time constant (s) of the temperature sensor, a small sphere in forced convection, at pressure p
// (mb), temperature t (deg C) and ventilation speed v (m/s; the sign is ignored). Infinite when the
// sensor is not ventilated at all.
double tdryTimeConstant(double pressure, double celsius, double ventilationSpeed);

// The number of time constants after which an initial difference has decayed to the accuracy; 0 when
// there is no difference or it is already within the accuracy.
double equilibrationCount(double difference, double accuracy);

}  // namespace velta
