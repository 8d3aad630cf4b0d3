#pragma once
// The cursor keys on the diamond lattice: which in-field cell each arrow key leads to.

#include <cstdint>
#include <optional>

#include "core/game_settings.h"
#include "core/patterns.h"

namespace kaleidra {

enum class CursorStep : std::int32_t { Left, Right, Up, Down };

// Every field size is centred on the same point of the window; this cell lies under it, and in
// every field.
inline constexpr LatticePosition fieldCentreCell{8, 8};

// The cell the keys act from: the cursor cell when the field holds it, else the centre cell. A game
// starts with the cursor where the last one (or start-up, at (0, 0)) left it, often off a small field.
LatticePosition keyCursorCell(const GameSettings& settings, LatticePosition cursor);

// The in-field cell one key press away from an in-field cell; none at the field's edge in that
// direction, and none from a cell off the field.
//
// Left and Right go along the row, one panel over. Up and Down go to the row above or below, where
// two cells touch the cell at its upper (lower) edges, half a panel to either side. The tie goes
// inwards: from a row that starts at the field's left edge to the right, from the rows between
// them to the left. Either choice always lies in the field, Up and Down undo each other, and a
// column of Up presses zigzags in place instead of drifting sideways.
std::optional<LatticePosition> steppedCell(const GameSettings& settings, LatticePosition from,
                                           CursorStep step);

}  // namespace kaleidra
