// Reader of the TURVA sounding system's text format (ascending soundings; the
// format the TURVA writer produces). Chosen when no other format's keyword is
// on the first line.
#pragma once

#include "io/TableReader.h"

namespace velta {

class TurvaReader : public TableReader {
public:
    TurvaReader(LineReader& lines, std::string_view firstLine);

private:
    int rowColumns() const override { return 15; }
    void readHeader(int lineNumber, std::string_view line) override;
    void readLaunchRow(const Row& row) override;
    void readDataRow(const Row& row) override;
};

}  // namespace velta
