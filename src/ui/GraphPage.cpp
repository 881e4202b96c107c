#include "ui/GraphPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QLocale>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <ctime>

#include "document/KarvoEdDoc.h"
#include "document/ProgramVersion.h"
#include "extern/VeltaDialogs.h"
#include "plot/SkewTData.h"
#include "ui/GraphImageSave.h"
#include "ui/SkewTView.h"
#include "ui/XyGraphView.h"
#include "ui/SavePathDialog.h"

namespace velta {

GraphPage::GraphPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent)
    : TabPage(doc, dialogs, parent), kind_(kind) {
    chooseSavePath = [this](const MessageSaveDialogSettings& s) { return askSavePath(this, s); };
    auto* layout = new QVBoxLayout(this);
    if (kind == Kind::SkewT) {
        skewT_ = new SkewTView(this);
        layout->addWidget(skewT_, 1);
    } else {
        xy_ = new XyGraphView(dialogs, this);
        layout->addWidget(xy_, 1);
    }
    auto* buttons = new QHBoxLayout;
    if (xy_) {
        buildXyControls(buttons);
        QToolButton* maxButton = button("Max");
        maxButton->setToolTip("Show the graph in a maximised window");
        connect(maxButton, &QToolButton::clicked, this, [this] { maximize(); });
        buttons->addWidget(maxButton);
    }
    QToolButton* printButton = button("Print");
    connect(printButton, &QToolButton::clicked, this, &TabPage::printRequested);
    buttons->addWidget(printButton);
    QToolButton* unzoomButton = button("UnZm");
    unzoomButton->setToolTip(skewT_ ? "Show the range of the data again" : "Show the whole graph again");
    connect(unzoomButton, &QToolButton::clicked, this, [this] { unzoom(); });
    buttons->addWidget(unzoomButton);
    if (skewT_) {
        QToolButton* fullButton = button("Full");
        fullButton->setObjectName("fullRange");
        fullButton->setToolTip("Show the whole diagram, 100 to 1050 mb");
        connect(fullButton, &QToolButton::clicked, this, [this] { skewT_->showFullRange(); });
        buttons->addWidget(fullButton);
    }
    QToolButton* saveButton = button("Save");
    saveButton->setToolTip("Save the graph as an image");
    connect(saveButton, &QToolButton::clicked, this, [this] { save(); });
    buttons->addWidget(saveButton);
    buttons->addStretch();
    layout->addLayout(buttons);
}

QToolButton* GraphPage::button(const char* caption) {
    // Tool buttons are as wide as their text, so the row fits a narrow window.
    auto* b = new QToolButton(this);
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

void GraphPage::buildXyControls(QBoxLayout* layout) {
    auto addGroup = [&](const std::vector<std::pair<const char*, int>>& buttons, int checked, auto apply) {
        auto* group = new QButtonGroup(this);
        for (const auto& [caption, id] : buttons) {
            QToolButton* button = this->button(caption);
            button->setCheckable(true);
            button->setChecked(id == checked);
            group->addButton(button, id);
            layout->addWidget(button);
        }
        connect(group, &QButtonGroup::idClicked, this, [this, apply](int id) {
            XyGraphSettings settings = xySettings_;
            apply(settings, id);
            setXySettings(settings);
        });
    };
    addGroup({{"T-RH", 1}, {"Spd-Dir", 0}, {"Sats-Dz", 2}, {"Pres-Alt", 3}}, static_cast<int>(xySettings_.kind),
             [](XyGraphSettings& s, int id) { s.kind = static_cast<XyGraphKind>(id); });
    layout->addSpacing(12);
    addGroup({{"Time", 0}, {"Pres", 1}, {"Alt", 2}}, static_cast<int>(xySettings_.xMode),
             [](XyGraphSettings& s, int id) { s.xMode = static_cast<XyXMode>(id); });
    layout->addSpacing(12);
    auto addCheck = [&](const char* caption, bool checked, bool XyGraphSettings::*flag) {
        auto* box = new QCheckBox(caption, this);
        box->setChecked(checked);
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            XyGraphSettings settings = xySettings_;
            settings.*flag = on;
            setXySettings(settings);
        });
        layout->addWidget(box);
    };
    addCheck("QC", xySettings_.showQC, &XyGraphSettings::showQC);
    addCheck("Raw", xySettings_.showRaw, &XyGraphSettings::showRaw);
    addCheck("Levels", xySettings_.markLevels, &XyGraphSettings::markLevels);
    addCheck("MarkPts", xySettings_.markPoints, &XyGraphSettings::markPoints);
    layout->addSpacing(12);
}

