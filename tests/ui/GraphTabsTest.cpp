// The graph tabs over the sample drop: the skew-T with its zoom and its image
// export (written under the build directory for review).
#include <QImage>
#include <filesystem>

#include "UiFixture.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/GraphPage.h"
#include "ui/SkewTView.h"
#include "ui/XyGraphView.h"

#include <qcustomplot.h>

namespace velta::test {
namespace {

std::string reviewPath(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(VELTA_UI_BINARY_DIR) / "review";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
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
    const SkewTRanges full = skewT->diagram()->ranges();
    EXPECT_EQ(full.ptop, 100.0);
    EXPECT_EQ(full.pbot, 1050.0);

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

}  // namespace
}  // namespace velta::test
