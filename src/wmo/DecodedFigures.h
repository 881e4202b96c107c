// The code figures of TEMP groups read back into values: the inverse of the
// coding, to the resolution of each figure. Every function answers false for
// figures that are no code (wrong characters or values out of the code
// table), and leaves the value empty for slashes.
#pragma once

#include <optional>
#include <string_view>

namespace velta {

// The value of a run of digits; nothing when any character is not a digit.
std::optional<int> digitValue(std::string_view figures);
bool allSlashes(std::string_view figures);

// PPP: whole mb in parts A and B (1000 added below 100), tenths of mb in
// parts C and D ("000" there is 100.0 mb).
bool decodePressure(std::string_view ppp, bool upperParts, std::optional<double>& pressure);
// PP of a standard surface: its pressure, or nothing when PP names none of
// the part's surfaces.
std::optional<double> standardPressure(std::string_view pp, bool upperParts);
// hhh of a standard surface, coded in metres below 500 mb and in decametres
// from 500 mb up: the thousands are those that bring it nearest the height
// of the surface in the standard atmosphere. At 1000 mb figures from 500 up
// are negative heights (500 plus their magnitude).
bool decodeHeight(std::string_view hhh, double pressure, std::optional<double>& height);
// TTTa: tenths as written, their parity giving the sign (odd below zero); the
// coding moves the tenths by one to make the parity.
bool decodeTemperature(std::string_view ttta, std::optional<double>& temperature);
// DD: tenths up to 5.0, whole degrees plus 50 from 6 up, 99 for 49 and more.
bool decodeDepression(std::string_view dd, std::optional<double>& depression);
// ddfff: direction to 5 degrees (500 added to fff for a 5), 0 for calm.
bool decodeWind(std::string_view ddfff, std::optional<double>& direction, std::optional<double>& speed);

}  // namespace velta
