#include "qc/DropDiagnosis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sounding/DataPoint.h"

namespace velta {

namespace {

// A parachuted sonde's pressure rises by well under 3 mb/s even near the
// surface; 5 mb/s plus a margin for sensor noise and spikes is beyond any fall.
constexpr double kMaxFallRate = 5.0;     // mb/s
constexpr double kJumpMargin = 50.0;     // mb
constexpr std::size_t kJumpRecords = 3;  // a jump lasting fewer records is a spike
// A falling sonde's pressure changes by more than 0.2 mb/s at any height; a
// minute within a few mb is a sonde that stopped (on the ground, in the cabin).
constexpr double kStillBand = 4.0;   // mb
constexpr double kStillTime = 60.0;  // s
// The longest time the launch point may lie before the first data and still be
// joined to them (the gap limit of interpolation).
constexpr double kLaunchGap = 60.0;  // s
constexpr double kLaunchTime = -1.0;
// Height above the surface beyond which the last record cannot be the landing:
// GPS altitudes are good to some metres; altitudes integrated from the launch
// carry the sensors' settling and the launch altitude's errors.
constexpr double kGpsAboveSurface = 100.0;         // m
constexpr double kIntegratedAboveSurface = 250.0;  // m
constexpr double kSettledAfter = 15.0;             // s, temperature sensor settled after the launch
constexpr double kDryGasOverGravity = 287.05 / 9.80665;  // m/K
constexpr double kKelvin = 273.15;

struct Sample {
    double t;
    double p;
};

std::string format(const char* fmt, auto... args) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// The sonde's pressure records (launch point left out) up to the operator's cut.
std::vector<Sample> pressureRecords(const DataSeries& raw, std::optional<double> cut) {
    std::vector<Sample> out;
    out.reserve(static_cast<std::size_t>(raw.size()));
    for (const DataPoint& pt : raw.points()) {
        if (pt.time < 0.0 || (pt.flags & FlagLaunch) != 0) continue;
        if (cut && pt.time > *cut) break;
        out.push_back({pt.time, pt.value});
    }
    return out;
}

bool beyondFall(const Sample& from, const Sample& to) {
    return std::fabs(to.p - from.p) > kJumpMargin + kMaxFallRate * std::fabs(to.t - from.t);
}

// The last record before a jump no fall can make that lasts. Records that
// leave the fall for fewer records are spikes and never become the reference.
struct Jump {
    std::size_t from, to;
};

std::optional<Jump> lastBeforeJump(const std::vector<Sample>& s) {
    std::size_t ref = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (!beyondFall(s[ref], s[i])) {
            ref = i;
            continue;
        }
        const std::size_t end = std::min(s.size(), i + kJumpRecords);
        bool lasts = end - i == kJumpRecords;
        for (std::size_t j = i; j < end && lasts; ++j) lasts = beyondFall(s[ref], s[j]);
        if (lasts) return Jump{ref, i};
    }
    return std::nullopt;
}

// The first record of a still tail: the records from it to the last stay within
// a few mb for a minute or more.
std::optional<std::size_t> firstOfStillTail(const std::vector<Sample>& s, std::size_t last) {
    std::size_t k = last;
    double lo = s[last].p, hi = s[last].p;
    while (k > 0) {
        const double p = s[k - 1].p;
        if (std::max(hi, p) - std::min(lo, p) > kStillBand) break;
        lo = std::min(lo, p);
        hi = std::max(hi, p);
        --k;
    }
    if (s[last].t - s[k].t < kStillTime) return std::nullopt;
    return k;
}

std::optional<double> launchPressure(const DataSeries& raw, const SoundingHeader& header) {
    if (!raw.empty() && raw.hasFlags(0, FlagLaunch)) return raw.value(0);
    if (header.launchPressureValid) return header.launchPressure;
    return std::nullopt;
}

std::optional<DropFinding> checkLaunchPoint(double launch, const Sample& first) {
    const Sample at{kLaunchTime, launch};
    const double after = first.t - kLaunchTime;
    std::string text;
    if (after > kLaunchGap)
        text = format("No sonde data for %.0f s after the launch: launch %.1f mb, first data %.1f mb", after, launch,
                      first.p);
    else if (beyondFall(at, first))
        text = format("Launch point inconsistent with the first sonde data: launch %.1f mb, first data %.1f mb %.1f s "
                      "later",
                      launch, first.p, after);
    else
        return std::nullopt;
    return DropFinding{FindingKind::LaunchPoint, text, first.t, first.p,
                       "The launch point is not used to join the profile"};
}

// The GPS altitude at the last record, when the GPS gave one within seconds before it.
std::optional<double> gpsAltitudeAt(const Sounding& s, double t) {
    const DataSeries* gps = s.series("RawGpsAlt");
    if (!gps) return std::nullopt;
    std::optional<double> found;
    for (const DataPoint& pt : gps->points()) {
        if (pt.time > t + 1.0) break;
        if (pt.time >= t - 5.0 && (pt.flags & FlagLaunch) == 0) found = pt.value;
    }
    return found;
}

// The altitude at the last record, integrated hydrostatically from the launch
// altitude through the raw pressure and temperature records.
std::optional<double> integratedAltitudeAt(const Sounding& s, const SoundingHeader& header, double launch,
                                           const std::vector<Sample>& records, std::size_t last) {
    const DataSeries* tdry = s.series("RawTdry");
    if (!header.launchAltitudeValid || !tdry || tdry->empty()) return std::nullopt;
    // Until the sensor has settled, the first settled temperature stands for the air's.
    std::optional<double> settled;
    for (const DataPoint& pt : tdry->points())
        if (pt.time >= kSettledAfter) {
            settled = pt.value;
            break;
        }
    std::size_t hint = 0;
    auto temperature = [&](double t) -> std::optional<double> {
        if (t < kSettledAfter && settled) return settled;
        return tdry->interpolate(t, kLaunchGap, hint);
    };
    double z = header.launchAltitude;
    Sample prev{kLaunchTime, launch};
    std::optional<double> tPrev = settled;
    for (std::size_t i = 0; i <= last; ++i) {
        const std::optional<double> t = temperature(records[i].t);
        if (!t || !tPrev || records[i].p <= 0.0 || prev.p <= 0.0) return std::nullopt;
        // Dry air is good to about 1 % of the thickness, well inside the margin.
        z += kDryGasOverGravity * (0.5 * (*tPrev + *t) + kKelvin) * std::log(prev.p / records[i].p);
        prev = records[i];
        tPrev = t;
    }
    return z;
}

std::optional<DropFinding> checkSurfaceReached(const Sounding& s, const SoundingHeader& header,
                                               const double* launch, const std::vector<Sample>& records,
                                               std::size_t last, const DiagnosisInputs& in) {
    if (!in.surfaceAltitudeKnown) return std::nullopt;
    double limit = kGpsAboveSurface;
    std::optional<double> z = gpsAltitudeAt(s, records[last].t);
    if (!z && launch) {
        z = integratedAltitudeAt(s, header, *launch, records, last);
        limit = kIntegratedAboveSurface;
    }
    if (!z) return std::nullopt;
    const double above = *z - in.surfaceAltitude;
    if (above <= limit) return std::nullopt;
    return DropFinding{FindingKind::SignalLost,
                       format("Signal lost before the surface: the last data are about %.0f m above it", above),
                       records[last].t, records[last].p,
                       "Processed as not reaching the surface: the surface pressure is extrapolated and no surface "
                       "level is coded"};
}

}  // namespace

