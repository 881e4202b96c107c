#include "DFileWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace velta::sim {

namespace {

constexpr const char* kDataSource = "KARVO-D01";
constexpr const char* kTextSource = "KARVO-T01";
constexpr const char* kEol = "\r\n";

std::string fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string fmt(const char* format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

std::string field(const std::optional<double>& v, const char* format, double sentinel) {
    return fmt(format, v ? *v : sentinel);
}

class Writer {
public:
    Writer(const DropSettings& settings) : s_(settings), launchEpoch_(toEpochSeconds(settings.launchTime)) {}

    void line(const std::string& text) {
        out_ += text;
        out_ += kEol;
    }

    void text(std::string_view code, const std::string& rest) {
        line(std::string(kTextSource) + " " + std::string(code) + (rest.empty() ? "" : " " + rest));
    }

    // label is the exact 27-character text of positions 9-35; tail finishes its
    // last word so that the reader's field count lands on the text.
    void comment(std::string_view label, std::string_view tail, const std::string& value) {
        std::string l = std::string(kTextSource) + std::string(label) + std::string(tail);
        l.resize(std::max<std::size_t>(l.size() + 2, 50), ' ');
        line(l + value);
    }

    // Date and time fields of a record at t seconds from launch.
    std::string stamp(double t) const {
        const long long centis = launchEpoch_ * 100 + std::llround(t * 100.0);
        long long secs = centis / 100;
        long long frac = centis % 100;
        if (frac < 0) {
            frac += 100;
            --secs;
        }
        const UtcTime u = fromEpochSeconds(secs);
        return fmt("%02d%02d%02d %02d%02d%02d.%02lld", u.year % 100, u.month, u.day, u.hour, u.minute,
                   u.second, frac);
    }

    void data(const DataRecord& r) {
        // The current layout's two digits flag the PTU and the wind part; the
        // older one has one digit for a record received with a checksum error.
        const bool current = currentLayout(s_);
        const char first = (current ? r.ptuFlag : r.crcError) ? '1' : '0';
        const char second = current && r.windFlag ? '1' : '0';
        const std::string& id = r.sondeId.empty() ? s_.sondeId : r.sondeId;
        std::string l = fmt("%s %c%c%c %s %s", kDataSource, r.letter, first, second, id.c_str(),
                            stamp(r.time).c_str());
        l += field(r.pressure, " %7.2f", 9999.0);
        l += field(r.temperature, " %6.2f", 99.0);
        l += field(r.rh1, " %6.2f", 999.0);
        l += field(r.windDirection, " %6.2f", 999.0);
        l += field(r.windSpeed, " %6.2f", 999.0);
        l += field(r.verticalVelocity, " %6.2f", 999.0);
        l += field(r.lon, " %11.6f", 999.0);
        l += field(r.lat, " %10.6f", 99.0);
        l += field(r.altitude, " %8.2f", 99999.0);
        l += fmt(" %2d", r.satellites ? *r.satellites : 99);
        l += field(r.rh2, " %6.2f", 999.0);
        l += field(r.rh3, " %6.2f", 999.0);
        l += field(r.windError, " %5.2f", 99.0);
        l += field(r.batteryVoltage, " %5.2f", 99.0);
        if (s_.formatVersion >= 1.6) l += field(r.gpsAltitude, " %8.2f", 99999.0);
        line(l);
    }

    // The current layout's four heading lines: names, units, and the status
    // digits' meaning.
    void currentHeadings() {
        columnHeadings();
        line(std::string(kTextSource) + " COM Status digits after the record letter: PTU, wind/GPS (1 = no valid data)");
        line(std::string(kTextSource) + " COM Missing values: 9999.00 mb, 99.00 C, 999.00 %, 999.00 m/s, 99999.00 m");
    }

    void columnHeadings() {
        const bool gps = s_.formatVersion >= 1.6;
        line(std::string(kTextSource) + " COM " +
             fmt("%-9s %-6s %-9s %7s %6s %6s %6s %6s %6s %11s %10s %8s %2s %6s %6s %5s %5s%s", "Sonde ID",
                 "Date", "Time UTC", "Press", "Temp", "RH1", "Wdir", "Wspd", "dZ", "Lon", "Lat", "Alt", "Sa",
                 "RH2", "RH3", "Werr", "Batt", gps ? "   GPSAlt" : ""));
        line(std::string(kTextSource) + " COM " +
             fmt("%-9s %-6s %-9s %7s %6s %6s %6s %6s %6s %11s %10s %8s %2s %6s %6s %5s %5s%s", "", "yymmdd",
                 "hhmmss.ss", "mb", "C", "%", "deg", "m/s", "m/s", "deg", "deg", "gpm", "#", "%", "%", "m/s",
                 "V", gps ? "        m" : ""));
    }

    std::string result() const { return out_; }

private:
    const DropSettings& s_;
    long long launchEpoch_;
    std::string out_;
};

}  // namespace

namespace {

// The sounding records of the dropped sonde and of any other sonde, in time order.
std::vector<const DataRecord*> soundingRecords(const SimulatedDrop& drop) {
    std::vector<const DataRecord*> all;
    all.reserve(drop.records.size() + drop.secondSonde.size());
    for (const DataRecord& r : drop.records) all.push_back(&r);
    for (const DataRecord& r : drop.secondSonde) all.push_back(&r);
    std::stable_sort(all.begin(), all.end(),
                     [](const DataRecord* a, const DataRecord* b) { return a->time < b->time; });
    return all;
}

std::string formatCurrentDFile(const DropSettings& s, const SimulatedDrop& drop) {
    Writer w(s);
    const DropTexts& t = s.texts;
    // The LAU record names the nearly empty sonde in that scenario; the A
    // record and the falling sonde's records carry the dropped sonde's id.
    const std::string& launchId = s.scenario == Scenario::LaunchNamesEmpty ? s.secondSondeId : s.sondeId;
    const double start = drop.preLaunch.empty() ? 0.0 : drop.preLaunch.front().time;

    w.text("STA", launchId + " " + w.stamp(start));
    w.currentHeadings();
    for (const DataRecord& r : drop.preLaunch) w.data(r);
    w.text("LAU", launchId + " " + w.stamp(0.0));
    w.data(drop.launchObservation);
    for (const DataRecord* r : soundingRecords(drop)) w.data(*r);

    w.comment(" COM Project Name/Mission I", "D:", t.project);
    w.comment(" COM Aircraft Type/ID:     ", "", t.aircraft);
    // Trailer text can hold a byte from another code page (here a Latin-1
    // no-break space at the end of the operator's remark).
    if (t.combinedOperator) {
        w.comment(" COM Operator Name/Comments", ":", t.operatorName + ", " + t.operatorComments + "\xA0");
    } else {
        w.comment(" COM Operator Name:        ", "", t.operatorName);
        w.comment(" COM Operator Comments:    ", "", t.operatorComments + "\xA0");
    }
    const UtcTime& lt = s.launchTime;
    w.comment(" COM Launch Time (UTC):    ", "",
              fmt("%04d-%02d-%02d %02d:%02d:%02d", lt.year, lt.month, lt.day, lt.hour, lt.minute, lt.second));
    w.comment(" COM Sonde ID/Type/Rev/Buil", "t/Sensors:",
              s.sondeId + ", " + sondeTypeCode(s) + ", " + t.sondeRevision + ", " + t.sondeBuildTime + ", " +
                  t.sensorModule + "," + t.gpsModule);
    const UtcTime obs = fromEpochSeconds(toEpochSeconds(lt) - 1);
    w.comment(" COM Pre-launch Obs Data Sy",
              "stem/Time:", t.launchObsSource + fmt(", %02d:%02d:%02d", obs.hour, obs.minute, obs.second));
    w.comment(" COM Sonde Baseline Errors ", "(p,t,h):", "0.1, 0.0, 0.4");
    w.comment(" COM Sonde Dynamic Errors  ", "(p,t,h):", "0.0, 0.0, 0.0");
    w.comment(" COM Sonde Freq/Battery/Fir", "mware:", "403.25 MHz, 9.1 V, " + t.sondeFirmware);
    w.comment(" COM Data Type/Data Channel", ":", "FULL, 4 Hz, " + t.dataChannel);
    std::string name = compactTime(lt);
    name.insert(0, 1, 'D');
    name += ".1";
    w.comment(" COM Sounding Name:        ", "", name);
    w.comment(" COM Standard Comments:    ", "", t.standardComments);
    w.text("VER", " " + t.systemName + ", dropsonde receiver");
    w.text("FMT", " FMT 1.7, 0.25 second winds");
    w.text("TDF", " 0.000   met/wind time offset, s");
    w.text("END", " End of sounding " + s.sondeId);
    return w.result();
}

}  // namespace

std::string formatDFile(const DropSettings& s, const SimulatedDrop& drop) {
    if (currentLayout(s)) return formatCurrentDFile(s, drop);
    Writer w(s);
    const DropTexts& t = s.texts;

    w.text("VER", " " + t.systemName + ", dropsonde receiver");
    if (s.formatVersion >= 1.5) w.text("FMT", fmt(" Version: %.1f   D file record layout", s.formatVersion));
    w.text("TDF", " 0.000   PTU to wind time difference, s");
    w.columnHeadings();

    for (const DataRecord& r : drop.preLaunch) w.data(r);
    w.text("LAU", s.sondeId + " " + w.stamp(0.0));
    w.data(drop.launchObservation);
    for (const DataRecord& r : drop.records) w.data(r);

    if (t.missionLabel) {
        w.comment(" COM Project Name/Mission I", "D:", t.project);
    } else {
        w.comment(" COM Project Name/Flight ID", ":", t.project);
    }
    w.comment(" COM Aircraft Type/ID:     ", "", t.aircraft);
    if (t.combinedOperator) {
        w.comment(" COM Operator Name/Comments", ":", t.operatorName + ", " + t.operatorComments);
    } else {
        w.comment(" COM Operator Name:        ", "", t.operatorName);
        w.comment(" COM Operator Comments:    ", "", t.operatorComments);
    }
    if (!t.standardComments.empty()) w.comment(" COM Standard Comments:    ", "", t.standardComments);
    const UtcTime& lt = s.launchTime;
    w.comment(" COM Launch Time (UTC):    ", "",
              fmt("%04d-%02d-%02d %02d:%02d:%02d", lt.year, lt.month, lt.day, lt.hour, lt.minute, lt.second));
    if (t.sondeIdLabel) {
        w.comment(" COM Sonde ID/ID$/Built/Fir", "mware/Type:",
                  s.sondeId + ", " + t.sondeHexId + ", " + t.sondeBuilt + ", " + t.sondeFirmware + ", " +
                      t.sondeModel);
    } else {
        w.comment(" COM Sonde Type/ID/Ver/Batt",
                  "ery Voltage:", t.sondeModel + ", " + s.sondeId + ", " + t.sondeFirmware + ", 8.4");
    }
    w.comment(" COM Data Type/Data Channel", ":", fmt("FULL, %d Hz, ", s.rate) + t.dataChannel);
    // The flight-level observation was taken one second before the release.
    const UtcTime obs = fromEpochSeconds(toEpochSeconds(lt) - 1);
    w.comment(" COM Pre-launch Obs Data Sy",
              "stem/Time:", t.launchObsSource + fmt(", %02d:%02d:%02d", obs.hour, obs.minute, obs.second));
    w.text("END", " End of sounding " + s.sondeId);
    return w.result();
}

}  // namespace velta::sim
