#include "core/flip.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/stage.h"
#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

using effects::colourCountsChanged;
using effects::draw;
using effects::finished;
using effects::operationCountChanged;
using Effects = std::vector<FlipEffect>;

// A game on the default field whose colours vary from cell to cell.
class FlipSequenceTest : public ::testing::Test {
protected:
    void SetUp() override { startGame(); }

    void startGame() {
        game.state.phase = GamePhase::Playing;
        resetForNewGame(game.state, game.settings);
        layoutCells(game.field);
        forEachInFieldCell(game.settings, [&](std::int32_t col, std::int32_t row) {
            game.cell(col, row).colour = (col + 2 * row) % panelColourCount;
        });
        recountColours(game.state, game.field, game.settings);
    }

    FlipStart clickAt(std::int32_t col, std::int32_t row, PatternType pattern) {
        game.state.cursorCol = col;
        game.state.cursorRow = row;
        game.settings.patternType = pattern;
        return startFlipSequence(game.state, game.settings, game.table);
    }

    Effects tick() { return asVector(flipTick(game.state, game.field, game.settings, game.table)); }

    // Ticks until `finished`; the result holds the effects of tick 1 at index 0.
    std::vector<Effects> runToEnd() {
        std::vector<Effects> ticks;
        for (int guard = 0; guard < 1000; ++guard) {
            ticks.push_back(tick());
            if (ticks.back() == Effects{finished}) return ticks;
        }
        ADD_FAILURE() << "the operation never finished";
        return ticks;
    }

    GameRecords game;
};

std::vector<int> ticksWith(const std::vector<Effects>& ticks, const FlipEffect& wanted) {
    std::vector<int> found;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        for (const FlipEffect& e : ticks[i]) {
            if (e == wanted) found.push_back(static_cast<int>(i) + 1);
        }
    }
    return found;
}

TEST_F(FlipSequenceTest, TypeAAtAnInteriorCellFollowsTheWorkedTimeline) {
    const std::int32_t col = 6, row = 7;
    const std::vector<LatticePosition> targets{
        {col, row}, {col, row - 1}, {col - 1, row - 1}, {col, row + 1}, {col + 1, row + 1}};
    std::vector<std::int32_t> coloursBefore;
    for (const auto& t : targets) coloursBefore.push_back(game.colour(t.col, t.row));

    const FlipStart start = clickAt(col, row, TypeA);
    ASSERT_TRUE(start.accepted);
    Effects expectedStart;
    for (const auto& t : targets) expectedStart.push_back(draw(t.col, t.row, 0));
    expectedStart.push_back(operationCountChanged);
    EXPECT_EQ(asVector(start.effects), expectedStart);
    EXPECT_EQ(game.state.operationCount, 1);

    for (std::size_t entry = 0; entry < targets.size(); ++entry) {
        const LatticePosition t = targets[entry];
        const std::string where = "entry " + std::to_string(entry);
        for (std::int32_t frame = 1; frame <= 4; ++frame) {
            EXPECT_EQ(tick(), Effects{draw(t.col, t.row, frame)}) << where;
            EXPECT_EQ(game.state.flip.frame, frame) << where;
            EXPECT_EQ(game.colour(t.col, t.row), coloursBefore[entry])
                << where << " changed before its fifth tick";
        }
        EXPECT_EQ(tick(), Effects{colourCountsChanged}) << where;
        EXPECT_EQ(game.colour(t.col, t.row), (coloursBefore[entry] + 1) % 5) << where;
        EXPECT_EQ(game.state.flippedTotal, static_cast<std::int32_t>(entry) + 1) << where;
        EXPECT_EQ(game.state.flip.entryIndex, static_cast<std::int32_t>(entry) + 1) << where;
        EXPECT_EQ(game.state.flip.frame, 0) << where;
        EXPECT_TRUE(countsMatchCells(game)) << where;
    }
    EXPECT_EQ(tick(), Effects{finished});  // tick 26
    EXPECT_EQ(game.state.flip.busy, flipIdle);
    EXPECT_EQ(game.state.flip.entryIndex, 5);
    EXPECT_EQ(game.state.flip.frame, 0);
}

