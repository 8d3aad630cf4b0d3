#pragma once
// Plays a plan through the game's own panel operation, tick by tick to the end of every click.

#include <array>
#include <cstdint>

#include "core/field.h"
#include "core/patterns.h"
#include "stage_tool/click_plan.h"
#include "stage_tool/loaded_stage.h"

namespace kaleidra::stage_tool {

struct ReplayResult {
    bool completed = false;  // every click was accepted and its operation came to its end
    std::array<std::int32_t, panelColourCount> colourCounts{};
    LoadedStage after;
};

ReplayResult replayPlan(const LoadedStage& stage, const PatternTable& table, const ClickPlan& plan);

}  // namespace kaleidra::stage_tool
