#include "wmo/RemarkDecoder.h"

#include <string_view>
#include <vector>

#include "wmo/DecodedFigures.h"

namespace velta {

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t j = text.find(' ', i);
        if (j == std::string::npos) j = text.size();
        out.push_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

std::string join(const std::vector<std::string>& w, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < w.size(); ++i) {
        if (!out.empty()) out += ' ';
        out += w[i];
    }
    return out;
}

// An integer with an optional minus sign.
std::optional<int> signedValue(std::string_view s) {
    if (!s.empty() && s[0] == '-') {
        const auto n = digitValue(s.substr(1));
        return n ? std::optional<int>(-*n) : std::nullopt;
    }
    return digitValue(s);
}

// "1529N06581W": hundredths of degrees.
bool splashPosition(std::string_view s, double& latitude, double& longitude) {
    if (s.size() != 11 || (s[4] != 'N' && s[4] != 'S') || (s[10] != 'E' && s[10] != 'W')) return false;
    const auto la = digitValue(s.substr(0, 4));
    const auto lo = digitValue(s.substr(5, 5));
    if (!la || !lo) return false;
    latitude = (s[4] == 'S' ? -1 : 1) * *la / 100.0;
    longitude = (s[10] == 'W' ? -1 : 1) * *lo / 100.0;
    return true;
}

bool isTime(std::string_view s) { return s.size() == 4 && digitValue(s) && *digitValue(s) % 100 < 60; }

// The words from i on equal the keywords.
bool at(const std::vector<std::string>& w, std::size_t i, std::initializer_list<const char*> keywords) {
    for (const char* k : keywords) {
        if (i >= w.size() || w[i] != k) return false;
        ++i;
    }
    return true;
}

}  // namespace

DecodedMission decodeMission(const std::string& text) {
    DecodedMission m;
    m.text = text;
    std::vector<std::string> w = words(text);
    if (w.size() >= 2 && w[w.size() - 2] == "OB") {
        m.observation = digitValue(w.back());
        w.resize(w.size() - 2);
    }
    if (!w.empty()) m.agencyAircraft = w[0];
    if (w.size() > 1) m.storm = w[1];
    m.missionId = join(w, 2, w.size());
    return m;
}

DecodedRemarks decodeRemarks(const std::string& text) {
    DecodedRemarks r;
    r.text = text;
    const std::vector<std::string> w = words(text);
    std::vector<std::string> other;
    std::size_t i = 0;
    const auto wind = [&](std::size_t k, std::optional<double>& direction, std::optional<double>& speed) {
        return k < w.size() && w[k].size() == 5 && decodeWind(w[k], direction, speed) && direction;
    };
    while (i < w.size()) {
        const std::string& word = w[i];
        if (i == 0 && (word == "EYE" || word == "EYEWALL" || word == "RAINBAND" || word == "MXWNDBND")) {
            r.environment = word;
            ++i;
            if (word == "EYEWALL" && i < w.size() && w[i].size() == 3 && digitValue(w[i])) r.azimuth = digitValue(w[i++]);
            continue;
        }
        double la = 0, lo = 0;
        if (word == "SPL" && i + 1 < w.size() && splashPosition(w[i + 1], la, lo)) {
            r.splashLatitude = la;
            r.splashLongitude = lo;
            i += 2;
            if (i < w.size() && isTime(w[i])) r.splashTime = digitValue(w[i++]);
            continue;
        }
        // A splash time without a position, as earlier versions wrote it.
        if (i == (r.environment.empty() ? 0u : r.azimuth ? 2u : 1u) && isTime(word) && !r.splashTime) {
            r.splashTime = digitValue(word);
            ++i;
            continue;
        }
        if (at(w, i, {"LST", "WND"}) && i + 2 < w.size() && signedValue(w[i + 2])) {
            r.lastWindAltitude = signedValue(w[i + 2]);
            i += 3;
            continue;
        }
        if (at(w, i, {"MBL", "WND"}) && wind(i + 2, r.meanBoundaryLayerDirection, r.meanBoundaryLayerSpeed)) {
            i += 3;
            continue;
        }
        if (word == "KEV" && i + 1 < w.size() && w[i + 1].size() == 5 && digitValue(w[i + 1])) {
            r.version = digitValue(w[i + 1]);
            i += 2;
            continue;
        }
        if (at(w, i, {"REXMT", "OF", "OB"}) && i + 3 < w.size() && digitValue(w[i + 3])) {
            r.retransmission = digitValue(w[i + 3]);
            i += 4;
            continue;
        }
        if (at(w, i, {"CORRECTED", "RPT"})) {
            r.corrected = true;
            i += 2;
            continue;
        }
        if (at(w, i, {"LAST", "REPORT", "OBS", "01", "THRU"}) && i + 6 < w.size() && digitValue(w[i + 5]) &&
            w[i + 6] == "TO") {
            r.lastReportObservation = digitValue(w[i + 5]);
            i += 7;
            // The station may be blank.
            if (i < w.size() && w[i].size() == 4 && w[i] != "ATCF" && w[i] != "DLM") r.lastReportStation = w[i++];
            continue;
        }
        if (at(w, i, {"DLM", "WND"}) && i + 3 < w.size() && w[i + 3].size() == 6 &&
            wind(i + 2, r.deepLayerDirection, r.deepLayerSpeed)) {
            std::optional<double> bottom, top;
            if (decodePressure(std::string_view(w[i + 3]).substr(0, 3), false, bottom) &&
                decodePressure(std::string_view(w[i + 3]).substr(3), false, top)) {
                // A top above the 100 mb surface is coded in tenths of mb.
                if (bottom && top && *top > *bottom) *top /= 10.0;
                r.deepLayerBottom = bottom;
                r.deepLayerTop = top;
                i += 4;
                continue;
            }
            r.deepLayerDirection.reset();
            r.deepLayerSpeed.reset();
        }
        if (word == "WL150" && i + 2 < w.size() && signedValue(w[i + 2]) &&
            wind(i + 1, r.layer150Direction, r.layer150Speed)) {
            r.layer150Altitude = signedValue(w[i + 2]);
            i += 3;
            continue;
        }
        if (word == "ATCF" && i + 1 < w.size()) {
            r.atcf = w[i + 1];
            i += 2;
            continue;
        }
        other.push_back(word);
        ++i;
    }
    r.other = join(other, 0, other.size());
    return r;
}

}  // namespace velta
