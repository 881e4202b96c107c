#include "sounding/Sounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velta {

namespace {

// Degrees to radians as the wind formulas use it.
constexpr double kDegToRad = 0.01745327777777778;

bool present(double v) { return v != MissingValue && !std::isnan(v); }

// QC series removed by a rebuild (QCTime is replaced instead).
const char* const kQCSeries[] = {"QCAltUp", "QCAltDn", "QCAltMissing", "QCLat", "QCLon", "QCPres", "QCRH",
                                 "QCTdry",  "QCWdir",  "QCWspd",       "QCU",   "QCV",   "QCDz"};

// QC series trimmed by a cut.
const char* const kCutSeries[] = {"QCTime", "QCLat",  "QCAltUp", "QCAltDn", "QCLon", "QCPres",
                                  "QCRH",   "QCTdry", "QCWspd",  "QCWdir",  "QCU",   "QCV"};

// Series that do not count towards the last data time.
const char* const kNotData[] = {"RawTime", "RawSats",   "RawDz",  "RawStatus",
                                "RawAlt",  "RawGpsAlt", "RawLat", "RawLon"};

}  // namespace

Sounding::Sounding(const RawSource& source) : source_(&source) {
    buildRawSeries();
    const RawData& raw = source_->raw();
    const SoundingHeader h = header();
    const int32_t flag = launchFlag();
    auto launchPoint = [&](const std::string& key, double value) {
        if (!present(value)) return;
        DataSeries* s = series(key);
        if (!s) return;
        s->insertAtFront(value, -1.0);
        s->setFlags(0, flag);
    };
    launchPoint("RawPres", raw.pressure);
    launchPoint("RawRH", raw.rh);
    if (systemFamily() == 0) {
        launchPoint("RawRH1", raw.rh);
        launchPoint("RawRH2", raw.rh);
        launchPoint("RawRH3", raw.rh);
    }
    launchPoint("RawTdry", raw.temperature);
    launchPoint("RawWdir", raw.direction);
    launchPoint("RawWspd", raw.speed);
    launchPoint("RawTime", -1.0);
    if (h.launchAltitudeValid) launchPoint("RawAlt", h.launchAltitude);
    if (h.launchLatitudeValid) launchPoint("RawLat", h.launchLatitude);
    if (h.launchLongitudeValid) launchPoint("RawLon", h.launchLongitude);

    // Trailing records that carry only position, satellite or status data are
    // dropped: every series ends at the last thermodynamic or wind record.
    bool any = false;
    double last = -1.0;
    for (const auto& [key, s] : series_) {
        if (s.empty() || std::find(std::begin(kNotData), std::end(kNotData), key) != std::end(kNotData))
            continue;
        const double t = s.time(s.lastIndex());
        if (!any || t > last) last = t;
        any = true;
    }
    if (any) {
        lastDataTime_ = last;
        for (auto& [key, s] : series_) s.removeAfter(last);
    }
}

void Sounding::buildRawSeries() {
    const RawRecords& r = source_->raw().records;
    auto build = [&](const std::string& key, const std::vector<double>& values) {
        DataSeries s(key);
        const std::size_t n = std::min(r.time.size(), values.size());
        s.reserve(n);
        for (std::size_t k = 0; k < n; ++k)
            if (values[k] > MissingValue) s.append(values[k], r.time[k]);
        series_.insert_or_assign(key, std::move(s));
    };
    build("RawStatus", r.status);
    build("RawDz", r.dz);
    build("RawPres", r.pressure);
    build("RawSats", r.sats);
    build("RawTdry", r.temperature);
    build("RawRH", r.rh1);
    if (systemFamily() == 0) {
        build("RawRH1", r.rh1);
        build("RawRH2", r.rh2);
        build("RawRH3", r.rh3);
    }
    build("RawTime", r.time);
    build("RawWdir", r.windDirection);
    build("RawWspd", r.windSpeed);
    build("RawAlt", r.altitude);
    build("RawGpsAlt", r.gpsAltitude);
    build("RawLat", r.latitude);
    build("RawLon", r.longitude);
}

int32_t Sounding::launchFlag() const { return source_->raw().ascending ? FlagSurface : FlagLaunch; }

DataSeries* Sounding::series(const std::string& key) {
    auto it = series_.find(key);
    return it == series_.end() ? nullptr : &it->second;
}

const DataSeries* Sounding::series(const std::string& key) const {
    auto it = series_.find(key);
    return it == series_.end() ? nullptr : &it->second;
}

DataSeries& Sounding::addSeries(const std::string& key, DataSeries s) {
    return series_.insert_or_assign(key, std::move(s)).first->second;
}

bool Sounding::removeSeries(const std::string& key) { return series_.erase(key) > 0; }

