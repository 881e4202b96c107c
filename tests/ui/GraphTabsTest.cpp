// The graph tabs over the sample drop: the skew-T with its zoom, the XY graph
// with its tips and maximised window, printing, and the image export (written
// under the build directory for review).
#include <QImage>
#include <QPrinter>
#include <QAbstractButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <regex>

#include "UiFixture.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/GraphPage.h"
#include "ui/TabWMOGrid.h"
#include "ui/SkewTView.h"
#include "ui/XyGraphView.h"

#include <qcustomplot.h>

namespace velta::test {
namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QAbstractButton* button(QWidget* page, const QString& caption) {
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

class GraphTabsTest : public UiFixture {
protected:
    GraphPage* openTab(int tab) {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
        if (!child) return nullptr;
        view_ = child->view();
        view_->resize(1000, 800);
        view_->selectTab(tab);
        return static_cast<GraphPage*>(view_->page(tab));
    }
    CKarvoEdView* view_ = nullptr;
};

TEST_F(GraphTabsTest, SkewTZoomsAndUnzooms) {
    GraphPage* page = openTab(CKarvoEdView::SkewTTab);
    ASSERT_TRUE(page && page->skewT());
    SkewTView* skewT = page->skewT();
    ASSERT_TRUE(skewT->hasDiagram());
    skewT->resize(800, 600);
    // The 700 mb drop fills the diagram; Full shows the whole of it.
    const SkewTRanges full = skewT->diagram()->ranges();
    EXPECT_EQ(full.ptop, 650.0);
    EXPECT_EQ(full.pbot, 1050.0);
    skewT->showFullRange();
    EXPECT_EQ(skewT->diagram()->ranges().ptop, 100.0);
    page->unzoom();

    skewT->zoomTo(QPoint(300, 300), QPoint(500, 450));
    const SkewTRanges zoomed = skewT->diagram()->ranges();
    EXPECT_GT(zoomed.ptop, full.ptop);
    EXPECT_LT(zoomed.pbot, full.pbot);
    EXPECT_LT(zoomed.ptop, zoomed.pbot);
    EXPECT_GT(zoomed.tmin, full.tmin);

    page->unzoom();
    EXPECT_EQ(skewT->diagram()->ranges().ptop, full.ptop);
    EXPECT_EQ(skewT->diagram()->ranges().tmax, full.tmax);
}

TEST_F(GraphTabsTest, SkewTSavesAnImageOfThePlotPixelSize) {
    GraphPage* page = openTab(CKarvoEdView::SkewTTab);
    ASSERT_TRUE(page && page->skewT() && page->skewT()->hasDiagram());
    ConfigSet& config = view_->document().configuration();
    MessageSaveDialogSettings offered;
    std::string path = reviewPath("skewt.png");
    page->chooseSavePath = [&](const MessageSaveDialogSettings& settings) {
        offered = settings;
        return std::optional<std::string>(path);
    };
    std::filesystem::remove(path);
    page->save();
    EXPECT_EQ(offered.title, "XY Graphics Save");
    ASSERT_EQ(offered.filters.size(), 3u);
    EXPECT_EQ(offered.filters[0].second, "*.png");
    EXPECT_EQ(offered.defaultExtension, "png");
    EXPECT_EQ(offered.initialName, "D20250915_174512");
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1000);
    EXPECT_EQ(image.height(), 700);
    EXPECT_EQ(config.option("SkewTPlotSaveDir")->text(), std::filesystem::path(path).parent_path().string());
    EXPECT_TRUE(dialogs_.messages.empty());

    config.option("PlotFileFormat")->setValue(1);
    config.option("PlotPixelsX")->setValue(640);
    config.option("PlotPixelsY")->setValue(480);
    path = reviewPath("skewt.jpg");
    page->save();
    EXPECT_EQ(offered.filters[0].second, "*.jpg");
    EXPECT_EQ(offered.defaultExtension, "jpg");
    QImage jpeg(QString::fromStdString(path), "JPEG");
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(jpeg.size(), QSize(640, 480));
}

TEST_F(GraphTabsTest, XyGraphSavesEveryKindAndZoomsBack) {
    GraphPage* page = openTab(CKarvoEdView::XYGraphTab);
    ASSERT_TRUE(page && page->xyGraph());
    XyGraphView* xy = page->xyGraph();
    std::string path;
    page->chooseSavePath = [&](const MessageSaveDialogSettings&) { return std::optional<std::string>(path); };
    const std::pair<XyGraphKind, const char*> kinds[] = {{XyGraphKind::Wind, "wind"},
                                                         {XyGraphKind::TemperatureHumidity, "t-rh"},
                                                         {XyGraphKind::SatellitesFallRate, "sats-dz"},
                                                         {XyGraphKind::PressureAltitude, "pres-alt"}};
    for (const auto& [kind, name] : kinds) {
        XyGraphSettings settings = page->xySettings();
        settings.kind = kind;
        settings.markLevels = kind == XyGraphKind::TemperatureHumidity;
        page->setXySettings(settings);
        EXPECT_GE(xy->curveCount(), 2) << name;
        path = reviewPath(std::string("xy-") + name + ".png");
        std::filesystem::remove(path);
        page->save();
        const QImage image(QString::fromStdString(path));
        EXPECT_EQ(image.size(), QSize(1000, 700)) << name;
    }
    EXPECT_EQ(view_->document().configuration().option("XYPlotSaveDir")->text(),
              std::filesystem::path(path).parent_path().string());

    // Pressure runs from the surface upward; RH keeps its fixed range.
    XyGraphSettings settings = page->xySettings();
    settings.kind = XyGraphKind::TemperatureHumidity;
    settings.xMode = XyXMode::Pressure;
    page->setXySettings(settings);
    QCustomPlot* plot = xy->plot();
    EXPECT_TRUE(plot->xAxis->rangeReversed());
    EXPECT_EQ(plot->yAxis2->range().lower, -1.0);
    EXPECT_EQ(plot->yAxis2->range().upper, 101.0);
    const QCPRange full = plot->xAxis->range();
    plot->xAxis->setRange(full.center(), full.size() / 4, Qt::AlignCenter);
    page->unzoom();
    EXPECT_DOUBLE_EQ(plot->xAxis->range().lower, full.lower);
    EXPECT_DOUBLE_EQ(plot->xAxis->range().upper, full.upper);
}

TEST_F(GraphTabsTest, XyGraphTipsFollowThePointer) {
    GraphPage* page = openTab(CKarvoEdView::XYGraphTab);
    ASSERT_TRUE(page && page->xyGraph());
    XyGraphView* xy = page->xyGraph();
    xy->resize(1000, 700);
    XyGraphSettings settings = page->xySettings();
    settings.kind = XyGraphKind::TemperatureHumidity;
    settings.xMode = XyXMode::Pressure;
    settings.markLevels = true;
    page->setXySettings(settings);
    xy->plot()->replot();

    // A level marker answers with its label, in one tip that follows the pointer.
    const XyGraph& graph = xy->graph();
    const XyCurve* marked = nullptr;
    for (const XyCurve& curve : graph.curves)
        if (!curve.markers.empty()) marked = &curve;
    ASSERT_NE(marked, nullptr);
    const XyMarker& marker = marked->markers.front();
    QCustomPlot* plot = xy->plot();
    QCPAxis* yAxis = marked->axis == 1 ? plot->yAxis2 : plot->yAxis;
    const QPoint at(qRound(plot->xAxis->coordToPixel(marker.x)), qRound(yAxis->coordToPixel(marker.y)));
    xy->hoverAt(at);
    ASSERT_EQ(dialogs_.tips.size(), 1u);
    EXPECT_EQ(dialogs_.tips.back(), marker.label);
    EXPECT_EQ(dialogs_.openTips, 1);
    xy->hoverAt(at + QPoint(1, 1));
    EXPECT_EQ(dialogs_.tips.size(), 1u);
    const QPoint placed = plot->mapToGlobal(at + QPoint(1, 1)) + QPoint(0, 20);
    EXPECT_EQ(dialogs_.tipPosition, std::make_pair(placed.x(), placed.y()));
    // Off every point the tip closes; plain data points answer only with MarkPts.
    xy->hoverAt(QPoint(2, 2));
    EXPECT_EQ(dialogs_.openTips, 0);
    const XyCurve& first = graph.curves.front();
    QCPAxis* firstAxis = first.axis == 1 ? plot->yAxis2 : plot->yAxis;
    std::optional<QPoint> plain;  // a data point away from every marker
    for (std::size_t i = first.x.size() / 2; i < first.x.size() && !plain; ++i) {
        const QPoint p(qRound(plot->xAxis->coordToPixel(first.x[i])), qRound(firstAxis->coordToPixel(first.y[i])));
        if (!xy->tipAt(p)) plain = p;
    }
    ASSERT_TRUE(plain.has_value());
    settings.markPoints = true;
    page->setXySettings(settings);
    plot->replot();
    const std::optional<std::string> tip = xy->tipAt(*plain);
    ASSERT_TRUE(tip.has_value());
    EXPECT_EQ(tip->rfind(first.label + " ", 0), 0u) << *tip;
    EXPECT_NE(tip->find(" mb"), std::string::npos) << *tip;
    // A new graph closes the tip.
    xy->hoverAt(at);
    EXPECT_EQ(dialogs_.openTips, 1);
    page->setXySettings(page->xySettings());
    EXPECT_EQ(dialogs_.openTips, 0);
}

TEST_F(GraphTabsTest, MaxShowsTheGraphInAMaximisedWindowThatFollowsTheTab) {
    GraphPage* page = openTab(CKarvoEdView::XYGraphTab);
    ASSERT_TRUE(page && page->xyGraph());
    QAbstractButton* max = button(page, "Max");
    ASSERT_NE(max, nullptr);
    max->click();
    XyGraphView* big = page->xyGraph()->maximized();
    ASSERT_NE(big, nullptr);
    QWidget* window = big->window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(big->curveCount(), page->xyGraph()->curveCount());
    EXPECT_EQ(window->windowTitle().toStdString(), page->xyGraph()->graph().title);
    max->click();
    EXPECT_EQ(page->xyGraph()->maximized(), big);  // raised again, not a second window

    XyGraphSettings settings = page->xySettings();
    settings.kind = XyGraphKind::Wind;
    page->setXySettings(settings);
    EXPECT_EQ(big->graph().title, page->xyGraph()->graph().title);
    EXPECT_EQ(window->windowTitle().toStdString(), page->xyGraph()->graph().title);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(page->xyGraph()->maximized(), nullptr);
}

// The Print buttons of the graph and message tabs print their page through
// the print dialog: the graphs on one landscape page, and nothing when the
// dialog is cancelled.
TEST_F(GraphTabsTest, PrintButtonsPrintTheirPage) {
    GraphPage* page = openTab(CKarvoEdView::XYGraphTab);
    ASSERT_TRUE(page);
    std::string path;
    int dialogs = 0;
    bool accept = true;
    view_->choosePrinter = [&](QPrinter& printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        return accept;
    };
    const std::regex mediaBox(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])");
    const std::pair<int, const char*> tabs[] = {{CKarvoEdView::XYGraphTab, "xy-print.pdf"},
                                                {CKarvoEdView::SkewTTab, "skewt-print.pdf"},
                                                {CKarvoEdView::WMOTab, "wmo-print.pdf"}};
    for (const auto& [tab, name] : tabs) {
        view_->selectTab(tab);
        path = reviewPath(name);
        std::filesystem::remove(path);
        QAbstractButton* print = button(view_->page(tab), "Print");
        ASSERT_NE(print, nullptr) << name;
        print->click();
        const std::string pdf = fileText(path);
        ASSERT_EQ(pdf.rfind("%PDF", 0), 0u) << name;
        EXPECT_GT(pdf.size(), 4000u) << name;
        std::smatch box;
        ASSERT_TRUE(std::regex_search(pdf, box, mediaBox)) << name;
        const bool landscape = std::stod(box[1]) > std::stod(box[2]);
        EXPECT_EQ(landscape, tab != CKarvoEdView::WMOTab) << name;
    }
    EXPECT_EQ(dialogs, 3);

    accept = false;
    view_->selectTab(CKarvoEdView::SkewTTab);
    path = reviewPath("cancelled.pdf");
    std::filesystem::remove(path);
    view_->printCommand();
    EXPECT_EQ(dialogs, 4);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace velta::test
