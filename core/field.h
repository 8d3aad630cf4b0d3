#pragma once
// The field lattice: 17 x 16 cells with their panel rectangles and colours, and the field's cut-out.

#include <array>
#include <cstdint>

#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"

namespace kaleidra {

inline constexpr int latticeColumns = 17;
inline constexpr int latticeRows = 16;
inline constexpr int panelWidth = 64;
inline constexpr int panelHeight = 32;
inline constexpr int panelColourCount = 5;

enum PanelColor : std::int32_t { NoPanel = -1, Red = 0, Yellow, Green, LightBlue, Purple };

struct Cell {
    std::int32_t x;       // left edge of the panel rectangle in field window pixels, -1 for no panel
    std::int32_t y;       // top edge, -1 for no panel
    std::int32_t colour;  // PanelColor
};

struct Field {
    // Indexed column first: cells[col][row].
    std::array<std::array<Cell, latticeRows>, latticeColumns> cells;
};

constexpr std::int32_t latticeX(std::int32_t col, std::int32_t row) { return 2 * col - row; }

void layoutCells(Field& field);
// The one membership test; compares only, so any integers are safe.
bool isInField(const GameSettings& settings, std::int32_t col, std::int32_t row);
void recountColours(GameState& state, const Field& field, const GameSettings& settings);

// Calls visit(col, row) for each in-field cell row by row, columns left to right: the order in which
// stage data is given to cells.
template <typename Visit>
void forEachInFieldCell(const GameSettings& settings, Visit&& visit) {
    for (std::int32_t row = 0; row < latticeRows; ++row) {
        for (std::int32_t col = 0; col < latticeColumns; ++col) {
            if (isInField(settings, col, row)) visit(col, row);
        }
    }
}
std::int32_t inFieldCellCount(const GameSettings& settings);
// In-field cells covered by the current pattern around (col, row).
std::int32_t coveredInFieldCount(const GameSettings& settings, const PatternTable& table,
                                 std::int32_t col, std::int32_t row);

}  // namespace kaleidra
