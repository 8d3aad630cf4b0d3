#include "core/field.h"

namespace kaleidra {

namespace {

constexpr Cell noPanel{-1, -1, NoPanel};

}  // namespace

void layoutCells(Field& field) {
    for (auto& column : field.cells) column.fill(noPanel);
    // Each pass of i places one even and one odd row, the odd one half a panel right and down.
    for (std::int32_t i = 0; i <= 7; ++i) {
        for (std::int32_t j = 0; j <= 8; ++j) {
            Cell& even = field.cells[static_cast<std::size_t>(i + j)][static_cast<std::size_t>(2 * i)];
            even.x = 64 * j;
            even.y = 32 * i + 16;
            Cell& odd = field.cells[static_cast<std::size_t>(i + j + 1)][static_cast<std::size_t>(2 * i + 1)];
            odd.x = 64 * j + 32;
            odd.y = 32 * i + 32;
        }
    }
}

bool isInField(const GameSettings& settings, std::int32_t col, std::int32_t row) {
    // Widened so that no argument or margin can overflow.
    if (row < settings.rowMargin) return false;
    if (row > std::int64_t{15} - settings.rowMargin) return false;
    const std::int64_t x = 2 * std::int64_t{col} - row;
    if (x < settings.columnMargin) return false;
    if (x > std::int64_t{17} - settings.columnMargin) return false;
    // Margins from applyRules already keep every accepted position inside the lattice; this keeps
    // the promise that an accepted position may index the cell table even for margins it never made.
    return col >= 0 && col < latticeColumns && row >= 0 && row < latticeRows;
}

void recountColours(GameState& state, const Field& field, const GameSettings& settings) {
    state.colourCounts.fill(0);
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        const std::int32_t colour =
            field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour;
        // A cell that stage generation never wrote has no count to add to.
        if (colour >= 0 && colour < panelColourCount) ++state.colourCounts[static_cast<std::size_t>(colour)];
    });
}

std::int32_t inFieldCellCount(const GameSettings& settings) {
    std::int32_t count = 0;
    forEachInFieldCell(settings, [&](std::int32_t, std::int32_t) { ++count; });
    return count;
}

std::int32_t coveredInFieldCount(const GameSettings& settings, const PatternTable& table, std::int32_t col,
                                 std::int32_t row) {
    std::int32_t count = 0;
    forEachPatternOffset(table, settings.patternType, [&](std::int32_t dcol, std::int32_t drow) {
        const LatticePosition covered = coveredCell(col, row, PatternOffset{dcol, drow});
        if (isInField(settings, covered.col, covered.row)) ++count;
    });
    return count;
}

}  // namespace kaleidra
