#pragma once

#include <string>

#include "DropSettings.h"
#include "SimulatedDrop.h"

namespace velta::sim {

// The drop as the data system writes it: a D file, lines ending in CR LF.
//
// Every line starts with a 9-character source name and a record code, so that
// the reader's fixed positions (counted from 0) always hold:
//
//   KARVO-D01 S00 252405117 250915 174530.25  951.27  24.31  90.12 ...
//   KARVO-T01 LAU 252405117 250915 174512.00
//   KARVO-T01 COM Operator Name/Comments:  R. Lindqvist, Eyewall drop
//   0     6   10                        35
//
//   positions 0-8    "KARVO-" + class + "01"; the class at position 6 is 'D' for
//                    a data record and 'T' for a text record
//   position  9      blank
//   positions 10-12  data records: record letter (P pre-launch, A launch
//                    observation, S sounding), status digit (1 = received with a
//                    CRC error, else 0), and 0;
//                    text records: VER system line, FMT format version, TDF
//                    PTU/wind time difference, LAU launch, COM comment, END
//   comment records: the label occupies positions 9-35, the text follows after a
//                    colon and blanks
//
// Data record fields (blank separated, right-aligned, 1-based), missing values
// written as the sentinel in brackets:
//    1 source name   2 record code   3 sonde id   4 date YYMMDD   5 time HHMMSS.ss
//    6 pressure hPa %7.2f [9999.00]        7 temperature C %6.2f [99.00]
//    8 RH sensor 1 % %6.2f [999.00]        9 wind direction deg %6.2f [999.00]
//   10 wind speed m/s %6.2f [999.00]      11 vertical velocity m/s %6.2f [999.00]
//   12 longitude deg %11.6f [999.000000]  13 latitude deg %10.6f [99.000000]
//   14 geopotential altitude m %8.2f [99999.00]   15 satellites %2d [99]
//   16 RH sensor 2 % %6.2f [999.00]       17 RH sensor 3 % %6.2f [999.00]
//   18 wind error m/s %5.2f [99.00]       19 battery V %5.2f [99.00]
//   20 GPS (geometric) altitude m %8.2f [99999.00], format 1.6 and later only
std::string formatDFile(const DropSettings& settings, const SimulatedDrop& drop);

}  // namespace velta::sim
