// The WMO page: the coded TEMP DROP message group by group in an 11-column
// grid, with the group commands (Modify, Restore, Insert Before, Insert After,
// Delete), the two counters, Save and E-mail. A new processing run codes a new
// message; the page then starts a new editor over it.
#pragma once

#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/TabPage.h"
#include "ui/WmoGridLayout.h"
#include "wmo/MessageFile.h"

class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QUndoStack;

namespace velta {

// The edited message of one run as it stood at one moment: what undo and redo
// of a group command put back.
struct MessageSnapshot {
    TempMessage message;
    MessageEditor editor;
    int generation = -1;
};

class TabWMOGrid : public TabPage {
    Q_OBJECT
public:
    TabWMOGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    ~TabWMOGrid() override;

    void refresh() override;
    std::vector<TextPage> printPages() const override;
    void save() override;
    // The save-as dialog and the file; false when cancelled or not written.
    bool saveMessage();

    // Group commands go onto this stack so that they can be undone.
    void setUndoStack(QUndoStack* stack) { undoStack_ = stack; }
    // The message being edited, or nothing when none was coded.
    std::optional<MessageSnapshot> snapshot() const;
    // Puts the snapshot back; false when it belongs to another run.
    bool restore(const MessageSnapshot& snapshot);
    // Groups the operator changed in the shown message.
    int changedGroups() const;

    enum class Command { Modify, Restore, InsertBefore, InsertAfter, Delete };
    // Runs the command on the grid's current cell.
    void run(Command command);
    void email();

    QTableWidget* grid() const { return grid_; }
    QPlainTextEdit* text() const { return text_; }
    QLabel* changedLabel() const { return changed_; }
    QLabel* originalLabel() const { return original_; }
    MessageEditor* editor() const { return editor_.get(); }
    int rebuilds() const { return rebuilds_; }

    // The save-as dialog: the chosen path, or nothing when cancelled.
    std::function<std::optional<std::string>(const MessageSaveDialogSettings&)> chooseSavePath;
    // Hands the mailto: URL to the mail client; false when none could be opened.
    std::function<bool(const QUrl&)> openMailUrl;

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // The message was written to a file.
    void messageSaved();

private:
    void rebuildGrid();
    void fitColumns();
    // Asks for a group text until the text is one the section allows.
    std::optional<std::string> askGroupText(const GroupRef& ref, std::string text, bool inserting);

    QLabel* title_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* changed_ = nullptr;
    QLabel* original_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    std::unique_ptr<MessageEditor> editor_;
    std::vector<WmoGridRow> cells_;
    const TempMessage* editedMessage_ = nullptr;
    int shownGeneration_ = -1;
    int rebuilds_ = 0;
    QUndoStack* undoStack_ = nullptr;
};

}  // namespace velta
