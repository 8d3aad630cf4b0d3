#include "core/game_state.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

TEST(InitDefaults, SetsTheStartUpRulesAndNothingElse) {
    GameSettings settings{};
    GameState state{};
    state.phase = GamePhase::Playing;
    initDefaults(state, settings);

    EXPECT_EQ(state.phase, GamePhase::Title);
    EXPECT_EQ(settings.stageSource, StageSource::Random);
    EXPECT_EQ(std::string(settings.stageFilePath.data()), "default.txt");
    EXPECT_EQ(settings.columnsPerRow, 9);
    EXPECT_EQ(settings.rows, 16);
    EXPECT_EQ(settings.totalPanels, 144);
    EXPECT_EQ(settings.clearPercentage, 70);
    EXPECT_EQ(settings.clearTarget, 100);
    EXPECT_EQ(settings.patternType, TypeA);
    EXPECT_EQ(settings.columnMargin, 0);
    EXPECT_EQ(settings.rowMargin, 0);
    EXPECT_EQ(state.flip.busy, flipIdle);
    EXPECT_EQ(state.colourCounts, (std::array<std::int32_t, 5>{}));
}

TEST(ResetForNewGame, ClearsThePerGameCountersAndThePatternOnly) {
    GameRecords game;
    game.chooseRules(5, 10, 40);
    game.settings.stageSource = StageSource::File;
    game.settings.patternType = TypeF;
    game.state.phase = GamePhase::Playing;
    game.state.elapsedSeconds = 75;
    game.state.operationCount = 12;
    game.state.flippedTotal = 80;
    game.state.colourCounts = {10, 10, 10, 10, 10};
    game.state.cursorCol = 7;
    game.state.cursorRow = 9;
    game.state.flip = FlipSequence{flipRunning, 6, 3, TypeF};
    const GameSettings settingsBefore = game.settings;

    resetForNewGame(game.state, game.settings);

    EXPECT_EQ(game.state.flip.busy, flipIdle);
    EXPECT_EQ(game.state.elapsedSeconds, 0);
    EXPECT_EQ(game.state.operationCount, 0);
    EXPECT_EQ(game.state.flippedTotal, 0);
    EXPECT_EQ(game.settings.patternType, TypeA);
    // The next accepted click sets these anew; the cursor stays until the mouse moves.
    EXPECT_EQ(game.state.flip.entryIndex, 6);
    EXPECT_EQ(game.state.flip.frame, 3);
    EXPECT_EQ(game.state.cursorCol, 7);
    EXPECT_EQ(game.state.cursorRow, 9);
    EXPECT_EQ(game.state.phase, GamePhase::Playing);
    EXPECT_EQ(game.settings.clearTarget, settingsBefore.clearTarget);
    EXPECT_EQ(game.settings.totalPanels, settingsBefore.totalPanels);
    EXPECT_EQ(game.settings.stageSource, StageSource::File);
}

TEST(ClearEvaluation, NeedsACountAtLeastTheTarget) {
    const struct {
        const char* label;
        std::array<std::int32_t, 5> counts;
        std::array<bool, 5> cleared;
    } cases[] = {
        // Default field at 70 %: the target is 100.
        {"one panel short", {99, 45, 0, 0, 0}, {false, false, false, false, false}},
        {"exactly the target", {44, 100, 0, 0, 0}, {false, true, false, false, false}},
        {"every panel one colour", {0, 0, 0, 0, 144}, {false, false, false, false, true}},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.state.colourCounts = c.counts;
        bool any = false;
        for (std::int32_t colour = 0; colour < 5; ++colour) {
            const bool expected = c.cleared[static_cast<std::size_t>(colour)];
            EXPECT_EQ(isColourCleared(game.state, game.settings, colour), expected)
                << c.label << ", colour " << colour;
            any = any || expected;
        }
        EXPECT_EQ(isGameCleared(game.state, game.settings), any) << c.label;
    }
}

TEST(ClearEvaluation, CountsTwoColoursClearedAtOnce) {
    GameRecords game;
    game.chooseRules(3, 4, 30);  // target 3
    game.state.colourCounts = {3, 3, 2, 2, 2};
    EXPECT_TRUE(isColourCleared(game.state, game.settings, Red));
    EXPECT_TRUE(isColourCleared(game.state, game.settings, Yellow));
    EXPECT_FALSE(isColourCleared(game.state, game.settings, Green));
    EXPECT_TRUE(isGameCleared(game.state, game.settings));
}

TEST(ClearEvaluation, KnowsNoColourOutsideTheFive) {
    GameRecords game;
    game.settings.clearTarget = 0;  // every real colour would count as cleared
    EXPECT_FALSE(isColourCleared(game.state, game.settings, NoPanel));
    EXPECT_FALSE(isColourCleared(game.state, game.settings, 5));
}

}  // namespace
}  // namespace kaleidra
