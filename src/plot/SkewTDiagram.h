// The skew-T log-p diagram: the line families with their labels, the
// temperature and dew-point traces and the wind barbs, drawn on a plot
// surface, with zooming to a dragged rectangle.
#pragma once

#include <string>
#include <vector>

#include "plot/PlotSurface.h"
#include "plot/SkewTCoordinates.h"
#include "plot/SkewTData.h"

namespace velta {

// Line families at the given ranges.
// Isotherms from the tens below the temperature at the top-left corner, in
// steps of 10 while below tmax.
std::vector<double> isothermTemperatures(const SkewTRanges& ranges);
// Isobars every 100 mb from the hundreds at or below ptop up to pbot.
std::vector<double> isobarPressures(const SkewTRanges& ranges);
// Moist adiabats and mixing-ratio lines exist only down to 200 mb; none when
// the bottom of the diagram lies above 200 mb.
bool showsMoistLines(const SkewTRanges& ranges);

// The wind entries that get a barb: those within the pressure range, from the
// bottom up, the first of each of windCount equal bands of log p. None when
// windCount < 1.
std::vector<SkewTWind> barbWinds(const std::vector<SkewTWind>& winds, const SkewTRanges& ranges, int windCount);

// The ranges that show the sounding's traces: the pressure range of the data
// rounded out to 50 mb (never beyond 100 to 1050 mb), and a temperature span
// that holds every trace point with a margin on both sides. The default
// ranges when there are no trace points.
SkewTRanges dataRanges(const SkewTData& data);

class SkewTDiagram {
public:
    // windCount is NumberSkewTWinds; banner the first title line; fileName the
    // sounding file's path (only its name is shown); caption the second title
    // line (the sounding's name and time). The diagram starts at the ranges of
    // its data.
    SkewTDiagram(PlotSurface& surface, SkewTData data, int windCount, std::string banner, std::string fileName,
                 std::string caption = {});

    void draw();
    // Zooms to the surface's zoom rectangle (cut to the diagram box) and
    // redraws; a rectangle without width or height changes nothing.
    void zoomToSelection();
    // Back to the ranges of the data, redrawn.
    void resetZoom();
    // The whole diagram, 100 to 1050 mb and -40 to 40 deg C, redrawn.
    void showFullRange();

    const SkewTRanges& ranges() const { return coords_.ranges(); }
    void setRanges(const SkewTRanges& ranges) { coords_ = SkewTCoordinates(ranges); }
    const SkewTCoordinates& coordinates() const { return coords_; }

private:
    class Polyline;

    void drawWindBarbs();
    void drawIsotherms();
    void drawDryAdiabats();
    void drawIsobars();
    void drawMoistAdiabats();
    void drawMixingRatioLines();
    void drawTraces();
    void label(const std::string& text, double x, double y, PlotStyle style);

    PlotSurface& surface_;
    SkewTData data_;
    int windCount_;
    std::string banner_;
    std::string fileName_;
    std::string caption_;
    SkewTCoordinates coords_;
};

}  // namespace velta
