#pragma once
// The state of the game in progress: phase, counters, colour counts, cursor and running operation.

#include <array>
#include <cstdint>

#include "core/game_settings.h"
#include "core/patterns.h"

namespace kaleidra {

enum class GamePhase : std::int32_t { Title = 0, Playing = 10 };

inline constexpr std::int32_t flipIdle = 0;
inline constexpr std::int32_t flipRunning = 10;

struct FlipSequence {
    std::int32_t busy;        // flipIdle or flipRunning
    std::int32_t entryIndex;  // current entry of the operation's pattern list
    std::int32_t frame;       // ticks spent on the current entry, 0..5
    PatternType pattern;      // the pattern the running operation began with
};

struct GameState {
    GamePhase phase;
    std::int32_t elapsedSeconds;
    std::int32_t operationCount;
    std::int32_t flippedTotal;
    std::array<std::int32_t, 5> colourCounts;  // indexed by PanelColor
    std::int32_t cursorCol;
    std::int32_t cursorRow;
    FlipSequence flip;
};

// Start-up values of both records; everything not named keeps its zero start value.
void initDefaults(GameState& state, GameSettings& settings);
// The per-game reset; it also ends an operation left running by the previous game.
void resetForNewGame(GameState& state, GameSettings& settings);
bool isColourCleared(const GameState& state, const GameSettings& settings, std::int32_t colour);
bool isGameCleared(const GameState& state, const GameSettings& settings);

}  // namespace kaleidra
