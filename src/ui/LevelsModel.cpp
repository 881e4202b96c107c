#include "ui/LevelsModel.h"

#include "levels/SignificantLevels.h"
#include "ui/CellFormat.h"

namespace velta {
namespace {

constexpr const char* kCaptions[] = {"n",      "Type",      "Time (s)",  "Pres (mb)", "Tdry (C)",
                                     "RH (%)", "Spd (m/s)", "Dir (deg)", "Alt (m)"};
struct ValueColumn {
    LevelValue key;
    const char* format;
};
// Columns 2 to 8.
constexpr ValueColumn kValues[] = {{LevelValue::Time, "%6.1f "}, {LevelValue::Pres, "%6.1f "},
                                   {LevelValue::Tdry, "%6.1f "}, {LevelValue::RH, "%6.0f "},
                                   {LevelValue::Wspd, "%6.1f "}, {LevelValue::Wdir, "%6.0f "},
                                   {LevelValue::Alt, "%6.0f "}};

bool highlighted(LevelType t) {
    return t == LevelType::Standard || t == LevelType::SurfaceThermodynamic || t == LevelType::SurfaceWinds;
}

}  // namespace

const QColor LevelsModel::Highlight(0x00, 0xFF, 0xFF);  // Windows 0xFFFF00 is blue-green 0xBBGGRR
const QColor LevelsModel::Excluded(0xFF, 0x00, 0x00);   // Windows 0x0000FF, red
const QColor LevelsModel::Plain(0xFF, 0xFF, 0xFF);

void LevelsModel::setLevels(const SignificantLevels* levels) {
    beginResetModel();
    levels_ = levels;
    endResetModel();
}

void LevelsModel::rowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }

int LevelsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !levels_ ? 0 : static_cast<int>(levels_->size());
}

int LevelsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 9; }

QColor LevelsModel::rowColour(int row) const {
    const Level& level = levels_->levels()[static_cast<std::size_t>(row)];
    if (level.excluded()) return Excluded;
    return highlighted(level.type()) ? Highlight : Plain;
}

QVariant LevelsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !levels_ || index.row() >= rowCount()) return {};
    const Level& level = levels_->levels()[static_cast<std::size_t>(index.row())];
    const int c = index.column();
    switch (role) {
        case Qt::DisplayRole:
            if (c == 0) return QString::asprintf("%3.0f", static_cast<double>(index.row()));
            if (c == 1) return QString::fromLatin1(levelTypeName(level.type()));
            if (auto v = level.value(kValues[c - 2].key)) return cellText(kValues[c - 2].format, *v);
            return {};
        case Qt::BackgroundRole:
            return rowColour(index.row());
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        case Qt::TextAlignmentRole:
            return int((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant LevelsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= 9) return {};
    if (role == Qt::DisplayRole) return QString::fromLatin1(kCaptions[section]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

}  // namespace velta
