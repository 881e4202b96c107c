// Series side by side on a common time axis: one row per distinct time of any
// point of any series, in increasing order; a cell holds the series' value at
// exactly that time, or -999 when the series has no point there.
#pragma once

#include <cstddef>
#include <vector>

namespace velta {

class DataSeries;

class TimeMergedTable {
public:
    static constexpr double Missing = -999.0;

    TimeMergedTable() = default;
    // A null series gives a column of missing values.
    explicit TimeMergedTable(const std::vector<const DataSeries*>& series);

    std::size_t rows() const { return times_.size(); }
    std::size_t columns() const { return columns_.size(); }
    double time(std::size_t row) const { return times_[row]; }
    double value(std::size_t row, std::size_t column) const { return columns_[column][row]; }
    bool present(std::size_t row, std::size_t column) const { return value(row, column) != Missing; }
    const std::vector<double>& column(std::size_t column) const { return columns_[column]; }

private:
    std::vector<double> times_;
    std::vector<std::vector<double>> columns_;
};

}  // namespace velta
