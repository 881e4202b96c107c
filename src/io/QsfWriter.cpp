#include "io/QsfWriter.h"

#include <cmath>
#include <ctime>
#include <vector>

namespace velta {

namespace {

constexpr const char* ColumnNames =
    " Time   -- UTC  --   Press    Temp   Dewpt    RH     Uwind   Vwind   Wspd     Dir     dZ    GeoPoAlt    "
    " "
    "Lon         Lat      GPSAlt ";
constexpr const char* ColumnUnits =
    "  sec   hh mm   ss     mb      C       C       %      m/s     m/s     m/s     deg     m/s       m       "
    " "
    "deg         deg         m   ";
constexpr const char* ColumnRule =
    "------- -- -- ----- ------- ------- ------- ------- ------- ------- ------- ------- ------- -------- "
    "----------- ----------- --------";

// Hour, minute and second with fraction of launch + offset seconds since 1970;
// false when the time is missing or beyond the calendar.
bool clockOf(int64_t launch, double offset, int& hour, int& minute, double& second) {
    if (offset == MissingValue || !std::isfinite(offset)) return false;
    const double t = static_cast<double>(launch) + offset;
    const double whole = std::trunc(t);
    if (!(std::fabs(whole) < 1e15)) return false;
    const std::time_t seconds = static_cast<std::time_t>(whole);
    std::tm tm{};
    if (gmtime_r(&seconds, &tm) == nullptr) return false;
    hour = tm.tm_hour;
    minute = tm.tm_min;
    second = tm.tm_sec + (t - whole);
    return true;
}

}  // namespace

std::string QsfWriter::locationPart(double value, bool valid, const char* negative, const char* positive) {
    if (!valid) return "-999 -999";
    return degreesMinutes(value) + (value < 0.0 ? negative : positive) + " " + format("%7.6f", value);
}

QsfWriter::QsfWriter(WriterInput input) : SoundingWriter(input.path) {
    std::ostream* stream = acceptTextInput(input);
    if (!stream) return;
    std::ostream& out = *stream;
    const SoundingHeader& h = input.header;
    const WriterColumns& c = input.columns;

    out << "Data Type/Direction:                       " << h.datatype << "/"
        << (h.ascending ? "Ascending" : "Descending") << "\n";
    out << "File Format/Version:                       QSF Sounding Format/1.0\n";
    out << "Project Name/Platform:                     " << h.projectid << "/" << h.platformtype << "\n";
    out << "Launch Site:                               " << h.missionid << "\n";
    out << "Launch Location (lon,lat,alt):             "
        << locationPart(h.launchLongitude, h.launchLongitudeValid, "'W", "'E") << ", "
        << locationPart(h.launchLatitude, h.launchLatitudeValid, "'S", "'N") << ", "
        << (h.launchAltitudeValid ? format("%8.2f", h.launchAltitude) : std::string("-999")) << "\n";
    out << "UTC Launch Time (y,m,d,h,m,s):             " << launchTimeText(h) << "\n";
    out << "Sonde Id/Sonde Type:                       " << h.sondeid << "/" << h.sondemodel << "\n";
    out << "Reference Launch Data Source/Time:         " << h.launchobssource << "/" << h.launchobstime
        << "\n";
    out << "System Operator/Comments:                  " << h.operatorName << "/" << h.comments << "\n";
    out << "Post Processing Comments:                  \n";
    out << "/\n";
    out << ColumnNames << "\n" << ColumnUnits << "\n" << ColumnRule << "\n";

    const auto n = static_cast<std::size_t>(input.count);
    std::vector<double> dewPoint(n);
    input.formulas.dewPoint(c.temperature, c.rh, dewPoint);

    std::string line;
    for (int32_t i = 0; i < input.count; ++i) {
        const double time = c.time[static_cast<std::size_t>(i)];
        int hour = 99, minute = 99;
        double second = 99.0;
        if (!clockOf(h.launchTime, time, hour, minute, second)) {
            hour = minute = 99;
            second = 99.0;
        }
        line.clear();
        line += formatOrReplace("%7.1f", time, 99999.0);
        line += ' ' + formatIntOrReplace("%2d", hour, 99);
        line += ' ' + formatIntOrReplace("%2d", minute, 99);
        line += ' ' + format("%5.2f", second);
        const double values[] = {at(c.pressure, i),
                                 at(c.temperature, i),
                                 dewPoint[static_cast<std::size_t>(i)],
                                 at(c.rh, i),
                                 at(c.u, i),
                                 at(c.v, i),
                                 at(c.windSpeed, i),
                                 at(c.windDirection, i),
                                 at(c.dz, i)};
        for (double v : values) line += ' ' + formatOrReplace("%7.2f", v, MissingValue);
        line += ' ' + formatOrReplace("%8.2f", at(c.altitude, i), MissingValue);
        line += ' ' + formatOrReplace("%11.6f", at(c.longitude, i), MissingValue);
        line += ' ' + formatOrReplace("%11.6f", at(c.latitude, i), MissingValue);
        line += ' ' + formatOrReplace("%8.2f", at(c.gpsAltitude, i), MissingValue);
        out << line << "\n";
    }
    out.flush();
    if (!out) fail("Could not write " + path());
}

}  // namespace velta
