#include "stage_tool/plan_replay.h"

#include <algorithm>

#include "core/flip.h"

namespace kaleidra::stage_tool {

namespace {

// One more than the longest operation: five ticks for each of 13 panels, then the end.
constexpr int ticksPerOperationBound = 5 * patternWalkBound + 2;

bool finished(const FlipEffects& effects) {
    return std::any_of(effects.begin(), effects.end(),
                       [](const FlipEffect& effect) { return effect.kind == FlipEffectKind::finished; });
}

bool playOneClick(LoadedStage& game, const PatternTable& table, LatticePosition cursor) {
    game.state.cursorCol = cursor.col;
    game.state.cursorRow = cursor.row;
    if (!startFlipSequence(game.state, game.settings, table).accepted) return false;
    for (int tick = 0; tick < ticksPerOperationBound; ++tick)
        if (finished(flipTick(game.state, game.field, game.settings, table))) return true;
    return false;
}

}  // namespace

ReplayResult replayPlan(const LoadedStage& stage, const PatternTable& table, const ClickPlan& plan) {
    ReplayResult result;
    result.after = stage;
    result.after.settings.patternType = plan.pattern;
    result.after.state.flip = FlipSequence{flipIdle, 0, 0, plan.pattern};
    result.completed = true;
    for (const Click& click : plan.clicks) {
        for (std::int32_t time = 0; time < click.times && result.completed; ++time)
            result.completed = playOneClick(result.after, table, click.cursor);
    }
    result.colourCounts = result.after.state.colourCounts;
    return result;
}

}  // namespace kaleidra::stage_tool
