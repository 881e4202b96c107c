// Reader of the FENRO sounding system's text format (ascending soundings).
#pragma once

#include <vector>

#include "io/TableReader.h"

namespace velta {

class FenroReader : public TableReader {
public:
    FenroReader(LineReader& lines, std::string_view firstLine);

private:
    int rowColumns() const override { return 11; }
    void readHeader(int lineNumber, std::string_view line) override;
    void readLaunchRow(const Row& row) override;
    void readDataRow(const Row& row) override;

    std::vector<std::string_view> pieces_;
};

}  // namespace velta
