// Printed text pages of a table: a column-name line, a blank line, then one
// line per row, 56 rows to a page.
#pragma once

#include <string>
#include <vector>

#include "ui/TabPage.h"

namespace velta {

inline constexpr int RowsPerPrintedPage = 56;

struct PrintColumn {
    const char* name;
    int width;
    const char* format;
    std::vector<double> values;
};

// Each name padded on the left to its width, each followed by one blank.
std::string printHeaderLine(const std::vector<PrintColumn>& columns);
// Each value with its format and one blank; MissingValue as width + 1 blanks.
std::string printRowLine(const std::vector<PrintColumn>& columns, std::size_t row);
std::vector<TextPage> tablePages(const std::string& heading, const std::vector<PrintColumn>& columns,
                                 std::size_t rows);

}  // namespace velta
