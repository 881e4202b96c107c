// Saves a picture of every tab of a sample drop under the build tree
// (ui-screenshots/) for review, and checks that each tab painted something.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTabWidget>

#include "UiFixture.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"

namespace velta::test {
namespace {

using ScreenshotTest = UiFixture;

TEST_F(ScreenshotTest, EveryTabOfASample) {
    frame_->resize(1100, 800);
    CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
    ASSERT_TRUE(child);
    const QString out = QString(VELTA_UI_BINARY_DIR) + "/ui-screenshots";
    QDir().mkpath(out);
    const char* names[] = {"main", "raw", "qc", "xy-graph", "skew-t", "levels", "wmo", "comm", "summary"};
    for (int tab = 0; tab < CKarvoEdView::TabCount; ++tab) {
        child->view()->selectTab(tab);
        QCoreApplication::processEvents();
        const QImage image = frame_->grab().toImage();
        const QString path = QString("%1/%2-%3.png").arg(out).arg(tab).arg(names[tab]);
        ASSERT_TRUE(image.save(path)) << path.toStdString();
        EXPECT_GT(image.width(), 500);
    }
}

}  // namespace
}  // namespace velta::test
