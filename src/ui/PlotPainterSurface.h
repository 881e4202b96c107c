// A plot surface that keeps what the skew-T draws and paints it with a
// QPainter into any rectangle: the page's widget or an image of any size.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <string>
#include <vector>

#include "plot/PlotSurface.h"

namespace velta {

class PlotPainterSurface : public PlotSurface {
public:
    void clear() override;
    void drawLine(double x1, double y1, double x2, double y2, PlotStyle style) override;
    void drawText(const std::string& text, double x, double y, PlotStyle style) override;
    void addTemperaturePoint(double x, double y) override;
    void addDewPointPoint(double x, double y) override;
    void setTitles(const std::string& first, const std::string& second) override;
    void refresh() override { ++refreshes_; }
    PlotRect zoomRectangle() const override { return zoom_; }
    double aspectRatio() const override { return aspect_; }

    // The window the diagram is painted into sets these.
    void setZoomRectangle(const PlotRect& rect) { zoom_ = rect; }
    void setAspectRatio(double ratio) { aspect_ = ratio; }

    // Paints everything drawn since the last clear into the rectangle. The
    // titles take the top of it; the plot area is the rest.
    void paint(QPainter& painter, const QRectF& into) const;
    // The plot area of paint for that rectangle.
    static QRectF plotArea(const QRectF& into);

    std::size_t lineCount() const { return lines_.size(); }
    std::size_t temperaturePointCount() const { return temperature_.size(); }
    int refreshes() const { return refreshes_; }

private:
    struct Line {
        QPointF from, to;
        PlotStyle style;
    };
    struct Text {
        std::string text;
        QPointF at;
        PlotStyle style;
    };

    std::vector<Line> lines_;
    std::vector<Text> texts_;
    std::vector<QPointF> temperature_;
    std::vector<QPointF> dewPoint_;
    std::string titles_[2];
    PlotRect zoom_;
    double aspect_ = 0.7;
    int refreshes_ = 0;
};

}  // namespace velta
