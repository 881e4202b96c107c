// A plot surface that keeps what was drawn on it.
#pragma once

#include <string>
#include <vector>

#include "plot/PlotSurface.h"

namespace velta::test {

struct DrawnLine {
    double x1, y1, x2, y2;
    PlotStyle style;
};

struct DrawnText {
    std::string text;
    double x, y;
    PlotStyle style;
};

class RecordingSurface : public PlotSurface {
public:
    void clear() override {
        calls.push_back("clear");
        lines.clear();
        texts.clear();
        temperature.clear();
        dewPoint.clear();
    }
    void drawLine(double x1, double y1, double x2, double y2, PlotStyle style) override {
        lines.push_back({x1, y1, x2, y2, style});
    }
    void drawText(const std::string& text, double x, double y, PlotStyle style) override {
        texts.push_back({text, x, y, style});
    }
    void addTemperaturePoint(double x, double y) override { temperature.push_back({x, y, x, y, PlotStyle::Isotherm}); }
    void addDewPointPoint(double x, double y) override { dewPoint.push_back({x, y, x, y, PlotStyle::Isotherm}); }
    void setTitles(const std::string& first, const std::string& second) override { titles = {first, second}; }
    void refresh() override { calls.push_back("refresh"); }
    PlotRect zoomRectangle() const override { return zoom; }
    double aspectRatio() const override { return aspect; }

    int count(PlotStyle style) const {
        int n = 0;
        for (const DrawnLine& l : lines) n += l.style == style;
        return n;
    }
    std::vector<std::string> textsOf(PlotStyle style) const {
        std::vector<std::string> out;
        for (const DrawnText& t : texts)
            if (t.style == style) out.push_back(t.text);
        return out;
    }

    std::vector<std::string> calls;
    std::vector<DrawnLine> lines;
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> temperature;
    std::vector<DrawnLine> dewPoint;
    std::vector<std::string> titles;
    PlotRect zoom;
    double aspect = 1.0;
};

}  // namespace velta::test
