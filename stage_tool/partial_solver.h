#pragma once
// Clicks that bring at least the clear target of cells to one colour, as few as can be found.

#include "core/patterns.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/solve_choices.h"

namespace kaleidra::stage_tool {

// For a clear target below the whole field: the whole-field plan, which meets any target, beaten
// where possible by greedy plans from several starts, shortened by local search, then an exact
// search over plans with fewer clicks that proves the result shortest when it finishes within its
// step budget.
SolveOutcome solveForTarget(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices);

}  // namespace kaleidra::stage_tool
