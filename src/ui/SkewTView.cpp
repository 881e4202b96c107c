#include "ui/SkewTView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "ui/PrintLayout.h"

namespace velta {

SkewTView::SkewTView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

SkewTView::~SkewTView() = default;

void SkewTView::show(SkewTData data, int windCount, const std::string& banner, const std::string& fileName,
                     const std::string& caption) {
    diagram_ = std::make_unique<SkewTDiagram>(surface_, std::move(data), windCount, banner, fileName, caption);
    redrawFor(rect());
    update();
}

void SkewTView::redrawFor(const QRectF& rect) {
    if (!diagram_) return;
    const QRectF area = PlotPainterSurface::plotArea(rect);
    if (area.width() > 0) surface_.setAspectRatio(area.height() / area.width());
    diagram_->draw();
}

void SkewTView::zoomTo(const QPoint& from, const QPoint& to) {
    if (!diagram_) return;
    const QRectF area = PlotPainterSurface::plotArea(rect());
    if (area.width() <= 0 || area.height() <= 0) return;
    auto fx = [&](int x) { return (x - area.left()) / area.width(); };
    auto fy = [&](int y) { return (area.bottom() - y) / area.height(); };
    surface_.setZoomRectangle(PlotRect{fx(std::min(from.x(), to.x())), fy(std::max(from.y(), to.y())),
                                       fx(std::max(from.x(), to.x())), fy(std::min(from.y(), to.y()))});
    diagram_->zoomToSelection();
    update();
}

void SkewTView::unzoom() {
    if (!diagram_) return;
    diagram_->resetZoom();
    update();
}

void SkewTView::showFullRange() {
    if (!diagram_) return;
    diagram_->showFullRange();
    update();
}

bool SkewTView::saveImage(const QString& path, int width, int height, const char* format) {
    if (!diagram_ || width < 1 || height < 1) return false;
    QImage image(width, height, QImage::Format_RGB32);
    const QRectF into(0, 0, width, height);
    redrawFor(into);
    {
        QPainter painter(&image);
        surface_.paint(painter, into);
    }
    redrawFor(rect());
    return image.save(path, format);
}

void SkewTView::print(QPrinter& printer) {
    if (!diagram_) return;
    QPainter painter(&printer);
    const std::optional<QSizeF> layout = scaleToPage(painter);
    if (!layout) return;
    const QRectF into(QPointF(0, 0), *layout);
    redrawFor(into);
    surface_.paint(painter, into);
    redrawFor(rect());
}

void SkewTView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!diagram_) {
        painter.fillRect(rect(), Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, "The sounding has no QC data to draw.");
        return;
    }
    surface_.paint(painter, rect());
    if (dragStart_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(QRect(*dragStart_, dragNow_).normalized());
    }
}

void SkewTView::resizeEvent(QResizeEvent*) { redrawFor(rect()); }

void SkewTView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragStart_ = event->position().toPoint();
    dragNow_ = *dragStart_;
}

void SkewTView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragStart_) return;
    dragNow_ = event->position().toPoint();
    update();
}

void SkewTView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStart_ || event->button() != Qt::LeftButton) return;
    const QPoint start = *dragStart_;
    dragStart_.reset();
    zoomTo(start, event->position().toPoint());
}

}  // namespace velta
