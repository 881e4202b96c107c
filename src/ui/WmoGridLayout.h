// Where the groups of a coded message stand in the WMO tab's grid: eleven
// groups to a row, every part on a new row, the "=" in the last column.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "wmo/MessageEditor.h"

namespace velta {

struct WmoGridCell {
    enum class Colour { Plain, Modified, Inserted };
    std::string text;
    // The group shown; nothing for an empty cell and for the continuation
    // pieces of a long group.
    std::optional<GroupRef> group;
    Colour colour = Colour::Plain;
};

inline constexpr int WmoGridColumns = 11;
using WmoGridRow = std::array<WmoGridCell, WmoGridColumns>;

std::vector<WmoGridRow> layoutWmoGrid(const TempMessage& message);

// The group a command on the cell acts on: the cell's own group, or with
// leftward the nearest group to its left in the same row.
std::optional<GroupRef> groupAt(const std::vector<WmoGridRow>& grid, int row, int column, bool leftward);

}  // namespace velta
