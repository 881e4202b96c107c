#include "ui/TextPagePrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace velta {
namespace {

constexpr int kTwipsPerInch = 1440;

QFont pageFont(int weight, bool italic) {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(200);  // twips: the painter's logical unit
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    return font;
}

// Text is placed by the top of its character cell.
void drawTextAt(QPainter& painter, int x, int top, const QString& text) {
    painter.drawText(x, top + QFontMetrics(painter.font()).ascent(), text);
}

}  // namespace

void printTextPages(QPrinter& printer, const std::vector<TextPage>& pages, const std::string& footer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    // Logical units are twips measured from the paper's top left corner.
    const double scale = static_cast<double>(printer.resolution()) / kTwipsPerInch;
    painter.translate(-(printable.left() - paper.left()), -(printable.top() - paper.top()));
    painter.scale(scale, scale);

    const QFont bold = pageFont(700, false), light = pageFont(300, true);
    QFont normal = pageFont(400, false);
    constexpr int kFooterRule = 14400;  // 10 inches down
    int lineHeight = 0;
    // The body font shrinks (to no less than 70 %) so that a page's lines fit
    // above the footer; what still does not fit continues on another sheet.
    auto fitBody = [&](std::size_t lines) {
        const QFontMetrics bm(bold);
        const int top = 3 * (bm.height() + bm.leading()) + 360;
        normal.setPixelSize(200);
        const QFontMetrics natural(normal);
        const int naturalHeight = natural.height() + natural.leading();
        const double room = kFooterRule - top - naturalHeight / 2.0;
        const double needed = (static_cast<double>(lines) + 2.0) * naturalHeight;
        const double factor = needed > room ? std::max(0.7, room / needed) : 1.0;
        normal.setPixelSize(static_cast<int>(200 * factor));
        const QFontMetrics fitted(normal);
        lineHeight = fitted.height() + fitted.leading();
    };
    int sheet = 0;
    auto startSheet = [&](const std::string& heading) {
        if (sheet > 0) printer.newPage();
        ++sheet;
        painter.setFont(bold);
        const int h = QFontMetrics(bold).height() + QFontMetrics(bold).leading();
        drawTextAt(painter, 720, h + 360, QString::fromStdString(heading));
        const int rule = 3 * h + 360;
        painter.drawLine(720, rule, 11160, rule);
        painter.setFont(normal);
        return rule + 2 * lineHeight;
    };
    auto endSheet = [&] {
        painter.drawLine(720, kFooterRule, 11160, kFooterRule);
        painter.setFont(light);
        drawTextAt(painter, 720, kFooterRule + 180, QString::fromStdString(footer));
        const int charWidth = QFontMetrics(light).averageCharWidth();
        drawTextAt(painter, 11160 - 8 * charWidth, kFooterRule + 180, QString::asprintf("Page %3d", sheet));
    };
    for (const TextPage& page : pages) {
        fitBody(page.lines.size());
        int y = startSheet(page.heading);
        for (const std::string& line : page.lines) {
            // A line that would reach the footer rule goes onto a continuation sheet.
            if (y + lineHeight > kFooterRule - lineHeight / 2) {
                endSheet();
                y = startSheet(page.heading + " (continued)");
            }
            drawTextAt(painter, 720, y, QString::fromStdString(line));
            y += lineHeight;
        }
        endSheet();
    }
    painter.end();
}

}  // namespace velta
