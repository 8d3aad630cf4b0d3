#include "core/cursor_steps.h"

#include "core/field.h"

namespace kaleidra {

namespace {

// A row whose first cell sits on the field's left edge; the other rows start half a panel in.
bool isEdgeRow(const GameSettings& settings, LatticePosition cell) {
    return (latticeX(cell.col, cell.row) - settings.columnMargin) % 2 == 0;
}

}  // namespace

LatticePosition keyCursorCell(const GameSettings& settings, LatticePosition cursor) {
    return isInField(settings, cursor.col, cursor.row) ? cursor : fieldCentreCell;
}

std::optional<LatticePosition> steppedCell(const GameSettings& settings, LatticePosition from,
                                           CursorStep step) {
    if (!isInField(settings, from.col, from.row)) return std::nullopt;
    const bool inwardsRight = isEdgeRow(settings, from);
    LatticePosition to = from;
    switch (step) {
    case CursorStep::Left:
        to.col -= 1;
        break;
    case CursorStep::Right:
        to.col += 1;
        break;
    case CursorStep::Up:  // up-right (col, row - 1) or up-left (col - 1, row - 1)
        to = {inwardsRight ? from.col : from.col - 1, from.row - 1};
        break;
    case CursorStep::Down:  // down-right (col + 1, row + 1) or down-left (col, row + 1)
        to = {inwardsRight ? from.col + 1 : from.col, from.row + 1};
        break;
    }
    if (!isInField(settings, to.col, to.row)) return std::nullopt;
    return to;
}

}  // namespace kaleidra
