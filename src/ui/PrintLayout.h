// Graphs are printed at a screen-like layout width and scaled onto the page,
// so that fonts and margins keep the proportions they have on screen.
#pragma once

#include <QPainter>
#include <QSizeF>
#include <optional>

namespace velta {

// Scales the painter so that a layout of the given width, and the height of
// the page's proportions, fills the printable area; that layout size, or
// nothing when the painter has no page to paint on.
inline std::optional<QSizeF> scaleToPage(QPainter& painter, double layoutWidth = 1100.0) {
    if (!painter.isActive()) return std::nullopt;
    const QRect page = painter.viewport();
    if (page.width() < 1 || page.height() < 1) return std::nullopt;
    const QSizeF layout(layoutWidth, layoutWidth * page.height() / page.width());
    painter.scale(page.width() / layout.width(), page.height() / layout.height());
    return layout;
}

}  // namespace velta
