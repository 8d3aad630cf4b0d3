#pragma once
// What one click does on a field, for one pattern: the in-field cells each cursor position advances.

#include <cstdint>
#include <vector>

#include "core/game_settings.h"
#include "core/patterns.h"
#include "stage_tool/click_plan.h"
#include "stage_tool/loaded_stage.h"

namespace kaleidra::stage_tool {

struct ClickModel {
    PatternType pattern = TypeA;
    std::vector<LatticePosition> cells;  // the in-field cells in stage order
    // One cursor position for each distinct set of covered cells (others would click alike), and
    // only positions that cover some in-field cell.
    std::vector<LatticePosition> positions;
    std::vector<std::vector<std::int32_t>> covers;  // per position: indices into cells
    std::vector<std::vector<std::size_t>> coveredBy;  // per cell: the positions covering it
    std::int32_t largestCover = 0;
};

// Every cell the pointer can make the cursor cell, by the game's own hit test over the field window.
const std::vector<LatticePosition>& reachableCursorCells();

ClickModel buildClickModel(const GameSettings& settings, const PatternTable& table, PatternType pattern);

// The colour of each of the model's cells on a stage.
std::vector<std::uint8_t> cellColours(const ClickModel& model, const LoadedStage& stage);
// How many clicks `times` (clicks per position, 0..4) makes in all.
std::int64_t clickCount(const std::vector<std::uint8_t>& times);
// The plan that clicks each of the model's positions times[i] times (0..4).
ClickPlan planFromTimes(const ClickModel& model, std::int32_t colour, const std::vector<std::uint8_t>& times);

}  // namespace kaleidra::stage_tool
