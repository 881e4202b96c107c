#include "plot/SkewTDiagram.h"

#include <fmt/printf.h>
#include <algorithm>
#include <cmath>
#include <utility>

#include "plot/LineClipper.h"
#include "plot/MoistAdiabat.h"
#include "plot/WindBarb.h"
#include "qc/MetFormulas.h"

namespace velta {

namespace {

constexpr double MoistTopPressure = 200.0;
constexpr int AdiabatSteps = 15;
constexpr int MixingRatioSteps = 5;
constexpr double MixingRatios[] = {0.1, 0.2, 0.4, 1, 2, 3, 5, 8, 12, 16, 20, 30, 40, 50, 60};
// The wind strip right of the diagram box, in plot-area fractions.
constexpr double StripLeft = 0.9;
constexpr double StripWidth = 0.1;

std::string format(const char* pattern, double value) {
    return fmt::sprintf(pattern, value);
}

// Temperature (deg C) on a mixing-ratio line of w g/kg at p mb.
double mixingRatioTemperature(double w, double p) {
    const double e = p * w / (w + 622.0);
    return 1367.525475 / (std::sqrt(10.013 * std::log(6.1078 / e) + 393.5950469929) - 14.83273) - 273.16;
}

}  // namespace

// A family member drawn segment by segment, each clipped to the box; it
// remembers the first and the last point that survived clipping.
class SkewTDiagram::Polyline {
public:
    Polyline(PlotSurface& surface, PlotStyle style) : surface_(surface), style_(style) {}

    void to(DiagramPoint p) {
        if (started_) segment(last_, p);
        last_ = p;
        started_ = true;
    }
    // Ends the line here; the next point starts a new piece.
    void breakLine() { started_ = false; }

    void segment(DiagramPoint a, DiagramPoint b) {
        Segment s{a.x, a.y, b.x, b.y};
        if (!clipToUnitSquare(s)) return;
        surface_.drawLine(SkewTCoordinates::plotX(s.x1), SkewTCoordinates::plotY(s.y1),
                          SkewTCoordinates::plotX(s.x2), SkewTCoordinates::plotY(s.y2), style_);
        if (!visible_) first_ = {s.x1, s.y1};
        visible_ = true;
        lastVisible_ = {s.x2, s.y2};
    }

