#include "io/NetcdfWriter.h"

#include <netcdf.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <mutex>
#include <vector>

#include "config/AtomicOutput.h"

namespace velta {

namespace {

constexpr float MissingFloat = -999.0f;

// The variables over "time", in the order they are defined.
enum Var {
    TimeOffset,
    Time,
    Pres,
    Tdry,
    Dp,
    Rh,
    UWind,
    VWind,
    Wspd,
    Wdir,
    Dz,
    Range,
    Qp,
    Qt,
    Qrh,
    Qu,
    Qv,
    Qwind,
    Mr,
    Vt,
    Theta,
    ThetaE,
    ThetaV,
    Lat,
    Lon,
    Alt,
    GpsAlt,
    VarCount
};

struct VarSpec {
    const char* name;
    nc_type type;
    const char* longName;
    const char* units;
    const char* fieldType;  // nullptr: none
    bool missingValue;
    const char* standardName;  // CF standard name; nullptr: the quantity has none
};

// vt holds kelvin (it is computed from T + 273.16), so its units say K. Latitude and longitude
// carry the CF units that tell readers which way they count.
constexpr VarSpec Vars[VarCount] = {
    {"time_offset", NC_FLOAT, "seconds since base_time", "seconds", nullptr, false, nullptr},
    {"time", NC_DOUBLE, "time", "seconds since 1970-01-01 00:00:00 UTC", nullptr, false, "time"},
    {"pres", NC_FLOAT, "pres", "hPa", "P", true, "air_pressure"},
    {"tdry", NC_FLOAT, "tdry", "degC", "T", true, "air_temperature"},
    {"dp", NC_FLOAT, "dp", "degC", "T_d", true, "dew_point_temperature"},
    {"rh", NC_FLOAT, "rh", "percent", "rh", true, "relative_humidity"},
    {"u_wind", NC_FLOAT, "u_wind", "m/s", "uwind", true, "eastward_wind"},
    {"v_wind", NC_FLOAT, "v_wind", "m/s", "vwind", true, "northward_wind"},
    {"wspd", NC_FLOAT, "wspd", "m/s", "wspd", true, "wind_speed"},
    {"wdir", NC_FLOAT, "wdir", "degree", "wdir", true, "wind_from_direction"},
    {"dz", NC_FLOAT, "dz", "m/s", nullptr, true, nullptr},
    {"range", NC_FLOAT, "range", "km", nullptr, true, nullptr},
    {"qp", NC_FLOAT, "qp", "hPa", nullptr, true, nullptr},
    {"qt", NC_FLOAT, "qt", "degC", nullptr, true, nullptr},
    {"qrh", NC_FLOAT, "qrh", "percent", nullptr, true, nullptr},
    {"qu", NC_FLOAT, "qu", "m/s", nullptr, true, nullptr},
    {"qv", NC_FLOAT, "qv", "m/s", nullptr, true, nullptr},
    {"qwind", NC_FLOAT, "qwind", "m/s", nullptr, true, nullptr},
    {"mr", NC_FLOAT, "mr", "gram/kg", nullptr, true, "humidity_mixing_ratio"},
    {"vt", NC_FLOAT, "vt", "K", nullptr, true, "virtual_temperature"},
    {"theta", NC_FLOAT, "theta", "K", nullptr, true, "air_potential_temperature"},
    {"theta_e", NC_FLOAT, "theta_e", "K", nullptr, true, "equivalent_potential_temperature"},
    {"theta_v", NC_FLOAT, "theta_v", "K", nullptr, true, nullptr},
    {"lat", NC_FLOAT, "north latitude", "degrees_north", nullptr, true, "latitude"},
    {"lon", NC_FLOAT, "east longitude", "degrees_east", nullptr, true, "longitude"},
    {"alt", NC_FLOAT, "altitude above MSL", "meters", nullptr, true, "altitude"},
    {"gpsalt", NC_FLOAT, "gps reported altitude above MSL", "meters", nullptr, true, "altitude"},
};

// What every data variable names as its coordinates, so that readers place each value in time
// and space without help.
constexpr const char* Coordinates = "time lat lon alt";

bool isCoordinate(int var) { return var == Time || var == Lat || var == Lon || var == Alt; }

// The netCDF library keeps process-wide lists of its open files and must not
// be entered from two threads at once; soundings written in parallel take
// turns here, for the whole life of a file.
std::mutex& netcdfLibrary() {
    static std::mutex library;
    return library;
}

// The file's layout over the library: every call's status is kept, and after
// the first failure nothing more is attempted. The library is held from
// creation until the file is closed.
class TurvaNcFile {
public:
    TurvaNcFile(const std::string& path, int32_t launchTime, int32_t count, const WriterInput& input) {
        if (!check(nc_create(path.c_str(), NC_CLOBBER, &ncid_), "create")) return;
        open_ = true;
        const float bad = MissingFloat;
        check(nc_put_att_float(ncid_, NC_GLOBAL, "bad_value_flag", NC_FLOAT, 1, &bad), "bad_value_flag");
        text(NC_GLOBAL, "plixo_platform", "turva");
        text(NC_GLOBAL, "history", "TurvaNcFile");
        if (!input.buildRevision.empty()) text(NC_GLOBAL, "SvnRevision", input.buildRevision);
        if (!input.buildLastChangedDate.empty())
            text(NC_GLOBAL, "SvnLastChangedDate", input.buildLastChangedDate);
        for (const auto& [key, value] : input.processingLog) text(NC_GLOBAL, key, value);
        describe(input);

        // A length of 0 is the unlimited dimension to the library: a file of no rows.
        int dim = -1;
        check(nc_def_dim(ncid_, "time", static_cast<size_t>(count), &dim), "time dimension");

        if (check(nc_def_var(ncid_, "base_time", NC_INT, 0, nullptr, &baseTime_), "base_time")) {
            text(baseTime_, "long_name", "sounding launch time");
            text(baseTime_, "units", "seconds since 1970-01-01 00:00:00 UTC");
            text(baseTime_, "string", NetcdfWriter::calendarText(launchTime));
        }
        for (int k = 0; k < VarCount; ++k) {
            const VarSpec& v = Vars[k];
            if (!check(nc_def_var(ncid_, v.name, v.type, 1, &dim, &ids_[k]), v.name)) break;
            text(ids_[k], "long_name", v.longName);
            text(ids_[k], "units", v.units);
            if (v.missingValue)
                check(nc_put_att_float(ncid_, ids_[k], "missing_value", NC_FLOAT, 1, &bad), v.name);
            if (v.fieldType) text(ids_[k], "field_type", v.fieldType);
            // A coordinate has a value in every row: time carries no fill value.
            if (k != Time) check(nc_put_att_float(ncid_, ids_[k], "_FillValue", NC_FLOAT, 1, &bad), v.name);
            if (k == Lat || k == Lon) {
                const float range[2] = {k == Lat ? -90.0f : -180.0f, k == Lat ? 90.0f : 180.0f};
                check(nc_put_att_float(ncid_, ids_[k], "valid_range", NC_FLOAT, 2, range), v.name);
            }
            if (v.standardName) text(ids_[k], "standard_name", v.standardName);
            if (k == Time) {
                text(ids_[k], "calendar", "standard");
                text(ids_[k], "axis", "T");
            }
            if (k == Alt || k == GpsAlt) text(ids_[k], "positive", "up");
            if (!isCoordinate(k) && k != TimeOffset) text(ids_[k], "coordinates", Coordinates);
        }
        if (!check(nc_enddef(ncid_), "end of definitions")) return;
        const int base = launchTime;
        check(nc_put_var_int(ncid_, baseTime_, &base), "base_time");
    }

