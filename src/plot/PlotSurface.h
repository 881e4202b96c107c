// What the skew-T diagram draws on. Positions are fractions of the plot area:
// X from 0 (left) to 1 (right), Y from 0 (bottom) to 1 (top).
#pragma once

#include <string>

namespace velta {

// Line styles, one per family.
enum class PlotStyle : int {
    DryAdiabat = 0,
    Isobar = 1,
    MoistAdiabat = 2,
    Isotherm = 3,  // also the wind barbs
    MixingRatio = 4,
};

struct PlotRect {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
};

class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    virtual void clear() = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, PlotStyle style) = 0;
    // A text starting with "|l", "|c" or "|r" is left-, centre- or
    // right-aligned at the point; those two characters are not shown.
    virtual void drawText(const std::string& text, double x, double y, PlotStyle style) = 0;
    // Trace points may lie outside the diagram box (a zoomed view); the
    // surface shows the traces only inside it.
    virtual void addTemperaturePoint(double x, double y) = 0;
    virtual void addDewPointPoint(double x, double y) = 0;
    virtual void setTitles(const std::string& first, const std::string& second) = 0;
    virtual void refresh() = 0;
    // The rectangle the user dragged.
    virtual PlotRect zoomRectangle() const = 0;
    // Height of the plot area per its width.
    virtual double aspectRatio() const = 0;
};

}  // namespace velta
