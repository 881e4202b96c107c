// The XY graph in a window: the curves of buildXyGraph on a QCustomPlot with
// a left and a right y axis, level markers, point symbols, tips under the
// pointer, zoom by dragging a rectangle, back to the full ranges, a maximised
// copy in a window of its own, printing and image export.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "plot/XyGraph.h"

class QCustomPlot;
class QCPItemText;
class QCPTextElement;
class QPrinter;

namespace velta {

class TipWindow;
class VeltaDialogs;

class XyGraphView : public QWidget {
    Q_OBJECT
public:
    explicit XyGraphView(VeltaDialogs& dialogs, QWidget* parent = nullptr);
    ~XyGraphView() override;

    void show(const XyGraph& graph);
    const XyGraph& graph() const { return graph_; }
    // The full ranges of the graph shown.
    void unzoom();
    bool saveImage(const QString& path, int width, int height, const char* format);
    // Draws the graph across the printable area of one page.
    void print(QPrinter& printer);

    // The tip for the plot position: a level marker's label, or with point
    // symbols on, the value of the data point under it.
    std::optional<std::string> tipAt(const QPointF& position) const;
    // Shows, moves or closes the tip for the pointer at the plot position.
    void hoverAt(const QPoint& position);
    bool tipShown() const { return tip_ != nullptr; }

    // The graph in a maximised window of its own, updated by show; the same
    // window is raised when it is open already.
    XyGraphView* openMaximized();
    XyGraphView* maximized() const { return maximized_; }

    QCustomPlot* plot() const { return plot_; }
    int curveCount() const { return curves_; }
    // Level labels that stand clear of one another, as last laid out.
    int visibleLabelCount() const;
    int labelCount() const { return static_cast<int>(labels_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hides the level labels that would overlap; runs after every layout.
    void placeLabels();
    void closeTip();

    VeltaDialogs& dialogs_;
    QCustomPlot* plot_ = nullptr;
    QCPTextElement* note_ = nullptr;
    std::vector<QCPItemText*> labels_;
    XyGraph graph_;
    int curves_ = 0;
    std::unique_ptr<TipWindow> tip_;
    std::string tipText_;
    QPointer<XyGraphView> maximized_;
};

}  // namespace velta
