#pragma once
// Clicks that turn every cell of the field into one colour, with as few clicks as can be found.

#include <cstdint>

#include "core/patterns.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/solve_choices.h"

namespace kaleidra::stage_tool {

// Each click adds 1 modulo 5 to the cells it covers, so the clicks per cursor cell solve a linear
// system modulo 5. Sparse solutions are sought by trusting likely clicks first; an exact search for
// plans of few clicks can prove a plan shortest.

// How hard to look: more gives shorter plans and more proofs, in more time.
struct SolveEffort {
    // Re-solves of the most promising patterns and colours: from differently peeled orders, and
    // with the clicks found trusted first.
    int peelings = 5;
    int refiningRounds = 40;
    int beliefRounds = 20;  // of belief propagation before those, to read overlapping clicks; 0: none
    std::int64_t exactSearchNodes = 2'000'000;  // per pattern and colour, for plans of few clicks
    // States a sweep over the positions may hold over all its steps, for plans of few clicks on
    // fields narrow enough for it; none turns it off.
    std::int64_t sweepStates = 150'000;
};

SolveOutcome solveWholeField(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices,
                             const SolveEffort& effort = {});

}  // namespace kaleidra::stage_tool
