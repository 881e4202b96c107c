#include "ui/GraphPage.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <ctime>

#include "document/KarvoEdDoc.h"
#include "document/ProgramVersion.h"
#include "extern/VeltaDialogs.h"
#include "plot/SkewTData.h"
#include "ui/GraphImageSave.h"
#include "ui/SkewTView.h"

namespace velta {

namespace {

std::optional<std::string> askSavePath(QWidget* parent, const MessageSaveDialogSettings& settings) {
    QStringList filters;
    for (const auto& [text, pattern] : settings.filters)
        filters << QString::fromStdString(text.find('(') == std::string::npos ? text + " (" + pattern + ")" : text);
    QFileDialog dialog(parent, QString::fromStdString(settings.title),
                       QString::fromStdString(settings.initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
    dialog.selectFile(QString::fromStdString(settings.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

GraphPage::GraphPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent)
    : TabPage(doc, dialogs, parent), kind_(kind) {
    chooseSavePath = [this](const MessageSaveDialogSettings& s) { return askSavePath(this, s); };
    auto* layout = new QVBoxLayout(this);
    if (kind == Kind::SkewT) {
        skewT_ = new SkewTView(this);
        layout->addWidget(skewT_, 1);
    } else {
        // TODO(graphs): the XY graph.
        auto* label = new QLabel("XY graphs of the sounding will be shown here.", this);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label, 1);
    }
    auto* buttons = new QHBoxLayout;
    auto* unzoomButton = new QPushButton("UnZm", this);
    connect(unzoomButton, &QPushButton::clicked, this, [this] { unzoom(); });
    buttons->addWidget(unzoomButton);
    auto* saveButton = new QPushButton("Save", this);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    buttons->addWidget(saveButton);
    buttons->addStretch();
    layout->addLayout(buttons);
}

void GraphPage::refresh() {
    SoundingProcessor* processor = doc_.processor();
    const QCEngine* engine = processor ? processor->engine() : nullptr;
    const Sounding* sounding = engine ? engine->sounding() : nullptr;
    if (!sounding || !skewT_ || !sounding->qcDone()) return;
    const int generation = sounding->qcGeneration();
    if (generation == shownGeneration_) return;
    shownGeneration_ = generation;
    const int windCount = static_cast<int>(doc_.configuration().numericValue("NumberSkewTWinds").value_or(20));
    skewT_->show(skewTData(*sounding), windCount, processingStamp(processor->programVersion(), std::time(nullptr)),
                 doc_.path());
}

void GraphPage::unzoom() {
    if (skewT_) skewT_->unzoom();
}

void GraphPage::save() {
    if (!skewT_ || !skewT_->hasDiagram()) return;
    ConfigSet& config = doc_.configuration();
    const std::optional<std::string> path =
        chooseSavePath(graphSaveDialogSettings(config, directoryOption(), doc_.path()));
    if (!path) return;
    rememberGraphSaveDirectory(config, directoryOption(), *path);
    if (!saveImage(*path)) dialogs_.messageBox("Cannot write the image " + *path);
}

bool GraphPage::saveImage(const std::string& path) {
    const ConfigSet& config = doc_.configuration();
    return skewT_->saveImage(QString::fromStdString(path), plotPixelsX(config), plotPixelsY(config),
                             graphImageFormat(path));
}

}  // namespace velta
