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

// A click: starts an operation at the cursor cell with the current pattern, unless one is running.
// The operation keeps that pattern to its end.
FlipStart startFlipSequence(GameState& state, const GameSettings& settings, const PatternTable& table);
// A flip timer tick. With no operation running (a new game ended it) it reports only `finished`,
// on which the field window kills the flip timer.
FlipEffects flipTick(GameState& state, Field& field, const GameSettings& settings, const PatternTable& table);
// The panel that a running operation shows between two ticks, at the frame last drawn (1 to 4).
// The colour advance after frame 4 draws nothing, so a repaint meanwhile must draw this panel at
// its frame, not at rest in its old colour.
struct PanelInMotion {
    bool moving;
    std::int32_t col;
    std::int32_t row;
    std::int32_t frame;
};
PanelInMotion panelInMotion(const GameState& state, const GameSettings& settings, const PatternTable& table);
// A clock timer tick: one more second, stopping at the largest count.
FlipEffects clockTick(GameState& state);

}  // namespace kaleidra
