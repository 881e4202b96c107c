#include "ui/TabWMOGrid.h"

#include <QDesktopServices>
#include <algorithm>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"
#include "ui/EditCommands.h"
#include "ui/GroupTextRule.h"
#include "ui/FindingsConfirmation.h"
#include "ui/ProcessorProducts.h"
#include "ui/SavePathDialog.h"
#include "wmo/MessageMail.h"

namespace velta {

namespace {

QColor colourOf(WmoGridCell::Colour colour) {
    switch (colour) {
        case WmoGridCell::Colour::Inserted: return QColor(0, 255, 0);
        case WmoGridCell::Colour::Modified: return QColor(255, 0, 0);
        case WmoGridCell::Colour::Plain: break;
    }
    return QColor(0, 0, 0);
}

}  // namespace

TabWMOGrid::TabWMOGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    chooseSavePath = [this](const MessageSaveDialogSettings& s) { return askSavePath(this, s); };
    openMailUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);

    grid_ = new QTableWidget(0, WmoGridColumns, this);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(grid_, 3);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, Command> commands[] = {{"Modify", Command::Modify},
                                                        {"Restore", Command::Restore},
                                                        {"Insert Before", Command::InsertBefore},
                                                        {"Insert After", Command::InsertAfter},
                                                        {"Delete", Command::Delete}};
    for (const auto& [caption, command] : commands) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, [this, c = command] { run(c); });
        buttons->addWidget(button);
    }
    auto* printButton = new QPushButton("Print", this);
    connect(printButton, &QPushButton::clicked, this, &TabPage::printRequested);
    buttons->addWidget(printButton);
    auto* saveButton = new QPushButton("Save", this);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    buttons->addWidget(saveButton);
    auto* mailButton = new QPushButton("Email", this);
    connect(mailButton, &QPushButton::clicked, this, [this] { email(); });
    buttons->addWidget(mailButton);
    buttons->addStretch();
    changed_ = new QLabel(this);
    original_ = new QLabel(this);
    buttons->addWidget(changed_);
    buttons->addWidget(original_);
    layout->addLayout(buttons);

    // The message as it is printed and sent.
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text_, 1);
}

TabWMOGrid::~TabWMOGrid() = default;

void TabWMOGrid::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    title_->setText(QString::fromStdString(processor->soundingDescription()));
    TempMessage* message = processor->message();
    const int generation = message ? processor->messageGeneration() : -1;
    if (generation == shownGeneration_ && message == editedMessage_ && shownGeneration_ != -1) {
        // Same run; the Comm tab may have rewritten heading and remarks.
        rebuildGrid();
        return;
    }
    shownGeneration_ = generation;
    editedMessage_ = message;
    // A new run: a new editor, so the deleted-groups counter starts again.
    editor_ = message ? std::make_unique<MessageEditor>(*message, processor->messageGroupCount()) : nullptr;
    rebuildGrid();
}

void TabWMOGrid::rebuildGrid() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    grid_->clearContents();
    cells_ = editor_ ? layoutWmoGrid(editor_->message()) : std::vector<WmoGridRow>{};
    grid_->setRowCount(static_cast<int>(cells_.size()));
    for (std::size_t r = 0; r < cells_.size(); ++r)
        for (int c = 0; c < WmoGridColumns; ++c) {
            const WmoGridCell& cell = cells_[r][static_cast<std::size_t>(c)];
            auto* item = new QTableWidgetItem(QString::fromStdString(cell.text));
            item->setToolTip(item->text().trimmed());
            item->setForeground(colourOf(cell.colour));
            grid_->setItem(static_cast<int>(r), c, item);
        }
    if (row >= 0 && column >= 0 && row < grid_->rowCount()) grid_->setCurrentCell(row, column);
    fitColumns();

    changed_->setText(editor_ ? QString::fromStdString(editor_->changedGroupsText()) : QString());
    original_->setText(editor_ ? QString::fromStdString(editor_->originalGroupsText()) : QString());
    if (editor_) {
        QStringList lines;
        for (const std::string& line : editor_->message().lines()) lines << QString::fromStdString(line);
        text_->setPlainText(lines.join('\n'));
    } else {
        text_->setPlainText("No message has been coded for this sounding.");
    }
    ++rebuilds_;
}

void TabWMOGrid::fitColumns() {
    // Code columns as wide as their groups; the widest column (the remark
    // lines) takes what is left, so the last column with the "=" stays in view.
    const int columns = grid_->columnCount();
    if (columns == 0) return;
    std::vector<int> content(static_cast<std::size_t>(columns));
    int widest = 0;
    for (int c = 0; c < columns; ++c) {
        grid_->resizeColumnToContents(c);  // cells and caption
        content[static_cast<std::size_t>(c)] = grid_->columnWidth(c);
        if (content[static_cast<std::size_t>(c)] > content[static_cast<std::size_t>(widest)]) widest = c;
    }
    int others = 0;
    for (int c = 0; c < columns; ++c)
        if (c != widest) {
            grid_->setColumnWidth(c, content[static_cast<std::size_t>(c)]);
            others += content[static_cast<std::size_t>(c)];
        }
    const int minimum = grid_->fontMetrics().horizontalAdvance("999999") + 8;
    // Room for a vertical scroll bar that may appear once the rows are laid out.
    const int scrollBar =
        grid_->verticalScrollBar()->isVisible() ? 0 : grid_->verticalScrollBar()->sizeHint().width() + 6;
    const int room = grid_->viewport()->width() - others - scrollBar;
    grid_->setColumnWidth(widest, std::max(minimum, std::min(content[static_cast<std::size_t>(widest)], room)));
}

