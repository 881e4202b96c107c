// Writer of the native text format "QSF Sounding Format/1.0" (.qsf): fourteen
// header lines, then one fixed-column line per row, the launch point included.
#pragma once

#include "io/SoundingWriter.h"
#include "io/WriterInput.h"

namespace velta {

class QsfWriter : public SoundingWriter {
public:
    // Writes the whole file to input.stream.
    explicit QsfWriter(WriterInput input);

    // "80 30.00'W -80.500000" for a valid longitude of -80.5, "-999 -999" when
    // invalid; the latitude likewise with 'S / 'N.
    static std::string locationPart(double value, bool valid, const char* negative, const char* positive);
};

}  // namespace velta
