#pragma once
// Plans of few clicks found by sweeping over the positions one at a time: the state is what each
// cell the sweep has reached but not yet passed still needs, so the cost is bounded by how many
// cells are open at once rather than by the number of positions.

#include <cstdint>
#include <optional>
#include <vector>

#include "stage_tool/click_model.h"

namespace kaleidra::stage_tool {

// A state holds 3 bits per open cell in 64 bits.
constexpr std::size_t widestSweepFront = 21;

// The positions in an order that keeps few cells open at once: each next one opens the fewest new
// cells, given those already open.
std::vector<std::size_t> sweepOrder(const ClickModel& model);

// The most cells open at once along `order`: covered by a position already swept and by one to come.
std::size_t sweepFront(const ClickModel& model, const std::vector<std::size_t>& order);

struct SweepOutcome {
    std::optional<std::vector<std::uint8_t>> times;  // the fewest clicks found below the limit
    // No state was dropped, so nothing is shorter than `times`, or than the limit if none was found.
    bool exhaustive = false;
};

// Clicks per position (0..4) that meet `need` (per cell, 0..4) with fewer than `limit` clicks. Each
// step keeps at most `statesKept` states, those with the fewest clicks plus a lower bound of the
// clicks still to come. Finds nothing where sweepFront(model, order) > widestSweepFront.
SweepOutcome sweepSearch(const ClickModel& model, const std::vector<std::uint8_t>& need,
                         const std::vector<std::size_t>& order, std::int64_t limit, std::size_t statesKept);

}  // namespace kaleidra::stage_tool
