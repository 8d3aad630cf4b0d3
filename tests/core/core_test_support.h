#pragma once
// A whole set of game records for tests, and readable printing of what the core reports.

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "core/field.h"
#include "core/flip.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "core/stage.h"

namespace kaleidra {

// A UTF-8 literal as the char text the core takes: unlike a plain literal, its bytes do not depend on
// the compiler's execution character set.
inline const char* utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

inline bool operator==(const FlipEffect& a, const FlipEffect& b) {
    return a.kind == b.kind && a.col == b.col && a.row == b.row && a.frame == b.frame;
}

inline void PrintTo(const FlipEffect& effect, std::ostream* out) {
    switch (effect.kind) {
        case FlipEffectKind::drawCell:
            *out << "drawCell(" << effect.col << ", " << effect.row << ", frame " << effect.frame << ")";
            return;
        case FlipEffectKind::operationCountChanged: *out << "operationCountChanged"; return;
        case FlipEffectKind::colourCountsChanged: *out << "colourCountsChanged"; return;
        case FlipEffectKind::elapsedSecondsChanged: *out << "elapsedSecondsChanged"; return;
        case FlipEffectKind::finished: *out << "finished"; return;
    }
    *out << "unknown effect";
}

namespace effects {
inline FlipEffect draw(std::int32_t col, std::int32_t row, std::int32_t frame) {
    return {FlipEffectKind::drawCell, col, row, frame};
}
inline const FlipEffect operationCountChanged{FlipEffectKind::operationCountChanged, 0, 0, 0};
inline const FlipEffect colourCountsChanged{FlipEffectKind::colourCountsChanged, 0, 0, 0};
inline const FlipEffect elapsedSecondsChanged{FlipEffectKind::elapsedSecondsChanged, 0, 0, 0};
inline const FlipEffect finished{FlipEffectKind::finished, 0, 0, 0};
}  // namespace effects

inline std::vector<FlipEffect> asVector(const FlipEffects& reported) {
    return {reported.begin(), reported.end()};
}

// The records of one run of the program, at their start-up values.
struct GameRecords {
    GameSettings settings{};
    GameState state{};
    Field field{};
    PatternTable table{};

    GameRecords() {
        initPatternTable(table);
        initDefaults(state, settings);
    }

    // As the rule dialog leaves them after choosing a size and closing.
    void chooseRules(std::int32_t columns, std::int32_t rows, std::int32_t percentage = 70) {
        setColumnsPerRow(settings, columns);
        setRows(settings, rows);
        applyRules(settings, percentage);
    }

    Cell& cell(std::int32_t col, std::int32_t row) {
        return field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
    }

    std::int32_t colour(std::int32_t col, std::int32_t row) const {
        return field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour;
    }
};

// The counts add up to the field's cells and each equals the number of in-field cells of its colour.
inline ::testing::AssertionResult countsMatchCells(const GameRecords& game) {
    std::array<std::int32_t, panelColourCount> cellsOfColour{};
    std::int32_t sum = 0;
    for (std::int32_t row = 0; row < latticeRows; ++row) {
        for (std::int32_t col = 0; col < latticeColumns; ++col) {
            if (!isInField(game.settings, col, row)) continue;
            const std::int32_t colour = game.colour(col, row);
            if (colour < 0 || colour >= panelColourCount) {
                return ::testing::AssertionFailure()
                       << "cell (" << col << ", " << row << ") has colour " << colour;
            }
            ++cellsOfColour[static_cast<std::size_t>(colour)];
        }
    }
    for (std::size_t colour = 0; colour < cellsOfColour.size(); ++colour) {
        sum += game.state.colourCounts[colour];
        if (game.state.colourCounts[colour] != cellsOfColour[colour]) {
            return ::testing::AssertionFailure()
                   << "count of colour " << colour << " is " << game.state.colourCounts[colour] << " but "
                   << cellsOfColour[colour] << " cells have it";
        }
    }
    if (sum != game.settings.totalPanels) {
        return ::testing::AssertionFailure()
               << "counts add up to " << sum << ", not " << game.settings.totalPanels;
    }
    return ::testing::AssertionSuccess();
}

// A new game with the stage from `path`, as a game start makes it, at a fixed second.
inline GameRecords startWithStageFile(const std::string& path, std::int32_t columns, std::int32_t rows,
                                      CalendarClock clock) {
    GameRecords game;
    game.chooseRules(columns, rows);
    game.settings.stageSource = StageSource::File;
    setStageFilePath(game.settings, path.c_str());
    layoutCells(game.field);
    generateStage(game.field, game.state, game.settings, clock);
    return game;
}

}  // namespace kaleidra
