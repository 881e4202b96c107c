#include "ui/WmoGridLayout.h"

#include <QString>

namespace velta {

namespace {

constexpr std::size_t CellWidth = 65;

WmoGridCell::Colour colourOf(const MessageGroup& group) {
    if (group.mark() == InsertedGroupMark) return WmoGridCell::Colour::Inserted;
    return group.modified() ? WmoGridCell::Colour::Modified : WmoGridCell::Colour::Plain;
}

// Rows are created when a cell is placed in them, so a wrap at the end of a
// part leaves no empty row behind.
class Placer {
public:
    explicit Placer(std::vector<WmoGridRow>& rows) : rows_(rows) {}

    void startPart() {
        row_ = rows_.size();
        column_ = 0;
    }
    void place(const GroupRef& ref, const MessageGroup& group, bool terminator, bool identifier) {
        // The part identifier stands as in the message, two blanks after it.
        const std::string formatted =
            QString::asprintf(identifier ? "%-5s " : "%5s ", group.text().c_str()).toStdString();
        const WmoGridCell::Colour colour = colourOf(group);
        if (terminator)
            column_ = WmoGridColumns - 1;
        else if (group.startsLine() && column_ != 0)
            newRow();
        put(WmoGridCell{formatted.substr(0, CellWidth), ref, colour});
        if (formatted.size() > CellWidth) {
            for (std::size_t at = CellWidth; at < formatted.size(); at += CellWidth) {
                newRow();
                put(WmoGridCell{formatted.substr(at, CellWidth), std::nullopt, colour});
            }
            column_ = 1;
            return;
        }
        if (++column_ >= WmoGridColumns) newRow();
    }

private:
    void newRow() {
        ++row_;
        column_ = 0;
    }
    void put(WmoGridCell cell) {
        if (rows_.size() <= row_) rows_.resize(row_ + 1);
        rows_[row_][static_cast<std::size_t>(column_)] = std::move(cell);
    }

    std::vector<WmoGridRow>& rows_;
    std::size_t row_ = 0;
    int column_ = 0;
};

}  // namespace

std::vector<WmoGridRow> layoutWmoGrid(const TempMessage& message) {
    std::vector<WmoGridRow> rows;
    Placer placer(rows);
    const auto& parts = message.parts();
    for (std::size_t p = 0; p < parts.size(); ++p) {
        placer.startPart();
        const auto& sections = parts[p].sections();
        for (std::size_t s = 0; s < sections.size(); ++s) {
            const bool terminator = sections[s].order() == SectionOrder::Terminator;
            const bool identification = sections[s].order() == SectionOrder::Identification;
            const auto& groups = sections[s].groups();
            for (std::size_t g = 0; g < groups.size(); ++g)
                placer.place(GroupRef{p, s, g}, groups[g], terminator, identification && groups[g].startsLine());
        }
    }
    return rows;
}

std::optional<GroupRef> groupAt(const std::vector<WmoGridRow>& grid, int row, int column, bool leftward) {
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid.size() || column >= WmoGridColumns)
        return std::nullopt;
    const WmoGridRow& cells = grid[static_cast<std::size_t>(row)];
    for (int c = column; c >= 0; --c) {
        if (const auto& group = cells[static_cast<std::size_t>(c)].group) return group;
        if (!leftward) break;
    }
    return std::nullopt;
}

}  // namespace velta
