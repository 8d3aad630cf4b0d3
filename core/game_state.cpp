#include "core/game_state.h"

namespace kaleidra {

void initDefaults(GameState& state, GameSettings& settings) {
    state.phase = GamePhase::Title;
    settings.stageSource = StageSource::Random;
    setStageFilePath(settings, "default.txt");
    settings.columnsPerRow = 9;
    settings.rows = 16;
    settings.totalPanels = settings.columnsPerRow * settings.rows;
    settings.clearPercentage = 70;
    settings.clearTarget = settings.totalPanels * settings.clearPercentage / 100;
}

void resetForNewGame(GameState& state, GameSettings& settings) {
    // An operation of the previous game may still be running; idle means its next tick changes
    // nothing and reports only `finished`, on which the field window kills the flip timer.
    state.flip.busy = flipIdle;
    state.elapsedSeconds = 0;
    state.operationCount = 0;
    state.flippedTotal = 0;
    settings.patternType = TypeA;
}

bool isColourCleared(const GameState& state, const GameSettings& settings, std::int32_t colour) {
    if (colour < 0 || colour >= static_cast<std::int32_t>(state.colourCounts.size())) return false;
    return state.colourCounts[static_cast<std::size_t>(colour)] >= settings.clearTarget;
}

bool isGameCleared(const GameState& state, const GameSettings& settings) {
    for (std::int32_t colour = 0; colour < static_cast<std::int32_t>(state.colourCounts.size()); ++colour) {
        if (isColourCleared(state, settings, colour)) return true;
    }
    return false;
}

}  // namespace kaleidra
