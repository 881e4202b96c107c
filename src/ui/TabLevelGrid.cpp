#include "ui/TabLevelGrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "document/KarvoEdDoc.h"
#include "ui/EditCommands.h"
#include "ui/LevelsModel.h"
#include "ui/ProcessorProducts.h"

namespace velta {
namespace {

// Paints the row colour (excluded, highlighted, plain) also on selected rows;
// the selection is a dark frame around the cells instead of a fill that would
// hide the mark.
class RowMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        const bool selected = option.state & QStyle::State_Selected;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
        if (!selected) return;
        painter->save();
        painter->setPen(QPen(QColor(0, 0, 0), 2));
        const QRect r = option.rect.adjusted(0, 1, 0, -1);
        painter->drawLine(r.topLeft(), r.topRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

}  // namespace

TabLevelGrid::TabLevelGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    layout->addWidget(new QLabel(
        "Click on a level to disable/enable it.             Disabled levels are highlighted in red.", this));
    model_ = new LevelsModel(this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    // The row colours carry the marks; a selection colour would hide them.
    grid_->setItemDelegate(new RowMarkDelegate(grid_));
    layout->addWidget(grid_);
    connect(grid_, &QTableView::clicked, this, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : grid_->selectionModel()->selectedRows()) rows.push_back(index.row());
        toggleRows(rows);
    });
}

SignificantLevels* TabLevelGrid::levels() const { return products::levels(doc_.processor()); }

void TabLevelGrid::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    title_->setText(QString::fromStdString(processor->soundingDescription()));
    SignificantLevels* list = levels();
    if (!list) {
        if (shownGeneration_ != -1) model_->setLevels(nullptr);
        shownGeneration_ = -1;
        remembered_.clear();
        return;
    }
    remembered_.clear();
    for (const Level& level : list->levels()) remembered_.push_back(level.excluded());
    if (processor->levelsGeneration() == shownGeneration_) return;
    printTitle_ = "Levels " + processor->soundingDescription();
    shownGeneration_ = processor->levelsGeneration();
    grid_->setUpdatesEnabled(false);
    model_->setLevels(list);
    setColumnWidths();
    grid_->setUpdatesEnabled(true);
}

void TabLevelGrid::toggleRows(std::vector<int> rows) {
    SignificantLevels* list = levels();
    if (!list || shownGeneration_ == -1) return;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](int row) { return row < 0 || static_cast<std::size_t>(row) >= list->size(); }),
               rows.end());
    if (rows.empty() || !applyToggle(rows, shownGeneration_)) return;
    if (undoStack_) undoStack_->push(new LevelMarkCommand(*this, std::move(rows), shownGeneration_));
}

bool TabLevelGrid::applyToggle(const std::vector<int>& rows, int generation) {
    SignificantLevels* list = levels();
    if (!list || shownGeneration_ == -1 || generation != shownGeneration_) return false;
    for (int row : rows) {
        if (row < 0 || static_cast<std::size_t>(row) >= list->size()) continue;
        const Level& level = list->levels()[static_cast<std::size_t>(row)];
        list->setExcluded(static_cast<std::size_t>(row), !level.excluded());
        model_->rowChanged(row);
    }
    return true;
}

int TabLevelGrid::excludedCount() const {
    const SignificantLevels* list = levels();
    if (!list) return 0;
    return static_cast<int>(std::count_if(list->levels().begin(), list->levels().end(),
                                          [](const Level& level) { return level.excluded(); }));
}

void TabLevelGrid::release() {
    model_->setLevels(nullptr);
    shownGeneration_ = -1;
}

bool TabLevelGrid::marksChanged() const {
    const SignificantLevels* list = levels();
    if (!list || shownGeneration_ == -1 || list->size() != remembered_.size()) return false;
    for (std::size_t i = 0; i < remembered_.size(); ++i)
        if (list->levels()[i].excluded() != remembered_[i]) return true;
    return false;
}

std::vector<TextPage> TabLevelGrid::printPages() const {
    std::vector<TextPage> pages;
    const SignificantLevels* list = levels();
    if (!list) return pages;
    for (auto& lines : list->listing()) pages.push_back(TextPage{printTitle_, lines});
    return pages;
}

void TabLevelGrid::setColumnWidths() {
    // Every column at least as wide as its widest cell and its caption, so a
    // hidden or narrow page never squeezes a column; width to spare is shared
    // out in the proportions of the levels listing (Type three units, n half one).
    const int columns = model_->columnCount();
    std::vector<int> widths(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        grid_->resizeColumnToContents(c);  // cells and caption
        const int content = grid_->columnWidth(c);
        widths[static_cast<std::size_t>(c)] = std::max(content, 24);
    }
    const int u = grid_->viewport()->width() * 2 / 21;
    for (int c = 0; c < columns; ++c) {
        const int share = c == 1 ? 3 * u : c == 0 ? u / 2 : u;
        grid_->setColumnWidth(c, std::max(widths[static_cast<std::size_t>(c)], share));
    }
}

void TabLevelGrid::resizeEvent(QResizeEvent* event) {
    TabPage::resizeEvent(event);
    setColumnWidths();
}

}  // namespace velta