std::string DropFinding::line() const {
    return text + format(" (at %.1f s, %.1f mb). ", time, pressure) + action;
}

std::string findingsQuestion(const std::vector<DropFinding>& findings, const std::string& action) {
    if (findings.empty()) return {};
    std::string q = "The drop diagnosis found problems in this drop:\n";
    for (const DropFinding& f : findings) q += "\n- " + f.line();
    return q + "\n\n" + action + " the message anyway?";
}

DropDiagnosis diagnoseDrop(const Sounding& sounding, const SoundingHeader& header, const DiagnosisInputs& in) {
    DropDiagnosis d;
    const DataSeries* raw = sounding.series("RawPres");
    if (header.ascending || !raw) return d;
    const std::vector<Sample> records = pressureRecords(*raw, in.operatorCutTime);
    if (records.empty()) return d;

    std::size_t last = records.size() - 1;
    if (std::optional<Jump> jump = lastBeforeJump(records)) {
        last = jump->from;
        const Sample& a = records[jump->from];
        const Sample& b = records[jump->to];
        d.findings.push_back({FindingKind::EndOfFall,
                              format("Sounding ended in mid-air: the pressure jumps from %.1f to %.1f mb within %.1f s",
                                     a.p, b.p, b.t - a.t),
                              a.t, a.p, format("Records after %.1f s are cut off, as an end-of-drop override would", a.t)});
    }
    if (std::optional<std::size_t> still = firstOfStillTail(records, last)) {
        const double stillFor = records[last].t - records[*still].t;
        last = *still;
        d.findings.push_back({FindingKind::EndOfFall,
                              format("Data after the sonde stopped falling: the pressure stays within %.0f mb for %.0f s",
                                     kStillBand, stillFor),
                              records[last].t, records[last].p,
                              format("Records after %.1f s are cut off, as an end-of-drop override would",
                                     records[last].t)});
    }
    if (last + 1 < records.size()) d.decisions.lastFallTime = records[last].t;

    const std::optional<double> launch = launchPressure(*raw, header);
    if (launch) {
        if (std::optional<DropFinding> f = checkLaunchPoint(*launch, records.front())) {
            d.findings.push_back(std::move(*f));
            d.decisions.ignoreLaunchPoint = true;
        }
    }
    const double* joined = launch && !d.decisions.ignoreLaunchPoint ? &*launch : nullptr;
    if (std::optional<DropFinding> f = checkSurfaceReached(sounding, header, joined, records, last, in)) {
        d.findings.push_back(std::move(*f));
        d.decisions.reachedSurface = false;
    }

    if (!in.act) {
        d.decisions = DropDecisions{};
        for (DropFinding& f : d.findings) f.action = "Not acted on: automatic decisions are off (SfcAutoDetect 0)";
    }
    return d;
}

}  // namespace velta
