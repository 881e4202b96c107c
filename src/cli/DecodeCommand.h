// velta-batch --decode: TEMP DROP and TEMP message files read back by Velta's
// decoder, the levels printed as a table or written as CSV.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "wmo/DecodedMessage.h"

namespace velta::cli {

// One line a level: pressure, height, temperature, dew point, wind, level
// kind and part, under a heading line per message.
void writeDecodedTable(std::ostream& out, const DecodeResult& result);
// The same columns as CSV with a header row, one row a level; numbers with a
// decimal point whatever the locale.
std::string decodedCsv(const DecodeResult& result);

// The status of a run whose CSV file or standard output could not be written.
inline constexpr int DecodeWriteFailed = 3;

// Decodes every file; with csv, writes FILE_decoded.csv into the directory
// instead of printing. Malformed groups go to err as FILE:LINE:COLUMN. Exit
// status 0; 1 when a file could not be read (not a regular file, too large) or
// held no decodable message; DecodeWriteFailed when an output would replace an
// input or could not be written, or the standard output failed (it wins over 1).
int runDecode(const std::vector<std::string>& files, bool csv, const std::string& directory, std::ostream& out,
              std::ostream& err);

}  // namespace velta::cli