    bool visible() const { return visible_; }
    DiagramPoint firstVisible() const { return first_; }
    DiagramPoint lastVisible() const { return lastVisible_; }

private:
    PlotSurface& surface_;
    PlotStyle style_;
    DiagramPoint last_;
    bool started_ = false;
    bool visible_ = false;
    DiagramPoint first_;
    DiagramPoint lastVisible_;
};

std::vector<double> isothermTemperatures(const SkewTRanges& r) {
    const double topLeft = (0.0 - 1.0 / SkewTCoordinates::Skew) * (r.tmax - r.tmin) + r.tmin;
    std::vector<double> out;
    for (double t = std::floor(topLeft / 10.0) * 10.0; t < r.tmax; t += 10.0) out.push_back(t);
    return out;
}

std::vector<double> isobarPressures(const SkewTRanges& r) {
    std::vector<double> out;
    for (double p = std::floor(0.01 * r.ptop) * 100.0; p <= r.pbot; p += 100.0) out.push_back(p);
    return out;
}

bool showsMoistLines(const SkewTRanges& r) { return r.pbot >= MoistTopPressure; }

std::vector<SkewTWind> barbWinds(const std::vector<SkewTWind>& winds, const SkewTRanges& r, int windCount) {
    std::vector<SkewTWind> out;
    if (windCount < 1) return out;
    std::vector<SkewTWind> inRange;
    for (const SkewTWind& w : winds)
        if (w.pressure >= r.ptop && w.pressure <= r.pbot) inRange.push_back(w);
    std::stable_sort(inRange.begin(), inRange.end(),
                     [](const SkewTWind& a, const SkewTWind& b) { return a.pressure > b.pressure; });
    if (r.pbot - r.ptop < 1.0) return inRange;
    const double bandWidth = (std::log10(r.pbot) - std::log10(r.ptop)) / windCount;
    long lastBand = -1;
    for (const SkewTWind& w : inRange) {
        const long band = static_cast<long>(std::trunc((std::log10(r.pbot) - std::log10(w.pressure)) / bandWidth));
        if (band == lastBand) continue;
        lastBand = band;
        out.push_back(w);
    }
    return out;
}

SkewTRanges dataRanges(const SkewTData& data) {
    SkewTRanges r;
    double pmin = r.pbot, pmax = r.ptop;
    bool any = false;
    for (const auto* trace : {&data.temperature, &data.dewPoint})
        for (const SkewTPoint& p : *trace)
            if (p.pressure > 0.0 && std::isfinite(p.pressure) && std::isfinite(p.temperature)) {
                pmin = std::min(pmin, p.pressure);
                pmax = std::max(pmax, p.pressure);
                any = true;
            }
    if (!any) return r;
    const double margin = 0.05 * (pmax - pmin) + 5.0;
    r.ptop = std::clamp(std::floor((pmin - margin) / 50.0) * 50.0, 100.0, 1000.0);
    r.pbot = std::clamp(std::ceil((pmax + margin) / 50.0) * 50.0, r.ptop + 50.0, 1050.0);
    // The span in deg C grows from a minimum until every point fits between
    // 5 % and 95 % of the box width; x depends on the span through the skew.
    double span = std::clamp(80.0 * std::log10(r.pbot / r.ptop) / std::log10(1050.0 / 100.0), 30.0, 80.0);
    for (int round = 0; round < 4; ++round) {
        r.tmin = 0.0;
        r.tmax = span;
        const SkewTCoordinates c(r);
        double low = 1e300, high = -1e300;
        for (const auto* trace : {&data.temperature, &data.dewPoint})
            for (const SkewTPoint& p : *trace) {
                if (!(p.pressure >= r.ptop && p.pressure <= r.pbot) || !std::isfinite(p.temperature)) continue;
                const double x = c.toDiagram(p.temperature, p.pressure).x * span;  // deg C from tmin = 0
                low = std::min(low, x);
                high = std::max(high, x);
            }
        if (high < low) break;
        if (high - low > 0.85 * span) {
            span = std::ceil((high - low) / 0.85 / 10.0) * 10.0;
            continue;
        }
        r.tmin = std::floor(((low + high) / 2.0 - span / 2.0) / 5.0) * 5.0;
        r.tmax = r.tmin + span;
        return r;
    }
    r.tmin = -span / 2.0;
    r.tmax = span / 2.0;
    return r;
}

SkewTDiagram::SkewTDiagram(PlotSurface& surface, SkewTData data, int windCount, std::string banner,
                           std::string fileName, std::string caption)
    : surface_(surface),
      data_(std::move(data)),
      windCount_(windCount),
      banner_(std::move(banner)),
      fileName_(std::move(fileName)),
      caption_(std::move(caption)),
      coords_(dataRanges(data_)) {}

void SkewTDiagram::label(const std::string& text, double x, double y, PlotStyle style) {
    surface_.drawText(text, SkewTCoordinates::plotX(x), SkewTCoordinates::plotY(y), style);
}

void SkewTDiagram::draw() {
    surface_.clear();
    drawWindBarbs();
    drawIsotherms();
    drawDryAdiabats();
    drawIsobars();
    drawMoistAdiabats();
    drawMixingRatioLines();
    drawTraces();
    surface_.setTitles(banner_, caption_);
    const auto slash = fileName_.find_last_of("\\/");
    surface_.drawText("|l" + (slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1)), 0.01, 0.01,
                      PlotStyle::Isotherm);
    // Axis titles: temperature under the bottom labels, pressure above the left ones.
    surface_.drawText("|rTemperature (\u00B0C)", SkewTCoordinates::BoxHigh, 0.01, PlotStyle::Isobar);
    surface_.drawText("|lPressure (mb)", 0.005, SkewTCoordinates::BoxHigh + 0.05, PlotStyle::Isobar);
    surface_.refresh();
}

