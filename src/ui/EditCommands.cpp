#include "ui/EditCommands.h"

#include "ui/TabLevelGrid.h"

namespace velta {

MessageEditCommand::MessageEditCommand(TabWMOGrid& page, MessageSnapshot before, MessageSnapshot after,
                                       const QString& text)
    : QUndoCommand(text), page_(page), before_(std::move(before)), after_(std::move(after)) {}

void MessageEditCommand::put(const MessageSnapshot& snapshot) {
    emit page_.showRequested();
    if (!page_.restore(snapshot)) setObsolete(true);
}

void MessageEditCommand::undo() { put(before_); }

void MessageEditCommand::redo() {
    if (done_) {
        done_ = false;
        return;
    }
    put(after_);
}

LevelMarkCommand::LevelMarkCommand(TabLevelGrid& page, std::vector<int> rows, int generation)
    : QUndoCommand(rows.size() == 1 ? QString("Exclude or include level %1").arg(rows.front())
                                    : QString("Exclude or include %1 levels").arg(rows.size())),
      page_(page), rows_(std::move(rows)), generation_(generation) {}

void LevelMarkCommand::toggle() {
    // The page is shown first, so that leaving it codes the message again.
    emit page_.showRequested();
    if (!page_.applyToggle(rows_, generation_)) setObsolete(true);
}

void LevelMarkCommand::undo() { toggle(); }

void LevelMarkCommand::redo() {
    if (done_) {
        done_ = false;
        return;
    }
    toggle();
}

}  // namespace velta
