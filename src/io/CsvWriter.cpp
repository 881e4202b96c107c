#include "io/CsvWriter.h"

#include <locale>
#include <sstream>
#include <vector>

namespace velta {

namespace {

// A key line with a number and its unit: "Pressure,1012.3,\"units=mb\"", the
// number left out when not valid.
std::string numberKey(const char* key, const char* format, double value, bool valid, const char* unit) {
    return std::string(key) + "," + (valid ? SoundingWriter::format(format, value) : std::string()) +
           ",\"units=" + unit + "\"";
}

std::string textKey(const std::string& key, const std::string& value) { return key + ",\"" + value + "\""; }

// A double in the default stream format: six significant digits, no trailing zeros.
std::string streamText(double value) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << value;
    return s.str();
}

// An empty field for a missing value.
std::string field(const char* format, double value) {
    return value == MissingValue ? std::string() : SoundingWriter::format(format, value);
}

}  // namespace

CsvWriter::CsvWriter(WriterInput input) : SoundingWriter(input.path) {
    std::ostream* stream = acceptTextInput(input);
    if (!stream) return;
    std::ostream& out = *stream;
    const SoundingHeader& h = input.header;
    const WriterColumns& c = input.columns;

    out << "FileFormat,CSV\n";
    out << "Year," << formatInt("%04d", h.year) << "\n";
    out << "Month," << formatInt("%02d", h.month) << "\n";
    out << "Day," << formatInt("%02d", h.day) << "\n";
    out << "Hour," << formatInt("%02d", h.hour) << "\n";
    out << "Minute," << formatInt("%02d", h.minute) << "\n";
    out << "Second," << formatInt("%02d", h.second) << "\n";
    out << numberKey("Pressure", "%.1f", h.launchPressure, h.launchPressureValid, "mb") << "\n";
    out << numberKey("Temperature", "%.1f", h.launchTemperature, h.launchTemperatureValid, "deg C") << "\n";
    out << numberKey("RH", "%.1f", h.launchHumidity, h.launchHumidityValid, "%") << "\n";
    out << numberKey("Speed", "%.1f", h.launchWindSpeed, h.launchWindSpeedValid, "m/s") << "\n";
    out << numberKey("Direction", "%.1f", h.launchWindDirection, h.launchWindDirectionValid, "deg") << "\n";
    out << numberKey("Latitude", "%.4f", h.launchLatitude, h.launchLatitudeValid, "deg") << "\n";
    out << numberKey("Longitude", "%.4f", h.launchLongitude, h.launchLongitudeValid, "deg") << "\n";
    out << numberKey("Altitude", "%.1f", h.launchAltitude, h.launchAltitudeValid, "m") << "\n";
    out << numberKey("GpsAltitude", "%.1f", h.launchGpsAltitude, h.launchGpsAltitudeValid, "m") << "\n";
    out << textKey("Ascending", h.ascending ? "true" : "false") << "\n";
    out << textKey("Comments", h.comments) << "\n";
    out << textKey("DataType", h.datatype) << "\n";
    out << textKey("EquipmentType", h.equipmenttype) << "\n";
    out << textKey("PlatformType", h.platformtype) << "\n";
    out << textKey("ProjectId", h.projectid) << "\n";
    out << textKey("PtuWindTimeDiff", streamText(h.ptuwindtimediff)) << "\n";
    out << textKey("RadiationCorr", h.radiationcorr) << "\n";
    out << textKey("TrackingType", h.trackingtype) << "\n";
    out << textKey("SondeId", h.sondeid) << "\n";
    out << textKey("SondeModel", h.sondemodel) << "\n";
    out << textKey("Operator", h.operatorName) << "\n";
    out << textKey("LaunchObsSource", h.launchobssource) << "\n";
    out << textKey("LaunchObsTime", h.launchobstime) << "\n";
    if (!input.buildRevision.empty()) out << textKey("SvnRevision", input.buildRevision) << "\n";
    if (!input.buildLastChangedDate.empty())
        out << textKey("SvnLastChangedDate", input.buildLastChangedDate) << "\n";
    if (input.writeProcessingLog)
        for (const auto& [key, value] : input.processingLog) out << textKey(key, value) << "\n";
    out << "Fields,Time,Pressure,Temperature,RH,Speed,Direction,Latitude,Longitude,Altitude,GPS "
           "Altitude,Dewpoint,Uwnd,Vwnd,Ascent\n";
    out << "Units,sec,mb,deg C,%,m/s,deg,deg,deg,m,m,deg C,m/s,m/s,m/s\n";

    const auto n = static_cast<std::size_t>(input.count);
    std::vector<double> dewPoint(n);
    input.formulas.dewPoint(c.temperature, c.rh, dewPoint);

    std::string line;
    for (int32_t i = input.firstRowIsLaunchPoint ? 1 : 0; i < input.count; ++i) {
        line = "Data,";
        line += field("%.1f", at(c.time, i));
        const std::pair<const char*, double> fields[] = {{"%.2f", at(c.pressure, i)},
                                                         {"%.2f", at(c.temperature, i)},
                                                         {"%.2f", at(c.rh, i)},
                                                         {"%.2f", at(c.windSpeed, i)},
                                                         {"%.2f", at(c.windDirection, i)},
                                                         {"%.5f", at(c.latitude, i)},
                                                         {"%.5f", at(c.longitude, i)},
                                                         {"%.1f", at(c.altitude, i)},
                                                         {"%.1f", at(c.gpsAltitude, i)},
                                                         {"%.2f", dewPoint[static_cast<std::size_t>(i)]},
                                                         {"%.2f", at(c.u, i)},
                                                         {"%.2f", at(c.v, i)},
                                                         {"%.2f", at(c.dz, i)}};
        for (const auto& [fmt, value] : fields) {
            line += ',';
            line += field(fmt, value);
        }
        out << line << "\n";
    }
    out.flush();
    if (!out) fail("Could not write " + path());
}

}  // namespace velta
