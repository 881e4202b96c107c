// Writer of the TURVA sounding system's fixed-column text format (.tvx):
// fifteen header lines, then one line per row; a drop is written bottom first
// (last row first), an ascending sounding in row order. The TURVA reader reads it.
#pragma once

#include "io/SoundingWriter.h"
#include "io/WriterInput.h"

namespace velta {

class TurvaWriter : public SoundingWriter {
public:
    // Writes the whole file to input.stream. GPS altitude is not part of the format.
    explicit TurvaWriter(WriterInput input);

    // The value text of the launch location line: "80 30.00'W, 17 15.00'N, -80.50000 17.25000 7500".
    static std::string locationText(const SoundingHeader& header);
};

}  // namespace velta
