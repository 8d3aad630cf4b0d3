#include <algorithm>
#include <numeric>
#include <random>
#include <string>

#include "core/stage.h"
#include "stage_tool/click_beliefs.h"
#include "stage_tool/click_model.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/mod5_system.h"
#include "stage_tool/partial_solver.h"
#include "stage_tool/plan_replay.h"
#include "stage_tool/sweep_search.h"
#include "stage_tool/whole_field_solver.h"
#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

const SolveChoices everyColour(PatternType pattern) {
    return {{pattern}, {Red, Yellow, Green, LightBlue, Purple}};
}

PatternTable patternTable() {
    PatternTable table{};
    initPatternTable(table);
    return table;
}

LoadedStage oneColourStage(FieldSize size, std::int32_t percentage, std::int32_t colour) {
    LoadedStage stage;
    stage.settings = settingsFor(size, percentage);
    layoutCells(stage.field);
    const std::uint8_t digit = static_cast<std::uint8_t>('0' + colour);
    colourCellsFromContent(stage.field, stage.state, stage.settings, std::span<const std::uint8_t>(&digit, 1));
    return stage;
}

// Random clicks anywhere the cursor can go, 1..4 times each.
ClickPlan randomClicks(PatternType pattern, int positions, std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto& cursorCells = reachableCursorCells();
    ClickPlan plan{pattern, 0, {}};
    for (int i = 0; i < positions; ++i)
        plan.clicks.push_back({cursorCells[random() % cursorCells.size()], static_cast<std::int32_t>(1 + random() % 4)});
    return plan;
}

// The clicks that the known plan undoes: t clicks are undone by 5 - t more at the same place.
ClickPlan undoneBy(const ClickPlan& known) {
    ClickPlan scramble = known;
    for (Click& click : scramble.clicks) click.times = 5 - click.times;
    return scramble;
}

// A one-colour field scrambled by the game's own operation so that `known` clears it again.
LoadedStage scrambledFor(const LoadedStage& start, const ClickPlan& known) {
    return replayPlan(start, patternTable(), undoneBy(known)).after;
}

::testing::AssertionResult reachesTarget(const LoadedStage& stage, const SolveOutcome& outcome) {
    if (!outcome.planFound) return ::testing::AssertionFailure() << "no plan";
    const ReplayResult replay = replayPlan(stage, patternTable(), outcome.plan);
    const auto count = replay.colourCounts[static_cast<std::size_t>(outcome.plan.colour)];
    if (!replay.completed || count < stage.settings.clearTarget)
        return ::testing::AssertionFailure() << "the replay leaves " << count << " panels of colour "
                                             << outcome.plan.colour << ", target " << stage.settings.clearTarget;
    return ::testing::AssertionSuccess();
}

struct ScrambleCase {
    FieldSize size;
    PatternType pattern;
    int positions;  // clicked 1..4 times each
};

const ScrambleCase scrambles[] = {
    {{9, 16}, TypeA, 3}, {{9, 16}, TypeB, 4}, {{9, 16}, TypeC, 3}, {{9, 16}, TypeD, 3}, {{9, 16}, TypeE, 4},
    {{9, 16}, TypeF, 2}, {{9, 16}, TypeG, 3}, {{3, 4}, TypeA, 3},  {{3, 4}, TypeF, 2},  {{5, 8}, TypeC, 4},
    {{7, 12}, TypeE, 3}, {{4, 6}, TypeG, 2},  {{6, 14}, TypeD, 5}, {{9, 4}, TypeB, 4},  {{3, 16}, TypeA, 5},
};

std::string describe(const ScrambleCase& c, std::uint32_t seed) {
    return std::to_string(c.size.columns) + "x" + std::to_string(c.size.rows) + " Type " +
           static_cast<char>('A' + c.pattern) + ", " + std::to_string(c.positions) + " positions, seed " +
           std::to_string(seed);
}

// A one-colour field scrambled by `c`'s clicks comes back to one colour by a whole-field plan of
// that pattern with no more clicks than undoing them.
void expectScrambleUndone(const ScrambleCase& c, std::uint32_t seed, const SolveEffort& effort = {}) {
    SCOPED_TRACE(describe(c, seed));
    const LoadedStage start = oneColourStage(c.size, 100, static_cast<std::int32_t>(seed % 5));
    const ClickPlan known = randomClicks(c.pattern, c.positions, seed);
    const LoadedStage scrambled = scrambledFor(start, known);

    const SolveOutcome outcome = solveWholeField(scrambled, patternTable(), everyColour(c.pattern), effort);
    EXPECT_TRUE(reachesTarget(scrambled, outcome));
    EXPECT_LE(outcome.plan.totalClicks(), known.totalClicks());
    EXPECT_EQ(outcome.plan.pattern, c.pattern);
}

