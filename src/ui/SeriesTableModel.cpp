#include "ui/SeriesTableModel.h"

#include "ui/CellFormat.h"

namespace velta {

SeriesTableModel::SeriesTableModel(std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void SeriesTableModel::setTable(SeriesTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int SeriesTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.rowCount(); }

int SeriesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SeriesTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= table_.rowCount()) return {};
    const GridColumn& c = columns_[static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole) {
        if (c.tableColumn >= table_.columnCount()) return {};
        return cellText(c.format, table_.value(index.row(), c.tableColumn));
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SeriesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < static_cast<int>(columns_.size()))
        return QString::fromLatin1(columns_[static_cast<std::size_t>(section)].caption);
    if (orientation == Qt::Vertical) return section + 1;
    return {};
}

}  // namespace velta
