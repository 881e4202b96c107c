// The code figures of TEMP groups: values turned into fixed-width digit
// strings, with slashes for what cannot be coded. Pressures in mb, heights in
// m, temperatures in deg C, humidity in %, wind in m/s (coded in knots) and
// degrees. Every function answers a string of its fixed width.
#pragma once

#include <string>

namespace velta {

// Knots per m/s: 1 kt is 1852 m an hour.
constexpr double KnotsPerMs = 3600.0 / 1852.0;

// PPP: whole mb, or tenths of mb at and above the 100 mb level; "///".
std::string codePressure(double pressure);
// hhh: height of an isobaric surface in m (above 500 mb) or dam; negative
// heights as 500 plus their magnitude; "///".
std::string codeHeight(double height, double pressure);
// TTTa: temperature with the sign in the parity of the tenths; "///".
std::string codeTemperature(double temperature);
// DD from a dew-point depression in deg C; "//" when negative.
std::string codeDepression(double depression);
// DD from temperature and humidity.
std::string codeDewPointDepression(double temperature, double humidity);
// fff: knots, plus 500 when the direction ends in 5; "///".
std::string codeWindSpeed(double speed, double direction);
// dd: tens of degrees, "36" for north (whatever the speed) and "00" for calm
// or for a direction of 005 (fff of 500 and more).
std::string codeWindDirection(double speed, double direction);
// ddfff.
std::string codeWind(double speed, double direction);
// PP: the pressure of a standard surface in two figures.
std::string codeTwoFigurePressure(double pressure);
// nn: the last digit of a level number written twice.
std::string codeLevelNumber(int number);
// Qc: "1", "3", "5", "7" by hemisphere.
std::string codeQuadrant(double latitude, double longitude);
// MMMULaULo: Marsden square and the units digits of latitude and longitude;
// "/////" for an unknown quadrant.
std::string codeMarsdenSquare(double latitude, double longitude, const std::string& quadrant);
// Id of part A (partIndex 0) or C (2) from the pressure of the highest
// standard level with wind.
std::string codeWindIndicator(int partIndex, double pressure);
// Length of the vector difference of two winds in knots, rounded, at most 99;
// "%02d".
std::string codeWindShear(double speed1, double direction1, double speed2, double direction2);

}  // namespace velta