TEST(WholeFieldSolve, UndoesKnownClicksOnAOneColourFieldWithNoMoreClicks) {
    std::uint32_t seed = 1;
    for (const ScrambleCase& c : scrambles) expectScrambleUndone(c, ++seed);
}

TEST(TargetSolve, ReachesTheTargetOnScrambledFieldsWithNoMoreClicksThanAKnownPlan) {
    const PatternTable table = patternTable();
    std::uint32_t seed = 100;
    for (const ScrambleCase& c : scrambles) {
        ++seed;
        SCOPED_TRACE(describe(c, seed));
        const LoadedStage start = oneColourStage(c.size, 80, Green);
        const ClickPlan known = randomClicks(c.pattern, c.positions + 4, seed);
        const LoadedStage scrambled = scrambledFor(start, known);

        const SolveOutcome outcome = solveForTarget(scrambled, table, everyColour(c.pattern));
        EXPECT_TRUE(reachesTarget(scrambled, outcome));
        EXPECT_LE(outcome.plan.totalClicks(), known.totalClicks());
    }
}

// Heavier scrambles on every shape: clicks at a tenth as many places as the field has panels.
TEST(WholeFieldSolve, UndoesHeavierScramblesOnEveryShapeWithNoMoreClicks) {
    std::uint32_t seed = 300;
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) {
            ++seed;
            const ScrambleCase c{{columns, rows}, static_cast<PatternType>(seed % 7), std::max(2, columns * rows / 10)};
            // The exact search for few clicks is not what this is about; with sanitizers it costs minutes.
            expectScrambleUndone(c, seed, {.exactSearchNodes = 20'000});
        }
    }
}

// Scrambles at three places in ten panels on wide fields with the larger patterns, where the clicks'
// shapes overlap so much that peeling them off one by one had taken up to twice the clicks.
TEST(WholeFieldSolve, UndoesOverlappingScramblesOnWideFieldsWithNoMoreClicks) {
    const struct {
        FieldSize size;
        PatternType pattern;
        std::uint32_t seed;
    } cases[] = {
        {{6, 16}, TypeF, 515}, {{7, 14}, TypeD, 525}, {{8, 12}, TypeG, 540}, {{8, 16}, TypeD, 545},
        {{9, 12}, TypeG, 556}, {{9, 14}, TypeE, 558}, {{9, 16}, TypeF, 563},
    };
    for (const auto& [size, pattern, seed] : cases)
        expectScrambleUndone({size, pattern, size.columns * size.rows * 3 / 10}, seed);
}

// A few clicks far apart stand out: they are the positions believed clicked most.
TEST(ClickBeliefs, PutTheClicksOfALightScrambleFirst) {
    const PatternTable table = patternTable();
    const LoadedStage stage = oneColourStage({9, 16}, 100, Red);
    for (std::int32_t type = TypeA; type <= TypeG; ++type) {
        const auto pattern = static_cast<PatternType>(type);
        SCOPED_TRACE(std::string("Type ") + static_cast<char>('A' + type));
        const ClickModel model = buildClickModel(stage.settings, table, pattern);
        // Clicks at three cursor cells far from each other and from the edges, 1, 2 and 4 times.
        const LatticePosition clicked[] = {{5, 3}, {11, 8}, {10, 13}};
        const std::uint8_t times[] = {1, 2, 4};
        std::vector<std::uint8_t> need(model.cells.size(), 0);
        std::vector<std::size_t> clickedPositions;
        for (std::size_t i = 0; i < std::size(clicked); ++i) {
            const auto found = std::find(model.positions.begin(), model.positions.end(), clicked[i]);
            ASSERT_NE(found, model.positions.end());
            const auto position = static_cast<std::size_t>(found - model.positions.begin());
            clickedPositions.push_back(position);
            for (const std::int32_t cell : model.covers[position]) {
                std::uint8_t& step = need[static_cast<std::size_t>(cell)];
                step = static_cast<std::uint8_t>((step + times[i]) % 5);
            }
        }
        const std::vector<double> beliefs = clickBeliefs(model, need, 20);
        std::vector<std::size_t> byBelief(beliefs.size());
        std::iota(byBelief.begin(), byBelief.end(), std::size_t{0});
        std::stable_sort(byBelief.begin(), byBelief.end(), [&](std::size_t a, std::size_t b) { return beliefs[a] > beliefs[b]; });
        std::vector<std::size_t> top(byBelief.begin(), byBelief.begin() + 3);
        std::sort(top.begin(), top.end());
        std::sort(clickedPositions.begin(), clickedPositions.end());
        EXPECT_EQ(top, clickedPositions);
    }
}

