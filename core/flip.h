#pragma once
// The panel operation and the clock: state changes plus the redraws they ask of the view.

#include <array>
#include <cstdint>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"

namespace kaleidra {

enum class FlipEffectKind {
    drawCell,               // redraw cell (col, row) at frame
    operationCountChanged,
    colourCountsChanged,
    elapsedSecondsChanged,
    finished,               // the operation is over: stop the flip timer
};

struct FlipEffect {
    FlipEffectKind kind;
    std::int32_t col;
    std::int32_t row;
    std::int32_t frame;
};

// Effects in the order they must be carried out; at most one per covered cell plus one.
struct FlipEffects {
    std::array<FlipEffect, patternWalkBound + 1> items{};
    std::size_t count = 0;

    void push(const FlipEffect& effect) {
        if (count < items.size()) items[count++] = effect;
    }
    const FlipEffect* begin() const { return items.data(); }
    const FlipEffect* end() const { return items.data() + count; }
};

struct FlipStart {
    bool accepted;
    FlipEffects effects;
};

FlipStart startFlipSequence(GameState& state, const GameSettings& settings, const PatternTable& table);
FlipEffects flipTick(GameState& state, Field& field, const GameSettings& settings, const PatternTable& table);
FlipEffects clockTick(GameState& state);

}  // namespace kaleidra
