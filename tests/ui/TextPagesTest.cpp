// Printed text pages and the formatting of grid cells.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>

#include "TestData.h"
#include "ui/CellFormat.h"
#include "ui/TextPagePrinter.h"
#include "ui/TextPages.h"

namespace velta::test {
namespace {

TEST(TextPages, RowsAreCutIntoPagesOf56) {
    std::vector<double> values(57);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i);
    const std::vector<PrintColumn> columns = {{"Time", 6, "%6.1f", values}};
    const auto pages = tablePages("Raw Data D1", columns, 57);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].lines.size(), 2u + 56u);
    ASSERT_EQ(pages[1].lines.size(), 3u);
    EXPECT_EQ(pages[1].lines[0], "  Time ");
    EXPECT_EQ(pages[1].lines[1], " ");
    EXPECT_EQ(pages[1].lines[2], "  56.0 ");
    EXPECT_EQ(pages[1].heading, "Raw Data D1");
}

TEST(TextPages, MissingValuesPrintAsBlanks) {
    const std::vector<PrintColumn> columns = {{"Pres", 6, "%6.1f", {-999.0, 1000.25}},
                                              {"Lat", 11, "%11.1f", {-999.0, 17.25}}};
    EXPECT_EQ(printRowLine(columns, 0), std::string(7, ' ') + std::string(12, ' '));
    EXPECT_EQ(printRowLine(columns, 1), "1000.2        17.2 ");
    EXPECT_EQ(printHeaderLine(columns), "  Pres         Lat ");
}

TEST(CellFormat, GridCells) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {{"%6.1f ", -999.0, ""},          {"%6.1f ", 2500000.0, " 2.5e+06"},
                          {"%6.1f ", 1000000.0, "1000000.0 "}, {"%6.0f ", 45.4, "    45 "},
                          {"%11.4f ", -80.5, "   -80.5000 "}};
    for (const Case& c : cases) EXPECT_EQ(cellText(c.format, c.value).toStdString(), c.text) << c.value;
}

// Prints the pages to a PDF in a scratch directory and counts its page objects.
std::size_t printedSheets(const std::vector<TextPage>& pages, const std::string& scratch) {
    const std::string path = scratchDir(scratch) + "/pages.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printTextPages(printer, pages, "Velta V0.1.0, 01 Jan 2025  00:00 UTC");
    const std::string pdf = readFile(path);
    std::size_t count = 0;
    for (std::size_t at = 0; (at = pdf.find("/Type /Page", at)) != std::string::npos; ++at)
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
    return count;
}

TEST(TextPagePrinter, PrintsEveryPageToAPdf) {
    std::vector<double> values(120, 5.0);
    const auto pages = tablePages("QC Data D1", {{"Time", 6, "%6.1f", values}}, values.size());
    ASSERT_EQ(pages.size(), 3u);
    // One page object per text page.
    EXPECT_EQ(printedSheets(pages, "ui-print"), 3u);
}

// Pages longer than a sheet holds above the footer continue on another sheet
// instead of running into the footer.
TEST(TextPagePrinter, LongPagesNeverRunIntoTheFooter) {
    auto sheets = [](const std::vector<TextPage>& pages) { return printedSheets(pages, "ui-print-long"); };
    const std::vector<std::string> lines(100, "  850.0  1432   18.6   16.2   95   205   12.3");
    EXPECT_EQ(sheets({TextPage{"Levels D1", lines}}), 2u);
    EXPECT_EQ(sheets({TextPage{"Levels D1", lines}, TextPage{"Levels D1", {"one line"}}}), 3u);
}

}  // namespace
}  // namespace velta::test
