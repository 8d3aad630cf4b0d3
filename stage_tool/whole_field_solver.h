#pragma once
// Clicks that turn every cell of the field into one colour, with as few clicks as can be found.

#include "core/patterns.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/solve_choices.h"

namespace kaleidra::stage_tool {

// Each click adds 1 modulo 5 to the cells it covers, so the clicks per cursor cell solve a linear
// system modulo 5. Its solutions are searched exhaustively when there are at most 5^8, else the
// best one found is kept; an exact search for plans of few clicks can prove a plan shortest.
SolveOutcome solveWholeField(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices);

}  // namespace kaleidra::stage_tool