// Whether some plan of exactly `clicks` single clicks (positions may repeat) turns the field into
// one colour: every multiset of the model's positions of that size is tried.
bool someShorterPlanClears(const ClickModel& model, const std::vector<std::uint8_t>& colours, int clicks) {
    std::vector<std::size_t> chosen(static_cast<std::size_t>(clicks), 0);
    const std::size_t positions = model.positions.size();
    while (true) {
        std::vector<std::uint8_t> after = colours;
        for (const std::size_t position : chosen)
            for (const std::int32_t cell : model.covers[position]) {
                std::uint8_t& colour = after[static_cast<std::size_t>(cell)];
                colour = static_cast<std::uint8_t>((colour + 1) % 5);
            }
        if (std::all_of(after.begin(), after.end(), [&](std::uint8_t colour) { return colour == after.front(); }))
            return true;
        // The next multiset, positions in non-decreasing order.
        int place = clicks - 1;
        while (place >= 0 && chosen[static_cast<std::size_t>(place)] == positions - 1) --place;
        if (place < 0) return false;
        const std::size_t next = chosen[static_cast<std::size_t>(place)] + 1;
        for (auto i = static_cast<std::size_t>(place); i < chosen.size(); ++i) chosen[i] = next;
    }
}

// A plan called shortest is checked by trying every plan of one click fewer.
TEST(WholeFieldSolve, APlanCalledShortestHasNoShorterRival) {
    const PatternTable table = patternTable();
    const ScrambleCase cases[] = {
        {{3, 4}, TypeA, 3}, {{3, 4}, TypeF, 3}, {{4, 4}, TypeG, 3}, {{3, 6}, TypeD, 2},
        {{5, 4}, TypeE, 3}, {{6, 4}, TypeB, 2}, {{3, 8}, TypeC, 3},
    };
    std::uint32_t seed = 500;
    for (const ScrambleCase& c : cases) {
        ++seed;
        SCOPED_TRACE(describe(c, seed));
        const LoadedStage start = oneColourStage(c.size, 100, Yellow);
        const LoadedStage scrambled = scrambledFor(start, randomClicks(c.pattern, c.positions, seed));
        const SolveOutcome outcome = solveWholeField(scrambled, table, everyColour(c.pattern));
        ASSERT_TRUE(reachesTarget(scrambled, outcome));
        EXPECT_TRUE(outcome.proven);
        const ClickModel model = buildClickModel(scrambled.settings, table, c.pattern);
        const auto clicks = static_cast<int>(outcome.plan.totalClicks());
        if (outcome.proven && clicks > 0) { EXPECT_FALSE(someShorterPlanClears(model, cellColours(model, scrambled), clicks - 1)); }
    }
}

// The fewest clicks that turn a random stage into one colour, for every shape of up to 24 panels
// and every pattern, and a few more. Each was found by an integer program over the same equations, solved to
// optimality by a branch-and-cut solver (CBC): clicks per position 0..4, and per cell "clicks
// covering it + its colour = the target colour + 5k", the target colour a variable as well.
struct KnownOptimum {
    FieldSize size;
    PatternType pattern;
    std::uint32_t seed;  // of the game's generator
    std::int64_t clicks;
};

