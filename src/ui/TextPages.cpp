#include "ui/TextPages.h"

#include "sounding/MissingValue.h"
#include "ui/CellFormat.h"

namespace velta {

std::string printHeaderLine(const std::vector<PrintColumn>& columns) {
    std::string line;
    for (const PrintColumn& c : columns) {
        std::string name = c.name;
        if (static_cast<int>(name.size()) < c.width) name.insert(0, static_cast<std::size_t>(c.width) - name.size(), ' ');
        line += name + " ";
    }
    return line;
}

std::string printRowLine(const std::vector<PrintColumn>& columns, std::size_t row) {
    std::string line;
    for (const PrintColumn& c : columns) {
        const double v = row < c.values.size() ? c.values[row] : MissingValue;
        if (v == MissingValue)
            line.append(static_cast<std::size_t>(c.width) + 1, ' ');
        else
            line += formatValue(c.format, v) + " ";
    }
    return line;
}

std::vector<TextPage> tablePages(const std::string& heading, const std::vector<PrintColumn>& columns,
                                 std::size_t rows) {
    std::vector<TextPage> pages;
    const std::string header = printHeaderLine(columns);
    for (std::size_t first = 0; first < rows || (rows == 0 && pages.empty()); first += RowsPerPrintedPage) {
        TextPage page{heading, {header, " "}};
        for (std::size_t r = first; r < rows && r < first + RowsPerPrintedPage; ++r)
            page.lines.push_back(printRowLine(columns, r));
        pages.push_back(std::move(page));
        if (rows == 0) break;
    }
    return pages;
}

}  // namespace velta
