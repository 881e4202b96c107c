// The graphs as a meteorologist reads them, for a 700 mb hurricane drop and a
// 150 mb research drop at two window shapes: the skew-T letterboxed so that
// isotherms run at 45 degrees and filled by the data, the XY graph ranged on
// the QC data with its level labels clear of one another, the legend under the
// plot and the sounding named in both. Screenshots and saved images go to the
// build directory's review/ folder.
#include <QImage>
#include <QAbstractButton>
#include <filesystem>

#include "UiFixture.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/GraphPage.h"
#include "ui/PlotPainterSurface.h"
#include "ui/SkewTView.h"
#include "ui/XyGraphView.h"

#include <qcustomplot.h>

namespace velta::test {
namespace {

struct Drop {
    const char* file;
    const char* tag;
    double ptop;  // the data's top, rounded out
};
constexpr Drop kDrops[] = {{"D20250915_174512.1", "hurricane-700mb", 650.0},
                           {"D20250916_203000.1", "research-150mb", 100.0}};
struct Size {
    int width, height;
    const char* tag;
};
constexpr Size kSizes[] = {{1000, 720, "default"}, {1500, 620, "wide"}};

using GraphReviewTest = UiFixture;

TEST_F(GraphReviewTest, IsothermsRunAt45DegreesWhateverTheShape) {
    for (const QRectF into : {QRectF(0, 0, 800, 600), QRectF(0, 0, 1600, 500), QRectF(0, 0, 500, 1200)}) {
        const QRectF area = PlotPainterSurface::plotArea(into);
        // The isotherm slope on screen is skew × height / width.
        EXPECT_NEAR(1.125 * area.height() / area.width(), 1.0, 1e-9) << into.width() << "x" << into.height();
        EXPECT_TRUE(into.contains(area));
    }
}

TEST_F(GraphReviewTest, SkewTAndXyOfTwoDropsAtTwoSizes) {
    for (const Drop& drop : kDrops)
        for (const Size& size : kSizes) {
            const std::string name = std::string(drop.tag) + "-" + size.tag;
            frame_->resize(size.width, size.height);
            CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(drop.file)));
            ASSERT_TRUE(child) << drop.file;
            CKarvoEdView* view = child->view();

            view->selectTab(CKarvoEdView::SkewTTab);
            QCoreApplication::processEvents();
            auto* skewT = static_cast<GraphPage*>(view->page(CKarvoEdView::SkewTTab));
            ASSERT_TRUE(skewT->skewT()->hasDiagram());
            EXPECT_EQ(skewT->skewT()->diagram()->ranges().ptop, drop.ptop) << name;
            ASSERT_TRUE(frame_->grab().toImage().save(QString::fromStdString(reviewPath("skewt-" + name + ".png"))));
            ASSERT_TRUE(skewT->saveImage(reviewPath("skewt-" + name + "-saved.png")));

            view->selectTab(CKarvoEdView::XYGraphTab);
            auto* xyPage = static_cast<GraphPage*>(view->page(CKarvoEdView::XYGraphTab));
            for (const char* caption : {"Pres", "Levels"})
                for (QAbstractButton* b : xyPage->findChildren<QAbstractButton*>())
                    if (b->text() == caption) b->click();
            QCoreApplication::processEvents();
            XyGraphView* xy = xyPage->xyGraph();
            ASSERT_TRUE(xy);
            xy->plot()->replot();
            // The title names the sounding; the legend sits under the plot.
            auto* title = qobject_cast<QCPTextElement*>(xy->plot()->plotLayout()->element(0, 0));
            ASSERT_TRUE(title);
            EXPECT_TRUE(title->text().contains(drop.file)) << title->text().toStdString();
            ASSERT_TRUE(xy->plot()->legend);
            EXPECT_GE(xy->plot()->legend->outerRect().top(), xy->plot()->axisRect()->outerRect().bottom()) << name;
            // Level labels: some shown, none overlapping (checked as they are laid out).
            EXPECT_GT(xy->labelCount(), 0) << name;
            EXPECT_GT(xy->visibleLabelCount(), 0) << name;
            std::vector<QRectF> shown;
            for (int i = 0; i < xy->plot()->itemCount(); ++i)
                if (auto* label = qobject_cast<QCPItemText*>(xy->plot()->item(i)); label && label->visible()) {
                    const QPointF at = label->position->pixelPosition();
                    const QRectF box(at.x() + 1, at.y() - 8, 8.0 * label->text().size() * 0.5, 7);
                    for (const QRectF& other : shown) EXPECT_FALSE(other.intersects(box)) << name;
                    shown.push_back(box);
                }
            // The QC temperatures rule the left axis, not the raw spikes.
            const auto& range = xy->graph().yRange[0];
            ASSERT_TRUE(range.min && range.max);
            EXPECT_NEAR(xy->plot()->yAxis->range().lower, *range.min, 1e-9);
            ASSERT_TRUE(frame_->grab().toImage().save(QString::fromStdString(reviewPath("xy-" + name + ".png"))));
            ASSERT_TRUE(xyPage->saveImage(reviewPath("xy-" + name + "-saved.png")));
            child->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
}

}  // namespace
}  // namespace velta::test
