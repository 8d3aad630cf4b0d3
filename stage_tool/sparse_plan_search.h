#pragma once
// Plans of few clicks for "every cell advances by its need", found as sparse solutions modulo 5.

#include <cstdint>
#include <vector>

#include "stage_tool/click_model.h"

namespace kaleidra::stage_tool {

// Positions in the order the search trusts them: first those that a greedy peeling of the field
// takes as clicks (a scrambled field shows each click as its pattern's shape), then those whose
// covered cells most often need one same step. A nonzero seed breaks some ties of the peeling its
// own way.
std::vector<std::size_t> positionsByPromise(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                            std::uint32_t seed = 0);

// How a solution is shortened within the solutions: by the single moves of the basis the pivots
// give, or also by pairs of them, which costs the square of the time.
enum class Descent { singleMoves, pairsToo };

// Clicks per position (0..4) that meet `need` (per cell, 0..4), using only the earliest positions of
// `order` that the system needs, then shortened. Empty when no clicks meet the need.
std::vector<std::uint8_t> solveWithPivotOrder(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                              const std::vector<std::size_t>& order, Descent descent);

struct RefiningEffort {
    int peelings = 0;  // solves from differently peeled orders
    int rounds = 0;    // solves with the clicks found trusted first
    int beliefRounds = 0;  // of belief propagation, for one more start and to steer the rounds; 0: none
};

// Shortens `times` (a solution): solves again from the order of belief and from differently peeled
// orders, then with its clicked positions trusted first and the rest shuffled a little, and last
// with pairs of moves; the same arguments always give the same result.
std::vector<std::uint8_t> refinedSolution(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                          std::vector<std::uint8_t> times, const RefiningEffort& effort,
                                          std::uint32_t seed);

}  // namespace kaleidra::stage_tool