TEST_F(FlipSequenceTest, TypeAAtTheTopLeftCornerSpendsOneTickOnEachCellOutside) {
    ASSERT_TRUE(clickAt(0, 0, TypeA).accepted);
    const std::vector<Effects> ticks = runToEnd();

    std::vector<Effects> expected;
    for (std::int32_t frame = 1; frame <= 4; ++frame) expected.push_back({draw(0, 0, frame)});
    expected.push_back({colourCountsChanged});      // tick 5
    expected.insert(expected.end(), 3, Effects{});  // up-right, up-left, down-left lie outside
    for (std::int32_t frame = 1; frame <= 4; ++frame) expected.push_back({draw(1, 1, frame)});
    expected.push_back({colourCountsChanged});  // tick 13
    expected.push_back({finished});             // tick 14
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(game.state.flippedTotal, 2);
}

TEST_F(FlipSequenceTest, TypeCAtTheTopLeftCornerAdvancesTheInFieldCellsInListOrder) {
    ASSERT_TRUE(clickAt(0, 0, TypeC).accepted);
    std::vector<LatticePosition> advanced;
    LatticePosition lastDrawn{};
    for (const Effects& effectsOfTick : runToEnd()) {
        for (const FlipEffect& e : effectsOfTick) {
            if (e.kind == FlipEffectKind::drawCell) lastDrawn = {e.col, e.row};
            if (e.kind == FlipEffectKind::colourCountsChanged) advanced.push_back(lastDrawn);
        }
    }
    ASSERT_EQ(advanced.size(), 4u);
    const LatticePosition expected[] = {{0, 0}, {1, 0}, {1, 2}, {1, 1}};  // cell, right, down, down-right
    for (std::size_t i = 0; i < advanced.size(); ++i) {
        EXPECT_EQ(advanced[i].col, expected[i].col) << i;
        EXPECT_EQ(advanced[i].row, expected[i].row) << i;
    }
}

class ThirteenPanelPattern : public FlipSequenceTest, public ::testing::WithParamInterface<PatternType> {};

TEST_P(ThirteenPanelPattern, AdvancesEveryFifthTickAndEndsAtTick66) {
    ASSERT_TRUE(clickAt(8, 8, GetParam()).accepted);
    const std::vector<Effects> ticks = runToEnd();
    EXPECT_EQ(ticks.size(), 66u);
    std::vector<int> expectedAdvances;
    for (int t = 5; t <= 65; t += 5) expectedAdvances.push_back(t);
    EXPECT_EQ(ticksWith(ticks, colourCountsChanged), expectedAdvances);
    EXPECT_EQ(game.state.flippedTotal, 13);
    EXPECT_TRUE(countsMatchCells(game));
}

INSTANTIATE_TEST_SUITE_P(FAndG, ThirteenPanelPattern, ::testing::Values(TypeF, TypeG),
                         [](const ::testing::TestParamInfo<PatternType>& testCase) {
                             return std::string(testCase.param == TypeF ? "TypeF" : "TypeG");
                         });

TEST_F(FlipSequenceTest, IgnoresAClickWhileAnOperationRuns) {
    ASSERT_TRUE(clickAt(6, 7, TypeA).accepted);
    for (int i = 0; i < 7; ++i) tick();
    const GameState before = game.state;

    const FlipStart second = clickAt(6, 7, TypeA);
    EXPECT_FALSE(second.accepted);
    EXPECT_EQ(second.effects.count, 0u);
    EXPECT_EQ(game.state.operationCount, before.operationCount);
    EXPECT_EQ(game.state.flip.entryIndex, before.flip.entryIndex);
    EXPECT_EQ(game.state.flip.frame, before.flip.frame);
    EXPECT_EQ(runToEnd().size(), 26u - 7u);  // the first operation goes on undisturbed
}

TEST_F(FlipSequenceTest, AClickCoveringNoFieldCellCountsButChangesNoColour) {
    constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* label;
        std::int32_t col, row;
        PatternType pattern;
    } cases[] = {
        {"below the field", 8, 20, TypeA},
        {"left of the lattice", -5, 3, TypeG},
        {"at the largest column", intMax, 5, TypeF},
        {"at the smallest row", 3, intMin, TypeE},
    };
    for (const auto& c : cases) {
        startGame();
        const GameRecords before = game;
        const FlipStart start = clickAt(c.col, c.row, c.pattern);
        ASSERT_TRUE(start.accepted) << c.label;
        const auto panels =
            static_cast<std::size_t>(game.table.patternPanelCount[static_cast<std::size_t>(c.pattern)]);
        EXPECT_EQ(start.effects.count, panels + 1) << c.label;
        EXPECT_EQ(game.state.operationCount, 1) << c.label;

        const std::vector<Effects> ticks = runToEnd();
        EXPECT_EQ(ticks.size(), panels + 1) << c.label;  // one tick per entry, one at the marker
        for (std::size_t i = 0; i + 1 < ticks.size(); ++i) {
            EXPECT_TRUE(ticks[i].empty()) << c.label << ", tick " << i + 1;
        }
        EXPECT_EQ(game.state.flippedTotal, 0) << c.label;
        EXPECT_EQ(game.state.colourCounts, before.state.colourCounts) << c.label;
    }
}

