#include "io/TurvaWriter.h"

#include <vector>

namespace velta {

namespace {

constexpr const char* ColumnNames =
    " Time  Press  Temp  Dewpt  RH    Uwind  Vwind  Wspd  Dir   dZ      Lon     Lat    Rng   Az     Alt    "
    "Qp   "
    "Qt   Qh   Qu   Qv   Quv";
constexpr const char* ColumnUnits =
    "  sec    mb     C     C     %     m/s    m/s   m/s   deg   m/s     deg     deg     km   deg     m     "
    "mb   C "
    "   %    m/s  m/s  m/s";
constexpr const char* ColumnRule =
    "------ ------ ----- ----- ----- ------ ------ ----- ----- ----- -------- ------- ----- ----- ------- "
    "---- ---- "
    "---- ---- ---- ----";

std::string hemisphereText(double value, bool valid, const char* negative, const char* positive) {
    if (!valid) return "-999";
    return SoundingWriter::degreesMinutes(value) + (value < 0.0 ? negative : positive);
}

}  // namespace

std::string TurvaWriter::locationText(const SoundingHeader& h) {
    std::string text = hemisphereText(h.launchLongitude, h.launchLongitudeValid, "'W", "'E") + ", " +
                       hemisphereText(h.launchLatitude, h.launchLatitudeValid, "'S", "'N") + ", ";
    text += h.launchLongitudeValid ? format("%07.5f ", h.launchLongitude) : std::string("-999 ");
    text += h.launchLatitudeValid ? format("%07.5f ", h.launchLatitude) : std::string("-999 ");
    text += h.launchAltitudeValid ? format("%1.0f", h.launchAltitude) : std::string("-999");
    return text;
}

TurvaWriter::TurvaWriter(WriterInput input) : SoundingWriter(input.path) {
    std::ostream* stream = acceptTextInput(input);
    if (!stream) return;
    std::ostream& out = *stream;
    const SoundingHeader& h = input.header;
    const WriterColumns& c = input.columns;

    out << "Data Type:                         " << h.datatype << "\n";
    out << "Project ID:                        " << h.projectid << "\n";
    out << "Launch Site Type/Site ID:          " << h.platformtype << "\n";
    out << "Launch Location (lon,lat,alt):     " << locationText(h) << "\n";
    out << "GMT Launch Time (y,m,d,h,m,s):     " << launchTimeText(h) << "\n";
    out << "Sonde Id:                          " << h.sondeid << "\n";
    out << "/\n/\n/\n";
    out << "System Operator/Comments:          " << h.operatorName << "," << h.comments << "\n";
    out << "/\n/\n";
    out << ColumnNames << "\n" << ColumnUnits << "\n" << ColumnRule << "\n";

    const auto n = static_cast<std::size_t>(input.count);
    std::vector<double> dewPoint(n);
    input.formulas.dewPoint(c.temperature, c.rh, dewPoint);

    std::string line;
    for (int32_t k = 0; k < input.count; ++k) {
        const int32_t i = h.ascending ? k : input.count - 1 - k;
        line = formatOrReplace("%6.1f", at(c.time, i), 99999.0);
        line += formatOrReplace(" %6.1f", at(c.pressure, i), 9999.0);
        line += formatOrReplace(" %5.1f", at(c.temperature, i), 999.0);
        line += formatOrReplace(" %5.1f", dewPoint[static_cast<std::size_t>(i)], 999.0);
        line += formatOrReplace(" %5.1f", at(c.rh, i), 999.0);
        line += formatOrReplace(" %6.1f", at(c.u, i), 999.0);
        line += formatOrReplace(" %6.1f", at(c.v, i), 999.0);
        line += formatOrReplace(" %5.1f", at(c.windSpeed, i), 999.0);
        line += formatOrReplace(" %5.1f", at(c.windDirection, i), 999.0);
        line += formatOrReplace(" %5.1f", at(c.dz, i), 99.0);
        line += formatOrReplace(" %8.3f", at(c.longitude, i), 999.0);
        line += formatOrReplace(" %7.3f", at(c.latitude, i), 999.0);
        line += format(" %5.1f", 999.0);  // range: not measured
        line += format(" %5.1f", 999.0);  // azimuth: not measured
        line += formatOrReplace(" %7.1f", at(c.altitude, i), 99999.0);
        for (int q = 0; q < 6; ++q) line += format(" %4.1f", 99.0);  // quality fields: none
        out << line << "\n";
    }
    out.flush();
    if (!out) fail("Could not write " + path());
}

}  // namespace velta
