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

namespace velta {

class TabWMOGrid : public TabPage {
    Q_OBJECT
public:
    TabWMOGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    ~TabWMOGrid() override;

    void refresh() override;
    std::vector<TextPage> printPages() const override;
    void save() override;

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

private:
    void rebuildGrid();

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
};

}  // namespace velta
