#pragma once
// What a solve may use and what it reports about the equations it met.

#include <array>
#include <cstdint>
#include <vector>

#include "core/field.h"
#include "core/patterns.h"
#include "stage_tool/click_plan.h"

namespace kaleidra::stage_tool {

struct SolveChoices {
    std::vector<PatternType> patterns;  // the plan uses one of these
    std::vector<std::int32_t> colours;  // and gathers one of these
};

// The equations "every cell one colour" for one pattern, after elimination.
struct SystemSummary {
    PatternType pattern = TypeA;
    std::size_t equations = 0;  // in-field cells
    std::size_t unknowns = 0;   // cursor cells that click differently
    std::size_t rank = 0;
    std::array<bool, panelColourCount> consistent{};
    std::size_t nullity() const { return unknowns - rank; }
};

struct SolveOutcome {
    bool planFound = false;
    bool proven = false;      // no plan within the choices has fewer clicks
    bool impossible = false;  // proven: the equations are inconsistent for every choice
    ClickPlan plan;
    std::vector<SystemSummary> systems;
};

}  // namespace kaleidra::stage_tool