void SkewTDiagram::drawWindBarbs() {
    const double aspect = surface_.aspectRatio() > 0.0 && std::isfinite(surface_.aspectRatio())
                              ? surface_.aspectRatio()
                              : 1.0;
    // A barb reaches up to its staff's length (0.4 strip widths) from its
    // point in y; barbs closer than that would cross, and one nearer the edge
    // of the box than that would leave it.
    const double reach = 0.4 * StripWidth / aspect;
    double lastY = -1e300;
    for (const SkewTWind& w : barbWinds(data_.winds, ranges(), windCount_)) {
        const double y = SkewTCoordinates::plotY(coords_.y(w.pressure));
        if (y - lastY < reach * 1.05) continue;
        const std::vector<Segment> strokes =
            windBarbStrokes(StripLeft + 0.5 * StripWidth, y, w.speed, w.direction, aspect);
        bool inside = true;
        for (const Segment& s : strokes)
            inside = inside && std::min(s.y1, s.y2) >= 0.0 && std::max(s.y1, s.y2) <= 1.0 &&
                     std::max(s.x1, s.x2) <= 1.0 && std::min(s.x1, s.x2) >= SkewTCoordinates::BoxHigh;
        if (!inside) continue;
        lastY = y;
        for (const Segment& s : strokes) surface_.drawLine(s.x1, s.y1, s.x2, s.y2, PlotStyle::Isotherm);
    }
}

void SkewTDiagram::drawIsotherms() {
    for (double t : isothermTemperatures(ranges())) {
        Polyline line(surface_, PlotStyle::Isotherm);
        line.segment(coords_.toDiagram(t, ranges().ptop), coords_.toDiagram(t, ranges().pbot));
        if (!line.visible()) continue;
        // Along the bottom axis where the isotherm meets it, otherwise above
        // the top edge where it enters the box.
        const double bottomX = coords_.x(t, 0.0);
        if (bottomX >= 0.0 && bottomX <= 1.0)
            label(format("|c%.0f", t), bottomX, -0.045, PlotStyle::Isotherm);
        else
            label(format("|c%.0f", t), coords_.x(t, 1.0), 1.012, PlotStyle::Isotherm);
    }
}

void SkewTDiagram::drawDryAdiabats() {
    const double top = std::log10(ranges().ptop);
    const double bottom = std::log10(ranges().pbot);
    const double step = (bottom - top) / AdiabatSteps;
    for (double theta = -50.0; theta <= 180.0; theta += 10.0) {
        Polyline line(surface_, PlotStyle::DryAdiabat);
        for (int i = 0; i <= AdiabatSteps; ++i) {
            const double p = std::pow(10.0, bottom - i * step);
            const double t = (theta + 273.16) * std::pow(0.001 * p, 0.288) - 273.16;
            line.to(coords_.toDiagram(t, p));
        }
        if (line.visible()) label(format("|c%.0f", theta), line.lastVisible().x, line.lastVisible().y, PlotStyle::DryAdiabat);
    }
}

void SkewTDiagram::drawIsobars() {
    for (double p : isobarPressures(ranges())) {
        const double y = coords_.y(p);
        Polyline line(surface_, PlotStyle::Isobar);
        line.segment({0.0, y}, {1.0, y});
        if (line.visible()) label(format("|r%4.0f", p), -0.03, y - 0.01, PlotStyle::Isobar);
    }
}

