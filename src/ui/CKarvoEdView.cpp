#include "ui/CKarvoEdView.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QLabel>
#include <QPrinter>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <ctime>

#include "document/KarvoEdDoc.h"
#include "document/ProgramVersion.h"
#include "ui/CommPage.h"
#include "ui/DataPage.h"
#include "ui/GraphPage.h"
#include "ui/MainPage.h"
#include "ui/ProcessorProducts.h"
#include "ui/SummaryPage.h"
#include "ui/TabLevelGrid.h"
#include "ui/TabWMOGrid.h"
#include "ui/TextPagePrinter.h"

namespace velta {
namespace {

struct TabFlags {
    bool preview, print, save;
};
constexpr TabFlags kFlags[CKarvoEdView::TabCount] = {
    {false, false, false}, {true, true, true},  {true, true, true},  {false, true, true},   {false, true, true},
    {true, true, false},   {true, true, true},  {false, false, false}, {false, false, false},
};

}  // namespace

CKarvoEdView::CKarvoEdView(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QPrinter& printer, QWidget* parent)
    : QWidget(parent), doc_(doc), dialogs_(dialogs), printer_(printer) {
    choosePrinter = [this](QPrinter& chosen) {
        QPrintDialog dialog(&chosen, this);
        return dialog.exec() == QDialog::Accepted;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    banner_ = new QLabel(this);
    banner_->setObjectName("outOfDateBanner");
    banner_->setStyleSheet("QLabel { background: #ffe08a; color: black; padding: 4px; font-weight: bold; }");
    banner_->setWordWrap(true);
    banner_->hide();
    layout->addWidget(banner_);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    auto* main = new MainPage(doc, dialogs);
    pages_ = {main,
              new DataPage(DataPage::Kind::Raw, doc, dialogs),
              new DataPage(DataPage::Kind::QC, doc, dialogs),
              new GraphPage(GraphPage::Kind::XY, doc, dialogs),
              new GraphPage(GraphPage::Kind::SkewT, doc, dialogs),
              new TabLevelGrid(doc, dialogs),
              new TabWMOGrid(doc, dialogs),
              new CommPage(doc, dialogs),
              new SummaryPage(doc, dialogs)};
    const char* captions[TabCount] = {"&Main", "&Raw", "&QC", "XY &Graph", "&Skew-T",
                                      "&Levels", "&WMO", "&Comm", "&Summary"};
    for (int i = 0; i < TabCount; ++i) {
        TabPage* page = pages_[static_cast<std::size_t>(i)];
        tabs_->addTab(page, captions[i]);
        connect(page, &TabPage::printRequested, this, [this, i] {
            if (i == current_) printCommand();
        });
        connect(page, &TabPage::showRequested, this, [this, i] {
            if (i != current_) selectTab(i);
        });
    }
    undoStack_ = new QUndoStack(this);
    wmoPage()->setUndoStack(undoStack_);
    levelsPage()->setUndoStack(undoStack_);
    connect(wmoPage(), &TabWMOGrid::messageSaved, this, [this] {
        undoStack_->setClean();
        carriedOver_ = false;
    });
    main->beforeRecompute = [this] {
        return confirmUnsavedWork(
            "Recompute codes a new message: the edited groups are lost, the excluded levels are kept where the new "
            "run still has them.");
    };
    // Processing deletes the levels the grid shows and repaints while it runs.
    main->onRecomputing = [this] {
        keepExclusions();
        levelsPage()->release();
    };
    main->onRecomputed = [this] {
        reapplyExclusions();
        refreshAll();
        if (outOfDate_) {
            outOfDate_ = false;
            banner_->hide();
            emit outOfDateChanged(false);
        }
    };
    main->onSwitchesChanged = [this] { markOutOfDate("The surface switches were changed"); };
    connect(tabs_, &QTabWidget::currentChanged, this, &CKarvoEdView::tabSwitched);
}

MainPage* CKarvoEdView::mainPage() const { return static_cast<MainPage*>(pages_[MainTab]); }
DataPage* CKarvoEdView::rawPage() const { return static_cast<DataPage*>(pages_[RawTab]); }
DataPage* CKarvoEdView::qcPage() const { return static_cast<DataPage*>(pages_[QCTab]); }
TabLevelGrid* CKarvoEdView::levelsPage() const { return static_cast<TabLevelGrid*>(pages_[LevelsTab]); }
TabWMOGrid* CKarvoEdView::wmoPage() const { return static_cast<TabWMOGrid*>(pages_[WMOTab]); }
CommPage* CKarvoEdView::commPage() const { return static_cast<CommPage*>(pages_[CommTab]); }
SummaryPage* CKarvoEdView::summaryPage() const { return static_cast<SummaryPage*>(pages_[SummaryTab]); }

void CKarvoEdView::initialUpdate() {
    const SoundingProcessor* processor = doc_.processor();
    if (processor && processor->systemFamily() != 0) tabs_->setTabEnabled(CommTab, false);
    mainPage()->refresh();
}

void CKarvoEdView::selectTab(int index) {
    if (index == tabs_->currentIndex())
        tabSwitched(index);  // reselecting a tab refreshes it, as a switch would
    else
        tabs_->setCurrentIndex(index);
}

bool CKarvoEdView::applyLevelMarks() {
    if (!levelsPage()->marksChanged() || !doc_.processor() || doc_.processing()) return true;
    // Coding the message again replaces the operator's group edits: ask first.
    if (const int groups = wmoPage()->changedGroups(); groups > 0) {
        const std::string question =
            "The WMO message of " + soundingName() + " has " + std::to_string(groups) +
            (groups == 1 ? " edited group" : " edited groups") +
            ". Coding it again for the changed level marks discards the edits.\n\nSave the WMO message first?";
        switch (dialogs_.saveDiscardCancel(question)) {
            case UnsavedChoice::Cancel: return false;
            case UnsavedChoice::Save:
                if (!wmoPage()->saveMessage()) return false;
                break;
            case UnsavedChoice::Discard: break;
        }
    }
    doc_.processor()->doWMO();
    return true;
}

void CKarvoEdView::tabSwitched(int index) {
    if (current_ == LevelsTab && !applyLevelMarks()) {
        // Cancelled: the Levels tab stays, with the marks and the edited message.
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(LevelsTab);
        return;
    }
    current_ = index;
    if (index < 0 || index >= TabCount) return;
    if (index == WMOTab) commPage()->refresh();
    if (index != MainTab) pages_[static_cast<std::size_t>(index)]->refresh();
    preview_ = kFlags[index].preview;
    print_ = kFlags[index].print;
    save_ = kFlags[index].save;
    emit commandStateChanged();
}

void CKarvoEdView::refreshAll() {
    for (int tab : {RawTab, QCTab, XYGraphTab, SkewTTab, LevelsTab, CommTab, WMOTab, SummaryTab})
        pages_[static_cast<std::size_t>(tab)]->refresh();
    emit commandStateChanged();
}

std::string CKarvoEdView::soundingName() const {
    return QFileInfo(QString::fromStdString(doc_.path()).replace('\\', '/')).fileName().toStdString();
}

bool CKarvoEdView::hasUnsavedWork() const {
    if (undoStack_->isClean() && !carriedOver_) return false;
    return wmoPage()->changedGroups() > 0 || levelsPage()->excludedCount() > 0;
}

bool CKarvoEdView::confirmUnsavedWork(const std::string& consequence) {
    if (!hasUnsavedWork()) return true;
    const int groups = wmoPage()->changedGroups();
    const int levels = levelsPage()->excludedCount();
    std::string what;
    if (groups > 0) what = std::to_string(groups) + (groups == 1 ? " edited message group" : " edited message groups");
    if (levels > 0)
        what += (what.empty() ? "" : " and ") + std::to_string(levels) +
                (levels == 1 ? " excluded level" : " excluded levels");
    const std::string question = "The sounding " + soundingName() + " has " + what +
                                 " that no saved WMO message holds.\n" + consequence +
                                 "\n\nSave the WMO message first?";
    switch (dialogs_.saveDiscardCancel(question)) {
        case UnsavedChoice::Discard: return true;
        case UnsavedChoice::Cancel: return false;
        case UnsavedChoice::Save: break;
    }
    // The message to save leaves out the levels excluded so far, unless coding
    // it again would drop group edits: then it is saved as edited.
    if (current_ == LevelsTab && wmoPage()->changedGroups() == 0) applyLevelMarks();
    wmoPage()->refresh();
    return wmoPage()->saveMessage();
}

void CKarvoEdView::keepExclusions() {
    const SignificantLevels* levels = products::levels(doc_.processor());
    kept_ = levels ? excludedLevels(*levels) : std::vector<ExcludedLevel>{};
}

void CKarvoEdView::reapplyExclusions() {
    undoStack_->clear();
    carriedOver_ = false;
    if (kept_.empty()) return;
    SignificantLevels* levels = products::levels(doc_.processor());
    std::vector<ExcludedLevel> lost = kept_;
    if (levels) {
        lost = velta::reapplyExclusions(*levels, kept_);
        if (lost.size() < kept_.size()) {
            doc_.processor()->doWMO();
            carriedOver_ = true;
        }
    }
    if (!lost.empty()) {
        std::string text = "Recompute could not keep " + std::to_string(lost.size()) + " of the " +
                           std::to_string(kept_.size()) + " excluded levels of " + soundingName() +
                           ": the new run has no such level.\n";
        for (const ExcludedLevel& level : lost) text += "\n    " + describe(level);
        text += "\n\nThe message includes the levels of the new run; exclude them on the Levels tab if needed.";
        dialogs_.messageBox(text);
    }
    kept_.clear();
}

void CKarvoEdView::markOutOfDate(const std::string& why) {
    banner_->setText(QString::fromStdString(why + ": the results shown are out of date until you press Recompute."));
    banner_->show();
    if (outOfDate_) return;
    outOfDate_ = true;
    emit outOfDateChanged(true);
}

namespace {

// Every option's value and text, to tell whether a command changed any.
std::vector<std::pair<double, std::string>> optionValues(const ConfigSet& set) {
    std::vector<std::pair<double, std::string>> values;
    for (const auto& [name, option] : set) values.emplace_back(option.value(), name + "=" + option.text());
    return values;
}

}  // namespace

void CKarvoEdView::optionsCommand() {
    const auto before = optionValues(doc_.configuration());
    doc_.optionsCommand();
    mainPage()->loadSwitches();
    if (optionValues(doc_.configuration()) != before) markOutOfDate("Options were changed");
}

void CKarvoEdView::restoreDefaultsCommand() {
    const auto before = optionValues(doc_.configuration());
    doc_.restoreDefaultsCommand();
    mainPage()->loadSwitches();
    if (optionValues(doc_.configuration()) != before) markOutOfDate("The options were set to their defaults");
}

bool CKarvoEdView::recomputeCommand() { return mainPage()->recompute(); }

void CKarvoEdView::saveCommand() {
    if (!save_ || current_ < 0 || current_ >= TabCount) return;
    pages_[static_cast<std::size_t>(current_)]->save();
}

std::string CKarvoEdView::footer() const {
    const SoundingProcessor* processor = doc_.processor();
    return processingStamp(processor ? processor->programVersion() : std::string(), std::time(nullptr));
}

void CKarvoEdView::printCommand() {
    if (!print_ || current_ < 0 || current_ >= TabCount) return;
    if (current_ == XYGraphTab || current_ == SkewTTab) {  // the graphs print themselves, across a landscape page
        auto* graph = static_cast<GraphPage*>(pages_[static_cast<std::size_t>(current_)]);
        if (!graph->canPrint()) return;
        const QPageLayout::Orientation orientation = printer_.pageLayout().orientation();
        printer_.setPageOrientation(QPageLayout::Landscape);
        if (choosePrinter(printer_)) graph->print(printer_);
        printer_.setPageOrientation(orientation);
        return;
    }
    const auto pages = pages_[static_cast<std::size_t>(current_)]->printPages();
    if (pages.empty() || !choosePrinter(printer_)) return;
    printTextPages(printer_, pages, footer());
}

void CKarvoEdView::printPreviewCommand() {
    if (!preview_ || current_ < 0 || current_ >= TabCount) return;
    const auto pages = pages_[static_cast<std::size_t>(current_)]->printPages();
    QPrintPreviewDialog preview(&printer_, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* printer) { printTextPages(*printer, pages, footer()); });
    preview.exec();
}

}  // namespace velta
