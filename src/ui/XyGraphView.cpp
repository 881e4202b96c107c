#include "ui/XyGraphView.h"

#include <QVBoxLayout>
#include <qcustomplot.h>

namespace velta {

namespace {

const QColor CurveColours[] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 150, 0), QColor(160, 0, 160)};

void applyRange(QCPAxis* axis, const XyAxisRange& range) {
    axis->rescale();
    QCPRange r = axis->range();
    if (range.min) r.lower = *range.min;
    if (range.max) r.upper = *range.max;
    if (r.lower < r.upper) axis->setRange(r);
}

}  // namespace

XyGraphView::XyGraphView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    plot_ = new QCustomPlot(this);
    plot_->setSelectionRectMode(QCP::srmZoom);
    plot_->yAxis2->setVisible(true);
    plot_->legend->setVisible(true);
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(0, 0, new QCPTextElement(plot_, QString(), QFont("sans", 10, QFont::Bold)));
    layout->addWidget(plot_);
}

void XyGraphView::show(const XyGraph& graph) {
    graph_ = graph;
    plot_->clearPlottables();
    plot_->clearItems();
    if (auto* title = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0)))
        title->setText(QString::fromStdString(graph.title + "\n" + graph.subtitle));
    plot_->xAxis->setLabel(QString::fromStdString(graph.xTitle));
    plot_->yAxis->setLabel(QString::fromStdString(graph.yTitle[0]));
    plot_->yAxis2->setLabel(QString::fromStdString(graph.yTitle[1]));
    plot_->xAxis->setRangeReversed(graph.xAxisFlag);

    curves_ = 0;
    for (const XyCurve& curve : graph.curves) {
        QCPAxis* yAxis = curve.axis == 1 ? plot_->yAxis2 : plot_->yAxis;
        auto* line = new QCPCurve(plot_->xAxis, yAxis);
        line->setName(QString::fromStdString(curve.label));
        line->setPen(QPen(CurveColours[curves_ % 4], 1));
        line->setData(QVector<double>(curve.x.begin(), curve.x.end()), QVector<double>(curve.y.begin(), curve.y.end()));
        ++curves_;
        if (curve.markers.empty()) continue;
        auto* marks = new QCPGraph(plot_->xAxis, yAxis);
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
        }
    }
    unzoom();
}

void XyGraphView::unzoom() {
    plot_->xAxis->rescale();
    applyRange(plot_->yAxis, graph_.yRange[0]);
    applyRange(plot_->yAxis2, graph_.yRange[1]);
    plot_->replot();
}

bool XyGraphView::saveImage(const QString& path, int width, int height, const char* format) {
    if (QByteArray(format) == "JPEG") return plot_->saveJpg(path, width, height);
    return plot_->savePng(path, width, height);
}

}  // namespace velta