void GraphPage::setXySettings(const XyGraphSettings& settings) {
    const bool ascending = xySettings_.ascending;
    xySettings_ = settings;
    xySettings_.ascending = ascending;
    drawXy();
}

void GraphPage::refresh() {
    if (skewT_) refreshSkewT();
    if (xy_) refreshXy();
}

void GraphPage::refreshXy() {
    SoundingProcessor* processor = doc_.processor();
    const QCEngine* engine = processor ? processor->engine() : nullptr;
    const Sounding* sounding = engine ? engine->sounding() : nullptr;
    if (!sounding) return;
    bool changed = false;
    if (sounding->rawGeneration() != shownRawGeneration_) {
        shownRawGeneration_ = sounding->rawGeneration();
        xyTables_.raw = XyGraphTables::rawTable(*sounding);
        changed = true;
    }
    const int qcGeneration = sounding->qcDone() ? sounding->qcGeneration() : -1;
    if (qcGeneration != shownGeneration_) {
        shownGeneration_ = qcGeneration;
        xyTables_.qc = sounding->qcDone() ? XyGraphTables::qcTable(*sounding, engine->finalAltitudeSeries())
                                          : TimeMergedTable{};
        xyTables_.qcAltitudeSeries = engine->finalAltitudeSeries();
        changed = true;
    }
    xySettings_.ascending = processor->header().ascending;
    if (changed) drawXy();
}

void GraphPage::drawXy() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor || !xy_) return;
    const SignificantLevels* levels = processor->levels();
    xy_->show(buildXyGraph(xySettings_, xyTables_, levels ? &levels->levels() : nullptr,
                           processingStamp(processor->programVersion(), std::time(nullptr)), caption()));
}

void GraphPage::refreshSkewT() {
    SoundingProcessor* processor = doc_.processor();
    const QCEngine* engine = processor ? processor->engine() : nullptr;
    const Sounding* sounding = engine ? engine->sounding() : nullptr;
    if (!sounding || !sounding->qcDone()) return;
    const int generation = sounding->qcGeneration();
    if (generation == shownGeneration_) return;
    shownGeneration_ = generation;
    const int windCount = static_cast<int>(doc_.configuration().numericValue("NumberSkewTWinds").value_or(20));
    skewT_->show(skewTData(*sounding), windCount, processingStamp(processor->programVersion(), std::time(nullptr)),
                 doc_.path(), caption());
}

std::string GraphPage::caption() const {
    const SoundingProcessor* processor = doc_.processor();
    if (!processor) return {};
    const std::string path = doc_.path();
    const auto slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const QDateTime launch = QDateTime::fromSecsSinceEpoch(processor->header().launchTime, Qt::UTC);
    return name + "   " + QLocale::c().toString(launch, "yyyy-MM-dd HH:mm:ss").toStdString() + " UTC";
}

void GraphPage::unzoom() {
    if (skewT_) skewT_->unzoom();
    if (xy_) xy_->unzoom();
}

bool GraphPage::canPrint() const { return skewT_ ? skewT_->hasDiagram() : xy_->curveCount() > 0; }

void GraphPage::print(QPrinter& printer) {
    if (xy_) xy_->print(printer);
    if (skewT_) skewT_->print(printer);
}

void GraphPage::maximize() {
    if (xy_) xy_->openMaximized();
}

void GraphPage::save() {
    if (skewT_ && !skewT_->hasDiagram()) return;
    ConfigSet& config = doc_.configuration();
    const std::optional<std::string> path =
        chooseSavePath(graphSaveDialogSettings(config, directoryOption(), doc_.path()));
    if (!path) return;
    rememberGraphSaveDirectory(doc_, directoryOption(), *path);
    if (!saveImage(*path)) dialogs_.messageBox("Cannot write the image " + *path);
}

bool GraphPage::saveImage(const std::string& path) {
    const ConfigSet& config = doc_.configuration();
    if (xy_)
        return xy_->saveImage(QString::fromStdString(path), plotPixelsX(config), plotPixelsY(config),
                              graphImageFormat(path));
    return skewT_->saveImage(QString::fromStdString(path), plotPixelsX(config), plotPixelsY(config),
                             graphImageFormat(path));
}

}  // namespace velta
