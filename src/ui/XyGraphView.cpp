#include "ui/XyGraphView.h"

#include <QEvent>
#include <QPrinter>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "extern/VeltaDialogs.h"
#include "ui/PrintLayout.h"

namespace velta {

namespace {

const QColor CurveColours[] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 150, 0), QColor(160, 0, 160)};

// How near, in pixels, the pointer must come to a point for its tip.
constexpr double TipReach = 6.0;
// The tip sits this far below the pointer, clear of the point it describes.
constexpr int TipDrop = 20;

void applyRange(QCPAxis* axis, const XyAxisRange& range) {
    axis->rescale();
    QCPRange r = axis->range();
    if (range.min) r.lower = *range.min;
    if (range.max) r.upper = *range.max;
    if (r.lower < r.upper) axis->setRange(r);
}

}  // namespace

XyGraphView::XyGraphView(VeltaDialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    plot_ = new QCustomPlot(this);
    plot_->setSelectionRectMode(QCP::srmZoom);
    plot_->setMouseTracking(true);
    plot_->installEventFilter(this);
    plot_->yAxis2->setVisible(true);
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(0, 0, new QCPTextElement(plot_, QString(), QFont("sans", 10, QFont::Bold)));
    // The legend in one row under the graph, where it covers no data; the
    // note on the altitudes under it.
    plot_->legend->setVisible(true);
    plot_->legend->setFillOrder(QCPLegend::foColumnsFirst);
    plot_->axisRect()->insetLayout()->take(plot_->legend);
    auto* legendRow = new QCPLayoutGrid;
    plot_->plotLayout()->addElement(2, 0, legendRow);
    legendRow->setMargins(QMargins(0, 0, 0, 0));
    legendRow->addElement(0, 0, plot_->legend);
    plot_->plotLayout()->setRowStretchFactor(2, 0.001);
    note_ = new QCPTextElement(plot_, QString(), QFont("sans", 8));
    plot_->plotLayout()->addElement(3, 0, note_);
    plot_->plotLayout()->setRowStretchFactor(3, 0.001);
    // QC curves above the raw ones.
    plot_->addLayer("qc", plot_->layer("main"), QCustomPlot::limAbove);
    connect(plot_, &QCustomPlot::afterLayout, this, &XyGraphView::placeLabels);
    connect(plot_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        if (event->buttons() == Qt::NoButton) hoverAt(event->position().toPoint());
    });
    layout->addWidget(plot_);
}

XyGraphView::~XyGraphView() {
    if (maximized_) maximized_->window()->close();
}

void XyGraphView::show(const XyGraph& graph) {
    closeTip();
    graph_ = graph;
    plot_->clearPlottables();
    plot_->clearItems();
    labels_.clear();
    if (auto* title = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0)))
        title->setText(QString::fromStdString(graph.title + "\n" + graph.subtitle));
    note_->setText(QString::fromStdString(graph.note));
    note_->setVisible(!graph.note.empty());
    plot_->xAxis->setLabel(QString::fromStdString(graph.xTitle));
    plot_->yAxis->setLabel(QString::fromStdString(graph.yTitle[0]));
    plot_->yAxis2->setLabel(QString::fromStdString(graph.yTitle[1]));
    plot_->xAxis->setRangeReversed(graph.xAxisFlag);

    curves_ = 0;
    for (const XyCurve& curve : graph.curves) {
        QCPAxis* yAxis = curve.axis == 1 ? plot_->yAxis2 : plot_->yAxis;
        auto* line = new QCPCurve(plot_->xAxis, yAxis);
        line->setName(QString::fromStdString(curve.label));
        QColor colour = CurveColours[curves_ % 4];
        if (curve.raw) {
            colour.setAlpha(140);
            line->setPen(QPen(colour, 1));
        } else {
            line->setLayer("qc");
            line->setPen(QPen(colour, 2));
        }
        if (graph.markPoints) line->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, 4));
        line->setData(QVector<double>(curve.x.begin(), curve.x.end()), QVector<double>(curve.y.begin(), curve.y.end()));
        ++curves_;
        if (curve.markers.empty()) continue;
        auto* marks = new QCPGraph(plot_->xAxis, yAxis);
        marks->setLayer("qc");
        marks->removeFromLegend();
        marks->setLineStyle(QCPGraph::lsNone);
        marks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, Qt::black, 6));
        for (const XyMarker& marker : curve.markers) {
            marks->addData(marker.x, marker.y);
            auto* label = new QCPItemText(plot_);
            label->position->setAxes(plot_->xAxis, yAxis);
            label->position->setCoords(marker.x, marker.y);
            label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
            label->setText(QString::fromStdString(marker.label));
            label->setFont(QFont("sans", 7));
            label->setLayer("qc");
            labels_.push_back(label);
        }
    }
    unzoom();
    if (maximized_) {
        maximized_->show(graph);
        maximized_->window()->setWindowTitle(QString::fromStdString(graph.title));
    }
}