void TabWMOGrid::resizeEvent(QResizeEvent* event) {
    TabPage::resizeEvent(event);
    fitColumns();
}

std::optional<std::string> TabWMOGrid::askGroupText(const GroupRef& ref, std::string text, bool inserting) {
    const TempMessage& message = editor_->message();
    const MessageSection& section = message.parts()[ref.part].sections()[ref.section];
    // An inserted group never becomes the first of its section.
    const std::size_t index = inserting ? ref.group + 1 : ref.group;
    for (;;) {
        std::optional<std::string> entered = dialogs_.editText(text);
        if (!entered) return std::nullopt;
        const std::string problem = groupTextProblem(section.order(), index, *entered);
        if (problem.empty()) return entered;
        dialogs_.messageBox(problem);
        text = *entered;
    }
}

void TabWMOGrid::run(Command command) {
    if (!editor_) return;
    const bool leftward = command == Command::Modify || command == Command::InsertBefore ||
                          command == Command::InsertAfter;
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const std::optional<GroupRef> ref = groupAt(cells_, row, column, leftward);
    if (!ref) return;
    const bool onGroup = groupAt(cells_, row, column, false).has_value();
    std::optional<MessageSnapshot> before = snapshot();
    bool changed = false;
    const char* name = "";
    switch (command) {
        case Command::Modify: {
            const MessageGroup* group = editor_->group(*ref);
            if (!group) return;
            name = "Modify";
            if (auto text = askGroupText(*ref, group->text(), false)) changed = editor_->modify(*ref, *text);
            break;
        }
        case Command::Restore:
            name = "Restore";
            changed = editor_->restore(*ref);
            break;
        case Command::InsertBefore:
        case Command::InsertAfter:
            name = "Insert";
            if (auto text = askGroupText(*ref, "", true)) {
                // On an empty cell both insert after the group to the left.
                if (command == Command::InsertBefore && onGroup)
                    changed = editor_->insertBefore(*ref, *text);
                else
                    changed = editor_->insertAfter(*ref, *text);
            }
            break;
        case Command::Delete:
            name = "Delete";
            changed = editor_->remove(*ref);
            break;
    }
    rebuildGrid();
    if (changed && before && undoStack_)
        undoStack_->push(new MessageEditCommand(*this, std::move(*before), *snapshot(), name));
}

std::optional<MessageSnapshot> TabWMOGrid::snapshot() const {
    if (!editor_) return std::nullopt;
    return MessageSnapshot{editor_->message(), *editor_, shownGeneration_};
}

bool TabWMOGrid::restore(const MessageSnapshot& snapshot) {
    SoundingProcessor* processor = doc_.processor();
    if (!editor_ || !processor || snapshot.generation != shownGeneration_ ||
        processor->message() != editedMessage_ || processor->messageGeneration() != shownGeneration_)
        return false;
    editor_->message() = snapshot.message;
    *editor_ = snapshot.editor;
    rebuildGrid();
    return true;
}

int TabWMOGrid::changedGroups() const { return editor_ ? editor_->changedGroups() : 0; }

std::vector<TextPage> TabWMOGrid::printPages() const {
    std::vector<TextPage> pages;
    std::vector<MessagePage> message;
    if (editor_)
        message = editor_->printPages();
    else if (const TempMessage* coded = products::message(const_cast<CKarvoEdDoc&>(doc_).processor()))
        message = coded->pages();
    for (MessagePage& page : message) pages.push_back(TextPage{page.title, std::move(page.lines)});
    return pages;
}

void TabWMOGrid::save() { saveMessage(); }

bool TabWMOGrid::saveMessage() {
    if (!editor_) return false;
    ConfigSet& config = doc_.configuration();
    const std::optional<std::string> path = chooseSavePath(messageSaveDialogSettings(config, doc_.path()));
    if (!path) return false;
    const bool saved = saveMessageAs(editor_->message(), *path, config, dialogs_);
    if (saved) emit messageSaved();
    return saved;
}

void TabWMOGrid::email() {
    if (!editor_) return;
    if (!confirmDespiteFindings(doc_, dialogs_, "E-mail")) return;
    const ConfigSet& config = doc_.configuration();
    const ConfigOption* address = config.option("TempEmailAddress");
    const bool appendNNNN = config.numericValue("TempAppendNNNN").value_or(0.0) != 0.0;
    const MailMessage mail = composeMail(editor_->message(), address ? address->text() : std::string(), appendNNNN);
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(mailtoUrl(mail)));
    if (!openMailUrl(url))
        dialogs_.messageBox("No mail program could be opened for the WMO message.\n"
                            "Save the message and send the file instead.");
}

}  // namespace velta
