// A small sounding for the writer tests: three rows of a drop launched at
// 2005-08-27 18:34:59 UTC, with formulas simple enough to check by hand.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "io/WriterInput.h"

namespace velta::test {

// Missing-aware stand-ins for the meteorological formulas (the QC library is
// not part of the io tests); each result tells which inputs it came from.
struct StubFormulas {
    static bool present(double v) { return v > MissingValue; }
    static bool two(std::span<const double> a, std::span<const double> b, std::span<double> out,
                    double (*f)(double, double)) {
        if (a.size() != out.size() || b.size() != out.size()) return false;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = present(a[i]) && present(b[i]) ? f(a[i], b[i]) : MissingValue;
        return true;
    }
    static bool three(std::span<const double> a, std::span<const double> b, std::span<const double> c,
                      std::span<double> out, double (*f)(double, double, double)) {
        if (a.size() != out.size() || b.size() != out.size() || c.size() != out.size()) return false;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = present(a[i]) && present(b[i]) && present(c[i]) ? f(a[i], b[i], c[i]) : MissingValue;
        return true;
    }

    static WriterFormulas get() {
        WriterFormulas f;
        f.dewPoint = [](std::span<const double> t, std::span<const double> rh, std::span<double> o) {
            return two(t, rh, o, [](double a, double b) { return a - (100.0 - b) / 5.0; });
        };
        f.saturationMixingRatio = [](std::span<const double> t, std::span<const double> p,
                                     std::span<double> o) {
            return two(t, p, o, [](double a, double b) { return a + b / 100.0; });
        };
        f.potentialTemperature = [](std::span<const double> t, std::span<const double> p,
                                    std::span<double> o) {
            return two(t, p, o, [](double a, double b) { return a + 273.16 + 1000.0 / b; });
        };
        f.potentialTemperatureKelvin = [](std::span<const double> t, std::span<const double> p,
                                          std::span<double> o) {
            return two(t, p, o, [](double a, double b) { return a + 1000.0 / b; });
        };
        f.equivalentPotentialTemperature = [](std::span<const double> t, std::span<const double> td,
                                              std::span<const double> p, std::span<double> o) {
            return three(t, td, p, o, [](double a, double b, double c) { return a + b + c / 1000.0; });
        };
        f.virtualTemperature = [](std::span<const double> t, std::span<const double> rh,
                                  std::span<const double> p, std::span<double> o) {
            return three(t, rh, p, o, [](double a, double b, double) { return a + 273.16 + b / 100.0; });
        };
        f.windComponents = [](double speed, double direction, double& u, double& v) {
            u = speed;
            v = -direction;
        };
        return f;
    }
};

// Rows (time, pressure, temperature, rh, speed, direction, u, v, lat, lon, gps altitude, dz) of a drop; no
// altitude column, as from the raw data page.
struct WriterRows {
    std::vector<double> time{-1.0, 0.5, 12.5};
    std::vector<double> pressure{400.0, 399.5, 1012.3};
    std::vector<double> temperature{-20.0, -999.0, 25.0};
    std::vector<double> rh{50.0, 60.0, 80.0};
    std::vector<double> speed{10.0, 11.0, 3.0};
    std::vector<double> direction{90.0, 95.0, 4.0};
    std::vector<double> u{-10.0, -11.0, 1.0};
    std::vector<double> v{0.0, 1.0, -2.0};
    std::vector<double> latitude{17.25, 17.2501, 17.25};
    std::vector<double> longitude{-80.5, -80.4999, -80.5};
    std::vector<double> altitude;
    std::vector<double> gpsAltitude{7500.0, 7495.0, 7400.0};
    std::vector<double> dz{-999.0, -12.0, -10.0};

    WriterColumns columns() const {
        WriterColumns c;
        c.time = time;
        c.pressure = pressure;
        c.temperature = temperature;
        c.rh = rh;
        c.windSpeed = speed;
        c.windDirection = direction;
        c.u = u;
        c.v = v;
        c.latitude = latitude;
        c.longitude = longitude;
        c.altitude = altitude;
        c.gpsAltitude = gpsAltitude;
        c.dz = dz;
        return c;
    }
};

inline SoundingHeader writerHeader() {
    SoundingHeader h;
    h.year = 2005;
    h.month = 8;
    h.day = 27;
    h.hour = 18;
    h.minute = 34;
    h.second = 59;
    h.launchTime = calendarTime(2005, 8, 27, 18, 34, 59);
    h.ascending = false;
    h.launchPressure = 400.0;
    h.launchPressureValid = true;
    h.launchTemperature = -20.0;
    h.launchTemperatureValid = true;
    h.launchHumidity = 50.0;
    h.launchHumidityValid = true;
    h.launchWindSpeed = 10.0;
    h.launchWindSpeedValid = true;
    h.launchWindDirection = 90.0;
    h.launchWindDirectionValid = true;
    h.launchLatitude = 17.25;
    h.launchLatitudeValid = true;
    h.launchLongitude = -80.5;
    h.launchLongitudeValid = true;
    h.launchAltitude = 7500.0;
    h.launchAltitudeValid = true;
    h.launchGpsAltitude = 7510.0;
    h.launchGpsAltitudeValid = true;
    h.datatype = "Dropsonde";
    h.projectid = "HURR05";
    h.platformtype = "WC-130J AF305";
    h.missionid = "Mission 5";
    h.sondeid = "123456789";
    h.sondemodel = "RD93";
    h.launchobssource = "aircraft";
    h.launchobstime = "18:34:59";
    h.operatorName = "OPS1";
    h.comments = "calm";
    return h;
}

inline WriterInput writerInput(const WriterRows& rows, std::ostream* stream,
                               const std::string& path = "/tmp/x") {
    WriterInput in;
    in.path = path;
    in.stream = stream;
    in.count = static_cast<int32_t>(rows.time.size());
    in.header = writerHeader();
    in.processingLog = {{"KarvoEditorVersion", "0.1.0"},
                        {"SoundingDescription", "D20050827_183401.1 test drop"},
                        {"ConfigSetName", "default"}};
    in.columns = rows.columns();
    in.formulas = StubFormulas::get();
    return in;
}

// The lines of a text, without their line breaks.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace velta::test
