#include "ui/TextPagePrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

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

    const QFont bold = pageFont(700, false), normal = pageFont(400, false), light = pageFont(300, true);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) printer.newPage();
        painter.setFont(bold);
        const int h = QFontMetrics(bold).height() + QFontMetrics(bold).leading();
        drawTextAt(painter, 720, h + 360, QString::fromStdString(pages[p].heading));
        const int rule = 3 * h + 360;
        painter.drawLine(720, rule, 11160, rule);
        painter.setFont(normal);
        const QFontMetrics nm(normal);
        const int lineHeight = nm.height() + nm.leading();
        int y = rule + 2 * lineHeight;
        for (const std::string& line : pages[p].lines) {
            drawTextAt(painter, 720, y, QString::fromStdString(line));
            y += lineHeight;
        }
        painter.drawLine(720, 14400, 11160, 14400);
        painter.setFont(light);
        drawTextAt(painter, 720, 14580, QString::fromStdString(footer));
        const int charWidth = QFontMetrics(light).averageCharWidth();
        drawTextAt(painter, 11160 - 8 * charWidth, 14580, QString::asprintf("Page %3d", static_cast<int>(p + 1)));
    }
    painter.end();
}

}  // namespace velta
