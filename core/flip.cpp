#include "core/flip.h"

#include <limits>

namespace kaleidra {

namespace {

constexpr std::int32_t framesPerPanel = 5;  // four drawn frames, then the colour advance

// Counters stop at the largest value rather than overflow; the status panel shows 9999 anyway.
void countUp(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

FlipEffect effect(FlipEffectKind kind) {
    return FlipEffect{kind, 0, 0, 0};
}

void advanceColour(GameState& state, Cell& cell) {
    const std::int32_t old = cell.colour;
    // Only a cell that stage generation never wrote lacks a colour; it has nothing to advance.
    if (old < 0 || old >= panelColourCount) return;
    const std::int32_t next = old + 1 > Purple ? Red : old + 1;
    countUp(state.flippedTotal);
    --state.colourCounts[static_cast<std::size_t>(old)];
    cell.colour = next;
    ++state.colourCounts[static_cast<std::size_t>(next)];
}

}  // namespace

FlipStart startFlipSequence(GameState& state, const GameSettings& settings, const PatternTable& table) {
    FlipStart start{false, {}};
    if (state.flip.busy != flipIdle) return start;

    start.accepted = true;
    state.flip.busy = flipRunning;
    state.flip.entryIndex = 0;
    state.flip.frame = 0;
    // The operation keeps this pattern to its end, whatever the pattern dialog picks meanwhile.
    state.flip.pattern = settings.patternType;

    // Frame 0 of every covered cell wipes the cursor highlight drawn over them.
    forEachPatternOffset(table, state.flip.pattern, [&](std::int32_t dcol, std::int32_t drow) {
        const LatticePosition target =
            coveredCell(state.cursorCol, state.cursorRow, PatternOffset{dcol, drow});
        start.effects.push(FlipEffect{FlipEffectKind::drawCell, target.col, target.row, 0});
    });
    countUp(state.operationCount);
    start.effects.push(effect(FlipEffectKind::operationCountChanged));
    return start;
}

FlipEffects flipTick(GameState& state, Field& field, const GameSettings& settings,
                     const PatternTable& table) {
    FlipEffects effects;
    // A timer left over from an earlier game: only ask for it to stop.
    if (state.flip.busy == flipIdle) {
        effects.push(effect(FlipEffectKind::finished));
        return effects;
    }

    const PatternOffset offset = patternOffset(table, state.flip.pattern, state.flip.entryIndex);
    if (offset.dcol == patternEndMarker) {
        state.flip.busy = flipIdle;
        effects.push(effect(FlipEffectKind::finished));
        return effects;
    }

    ++state.flip.frame;
    const LatticePosition target = coveredCell(state.cursorCol, state.cursorRow, offset);
    if (!isInField(settings, target.col, target.row)) {
        state.flip.frame = 0;
        ++state.flip.entryIndex;
    } else if (state.flip.frame < framesPerPanel) {
        effects.push(FlipEffect{FlipEffectKind::drawCell, target.col, target.row, state.flip.frame});
    } else {
        // Frame 4 already shows the next colour, so the advance needs no redraw of the cell.
        Cell& cell = field.cells[static_cast<std::size_t>(target.col)][static_cast<std::size_t>(target.row)];
        advanceColour(state, cell);
        effects.push(effect(FlipEffectKind::colourCountsChanged));
        state.flip.frame = 0;
        ++state.flip.entryIndex;
    }
    return effects;
}

PanelInMotion panelInMotion(const GameState& state, const GameSettings& settings, const PatternTable& table) {
    const PanelInMotion atRest{false, 0, 0, 0};
    if (state.flip.busy == flipIdle || state.flip.frame <= 0 || state.flip.frame >= framesPerPanel)
        return atRest;
    const PatternOffset offset = patternOffset(table, state.flip.pattern, state.flip.entryIndex);
    if (offset.dcol == patternEndMarker) return atRest;
    const LatticePosition target = coveredCell(state.cursorCol, state.cursorRow, offset);
    if (!isInField(settings, target.col, target.row)) return atRest;
    return PanelInMotion{true, target.col, target.row, state.flip.frame};
}

FlipEffects clockTick(GameState& state) {
    countUp(state.elapsedSeconds);
    FlipEffects effects;
    effects.push(effect(FlipEffectKind::elapsedSecondsChanged));
    return effects;
}

}  // namespace kaleidra
