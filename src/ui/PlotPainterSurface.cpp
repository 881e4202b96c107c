#include "ui/PlotPainterSurface.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include "plot/SkewTCoordinates.h"

namespace velta {

namespace {

// The diagram box in plot-area fractions; the traces stay inside it.
constexpr double BoxLow = 0.07;
constexpr double BoxHigh = 0.9;

QPen penFor(PlotStyle style) {
    switch (style) {
        case PlotStyle::DryAdiabat: return QPen(QColor(200, 120, 0), 0, Qt::SolidLine);
        case PlotStyle::Isobar: return QPen(QColor(90, 90, 90), 0, Qt::SolidLine);
        case PlotStyle::MoistAdiabat: return QPen(QColor(120, 160, 150), 0, Qt::DashLine);
        case PlotStyle::Isotherm: return QPen(QColor(0, 0, 160), 0, Qt::SolidLine);
        case PlotStyle::MixingRatio: return QPen(QColor(160, 0, 160), 0, Qt::DotLine);
    }
    return QPen(Qt::black);
}

}  // namespace

void PlotPainterSurface::clear() {
    lines_.clear();
    texts_.clear();
    temperature_.clear();
    dewPoint_.clear();
    titles_[0].clear();
    titles_[1].clear();
}

void PlotPainterSurface::drawLine(double x1, double y1, double x2, double y2, PlotStyle style) {
    lines_.push_back(Line{QPointF(x1, y1), QPointF(x2, y2), style});
}

void PlotPainterSurface::drawText(const std::string& text, double x, double y, PlotStyle style) {
    texts_.push_back(Text{text, QPointF(x, y), style});
}

void PlotPainterSurface::addTemperaturePoint(double x, double y) { temperature_.emplace_back(x, y); }
void PlotPainterSurface::addDewPointPoint(double x, double y) { dewPoint_.emplace_back(x, y); }

void PlotPainterSurface::setTitles(const std::string& first, const std::string& second) {
    titles_[0] = first;
    titles_[1] = second;
}

QRectF PlotPainterSurface::plotArea(const QRectF& into) {
    const double titleHeight = std::min(40.0, into.height() * 0.08);
    const QRectF free(into.left(), into.top() + titleHeight, into.width(), into.height() - titleHeight);
    // Letterboxed to height / width = 1 / skew, so that isotherms run at 45 degrees.
    constexpr double aspect = 1.0 / SkewTCoordinates::Skew;
    if (free.width() <= 0 || free.height() <= 0) return free;
    if (free.height() / free.width() > aspect) {
        const double h = free.width() * aspect;
        return QRectF(free.left(), free.top() + (free.height() - h) / 2, free.width(), h);
    }
    const double w = free.height() / aspect;
    return QRectF(free.left() + (free.width() - w) / 2, free.top(), w, free.height());
}

void PlotPainterSurface::paint(QPainter& painter, const QRectF& into) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(into, Qt::white);
    const QRectF area = plotArea(into);
    auto map = [&](const QPointF& p) {
        return QPointF(area.left() + p.x() * area.width(), area.bottom() - p.y() * area.height());
    };

    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(area.height() / 60)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF titleBox(into.left(), into.top(), into.width(), area.top() - into.top());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromStdString(titles_[0] + "\n" + titles_[1]));

    for (const Line& line : lines_) {
        painter.setPen(penFor(line.style));
        painter.drawLine(map(line.from), map(line.to));
    }
    const QFontMetricsF metrics(font);
    for (const Text& text : texts_) {
        QString shown = QString::fromStdString(text.text);
        Qt::Alignment align = Qt::AlignLeft;
        if (shown.startsWith("|l")) shown = shown.mid(2);
        else if (shown.startsWith("|c")) shown = shown.mid(2), align = Qt::AlignHCenter;
        else if (shown.startsWith("|r")) shown = shown.mid(2), align = Qt::AlignRight;
        const QPointF at = map(text.at);
        const double width = metrics.horizontalAdvance(shown);
        double left = at.x();
        if (align == Qt::AlignHCenter) left -= width / 2;
        if (align == Qt::AlignRight) left -= width;
        painter.setPen(penFor(text.style).color());
        painter.drawText(QPointF(left, at.y()), shown);
    }

    const QPointF boxLow = map(QPointF(BoxLow, BoxHigh));
    const QPointF boxHigh = map(QPointF(BoxHigh, BoxLow));
    painter.setClipRect(QRectF(boxLow, boxHigh));
    auto trace = [&](const std::vector<QPointF>& points, const QColor& colour) {
        if (points.size() < 2) return;
        QPainterPath path(map(points.front()));
        for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(map(points[i]));
        painter.setPen(QPen(colour, std::max(1.5, area.width() / 500)));
        painter.drawPath(path);
    };
    trace(temperature_, Qt::red);
    trace(dewPoint_, QColor(0, 160, 0));
    painter.restore();
}

}  // namespace velta