    ~TurvaNcFile() {
        if (open_) nc_close(ncid_);
    }
    TurvaNcFile(const TurvaNcFile&) = delete;
    TurvaNcFile& operator=(const TurvaNcFile&) = delete;

    void put(Var var, const std::vector<float>& values) {
        if (ok() && !values.empty()) check(nc_put_var_float(ncid_, ids_[var], values.data()), Vars[var].name);
    }
    void put(Var var, const std::vector<double>& values) {
        if (ok() && !values.empty())
            check(nc_put_var_double(ncid_, ids_[var], values.data()), Vars[var].name);
    }

    // Closes the file; false when it or anything before failed.
    bool close() {
        if (open_) {
            open_ = false;
            check(nc_close(ncid_), "close");
        }
        return ok();
    }

    bool ok() const { return status_ == NC_NOERR; }
    std::string errorText() const { return std::string(nc_strerror(status_)) + " (" + where_ + ")"; }

private:
    bool check(int status, const std::string& where) {
        if (status != NC_NOERR && status_ == NC_NOERR) {
            status_ = status;
            where_ = where;
        }
        return status == NC_NOERR && status_ == NC_NOERR;
    }
    void text(int var, const std::string& name, const std::string& value) {
        if (ok()) check(nc_put_att_text(ncid_, var, name.c_str(), value.size(), value.data()), name);
    }
    void number(const char* name, double value) {
        if (ok()) check(nc_put_att_double(ncid_, NC_GLOBAL, name, NC_DOUBLE, 1, &value), name);
    }