std::vector<std::string> Sounding::seriesNames() const {
    std::vector<std::string> names;
    names.reserve(series_.size());
    for (const auto& entry : series_) names.push_back(entry.first);
    return names;
}

SoundingHeader Sounding::header() const {
    SoundingHeader h;
    auto fromLaunchPoint = [&](const char* key, double& value, bool& valid) {
        const DataSeries* s = series(key);
        if (!s || s->empty()) return;
        if (s->hasFlags(0, FlagLaunch) || s->hasFlags(0, FlagSurface)) {
            value = s->value(0);
            valid = true;
        }
    };
    fromLaunchPoint("RawPres", h.launchPressure, h.launchPressureValid);
    fromLaunchPoint("RawTdry", h.launchTemperature, h.launchTemperatureValid);
    fromLaunchPoint("RawRH", h.launchHumidity, h.launchHumidityValid);
    fromLaunchPoint("RawWspd", h.launchWindSpeed, h.launchWindSpeedValid);
    fromLaunchPoint("RawWdir", h.launchWindDirection, h.launchWindDirectionValid);

    const RawData& raw = source_->raw();
    auto fromObservation = [](double source, double& value, bool& valid) {
        if (!present(source)) return;
        value = source;
        valid = true;
    };
    fromObservation(raw.altitude, h.launchAltitude, h.launchAltitudeValid);
    fromObservation(raw.gpsaltitude, h.launchGpsAltitude, h.launchGpsAltitudeValid);
    fromObservation(raw.latitude, h.launchLatitude, h.launchLatitudeValid);
    fromObservation(raw.longitude, h.launchLongitude, h.launchLongitudeValid);

    h.year = raw.year;
    h.month = raw.month;
    h.day = raw.day;
    // The time of day travels packed as hhmmss; widen so odd fields cannot overflow.
    const int64_t tod = int64_t{raw.hour} * 10000 + int64_t{raw.minute} * 100 + raw.second;
    h.hour = static_cast<int32_t>(tod / 10000);
    h.minute = static_cast<int32_t>((tod / 100) % 100);
    h.second = static_cast<int32_t>(tod % 100);

    h.equipmenttype = raw.equipmenttype;
    h.sondetype = raw.sondetype;
    h.trackingtype = raw.trackingtype;
    h.radiationcorr = raw.radiationcorr;
    h.ascending = raw.ascending;
    h.launchTime = calendarTime(h.year, h.month, h.day, h.hour, h.minute, h.second);
    h.platformtype = raw.platformtype;
    h.sondeid = raw.sondeid;
    h.sondemodel = raw.sondemodel;
    h.comments = raw.comments;
    h.projectid = raw.projectid;
    h.missionid = raw.missionid;
    h.operatorName = raw.operatorName;
    h.datatype = raw.datatype;
    h.ptuwindtimediff = raw.ptuwindtimediff;
    h.launchobssource = raw.launchobssource;
    h.launchobstime = raw.launchobstime;
    h.sondetypecode = raw.sondetypecode;
    h.standardcomments = raw.standardcomments;
    h.operatorcomments = raw.operatorcomments;
    return h;
}

void Sounding::deleteQCSeries() {
    for (const char* key : kQCSeries) series_.erase(key);
}