const KnownOptimum smallFieldOptima[] = {
    {{3, 4}, TypeA, 1, 9},   {{3, 4}, TypeB, 2, 12},  {{3, 4}, TypeC, 3, 6},   {{3, 4}, TypeD, 4, 5},
    {{3, 4}, TypeE, 5, 10},  {{3, 4}, TypeF, 6, 9},   {{3, 4}, TypeG, 7, 8},   {{3, 6}, TypeA, 8, 17},
    {{3, 6}, TypeB, 9, 17},  {{3, 6}, TypeC, 10, 18}, {{3, 6}, TypeD, 11, 14}, {{3, 6}, TypeE, 12, 13},
    {{3, 6}, TypeF, 13, 13}, {{3, 6}, TypeG, 14, 11}, {{3, 8}, TypeA, 15, 23}, {{3, 8}, TypeB, 16, 23},
    {{3, 8}, TypeC, 17, 21}, {{3, 8}, TypeD, 18, 16}, {{3, 8}, TypeE, 19, 18}, {{3, 8}, TypeF, 20, 19},
    {{3, 8}, TypeG, 21, 16}, {{4, 4}, TypeA, 22, 13}, {{4, 4}, TypeB, 23, 13}, {{4, 4}, TypeC, 24, 14},
    {{4, 4}, TypeD, 25, 12}, {{4, 4}, TypeE, 26, 13}, {{4, 4}, TypeF, 27, 12}, {{4, 4}, TypeG, 28, 10},
    {{4, 6}, TypeA, 29, 23}, {{4, 6}, TypeB, 30, 24}, {{4, 6}, TypeC, 31, 18}, {{4, 6}, TypeD, 32, 17},
    {{4, 6}, TypeE, 33, 17}, {{4, 6}, TypeF, 34, 19}, {{4, 6}, TypeG, 35, 17}, {{5, 4}, TypeA, 36, 16},
    {{5, 4}, TypeB, 37, 18}, {{5, 4}, TypeC, 38, 16}, {{5, 4}, TypeD, 39, 14}, {{5, 4}, TypeE, 40, 14},
    {{5, 4}, TypeF, 41, 14}, {{5, 4}, TypeG, 42, 13}, {{6, 4}, TypeA, 43, 19}, {{6, 4}, TypeB, 44, 23},
    {{6, 4}, TypeC, 45, 21}, {{6, 4}, TypeD, 46, 18}, {{6, 4}, TypeE, 47, 18}, {{6, 4}, TypeF, 48, 18},
    {{6, 4}, TypeG, 49, 16},
    // Stages from other seeds that a budget of fewer exact-search nodes left more than a tenth over.
    {{4, 6}, TypeF, 134, 19}, {{3, 8}, TypeE, 219, 18}, {{4, 6}, TypeF, 234, 16},
};

LoadedStage randomStage(const KnownOptimum& known) {
    LoadedStage stage;
    stage.settings = settingsFor(known.size, 100);
    layoutCells(stage.field);
    StageRandom random(known.seed);
    generateRandomStage(stage.field, stage.state, stage.settings, random);
    return stage;
}

std::string describe(const KnownOptimum& known) {
    return std::to_string(known.size.columns) + "x" + std::to_string(known.size.rows) + " Type " +
           static_cast<char>('A' + known.pattern) + ", seed " + std::to_string(known.seed);
}

// A plan called shortest must be the optimum; the others stay within a tenth of it.
TEST(WholeFieldSolve, StaysNearTheOptimumOnSmallFields) {
    const PatternTable table = patternTable();
    std::int64_t planned = 0;
    std::int64_t optimal = 0;
    for (const KnownOptimum& known : smallFieldOptima) {
        SCOPED_TRACE(describe(known));
        const LoadedStage stage = randomStage(known);
        const SolveOutcome outcome = solveWholeField(stage, table, everyColour(known.pattern));
        ASSERT_TRUE(reachesTarget(stage, outcome));
        const std::int64_t clicks = outcome.plan.totalClicks();
        EXPECT_GE(clicks, known.clicks);
        if (outcome.proven) { EXPECT_EQ(clicks, known.clicks); }
        EXPECT_LE(clicks * 10, known.clicks * 11);
        planned += clicks;
        optimal += known.clicks;
    }
    EXPECT_LE(planned * 100, optimal * 101);  // within 1 % in all
}