    // The conventions the file follows and what it is about, as global attributes that
    // catalogues and readers find without knowing this format.
    void describe(const WriterInput& input) {
        const SoundingHeader& h = input.header;
        text(NC_GLOBAL, "Conventions", "CF-1.8");
        if (!h.sondeid.empty()) text(NC_GLOBAL, "sonde_id", h.sondeid);
        const std::string launch = NetcdfWriter::isoTime(static_cast<int64_t>(h.launchTime));
        if (!launch.empty()) text(NC_GLOBAL, "launch_time", launch);
        if (h.launchLatitudeValid) number("launch_latitude", h.launchLatitude);
        if (h.launchLongitudeValid) number("launch_longitude", h.launchLongitude);
        if (h.launchAltitudeValid) number("launch_altitude", h.launchAltitude);
        if (!h.projectid.empty()) text(NC_GLOBAL, "project", h.projectid);
        if (!h.platformtype.empty()) text(NC_GLOBAL, h.ascending ? "launch_site" : "aircraft", h.platformtype);
        for (const auto& [key, value] : input.processingLog)
            if (key == "KarvoEditorVersion") text(NC_GLOBAL, "software_version", value);
    }

    std::lock_guard<std::mutex> library_{netcdfLibrary()};
    int ncid_ = -1;
    bool open_ = false;
    int status_ = NC_NOERR;
    std::string where_;
    int baseTime_ = -1;
    int ids_[VarCount] = {};
};

}  // namespace

std::string NetcdfWriter::calendarText(int64_t seconds) {
    static constexpr const char* Days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (gmtime_r(&t, &tm) == nullptr) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", Days[tm.tm_wday % 7],
                  Months[tm.tm_mon % 12], tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, 1900 + tm.tm_year);
    return text;
}

std::string NetcdfWriter::isoTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (gmtime_r(&t, &tm) == nullptr) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", 1900 + tm.tm_year, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

NetcdfWriter::NetcdfWriter(WriterInput input) : SoundingWriter(input.path) {
    const std::string failure = "Could not write the netCDF file " + path() + ": ";
    if (const std::string problem = input.problem(); !problem.empty()) {
        fail(failure + problem);
        return;
    }
    AtomicOutput output(path());
    if (!output.ok()) {
        fail(output.errorText());
        return;
    }
    const int32_t n = input.count;
    const auto size = static_cast<std::size_t>(n);
    const SoundingHeader& h = input.header;
    const WriterColumns& c = input.columns;
    const auto launch = static_cast<int32_t>(h.launchTime);

    // Row k of the file is row order(k) of the input: a drop goes last row first.
    auto order = [&](std::size_t k) { return h.ascending ? k : size - 1 - k; };
    auto floats = [&](std::span<const double> column) {
        std::vector<float> out;
        if (column.empty()) return out;
        out.resize(size);
        for (std::size_t k = 0; k < size; ++k) {
            const double v = column[order(k)];
            out[k] = std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max()
                         ? static_cast<float>(v)
                         : MissingFloat;
        }
        return out;
    };

    std::vector<double> dp(size), mr(size), theta(size), thetaE(size), vt(size), thetaV(size);
    const WriterFormulas& f = input.formulas;
    f.dewPoint(c.temperature, c.rh, dp);
    for (double& v : dp)
        if (!std::isfinite(v)) v = MissingValue;
    f.saturationMixingRatio(dp, c.pressure, mr);
    f.potentialTemperature(c.temperature, c.pressure, theta);
    f.equivalentPotentialTemperature(c.temperature, dp, c.pressure, thetaE);
    f.virtualTemperature(c.temperature, c.rh, c.pressure, vt);
    for (double& v : vt)
        if (!std::isfinite(v)) v = MissingValue;
    f.potentialTemperatureKelvin(vt, c.pressure, thetaV);

    std::vector<double> times(size);
    for (std::size_t k = 0; k < size; ++k) {
        const double t = c.time[order(k)];
        times[k] = t == MissingValue || !std::isfinite(t) ? MissingValue : t + static_cast<double>(launch);
    }

    TurvaNcFile file(output.temporaryPath(), launch, n, input);
    file.put(TimeOffset, floats(c.time));
    file.put(Time, times);
    file.put(Pres, floats(c.pressure));
    file.put(Tdry, floats(c.temperature));
    file.put(Rh, floats(c.rh));
    file.put(Wspd, floats(c.windSpeed));
    file.put(Wdir, floats(c.windDirection));
    file.put(Alt, floats(c.altitude));
    file.put(GpsAlt, floats(c.gpsAltitude));
    file.put(Lat, floats(c.latitude));
    file.put(Lon, floats(c.longitude));
    file.put(Dz, floats(c.dz));
    file.put(UWind, floats(c.u));
    file.put(VWind, floats(c.v));
    file.put(Dp, floats(dp));
    file.put(Mr, floats(mr));
    file.put(Theta, floats(theta));
    file.put(ThetaE, floats(thetaE));
    file.put(Vt, floats(vt));
    file.put(ThetaV, floats(thetaV));
    if (!file.close()) {
        fail(failure + file.errorText());
        return;
    }
    if (!output.commit()) fail(output.errorText());
}

}  // namespace velta