TEST_F(FlipSequenceTest, PurpleBecomesRed) {
    game.cell(6, 7).colour = Purple;
    recountColours(game.state, game.field, game.settings);
    const auto countsBefore = game.state.colourCounts;

    clickAt(6, 7, TypeA);
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(game.colour(6, 7), Red);
    EXPECT_EQ(game.state.colourCounts[Purple], countsBefore[Purple] - 1);
    EXPECT_EQ(game.state.colourCounts[Red], countsBefore[Red] + 1);
}

TEST_F(FlipSequenceTest, FlippedTotalIsTheSumOfCoveredFieldCells) {
    std::int32_t covered = 0;
    int click = 0;
    for (std::int32_t row = -3; row <= 18; row += 3) {
        for (std::int32_t col = -2; col <= 18; col += 4) {
            const auto pattern = static_cast<PatternType>(click++ % patternTypeCount);
            game.settings.patternType = pattern;
            covered += coveredInFieldCount(game.settings, game.table, col, row);
            ASSERT_TRUE(clickAt(col, row, pattern).accepted);
            runToEnd();
            ASSERT_EQ(game.state.flippedTotal, covered) << "after the click at " << col << ", " << row;
        }
    }
    EXPECT_EQ(game.state.operationCount, click);
    EXPECT_TRUE(countsMatchCells(game));
}

TEST_F(FlipSequenceTest, AnOperationFinishesWithThePatternItBeganWith) {
    const struct {
        const char* label;
        PatternType begunWith, chosenMeanwhile;
        std::size_t ticks;
    } cases[] = {
        {"longer pattern chosen", TypeA, TypeF, 26},
        {"shorter pattern chosen", TypeC, TypeA, 46},
        {"same length, other cells", TypeD, TypeE, 46},
    };
    for (const auto& c : cases) {
        startGame();
        ASSERT_TRUE(clickAt(8, 8, c.begunWith).accepted);
        // Which cells the operation must advance, in order.
        std::vector<LatticePosition> expectedCells;
        forEachPatternOffset(game.table, c.begunWith, [&](std::int32_t dcol, std::int32_t drow) {
            expectedCells.push_back({8 + dcol, 8 + drow});
        });
        std::vector<std::int32_t> expectedColours;
        for (const auto& p : expectedCells) expectedColours.push_back((game.colour(p.col, p.row) + 1) % 5);

        std::vector<Effects> ticks;
        for (int i = 0; i < 12; ++i) ticks.push_back(tick());
        game.settings.patternType = c.chosenMeanwhile;  // the pattern dialog, mid-operation
        for (const Effects& rest : runToEnd()) ticks.push_back(rest);

        EXPECT_EQ(ticks.size(), c.ticks) << c.label;
        EXPECT_EQ(game.state.flippedTotal, static_cast<std::int32_t>(expectedCells.size())) << c.label;
        for (std::size_t i = 0; i < expectedCells.size(); ++i) {
            EXPECT_EQ(game.colour(expectedCells[i].col, expectedCells[i].row), expectedColours[i])
                << c.label << ", cell " << i;
        }
        EXPECT_TRUE(countsMatchCells(game)) << c.label;
    }
}

std::int64_t fixedSeconds() {
    return 1'000'000'000;
}

