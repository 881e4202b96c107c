// What velta-batch prints about one processed sounding.
#pragma once

#include <iosfwd>
#include <string>

namespace velta {
class SoundingProcessor;
}

namespace velta::cli {

// The header, the record counts of the raw and QC series, and the processing log.
void writeSoundingReport(std::ostream& out, const std::string& file, const SoundingProcessor& processor);

}  // namespace velta::cli
