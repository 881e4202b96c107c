#include "plot/XyGraph.h"

#include <fmt/printf.h>

#include <algorithm>
#include <cmath>

#include "levels/LevelListing.h"
#include "sounding/Sounding.h"

namespace velta {

namespace {

struct CurveSpec {
    const char* label;
    bool raw;
    int column;
    int axis;
    LevelValue levelValue;  // the quantity a level marker shows
    bool marked;
};

using T = XyGraphTables;

const std::vector<CurveSpec>& curveSpecs(XyGraphKind kind) {
    static const std::vector<CurveSpec> wind = {
        {"Raw Speed", true, T::RawWspd, 0, LevelValue::Wspd, false},
        {"Raw Dir", true, T::RawWdir, 1, LevelValue::Wdir, false},
        {"QC Speed", false, T::QCWspd, 0, LevelValue::Wspd, true},
        {"QC Dir", false, T::QCWdir, 1, LevelValue::Wdir, true}};
    static const std::vector<CurveSpec> thermo = {
        {"Raw Temperature", true, T::RawTdry, 0, LevelValue::Tdry, false},
        {"Raw RH", true, T::RawRH, 1, LevelValue::RH, false},
        {"QC Temperature", false, T::QCTdry, 0, LevelValue::Tdry, true},
        {"QC RH", false, T::QCRH, 1, LevelValue::RH, true}};
    static const std::vector<CurveSpec> sats = {
        {"Satellites", true, T::RawSats, 0, LevelValue::Time, false},
        {"GPS dz/dt", true, T::RawDz, 1, LevelValue::Time, false},
        {"Hydrostatic dz/dt", false, T::QCDz, 1, LevelValue::Time, false}};
    static const std::vector<CurveSpec> presAlt = {
        {"Raw Pressure", true, T::RawPres, 0, LevelValue::Pres, false},
        {"Raw Alt", true, T::RawAlt, 1, LevelValue::Alt, false},
        {"QC Pressure", false, T::QCPres, 0, LevelValue::Pres, false},
        {"QC alt", false, T::QCAlt, 1, LevelValue::Alt, false}};
    switch (kind) {
        case XyGraphKind::Wind: return wind;
        case XyGraphKind::TemperatureHumidity: return thermo;
        case XyGraphKind::SatellitesFallRate: return sats;
        default: return presAlt;
    }
}

int xColumn(XyXMode mode, bool raw) {
    switch (mode) {
        case XyXMode::Time: return raw ? int{T::RawTime} : int{T::QCTime};
        case XyXMode::Pressure: return raw ? int{T::RawPres} : int{T::QCPres};
        default: return raw ? int{T::RawAlt} : int{T::QCAlt};
    }
}

LevelValue levelX(XyXMode mode) {
    switch (mode) {
        case XyXMode::Time: return LevelValue::Time;
        case XyXMode::Pressure: return LevelValue::Pres;
        default: return LevelValue::Alt;
    }
}

// The x of a row; a time column without a value falls back to the row time.
std::optional<double> xValue(const TimeMergedTable& table, std::size_t row, int column, XyXMode mode) {
    const auto c = static_cast<std::size_t>(column);
    if (table.present(row, c)) return table.value(row, c);
    if (mode == XyXMode::Time) return table.time(row);
    return std::nullopt;
}

const char* KindTitles[] = {"Wind Speed and Wind Direction ", "Temperature and Relative Humidity ",
                            "Number of satellites and dz/dt ", "Pressure and Altitude "};
const char* YTitles[][2] = {{"Wind Speed (m/s)", "Wind Direction"},
                            {"Temperature (C)", "Relative Humidity (%)"},
                            {"Number of satellites", "dz/dt (m/s)"},
                            {"Pressure (mb)", "Altitude (m)"}};

}  // namespace

TimeMergedTable XyGraphTables::rawTable(const Sounding& s) {
    return TimeMergedTable({s.series("RawTime"), s.series("RawPres"), s.series("RawAlt"), s.series("RawTdry"),
                            s.series("RawRH"), s.series("RawWspd"), s.series("RawWdir"), s.series("RawDz"),
                            s.series("RawSats")});
}

TimeMergedTable XyGraphTables::qcTable(const Sounding& s, const std::string& finalAltitude) {
    return TimeMergedTable({s.series("QCTime"), s.series("QCPres"), s.series("QCTdry"), s.series("QCRH"),
                            s.series("QCWspd"), s.series("QCWdir"), s.series(finalAltitude), s.series("QCLat"),
                            s.series("QCLon"), s.series("QCDz")});
}

XyAxisRange paddedRange(const std::vector<const std::vector<double>*>& values) {
    double low = 1e300, high = -1e300;
    for (const std::vector<double>* v : values)
        for (double x : *v)
            if (std::isfinite(x)) {
                low = std::min(low, x);
                high = std::max(high, x);
            }
    if (high < low) return {};
    const double margin = high > low ? 0.05 * (high - low) : 1.0;
    return {low - margin, high + margin};
}

namespace {

// How the QC altitudes were found, for the note under the graph.
std::string altitudeNote(const std::string& series) {
    std::string how;
    if (series == "QCAltUp") how = "hydrostatic, integrated upward from the surface";
    else if (series == "QCAltDn") how = "hydrostatic, integrated downward from the launch";
    else if (series == "QCAltMissing") how = "set missing";
    else return {};
    return "Raw altitudes are those in the file (RawAlt); QC altitudes are " + how + " (" + series + ").";
}

}  // namespace

XyGraph buildXyGraph(const XyGraphSettings& settings, const XyGraphTables& tables, const std::vector<Level>* levels,
                     const std::string& banner, const std::string& caption) {
    XyGraph g;
    const int kind = static_cast<int>(settings.kind);
    switch (settings.xMode) {
        case XyXMode::Time:
            g.xTitle = "Time (s)";
            g.title = std::string(KindTitles[kind]) + "versus Time";
            g.xAxisFlag = !settings.ascending;
            break;
        case XyXMode::Pressure:
            g.xTitle = "Pressure (mb)";
            g.title = std::string(KindTitles[kind]) + "versus Pressure";
            g.xAxisFlag = true;
            break;
        case XyXMode::Altitude:
            g.xTitle = "Altitude (m)";
            g.title = std::string(KindTitles[kind]) + "versus Altitude";
            g.xAxisFlag = false;
            break;
    }
    if (!caption.empty()) g.title += ": " + caption;
    g.subtitle = banner;
    g.xMode = settings.xMode;
    g.markPoints = settings.markPoints;
    g.yTitle[0] = YTitles[kind][0];
    g.yTitle[1] = YTitles[kind][1];

    const bool rawShown = settings.showRaw && tables.raw.rows() > 0;
    const bool qcShown = settings.showQC && tables.qc.rows() > 0;
    for (const CurveSpec& spec : curveSpecs(settings.kind)) {
        if (spec.raw ? !rawShown : !qcShown) continue;
        const TimeMergedTable& table = spec.raw ? tables.raw : tables.qc;
        XyCurve curve;
        curve.label = spec.label;
        curve.raw = spec.raw;
        curve.axis = spec.axis;
        const int xc = xColumn(settings.xMode, spec.raw);
        for (std::size_t r = 0; r < table.rows(); ++r) {
            const auto x = xValue(table, r, xc, settings.xMode);
            if (!x || !table.present(r, static_cast<std::size_t>(spec.column))) continue;
            curve.x.push_back(*x);
            curve.y.push_back(table.value(r, static_cast<std::size_t>(spec.column)));
        }
        if (spec.marked && settings.markLevels && levels)
            for (const LevelGraphPoint& p : levelGraphPoints(*levels, levelX(settings.xMode), spec.levelValue))
                curve.markers.push_back({p.x, p.y, p.label});
        g.curves.push_back(std::move(curve));
    }

    // Ranges follow the QC curves when they are shown; raw spikes are clipped.
    bool anyQC = false;
    for (const XyCurve& c : g.curves) anyQC = anyQC || !c.raw;
    auto ruling = [&](const XyCurve& c) { return !anyQC || !c.raw; };
    std::vector<const std::vector<double>*> xs, ys[2];
    for (const XyCurve& c : g.curves)
        if (ruling(c)) {
            xs.push_back(&c.x);
            ys[c.axis].push_back(&c.y);
        }
    g.xRange = paddedRange(xs);
    for (int axis : {0, 1}) g.yRange[axis] = paddedRange(ys[axis]);
    const bool altitudes = settings.xMode == XyXMode::Altitude || settings.kind == XyGraphKind::PressureAltitude;
    if (altitudes && rawShown && qcShown) g.note = altitudeNote(tables.qcAltitudeSeries);
    switch (settings.kind) {
        case XyGraphKind::Wind: {
            double largest = 0.0;
            for (const XyCurve& c : g.curves)
                if (c.axis == 0 && ruling(c))
                    for (double v : c.y) largest = std::max(largest, v);
            g.yRange[0] = {0.0, (std::trunc(0.2 * largest) + 1.0) * 5.0};
            g.yRange[1] = {0.0, 360.0};
            break;
        }
        case XyGraphKind::TemperatureHumidity:
            g.yRange[1] = {-1.0, 101.0};
            break;
        case XyGraphKind::SatellitesFallRate:
            if (settings.ascending) {
                g.yRange[0] = {0.0, 20.0};
                g.yRange[1] = {-5.0, 10.0};
            } else {
                g.yRange[0].min = -10.0;
                g.yRange[1] = {-30.0, 5.0};
            }
            break;
        case XyGraphKind::PressureAltitude:
            break;
    }
    return g;
}

std::string xyPointTip(const XyGraph& graph, std::size_t curve, std::size_t point) {
    if (curve >= graph.curves.size()) return {};
    const XyCurve& c = graph.curves[curve];
    if (point >= c.x.size()) return {};
    const char* format = graph.xMode == XyXMode::Time       ? "%s %.2f at %.1f s"
                         : graph.xMode == XyXMode::Pressure ? "%s %.2f at %.1f mb"
                                                            : "%s %.2f at %.0f m";
    return fmt::sprintf(format, c.label, c.y[point], c.x[point]);
}

}  // namespace velta
