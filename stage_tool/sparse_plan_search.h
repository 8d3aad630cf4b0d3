#pragma once
// Plans of few clicks for "every cell advances by its need", found as sparse solutions modulo 5.

#include <cstdint>
#include <vector>

#include "stage_tool/click_model.h"

namespace kaleidra::stage_tool {

// Positions in the order the search trusts them: first those that a greedy peeling of the field
// takes as clicks (a scrambled field shows each click as its pattern's shape), then those whose
// covered cells most often need one same step.
std::vector<std::size_t> positionsByPromise(const ClickModel& model, const std::vector<std::uint8_t>& need);

// Clicks per position (0..4) that meet `need` (per cell, 0..4), using only the earliest positions of
// `order` that the system needs, then shortened by single moves within the solutions. Empty when no
// clicks meet the need.
std::vector<std::uint8_t> solveWithPivotOrder(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                              const std::vector<std::size_t>& order);

// Shortens `times` (a solution) by solving again with its clicked positions trusted first and the
// rest shuffled a little, `rounds` times; the same arguments always give the same result.
std::vector<std::uint8_t> reorderedSearch(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                          std::vector<std::uint8_t> times, int rounds, std::uint32_t seed);

}  // namespace kaleidra::stage_tool
