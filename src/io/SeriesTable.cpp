#include "io/SeriesTable.h"

#include <algorithm>
#include <cmath>

#include "sounding/DataPoint.h"

namespace velta {

namespace {

struct Entry {
    double time;
    double value;
    int32_t flags;
    int32_t column;
};

}  // namespace

SeriesTable::SeriesTable(const std::vector<const DataSeries*>& series)
    : columns_(static_cast<int32_t>(series.size())) {
    std::vector<Entry> entries;
    std::size_t total = 0;
    for (const DataSeries* s : series)
        if (s) total += s->points().size();
    entries.reserve(total);
    for (int32_t c = 0; c < columns_; ++c) {
        const DataSeries* s = series[static_cast<std::size_t>(c)];
        if (!s) continue;
        for (const DataPoint& p : s->points())
            if (!std::isnan(p.time)) entries.push_back({p.time, p.value, p.flags, c});
    }
    // Stable: of equal times the entries keep series and point order, so the
    // later point of a series overwrites the earlier one.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.time < b.time; });

    for (std::size_t k = 0; k < entries.size(); ++k)
        if (k == 0 || entries[k].time != entries[k - 1].time) times_.push_back(entries[k].time);
    const std::size_t rows = times_.size();
    values_.assign(rows * static_cast<std::size_t>(columns_), MissingValue);
    std::size_t row = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (k > 0 && entries[k].time != entries[k - 1].time) ++row;
        const Entry& e = entries[k];
        values_[static_cast<std::size_t>(e.column) * rows + row] = e.value;
        if (row == 0 && (e.flags & (FlagLaunch | FlagSurface)) != 0) firstRowIsLaunch_ = true;
    }
}

namespace {

std::vector<const DataSeries*> lookUp(const Sounding& sounding, const std::vector<std::string>& names) {
    std::vector<const DataSeries*> series;
    series.reserve(names.size());
    for (const std::string& name : names) series.push_back(sounding.series(name));
    return series;
}

}  // namespace

SeriesTable::SeriesTable(const Sounding& sounding, const std::vector<std::string>& names)
    : SeriesTable(lookUp(sounding, names)) {}

std::span<const double> SeriesTable::column(int32_t c) const {
    const std::size_t rows = times_.size();
    return std::span<const double>(values_).subspan(static_cast<std::size_t>(c) * rows, rows);
}

std::vector<std::string> rawTableSeries() {
    return {"RawTime", "RawPres", "RawTdry",   "RawRH",     "RawWspd", "RawWdir",
            "RawDz",   "RawSats", "RawStatus", "RawGpsAlt", "RawLat",  "RawLon"};
}

std::vector<std::string> qcTableSeries(const std::string& altitudeSeries, bool reportObservedPos) {
    return {"QCTime",
            "QCPres",
            "QCTdry",
            "QCRH",
            "QCWspd",
            "QCWdir",
            altitudeSeries,
            reportObservedPos ? "RawLat" : "QCLat",
            reportObservedPos ? "RawLon" : "QCLon",
            "QCDz",
            "QCU",
            "QCV",
            "RawGpsAlt"};
}

std::vector<double> DataViewArrays::copy(const SeriesTable& table, int c) {
    const auto column = table.column(c);
    return std::vector<double>(column.begin(), column.end());
}

DataViewArrays DataViewArrays::common(const SeriesTable& table, int timeColumn) {
    DataViewArrays a;
    // A row that only other series have points at still has its time.
    a.time_ = copy(table, timeColumn);
    for (std::size_t k = 0; k < a.time_.size(); ++k)
        if (a.time_[k] == MissingValue) a.time_[k] = table.times()[k];
    a.firstRowIsLaunch_ = table.firstRowIsLaunchPoint();
    return a;
}

DataViewArrays DataViewArrays::fromRawTable(const SeriesTable& table, const WriterFormulas& formulas) {
    DataViewArrays a = common(table, RawTimeColumn);
    a.pressure_ = copy(table, RawPresColumn);
    a.temperature_ = copy(table, RawTdryColumn);
    a.rh_ = copy(table, RawRhColumn);
    a.windSpeed_ = copy(table, RawWspdColumn);
    a.windDirection_ = copy(table, RawWdirColumn);
    a.latitude_ = copy(table, RawLatColumn);
    a.longitude_ = copy(table, RawLonColumn);
    a.gpsAltitude_ = copy(table, RawGpsAltColumn);
    a.dz_ = copy(table, RawDzColumn);
    const std::size_t n = a.time_.size();
    a.u_.assign(n, MissingValue);
    a.v_.assign(n, MissingValue);
    for (std::size_t k = 0; k < n; ++k) {
        const double speed = a.windSpeed_[k], direction = a.windDirection_[k];
        if (speed > MissingValue && direction > MissingValue && formulas.windComponents)
            formulas.windComponents(speed, direction, a.u_[k], a.v_[k]);
    }
    return a;
}

DataViewArrays DataViewArrays::fromQcTable(const SeriesTable& table) {
    DataViewArrays a = common(table, QcTimeColumn);
    a.pressure_ = copy(table, QcPresColumn);
    a.temperature_ = copy(table, QcTdryColumn);
    a.rh_ = copy(table, QcRhColumn);
    a.windSpeed_ = copy(table, QcWspdColumn);
    a.windDirection_ = copy(table, QcWdirColumn);
    a.u_ = copy(table, QcUColumn);
    a.v_ = copy(table, QcVColumn);
    a.latitude_ = copy(table, QcLatColumn);
    a.longitude_ = copy(table, QcLonColumn);
    a.altitude_ = copy(table, QcAltColumn);
    a.gpsAltitude_ = copy(table, QcGpsAltColumn);
    a.dz_ = copy(table, QcDzColumn);
    return a;
}

WriterColumns DataViewArrays::columns() const {
    WriterColumns c;
    c.time = time_;
    c.pressure = pressure_;
    c.temperature = temperature_;
    c.rh = rh_;
    c.windSpeed = windSpeed_;
    c.windDirection = windDirection_;
    c.u = u_;
    c.v = v_;
    c.latitude = latitude_;
    c.longitude = longitude_;
    c.altitude = altitude_;
    c.gpsAltitude = gpsAltitude_;
    c.dz = dz_;
    return c;
}

}  // namespace velta