// Keeping every state, a sweep over the positions is exact; keeping a few, it may call itself
// exact only where it is.
TEST(SweepSearch, KeepingEveryStateFindsTheOptimum) {
    const PatternTable table = patternTable();
    for (const KnownOptimum& known : smallFieldOptima) {
        if (known.size.columns != 3 || known.size.rows != 4) continue;  // quick enough to keep every state
        SCOPED_TRACE(describe(known));
        const LoadedStage stage = randomStage(known);
        const ClickModel model = buildClickModel(stage.settings, table, known.pattern);
        const std::vector<std::uint8_t> colours = cellColours(model, stage);
        const std::vector<std::size_t> order = sweepOrder(model);
        ASSERT_LE(sweepFront(model, order), widestSweepFront);
        std::int64_t fewest = known.clicks + 1;
        for (std::uint8_t target = 0; target < 5; ++target) {
            std::vector<std::uint8_t> need(colours.size());
            for (std::size_t cell = 0; cell < need.size(); ++cell) need[cell] = static_cast<std::uint8_t>((target + 5 - colours[cell]) % 5);
            const SweepOutcome every = sweepSearch(model, need, order, known.clicks + 1, std::size_t{1} << 30);
            EXPECT_TRUE(every.exhaustive);
            if (every.times) fewest = std::min(fewest, clickCount(*every.times));
            const auto clicksOf = [](const SweepOutcome& outcome) { return outcome.times ? clickCount(*outcome.times) : -1; };
            for (const std::size_t kept : {std::size_t{1}, std::size_t{16}}) {
                const SweepOutcome few = sweepSearch(model, need, order, known.clicks + 1, kept);
                if (few.exhaustive) { EXPECT_EQ(clicksOf(few), clicksOf(every)); }
            }
        }
        EXPECT_EQ(fewest, known.clicks);
    }
}

TEST(WholeFieldSolve, ReportsASingularSystemAndStillFindsAPlan) {
    // Cursor cells beyond the field's edge cover parts of it, so there are more unknowns than panels.
    const PatternTable table = patternTable();
    const LoadedStage start = oneColourStage({3, 4}, 100, Red);
    const LoadedStage scrambled = scrambledFor(start, randomClicks(TypeA, 4, 9));
    const SolveOutcome outcome = solveWholeField(scrambled, table, everyColour(TypeA));
    ASSERT_EQ(outcome.systems.size(), 1u);
    const SystemSummary& system = outcome.systems.front();
    EXPECT_EQ(system.equations, 12u);
    EXPECT_EQ(system.rank, 12u);
    EXPECT_GT(system.unknowns, system.rank);
    EXPECT_EQ(system.nullity(), system.unknowns - system.rank);
    EXPECT_TRUE(reachesTarget(scrambled, outcome));
    EXPECT_FALSE(outcome.impossible);
}

TEST(Solve, NeedsNoClickForAFieldAlreadyCleared) {
    const PatternTable table = patternTable();
    // Shapes whose equations leave many free unknowns too, where the search for fewer clicks cannot
    // finish, yet nothing beats no click.
    for (const FieldSize size : {FieldSize{9, 16}, FieldSize{3, 4}, FieldSize{9, 4}, FieldSize{3, 16}, FieldSize{6, 10}})
    for (const std::int32_t percentage : {100, 70, 30}) {
        SCOPED_TRACE(std::to_string(size.columns) + "x" + std::to_string(size.rows) + " at " +
                     std::to_string(percentage) + " %");
        const LoadedStage stage = oneColourStage(size, percentage, Purple);
        const SolveChoices choices = everyColour(TypeC);
        const SolveOutcome outcome =
            percentage == 100 ? solveWholeField(stage, table, choices) : solveForTarget(stage, table, choices);
        ASSERT_TRUE(outcome.planFound);
        EXPECT_EQ(outcome.plan.totalClicks(), 0);
        EXPECT_EQ(outcome.plan.colour, Purple);
        EXPECT_TRUE(outcome.proven);
    }
}

TEST(Solve, KeepsToTheChosenColourAndPattern) {
    const PatternTable table = patternTable();
    const LoadedStage start = oneColourStage({5, 8}, 100, Yellow);
    const LoadedStage scrambled = scrambledFor(start, randomClicks(TypeD, 3, 77));
    const SolveChoices choices{{TypeB, TypeD}, {Purple}};
    const SolveOutcome outcome = solveWholeField(scrambled, table, choices);
    EXPECT_TRUE(reachesTarget(scrambled, outcome));
    EXPECT_EQ(outcome.plan.colour, Purple);
    EXPECT_TRUE(outcome.plan.pattern == TypeB || outcome.plan.pattern == TypeD);
    EXPECT_EQ(outcome.systems.size(), 2u);
}

