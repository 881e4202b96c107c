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

// The levels listing, pages one after another.
void writeLevelsListing(std::ostream& out, const SoundingProcessor& processor);

// The coded message as it would be sent (CR LF line ends turned into LF).
void writeMessage(std::ostream& out, const SoundingProcessor& processor);

}  // namespace velta::cli
