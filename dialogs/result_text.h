#pragma once
// The texts of the result dialog, formatted from the rules and the game as they stand at its end.
// Shift-JIS bytes on every build, as the dialog shows them.

#include <array>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"

namespace kaleidra {

using ResultLine = std::array<char, 64>;

struct ResultTexts {
    ResultLine columns;
    ResultLine rows;
    ResultLine total;
    ResultLine clearTerms;  // percentage and target
    ResultLine time;        // seconds, then hours:minutes:seconds
    ResultLine operations;  // operations and flipped panels
    std::array<ResultLine, panelColourCount> marks;   // "☆" for a cleared colour, else "×"
    std::array<ResultLine, panelColourCount> counts;  // panels of each colour
    bool cleared;                                     // any colour reached the target
};

ResultTexts formatResult(const GameSettings& settings, const GameState& state);

}  // namespace kaleidra
