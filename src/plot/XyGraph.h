// The XY graph: pairs of raw and QC series against time, pressure or
// altitude, with the axis titles, ranges and curve labels the graph shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "levels/Level.h"
#include "plot/TimeMergedTable.h"

namespace velta {

class Sounding;

enum class XyGraphKind { Wind = 0, TemperatureHumidity = 1, SatellitesFallRate = 2, PressureAltitude = 3 };
enum class XyXMode { Time = 0, Pressure = 1, Altitude = 2 };

// The raw and QC tables the graph reads, rebuilt when the sounding's raw or
// QC generation moves.
struct XyGraphTables {
    // Columns, in order.
    enum RawColumn : int { RawTime, RawPres, RawAlt, RawTdry, RawRH, RawWspd, RawWdir, RawDz, RawSats };
    enum QcColumn : int { QCTime, QCPres, QCTdry, QCRH, QCWspd, QCWdir, QCAlt, QCLat, QCLon, QCDz };

    TimeMergedTable raw;
    TimeMergedTable qc;
    // The series the QC altitudes come from (QCAltUp, QCAltDn, ...), for the
    // note that tells raw and QC altitudes apart.
    std::string qcAltitudeSeries;

    static TimeMergedTable rawTable(const Sounding& sounding);
    // finalAltitude names the altitude series of the QC run.
    static TimeMergedTable qcTable(const Sounding& sounding, const std::string& finalAltitude);
};

struct XyGraphSettings {
    XyGraphKind kind = XyGraphKind::TemperatureHumidity;
    XyXMode xMode = XyXMode::Time;
    bool showRaw = true;
    bool showQC = true;
    bool markLevels = false;
    // A symbol on every data point, which then answers the pointer with a tip.
    bool markPoints = false;
    bool ascending = false;
};

struct XyMarker {
    double x;
    double y;
    std::string label;
};

struct XyCurve {
    std::string label;
    bool raw = false;
    int axis = 0;  // 0 left, 1 right
    // Rows where both values are present, in table order.
    std::vector<double> x;
    std::vector<double> y;
    std::vector<XyMarker> markers;
};

// A bound that is absent is chosen by the graph.
struct XyAxisRange {
    std::optional<double> min;
    std::optional<double> max;
};

struct XyGraph {
    std::string title;
    std::string subtitle;
    std::string xTitle;
    // Set for pressure, and for time on a dropsonde: the axis runs from the
    // surface upward.
    bool xAxisFlag = false;
    std::string yTitle[2];
    XyAxisRange yRange[2];
    // From the QC curves with a margin, so that raw spikes do not squeeze the
    // graph; the raw curves are drawn clipped to it.
    XyAxisRange xRange;
    // Under the graph when raw and QC altitudes come from different sources.
    std::string note;
    std::vector<XyCurve> curves;
    XyXMode xMode = XyXMode::Time;
    bool markPoints = false;
};

// The tip of a data point of a curve: its label, value and x, such as
// "QC Temperature 24.31 at 1003.2 mb"; empty when there is no such point.
std::string xyPointTip(const XyGraph& graph, std::size_t curve, std::size_t point);

// The graph for the settings; levels (may be null) give the markers of the QC
// wind, temperature and humidity curves when markLevels is set. The caption
// (the sounding's name and time) ends the title.
XyGraph buildXyGraph(const XyGraphSettings& settings, const XyGraphTables& tables, const std::vector<Level>* levels,
                     const std::string& banner, const std::string& caption = {});

// The range of the values with a margin of 5 % of their span on each side (1
// when they are all equal); nothing for no values.
XyAxisRange paddedRange(const std::vector<const std::vector<double>*>& values);

}  // namespace velta
