#include <gtest/gtest.h>

#include <algorithm>

#include "core/flip.h"
#include "core/stage.h"
#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

constexpr int flipTicksPerClockTick = 1000 / 50;

std::int64_t gameStartSecond() {
    return 1'234'567'890;
}

struct Click {
    std::int32_t col;
    std::int32_t row;
    PatternType pattern;
};

std::int32_t largestCount(const GameState& state) {
    return *std::max_element(state.colourCounts.begin(), state.colourCounts.end());
}

// Plays one click to its end marker; `afterTick` sees the records after every tick.
template <typename AfterTick>
void play(GameRecords& game, const Click& click, AfterTick&& afterTick) {
    game.state.cursorCol = click.col;
    game.state.cursorRow = click.row;
    game.settings.patternType = click.pattern;  // chosen in the pattern dialog
    ASSERT_TRUE(startFlipSequence(game.state, game.settings, game.table).accepted);
    for (int tick = 1; tick <= 100; ++tick) {
        const FlipEffects effects = flipTick(game.state, game.field, game.settings, game.table);
        afterTick(game, tick);
        if (effects.count == 1 && effects.items[0].kind == FlipEffectKind::finished) return;
    }
    FAIL() << "the operation never reached its end marker";
}

// The click a greedy player makes: the one that most raises the largest colour count.
Click bestClick(const GameRecords& game) {
    Click best{0, 0, TypeA};
    std::int32_t bestCount = -1;
    for (std::int32_t type = TypeA; type <= TypeG; ++type) {
        forEachInFieldCell(game.settings, [&](std::int32_t col, std::int32_t row) {
            const Click candidate{col, row, static_cast<PatternType>(type)};
            GameRecords trial = game;
            play(trial, candidate, [](const GameRecords&, int) {});
            if (largestCount(trial.state) > bestCount) {
                bestCount = largestCount(trial.state);
                best = candidate;
            }
        });
    }
    return best;
}

TEST(WholeGame, PlaysUntilAColourReachesTheTargetKeepingTheCountsRight) {
    GameRecords game;
    game.chooseRules(9, 16, 50);        // target 72: twice what a random stage starts with
    game.settings.patternType = TypeE;  // left over from a previous game

    game.state.phase = GamePhase::Playing;
    resetForNewGame(game.state, game.settings);
    layoutCells(game.field);
    generateStage(game.field, game.state, game.settings, gameStartSecond);
    ASSERT_EQ(game.settings.patternType, TypeA);
    ASSERT_TRUE(countsMatchCells(game));
    ASSERT_FALSE(isGameCleared(game.state, game.settings)) << "pick another start second";

    std::int32_t coveredTotal = 0;
    std::int32_t clicks = 0;
    std::int32_t flipTicks = 0;
    while (!isGameCleared(game.state, game.settings) && clicks < 60) {
        const Click click = bestClick(game);
        game.settings.patternType = click.pattern;
        coveredTotal += coveredInFieldCount(game.settings, game.table, click.col, click.row);
        play(game, click, [&](GameRecords& played, int tick) {
            ASSERT_TRUE(countsMatchCells(played)) << "click " << clicks + 1 << ", tick " << tick;
            if (++flipTicks % flipTicksPerClockTick == 0) clockTick(played.state);
        });
        ++clicks;
    }

    EXPECT_TRUE(isGameCleared(game.state, game.settings))
        << "no colour reached the target in " << clicks << " clicks";
    EXPECT_EQ(game.state.operationCount, clicks);
    EXPECT_EQ(game.state.flippedTotal, coveredTotal);
    EXPECT_EQ(game.state.elapsedSeconds, flipTicks / flipTicksPerClockTick);
    EXPECT_EQ(game.state.flip.busy, flipIdle);
}

}  // namespace
}  // namespace kaleidra
