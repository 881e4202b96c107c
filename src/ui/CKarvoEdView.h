// The view of one sounding: nine tabs (Main, Raw, QC, XY Graph, Skew-T,
// Levels, WMO, Comm, Summary). Switching tabs refreshes the new page and sets
// which of Print Preview, Print and Save apply; leaving the Levels tab codes
// the message again when the operator changed the level marks.
#pragma once

#include <QWidget>
#include <functional>
#include <array>
#include <string>
#include <vector>

#include "ui/LevelExclusions.h"

class QLabel;
class QPrinter;
class QTabWidget;
class QUndoStack;

namespace velta {

class CKarvoEdDoc;
class VeltaDialogs;
class TabPage;
class MainPage;
class DataPage;
class GraphPage;
class TabLevelGrid;
class TabWMOGrid;
class CommPage;
class SummaryPage;

class CKarvoEdView : public QWidget {
    Q_OBJECT
public:
    enum Tab { MainTab, RawTab, QCTab, XYGraphTab, SkewTTab, LevelsTab, WMOTab, CommTab, SummaryTab, TabCount };

    CKarvoEdView(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QPrinter& printer, QWidget* parent = nullptr);

    // Shows the document: the Comm tab is disabled for files of another system family.
    void initialUpdate();
    // Selects a tab as the operator would.
    void selectTab(int index);
    int currentTab() const { return current_; }

    bool canPrintPreview() const { return preview_; }
    bool canPrint() const { return print_; }
    bool canSave() const { return save_; }

    // The commands of the view.
    void saveCommand();
    void printCommand();
    void printPreviewCommand();
    // The print dialog before printing: true to print on the printer as set.
    std::function<bool(QPrinter&)> choosePrinter;
    // Stores the override fields, processes and refreshes every page.
    bool recomputeCommand();
    // Tools > Options on the document; the Main page reloads its switches.
    void optionsCommand();
    // Tools > Restore Defaults on the document; the results go out of date when an option changed.
    void restoreDefaultsCommand();
    // Refreshes every page after processing.
    void refreshAll();

    // The message edits and level exclusions of the current run, for undo and redo.
    QUndoStack* undoStack() const { return undoStack_; }
    // Edited message groups or excluded levels that no message file holds yet.
    bool hasUnsavedWork() const;
    // With unsaved work asks save / discard / cancel, naming the sounding and
    // saying what the command does to the work; true when the command may go on
    // (saved, or discarded).
    bool confirmUnsavedWork(const std::string& consequence);
    // The file name of the sounding, as window titles and questions name it.
    std::string soundingName() const;

    // Options changed since the shown results were computed: a banner says so
    // until the next Recompute.
    bool outOfDate() const { return outOfDate_; }
    void markOutOfDate(const std::string& why);
    QLabel* outOfDateBanner() const { return banner_; }

    CKarvoEdDoc& document() const { return doc_; }
    QTabWidget* tabs() const { return tabs_; }
    TabPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    MainPage* mainPage() const;
    DataPage* rawPage() const;
    DataPage* qcPage() const;
    TabLevelGrid* levelsPage() const;
    TabWMOGrid* wmoPage() const;
    CommPage* commPage() const;
    SummaryPage* summaryPage() const;

signals:
    // The command flags or the products changed.
    void commandStateChanged();
    // The results went out of date, or were computed again.
    void outOfDateChanged(bool outOfDate);

private:
    void tabSwitched(int index);
    // Codes the message again when the level marks changed; false when the
    // operator chose to keep the edited message and stay on the Levels tab.
    bool applyLevelMarks();
    std::string footer() const;
    void keepExclusions();
    void reapplyExclusions();

    CKarvoEdDoc& doc_;
    VeltaDialogs& dialogs_;
    QPrinter& printer_;
    QTabWidget* tabs_ = nullptr;
    std::array<TabPage*, TabCount> pages_{};
    int current_ = 0;
    bool preview_ = false, print_ = false, save_ = false;
    QUndoStack* undoStack_ = nullptr;
    QLabel* banner_ = nullptr;
    bool outOfDate_ = false;
    // Exclusions carried into a new run are not yet in a saved message.
    bool carriedOver_ = false;
    std::vector<ExcludedLevel> kept_;
};

}  // namespace velta
