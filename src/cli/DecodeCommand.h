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

// Decodes every file; with csv, writes FILE_decoded.csv into the directory
// instead of printing. Malformed groups go to err as FILE:LINE:COLUMN. Exit
// status 0, or 1 when a file could not be read or held no decodable message.
int runDecode(const std::vector<std::string>& files, bool csv, const std::string& directory, std::ostream& out,
              std::ostream& err);

}  // namespace velta::cli
