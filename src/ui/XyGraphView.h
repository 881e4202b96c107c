// The XY graph in a window: the curves of buildXyGraph on a QCustomPlot with
// a left and a right y axis, level markers, zoom by dragging a rectangle,
// back to the full ranges, and image export.
#pragma once

#include <QWidget>

#include "plot/XyGraph.h"

class QCustomPlot;

namespace velta {

class XyGraphView : public QWidget {
    Q_OBJECT
public:
    explicit XyGraphView(QWidget* parent = nullptr);

    void show(const XyGraph& graph);
    // The full ranges of the graph shown.
    void unzoom();
    bool saveImage(const QString& path, int width, int height, const char* format);

    QCustomPlot* plot() const { return plot_; }
    int curveCount() const { return curves_; }

private:
    QCustomPlot* plot_ = nullptr;
    XyGraph graph_;
    int curves_ = 0;
};

}  // namespace velta