TEST(Solve, FindsPlansForRandomStagesWithEveryPattern) {
    const PatternTable table = patternTable();
    for (const std::int32_t percentage : {100, 60}) {
        for (std::int32_t pattern = TypeA; pattern <= TypeG; ++pattern) {
            SCOPED_TRACE("Type " + std::string(1, static_cast<char>('A' + pattern)) + " at " +
                         std::to_string(percentage) + " %");
            LoadedStage stage;
            stage.settings = settingsFor({6, 10}, percentage);
            layoutCells(stage.field);
            StageRandom random(static_cast<std::uint32_t>(pattern + 1));
            generateRandomStage(stage.field, stage.state, stage.settings, random);
            const SolveChoices choices = everyColour(static_cast<PatternType>(pattern));
            const SolveOutcome outcome =
                percentage == 100 ? solveWholeField(stage, table, choices) : solveForTarget(stage, table, choices);
            EXPECT_TRUE(reachesTarget(stage, outcome));
        }
    }
}

// Every panel of one colour meets any lower target; the whole-field equations are what promise a
// plan at every target, so they must be solvable for every colour on every shape and pattern.
TEST(WholeFieldSolve, EveryShapeAndPatternCanTurnAnyStageIntoEachColour) {
    const PatternTable table = patternTable();
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) {
            const LoadedStage stage = oneColourStage({columns, rows}, 100, Red);
            for (std::int32_t pattern = TypeA; pattern <= TypeG; ++pattern) {
                const ClickModel model = buildClickModel(stage.settings, table, static_cast<PatternType>(pattern));
                Mod5System system(model.cells.size(), model.positions.size(), 1);
                for (std::size_t position = 0; position < model.covers.size(); ++position)
                    for (const std::int32_t cell : model.covers[position])
                        system.setCoefficient(static_cast<std::size_t>(cell), position, 1);
                system.reduce();
                EXPECT_EQ(system.rank(), model.cells.size())
                    << columns << "x" << rows << " Type " << static_cast<char>('A' + pattern);
            }
        }
    }
}

// Random stages of the game's own generator at every kind of target: a plan always, replayed
// through the game's panel operation to the target, and never longer than the whole-field plan.
TEST(TargetSolve, GivesAPlanThatReplaysToEveryTargetOnEveryPattern) {
    const PatternTable table = patternTable();
    // Larger fields are left to the command tests and the benchmark: with sanitizers they would take
    // minutes here.
    const FieldSize sizes[] = {{3, 4}, {3, 6}, {9, 4}, {4, 8}};
    const std::int32_t percentages[] = {30, 50, 70, 85, 99, 100};
    std::uint32_t seed = 0;
    for (const FieldSize size : sizes) {
        for (std::int32_t pattern = TypeA; pattern <= TypeG; ++pattern) {
            ++seed;
            const auto stageAt = [&](std::int32_t percentage) {
                LoadedStage stage;
                stage.settings = settingsFor(size, percentage);
                layoutCells(stage.field);
                StageRandom random(seed);
                generateRandomStage(stage.field, stage.state, stage.settings, random);
                return stage;
            };
            // One colour alone on some stages, as --colour asks.
            const SolveChoices choices =
                seed % 3 == 0 ? SolveChoices{{static_cast<PatternType>(pattern)}, {static_cast<std::int32_t>(seed % 5)}}
                              : everyColour(static_cast<PatternType>(pattern));
            // The same colours at every target, so one whole-field plan serves them all.
            const SolveOutcome whole = solveWholeField(stageAt(100), table, choices);
            for (const std::int32_t percentage : percentages) {
                const std::string name = std::to_string(size.columns) + "x" + std::to_string(size.rows) + " Type " +
                                         static_cast<char>('A' + pattern) + " at " + std::to_string(percentage) +
                                         " %, seed " + std::to_string(seed);
                SCOPED_TRACE(name);
                const LoadedStage stage = stageAt(percentage);
                const SolveOutcome outcome = percentage == 100 ? whole : solveForTarget(stage, table, choices);
                EXPECT_TRUE(reachesTarget(stage, outcome));
                EXPECT_LE(outcome.plan.totalClicks(), whole.plan.totalClicks());
                EXPECT_EQ(outcome.plan.pattern, pattern);
                if (choices.colours.size() == 1) { EXPECT_EQ(outcome.plan.colour, choices.colours.front()); }
            }
        }
    }
}

}  // namespace
}  // namespace kaleidra::stage_tool