TEST_F(FlipSequenceTest, ANewGameEndsTheOperationOfThePreviousOne) {
    ASSERT_TRUE(clickAt(6, 7, TypeF).accepted);
    for (int i = 0; i < 23; ++i) tick();

    // The start of the next game, while the flip timer still runs.
    game.state.phase = GamePhase::Playing;
    resetForNewGame(game.state, game.settings);
    layoutCells(game.field);
    generateStage(game.field, game.state, game.settings, fixedSeconds);
    const GameRecords newGame = game;

    EXPECT_EQ(tick(), Effects{finished});  // the stale tick only stops the timer
    EXPECT_EQ(tick(), Effects{finished});
    EXPECT_EQ(game.state.flippedTotal, 0);
    EXPECT_EQ(game.state.colourCounts, newGame.state.colourCounts);
    for (std::int32_t col = 0; col < latticeColumns; ++col) {
        for (std::int32_t row = 0; row < latticeRows; ++row) {
            EXPECT_EQ(game.colour(col, row), newGame.colour(col, row));
        }
    }

    // The next click starts from the first entry of the new game's pattern.
    ASSERT_TRUE(clickAt(6, 7, game.settings.patternType).accepted);
    EXPECT_EQ(game.state.flip.entryIndex, 0);
    EXPECT_EQ(game.state.flip.frame, 0);
    EXPECT_EQ(runToEnd().size(), 26u);
    EXPECT_EQ(game.state.flippedTotal, 5);
}

TEST_F(FlipSequenceTest, ATickWithNoOperationOnlyAsksToStopTheTimer) {
    const GameRecords before = game;
    EXPECT_EQ(tick(), Effects{finished});
    EXPECT_EQ(game.state.flip.entryIndex, before.state.flip.entryIndex);
    EXPECT_EQ(game.state.flip.frame, before.state.flip.frame);
    EXPECT_EQ(game.state.colourCounts, before.state.colourCounts);
}

TEST_F(FlipSequenceTest, ACellWithoutAColourIsLeftAlone) {
    layoutCells(game.field);  // no stage yet: every cell holds no colour
    const auto countsBefore = game.state.colourCounts;
    ASSERT_TRUE(clickAt(6, 7, TypeA).accepted);
    EXPECT_EQ(runToEnd().size(), 26u);
    EXPECT_EQ(game.colour(6, 7), NoPanel);
    EXPECT_EQ(game.state.colourCounts, countsBefore);
}

// A repaint between ticks must show what the ticks drew: the last frame drawn, until the advance.
TEST_F(FlipSequenceTest, ThePanelInMotionIsTheOneLastDrawnUntilItsColourAdvances) {
    const struct {
        const char* label;
        std::int32_t col;
        std::int32_t row;
        PatternType pattern;
    } cases[] = {
        {"Type A inside", 6, 8, TypeA},
        {"Type A at the corner, partly outside", 0, 0, TypeA},
        {"Type G inside", 6, 8, TypeG},
    };
    for (const auto& c : cases) {
        startGame();
        ASSERT_TRUE(clickAt(c.col, c.row, c.pattern).accepted) << c.label;
        EXPECT_FALSE(panelInMotion(game.state, game.settings, game.table).moving) << c.label;
        std::optional<FlipEffect> shown;  // the frame left on screen, until the colour advance
        int ticks = 0;
        for (Effects effects = tick(); effects != Effects{finished}; effects = tick()) {
            ASSERT_LT(++ticks, 100) << c.label << ": the operation never finished";
            for (const FlipEffect& effect : effects) {
                if (effect.kind == FlipEffectKind::drawCell) shown = effect;
                if (effect.kind == FlipEffectKind::colourCountsChanged) shown.reset();
            }
            const PanelInMotion inMotion = panelInMotion(game.state, game.settings, game.table);
            ASSERT_EQ(inMotion.moving, shown.has_value()) << c.label;
            if (!shown) continue;
            EXPECT_EQ(draw(inMotion.col, inMotion.row, inMotion.frame), *shown) << c.label;
        }
    }
}

TEST(ClockTick, AddsOneSecondUpToTheLargestCount) {
    const struct {
        std::int32_t before, after;
    } cases[] = {{0, 1},
                 {9999, 10000},
                 {std::numeric_limits<std::int32_t>::max() - 1, std::numeric_limits<std::int32_t>::max()},
                 {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()}};
    for (const auto& c : cases) {
        GameState state{};
        state.elapsedSeconds = c.before;
        EXPECT_EQ(asVector(clockTick(state)), Effects{effects::elapsedSecondsChanged}) << c.before;
        EXPECT_EQ(state.elapsedSeconds, c.after) << c.before;
    }
}

}  // namespace
}  // namespace kaleidra
