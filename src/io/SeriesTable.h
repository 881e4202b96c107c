// The rows of the raw and QC data pages: several series merged on their
// distinct times, one column per series, and the arrays a data page hands to
// the save command. Built in the core, so the desktop pages and velta-batch
// write the same files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "io/WriterInput.h"
#include "sounding/DataSeries.h"
#include "sounding/Sounding.h"

namespace velta {

class SeriesTable {
public:
    SeriesTable() = default;
    // One column per series, in the given order; a null entry (a series the
    // sounding lacks) gives a column of MissingValue. The rows are the distinct
    // times of all points, in increasing order; where one series has two points
    // at the same time the later one wins.
    explicit SeriesTable(const std::vector<const DataSeries*>& series);
    // The named series of a sounding, in the given order.
    SeriesTable(const Sounding& sounding, const std::vector<std::string>& names);

    int32_t rowCount() const { return static_cast<int32_t>(times_.size()); }
    int32_t columnCount() const { return columns_; }
    const std::vector<double>& times() const { return times_; }
    // The values of one column, MissingValue where its series has no point.
    std::span<const double> column(int32_t c) const;
    double value(int32_t row, int32_t c) const { return column(c)[static_cast<std::size_t>(row)]; }
    // True when a point of the first row is a launch point (FlagLaunch or FlagSurface).
    bool firstRowIsLaunchPoint() const { return firstRowIsLaunch_; }

private:
    std::vector<double> times_;
    std::vector<double> values_;  // column-major, rows x columns
    int32_t columns_ = 0;
    bool firstRowIsLaunch_ = false;
};

// Columns of the raw page: RawTime, RawPres, RawTdry, RawRH, RawWspd, RawWdir,
// RawDz, RawSats, RawStatus, RawGpsAlt, RawLat, RawLon.
enum RawColumn {
    RawTimeColumn,
    RawPresColumn,
    RawTdryColumn,
    RawRhColumn,
    RawWspdColumn,
    RawWdirColumn,
    RawDzColumn,
    RawSatsColumn,
    RawStatusColumn,
    RawGpsAltColumn,
    RawLatColumn,
    RawLonColumn
};
std::vector<std::string> rawTableSeries();

// Columns of the QC page: QCTime, QCPres, QCTdry, QCRH, QCWspd, QCWdir, the
// sounding's current QC altitude series, RawLat and RawLon (reportObservedPos)
// or QCLat and QCLon, QCDz, QCU, QCV, RawGpsAlt.
enum QcColumn {
    QcTimeColumn,
    QcPresColumn,
    QcTdryColumn,
    QcRhColumn,
    QcWspdColumn,
    QcWdirColumn,
    QcAltColumn,
    QcLatColumn,
    QcLonColumn,
    QcDzColumn,
    QcUColumn,
    QcVColumn,
    QcGpsAltColumn
};
std::vector<std::string> qcTableSeries(const std::string& altitudeSeries, bool reportObservedPos);

// The arrays a data page hands to the save command, owned here so that they
// outlive the writer.
class DataViewArrays {
public:
    // From a table of rawTableSeries(): u and v computed per row from speed
    // and direction (both missing when either is), no altitude column.
    static DataViewArrays fromRawTable(const SeriesTable& table, const WriterFormulas& formulas);
    // From a table of qcTableSeries(): u and v are the QCU and QCV columns.
    static DataViewArrays fromQcTable(const SeriesTable& table);

    int32_t count() const { return static_cast<int32_t>(time_.size()); }
    bool firstRowIsLaunchPoint() const { return firstRowIsLaunch_; }
    // Views of the arrays; valid while this object lives.
    WriterColumns columns() const;

private:
    static DataViewArrays common(const SeriesTable& table, int timeColumn);
    static std::vector<double> copy(const SeriesTable& table, int c);

    std::vector<double> time_, pressure_, temperature_, rh_, windSpeed_, windDirection_, u_, v_;
    std::vector<double> latitude_, longitude_, altitude_, gpsAltitude_, dz_;
    bool firstRowIsLaunch_ = false;
};

}  // namespace velta
