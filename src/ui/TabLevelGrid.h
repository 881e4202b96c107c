// The Levels page: the significant levels of the current run in a grid; a
// click on a level excludes it from the message or includes it again. The
// marks as they were at the last refresh are remembered so that leaving the
// page can tell whether the message has to be coded again.
#pragma once

#include <vector>

#include "ui/TabPage.h"

class QLabel;
class QTableView;
class QUndoStack;

namespace velta {

class LevelsModel;
class SignificantLevels;

class TabLevelGrid : public TabPage {
    Q_OBJECT
public:
    TabLevelGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);

    void refresh() override;
    std::vector<TextPage> printPages() const override;

    // Toggles the exclusion of the levels shown in these rows (lowest first);
    // the click goes onto the undo stack when the page has one.
    void toggleRows(std::vector<int> rows);
    // Toggles the rows again for undo and redo; false when the levels of that
    // generation are no longer shown.
    bool applyToggle(const std::vector<int>& rows, int generation);
    void setUndoStack(QUndoStack* stack) { undoStack_ = stack; }
    // Levels excluded now.
    int excludedCount() const;
    // Lets go of the levels before processing replaces them; the next refresh shows the new ones.
    void release();
    // True when some level's mark differs from the one remembered at the last refresh.
    bool marksChanged() const;

    QTableView* grid() const { return grid_; }
    const LevelsModel& model() const { return *model_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    SignificantLevels* levels() const;
    void setColumnWidths();

    QLabel* title_ = nullptr;
    QTableView* grid_ = nullptr;
    LevelsModel* model_ = nullptr;
    std::vector<bool> remembered_;
    int shownGeneration_ = -1;
    std::string printTitle_;
    QUndoStack* undoStack_ = nullptr;
};

}  // namespace velta
