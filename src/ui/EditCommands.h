// The operator's edits as undoable commands: a group command on the WMO page
// (Modify, Insert, Delete, Restore) and a click that excludes or includes
// levels on the Levels page. Each belongs to one processing run; undone or
// redone after a new run has replaced its message or levels, it does nothing
// and leaves the stack.
#pragma once

#include <QUndoCommand>
#include <vector>

#include "ui/TabWMOGrid.h"

namespace velta {

class TabLevelGrid;

class MessageEditCommand : public QUndoCommand {
public:
    // The edit has already been made: the first redo does nothing.
    MessageEditCommand(TabWMOGrid& page, MessageSnapshot before, MessageSnapshot after, const QString& text);
    void undo() override;
    void redo() override;

private:
    void put(const MessageSnapshot& snapshot);

    TabWMOGrid& page_;
    MessageSnapshot before_;
    MessageSnapshot after_;
    bool done_ = true;
};

class LevelMarkCommand : public QUndoCommand {
public:
    // The rows have already been toggled: the first redo does nothing.
    LevelMarkCommand(TabLevelGrid& page, std::vector<int> rows, int generation);
    void undo() override;
    void redo() override;

private:
    void toggle();

    TabLevelGrid& page_;
    std::vector<int> rows_;
    int generation_;
    bool done_ = true;
};

}  // namespace velta