void Sounding::rebuildQCSeries(double cutTime, int32_t rhChoice, bool discardBadRecords) {
    const int32_t flag = launchFlag();
    const RawData& raw = source_->raw();
    const bool family0 = systemFamily() == 0;

    deleteQCSeries();

    if (family0) {
        const char* sensor = rhChoice == 1 ? "RawRH2" : rhChoice == 2 ? "RawRH3" : "RawRH1";
        if (const DataSeries* s = series(sensor)) addSeries("RawRH", DataSeries(*s, "RawRH"));
    }

    for (const char* key : {"QCLat", "QCAltUp", "QCAltDn", "QCAltMissing", "QCLon"})
        addSeries(key, DataSeries(key));

    auto copyOf = [&](const char* rawKey, const char* qcKey) {
        const DataSeries* s = series(rawKey);
        addSeries(qcKey, s ? DataSeries(*s, qcKey) : DataSeries(qcKey));
    };
    copyOf("RawTime", "QCTime");
    copyOf("RawPres", "QCPres");
    copyOf("RawTdry", "QCTdry");
    copyOf("RawRH", "QCRH");
    addSeries("QCDz", DataSeries("QCDz"));

    auto launchPoint = [&](DataSeries& s, double value) {
        s.insertAtFront(value, -1.0);
        s.setFlags(0, flag);
    };
    if (present(raw.latitude)) launchPoint(*series("QCLat"), raw.latitude);
    if (present(raw.longitude)) launchPoint(*series("QCLon"), raw.longitude);
    // The launch GPS altitude goes into the raw series once; later rebuilds
    // find it there already.
    if (present(raw.gpsaltitude)) {
        DataSeries* gps = series("RawGpsAlt");
        if (!gps) gps = &addSeries("RawGpsAlt", DataSeries("RawGpsAlt"));
        const bool hasLaunch =
            !gps->empty() && gps->time(0) == -1.0 && (gps->flags(0) & (FlagLaunch | FlagSurface)) != 0;
        if (!hasLaunch) launchPoint(*gps, raw.gpsaltitude);
    }

    {
        const DataSeries* wspd = series("RawWspd");
        const DataSeries* wdir = series("RawWdir");
        auto [qcWspd, qcWdir] =
            (wspd ? *wspd : DataSeries("RawWspd")).commonTimes(wdir ? *wdir : DataSeries("RawWdir"));
        qcWspd.rename("QCWspd");
        qcWdir.rename("QCWdir");
        addSeries("QCWspd", std::move(qcWspd));
        addSeries("QCWdir", std::move(qcWdir));
    }

    if (family0 && discardBadRecords) {
        if (raw.statusByPart)
            discardFlaggedParts();
        else
            discardFlaggedRecords();
    }

    {
        DataSeries& wspd = *series("QCWspd");
        DataSeries& wdir = *series("QCWdir");
        DataSeries u("QCu"), v("QCv");
        const int32_t n = std::min(wspd.size(), wdir.size());
        u.reserve(static_cast<std::size_t>(n));
        v.reserve(static_cast<std::size_t>(n));
        constexpr int32_t kept = FlagLaunch | FlagSurface | FlagOverride;
        for (int32_t i = 0; i < n; ++i) {
            const double speed = wspd.value(i);
            const double angle = (450.0 - wdir.value(i)) * kDegToRad;
            const int32_t bits = wdir.flags(i) & kept;
            u.append(DataPoint{wdir.time(i), -speed * std::cos(angle), bits});
            v.append(DataPoint{wdir.time(i), -speed * std::sin(angle), bits});
        }
        DataSeries& qcU = addSeries("QCU", std::move(u));
        DataSeries& qcV = addSeries("QCV", std::move(v));
        if (wspd.size() == 1) {
            for (DataSeries* s : {&wspd, &wdir, &qcU, &qcV})
                if (!s->empty()) s->removeAt(0);
        }
    }

    cutQCSeries(cutTime);

    qcDone_ = true;
    ++qcGeneration_;
    if (rhChoice != rhChoice_) {
        ++rawGeneration_;
        rhChoice_ = rhChoice;
    }
}

namespace {

// Sorted times of the status points whose value has any of the given bits
// (any non-zero value when bits is 0).
std::vector<double> flaggedTimes(const DataSeries* status, int bits) {
    std::vector<double> times;
    if (!status) return times;
    for (int32_t i = 0; i < status->size(); ++i) {
        const double v = status->value(i);
        const bool flagged = bits == 0 ? v != 0.0 : (static_cast<int>(v) & bits) != 0;
        if (flagged && !std::isnan(status->time(i))) times.push_back(status->time(i));
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace

void Sounding::removeAtTimes(std::initializer_list<const char*> keys, const std::vector<double>& times) {
    if (times.empty()) return;
    auto listed = [&](const DataPoint& p) { return std::binary_search(times.begin(), times.end(), p.time); };
    for (const char* key : keys)
        if (DataSeries* s = series(key)) s->removeIf(listed);
}

void Sounding::discardFlaggedRecords() {
    // Every flagged record goes, the last one included: a record received
    // with a checksum error is never good data.
    removeAtTimes({"QCPres", "QCTdry", "QCRH", "QCWspd", "QCWdir", "RawLat", "RawLon"},
                  flaggedTimes(series("RawStatus"), 0));
}

void Sounding::discardFlaggedParts() {
    // Each digit speaks for its own part only: a record without trusted PTU
    // keeps its winds, and one without trusted winds keeps its PTU.
    const DataSeries* status = series("RawStatus");
    removeAtTimes({"QCPres", "QCTdry", "QCRH"}, flaggedTimes(status, kStatusPtu));
    removeAtTimes({"QCWspd", "QCWdir", "RawLat", "RawLon"}, flaggedTimes(status, kStatusWind));
}

void Sounding::cutQCSeries(double c) {
    if (!(c > 0.0)) c = lastDataTime_;
    qcCutTime_ = c;
    for (const char* key : kCutSeries)
        if (DataSeries* s = series(key)) s->removeAfter(c);
}

}  // namespace velta
