// The significant levels in a grid: number, type, time, pressure,
// temperature, humidity, wind and altitude, with the row colours that tell
// surface and standard levels and the levels the operator excluded.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

namespace velta {

class SignificantLevels;

class LevelsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static const QColor Highlight;  // standard and surface levels
    static const QColor Excluded;   // levels left out of the message
    static const QColor Plain;

    explicit LevelsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows the levels (null for none).
    void setLevels(const SignificantLevels* levels);
    // Repaints one row after its mark changed.
    void rowChanged(int row);
    QColor rowColour(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const SignificantLevels* levels_ = nullptr;
};

}  // namespace velta