void XyGraphView::placeLabels() {
    // In the order of the curves and levels: a label that would cover one
    // already kept, or stand outside the axes, is left out.
    std::vector<QRectF> kept;
    const QRectF inside = plot_->axisRect()->rect();
    const QFontMetricsF metrics(QFont("sans", 7));
    for (QCPItemText* label : labels_) {
        const QPointF at = label->position->pixelPosition();
        const QRectF box(at.x(), at.y() - metrics.height(), metrics.horizontalAdvance(label->text()) + 2,
                         metrics.height());
        bool clear = inside.contains(box);
        for (const QRectF& other : kept) clear = clear && !other.intersects(box);
        label->setVisible(clear);
        if (clear) kept.push_back(box);
    }
}

int XyGraphView::visibleLabelCount() const {
    return static_cast<int>(std::count_if(labels_.begin(), labels_.end(), [](QCPItemText* l) { return l->visible(); }));
}

void XyGraphView::unzoom() {
    plot_->xAxis->rescale();
    applyRange(plot_->xAxis, graph_.xRange);
    applyRange(plot_->yAxis, graph_.yRange[0]);
    applyRange(plot_->yAxis2, graph_.yRange[1]);
    plot_->replot();
}

bool XyGraphView::saveImage(const QString& path, int width, int height, const char* format) {
    if (QByteArray(format) == "JPEG") return plot_->saveJpg(path, width, height);
    return plot_->savePng(path, width, height);
}

void XyGraphView::print(QPrinter& printer) {
    QCPPainter painter(&printer);
    const std::optional<QSizeF> layout = scaleToPage(painter);
    if (!layout) return;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot_->toPainter(&painter, qRound(layout->width()), std::max(1, qRound(layout->height())));
}

std::optional<std::string> XyGraphView::tipAt(const QPointF& position) const {
    auto near = [&](const XyCurve& curve, double x, double y) {
        QCPAxis* yAxis = curve.axis == 1 ? plot_->yAxis2 : plot_->yAxis;
        const QPointF p(plot_->xAxis->coordToPixel(x), yAxis->coordToPixel(y));
        return std::hypot(p.x() - position.x(), p.y() - position.y()) <= TipReach;
    };
    for (const XyCurve& curve : graph_.curves)
        for (const XyMarker& marker : curve.markers)
            if (near(curve, marker.x, marker.y)) return marker.label;
    if (!graph_.markPoints || !plot_->axisRect()->rect().contains(position.toPoint())) return std::nullopt;
    for (std::size_t c = 0; c < graph_.curves.size(); ++c) {
        const XyCurve& curve = graph_.curves[c];
        for (std::size_t i = 0; i < curve.x.size(); ++i)
            if (near(curve, curve.x[i], curve.y[i])) return xyPointTip(graph_, c, i);
    }
    return std::nullopt;
}

void XyGraphView::hoverAt(const QPoint& position) {
    const std::optional<std::string> text = tipAt(position);
    if (!text) {
        closeTip();
        return;
    }
    if (!tip_ || *text != tipText_) {
        closeTip();
        tip_ = dialogs_.tip(*text);
        tipText_ = *text;
    }
    if (tip_) {
        const QPoint at = plot_->mapToGlobal(position) + QPoint(0, TipDrop);
        tip_->moveTo(at.x(), at.y());
    }
}

void XyGraphView::closeTip() {
    tip_.reset();
    tipText_.clear();
}

bool XyGraphView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plot_ && event->type() == QEvent::Leave) closeTip();
    return QWidget::eventFilter(watched, event);
}

XyGraphView* XyGraphView::openMaximized() {
    if (!maximized_) {
        auto* window = new QWidget(this->window(), Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QString::fromStdString(graph_.title));
        new QShortcut(QKeySequence(Qt::Key_Escape), window, [window] { window->close(); });
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        maximized_ = new XyGraphView(dialogs_, window);
        layout->addWidget(maximized_);
        maximized_->show(graph_);
    }
    QWidget* window = maximized_->window();
    window->showMaximized();
    window->raise();
    window->activateWindow();
    return maximized_;
}

}  // namespace velta
