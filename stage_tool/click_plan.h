#pragma once
// A way to clear a stage: how often to click each cursor cell, with one pattern, aiming at one colour.

#include <cstdint>
#include <vector>

#include "core/patterns.h"

namespace kaleidra::stage_tool {

struct Click {
    LatticePosition cursor;
    std::int32_t times = 0;  // 1..4; five clicks would change nothing
};

struct ClickPlan {
    PatternType pattern = TypeA;
    std::int32_t colour = 0;    // the colour the plan gathers
    std::vector<Click> clicks;  // row by row, columns left to right

    std::int64_t totalClicks() const {
        std::int64_t total = 0;
        for (const Click& click : clicks) total += click.times;
        return total;
    }
};

}  // namespace kaleidra::stage_tool
