#pragma once
// A stage file read the way the game reads it, onto a field of the chosen rules.

#include <string>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"

namespace kaleidra::stage_tool {

struct LoadedStage {
    GameSettings settings{};
    GameState state{};
    Field field{};
};

struct StageLoad {
    bool loaded = false;
    std::string problem;  // why not, for the person who named the file
    LoadedStage stage;
};

// Unlike the game, which falls back on a random stage, a file that gives no colour is reported.
StageLoad loadStageFile(const std::string& path, const GameSettings& settings);

// The colour of an in-field cell.
std::int32_t colourAt(const LoadedStage& stage, std::int32_t col, std::int32_t row);

}  // namespace kaleidra::stage_tool
