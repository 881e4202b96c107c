// The skew-T diagram in a window: painted through a PlotPainterSurface,
// zoomed by dragging a rectangle, printed, and exported as an image of any size.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "plot/SkewTDiagram.h"
#include "ui/PlotPainterSurface.h"

class QPrinter;

namespace velta {

class SkewTView : public QWidget {
    Q_OBJECT
public:
    explicit SkewTView(QWidget* parent = nullptr);
    ~SkewTView() override;

    // A new diagram at the default ranges.
    void show(SkewTData data, int windCount, const std::string& banner, const std::string& fileName,
              const std::string& caption = {});
    bool hasDiagram() const { return diagram_ != nullptr; }
    const SkewTDiagram* diagram() const { return diagram_.get(); }

    // Zooms to the rectangle between the two widget points.
    void zoomTo(const QPoint& from, const QPoint& to);
    void unzoom();
    // The whole diagram whatever the data.
    void showFullRange();
    // The diagram as a width × height image in the file's format; false when
    // it cannot be written.
    bool saveImage(const QString& path, int width, int height, const char* format);
    // Draws the diagram across the printable area of one page.
    void print(QPrinter& printer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redrawFor(const QRectF& rect);

    PlotPainterSurface surface_;
    std::unique_ptr<SkewTDiagram> diagram_;
    std::optional<QPoint> dragStart_;
    QPoint dragNow_;
};

}  // namespace velta
