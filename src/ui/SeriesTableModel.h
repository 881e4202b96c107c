// The data grid of the Raw and QC pages: a read-only model over a merged
// series table; cells are formatted when the view asks for them.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "io/SeriesTable.h"

namespace velta {

struct GridColumn {
    const char* caption;
    int tableColumn;
    const char* format;
};

class SeriesTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SeriesTableModel(std::vector<GridColumn> columns, QObject* parent = nullptr);

    void setTable(SeriesTable table);
    const SeriesTable& table() const { return table_; }
    const std::vector<GridColumn>& gridColumns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<GridColumn> columns_;
    SeriesTable table_;
};

}  // namespace velta