void SkewTDiagram::drawMoistAdiabats() {
    if (!showsMoistLines(ranges())) return;
    const double top = std::log10(std::max(ranges().ptop, MoistTopPressure));
    const double bottom = std::log10(ranges().pbot);
    const double step = (bottom - top) / AdiabatSteps;
    const MetFormulas met;
    for (double t1000 = -40.0; t1000 <= 35.0; t1000 += 5.0) {
        const double target = met.equivalentPotentialTemperature(t1000 + 273.16, t1000 + 273.16, 1000.0);
        Polyline line(surface_, PlotStyle::MoistAdiabat);
        for (int i = 0; i <= AdiabatSteps; ++i) {
            const double p = std::pow(10.0, std::max(bottom - i * step, top));
            if (const auto kelvin = moistAdiabatTemperature(target, p))
                line.to(coords_.toDiagram(*kelvin - 273.16, p));
            else
                line.breakLine();
        }
        if (line.visible())
            label(format("|c%3.0f", t1000), line.lastVisible().x, line.lastVisible().y, PlotStyle::MoistAdiabat);
    }
}

void SkewTDiagram::drawMixingRatioLines() {
    if (!showsMoistLines(ranges())) return;
    const double top = std::log10(std::max(ranges().ptop, MoistTopPressure));
    const double bottom = std::log10(ranges().pbot);
    const double step = (bottom - top) / MixingRatioSteps;
    for (double w : MixingRatios) {
        Polyline line(surface_, PlotStyle::MixingRatio);
        for (int i = 0; i <= MixingRatioSteps; ++i) {
            const double p = std::pow(10.0, std::min(top + i * step, bottom));
            line.to(coords_.toDiagram(mixingRatioTemperature(w, p), p));
        }
        if (line.visible())
            label(format(w < 1.0 ? "|r%.1f" : "|r%.0f", w), line.lastVisible().x, line.lastVisible().y,
                  PlotStyle::MixingRatio);
    }
}

void SkewTDiagram::drawTraces() {
    for (const SkewTPoint& p : data_.temperature) {
        if (!(p.pressure > 0.0)) continue;
        const DiagramPoint d = coords_.toDiagram(p.temperature, p.pressure);
        surface_.addTemperaturePoint(SkewTCoordinates::plotX(d.x), SkewTCoordinates::plotY(d.y));
    }
    for (const SkewTPoint& p : data_.dewPoint) {
        if (!(p.pressure > 0.0)) continue;
        const DiagramPoint d = coords_.toDiagram(p.temperature, p.pressure);
        surface_.addDewPointPoint(SkewTCoordinates::plotX(d.x), SkewTCoordinates::plotY(d.y));
    }
}

void SkewTDiagram::zoomToSelection() {
    const PlotRect r = surface_.zoomRectangle();
    auto clamp = [](double v) { return std::clamp(v, SkewTCoordinates::BoxLow, SkewTCoordinates::BoxHigh); };
    if (!std::isfinite(r.left) || !std::isfinite(r.right) || !std::isfinite(r.bottom) || !std::isfinite(r.top)) return;
    const double left = clamp(std::min(r.left, r.right));
    const double right = clamp(std::max(r.left, r.right));
    const double bottom = clamp(std::min(r.bottom, r.top));
    const double top = clamp(std::max(r.bottom, r.top));
    if (right - left < 1e-6 || top - bottom < 1e-6) return;
    const double xl = SkewTCoordinates::diagramX(left);
    const double xr = SkewTCoordinates::diagramX(right);
    const double yb = SkewTCoordinates::diagramY(bottom);
    const double yt = SkewTCoordinates::diagramY(top);
    SkewTRanges zoomed;
    zoomed.ptop = coords_.pressure(yt);
    zoomed.pbot = coords_.pressure(yb);
    zoomed.tmin = coords_.temperature(xl, yb);
    zoomed.tmax = coords_.temperature(xr, yb);
    coords_ = SkewTCoordinates(zoomed);
    draw();
}

void SkewTDiagram::resetZoom() {
    coords_ = SkewTCoordinates(dataRanges(data_));
    draw();
}

void SkewTDiagram::showFullRange() {
    coords_ = SkewTCoordinates();
    draw();
}

}  // namespace velta
