#include "core/field.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

using Position = std::pair<std::int32_t, std::int32_t>;
constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();

std::vector<Position> inFieldCellsInOrder(const GameSettings& settings) {
    std::vector<Position> cells;
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) { cells.emplace_back(col, row); });
    return cells;
}

TEST(LayoutCells, PlacesEveryPanelByThePositionRuleAndClearsTheRest) {
    GameRecords game;
    for (auto& column : game.field.cells) column.fill(Cell{7, 7, 3});  // what a previous game left
    layoutCells(game.field);

    int panels = 0;
    for (std::int32_t col = 0; col < latticeColumns; ++col) {
        for (std::int32_t row = 0; row < latticeRows; ++row) {
            const Cell& cell = game.cell(col, row);
            EXPECT_EQ(cell.colour, NoPanel) << col << ", " << row;
            const std::int32_t x = latticeX(col, row);
            if (x >= 0 && x <= 17) {
                ++panels;
                EXPECT_EQ(cell.x, 64 * col - 32 * row) << col << ", " << row;
                EXPECT_EQ(cell.y, 16 * row + 16) << col << ", " << row;
            } else {
                EXPECT_EQ(cell.x, -1) << col << ", " << row;
                EXPECT_EQ(cell.y, -1) << col << ", " << row;
            }
        }
    }
    EXPECT_EQ(panels, 144);
}

TEST(LayoutCells, MatchesTheKnownPositions) {
    GameRecords game;
    layoutCells(game.field);
    const struct {
        std::int32_t col, row, x, y;
    } cases[] = {
        {0, 0, 0, 16},  {1, 1, 32, 32}, {8, 0, 512, 16}, {16, 15, 544, 256},
        {0, 1, -1, -1}, {9, 0, -1, -1}, {16, 0, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(game.cell(c.col, c.row).x, c.x) << c.col << ", " << c.row;
        EXPECT_EQ(game.cell(c.col, c.row).y, c.y) << c.col << ", " << c.row;
    }
}

struct FieldShapeCase {
    std::int32_t columns;
    std::int32_t rows;
};

void PrintTo(const FieldShapeCase& shape, std::ostream* out) {
    *out << shape.columns << "x" << shape.rows;
}

std::vector<FieldShapeCase> everyFieldShape() {
    std::vector<FieldShapeCase> shapes;
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) shapes.push_back({columns, rows});
    }
    return shapes;
}

class EveryFieldShape : public ::testing::TestWithParam<FieldShapeCase> {};

// The cut-out is checked through the panels' pixel rectangles, which isInField never sees.
TEST_P(EveryFieldShape, IsACentredBlockOfFullRows) {
    const auto [columns, rows] = GetParam();
    GameRecords game;
    game.chooseRules(columns, rows);
    layoutCells(game.field);
    const std::int32_t columnMargin = 9 - columns;
    const std::int32_t rowMargin = (16 - rows) / 2;

    std::vector<std::vector<std::int32_t>> leftEdgesByRow(latticeRows);
    // Wider than the lattice: nothing outside it may be accepted.
    for (std::int32_t row = -6; row < latticeRows + 6; ++row) {
        for (std::int32_t col = -6; col < latticeColumns + 6; ++col) {
            if (!isInField(game.settings, col, row)) continue;
            ASSERT_TRUE(col >= 0 && col < latticeColumns && row >= 0 && row < latticeRows)
                << col << ", " << row;
            const Cell& cell = game.cell(col, row);
            ASSERT_NE(cell.x, -1) << "no panel at " << col << ", " << row;
            EXPECT_GE(cell.x, 32 * columnMargin);
            EXPECT_LE(cell.x + panelWidth - 1, 607 - 32 * columnMargin);
            EXPECT_GE(cell.y, 16 * rowMargin + 16);
            EXPECT_LE(cell.y + panelHeight - 1, 287 - 16 * rowMargin);
            leftEdgesByRow[static_cast<std::size_t>(row)].push_back(cell.x);
        }
    }

    for (std::int32_t row = 0; row < latticeRows; ++row) {
        const auto& edges = leftEdgesByRow[static_cast<std::size_t>(row)];
        if (row < rowMargin || row > 15 - rowMargin) {
            EXPECT_TRUE(edges.empty()) << "row " << row;
            continue;
        }
        ASSERT_EQ(static_cast<std::int32_t>(edges.size()), columns) << "row " << row;
        for (std::size_t i = 1; i < edges.size(); ++i) EXPECT_EQ(edges[i] - edges[i - 1], panelWidth);
    }
    EXPECT_EQ(inFieldCellCount(game.settings), columns * rows);
    EXPECT_EQ(game.settings.totalPanels, columns * rows);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, EveryFieldShape, ::testing::ValuesIn(everyFieldShape()),
                         [](const ::testing::TestParamInfo<FieldShapeCase>& testCase) {
                             return std::to_string(testCase.param.columns) + "x" +
                                    std::to_string(testCase.param.rows);
                         });

TEST(IsInField, DecidesTheKnownEdgeCases) {
    const struct {
        const char* label;
        std::int32_t columns, rows, col, row;
        bool inField;
    } cases[] = {
        {"default top-left", 9, 16, 0, 0, true},
        {"default top-right", 9, 16, 8, 0, true},
        {"default right of the top row", 9, 16, 9, 0, false},
        {"default left of the second row", 9, 16, 0, 1, false},
        {"default second row first", 9, 16, 1, 1, true},
        {"default bottom-right", 9, 16, 16, 15, true},
        {"default right of row 14", 9, 16, 16, 14, false},
        {"negative position", 9, 16, -1, -1, false},
        {"below and right of the lattice", 9, 16, 17, 16, false},
        {"8 wide, even row starts at 2", 8, 16, 1, 0, true},
        {"8 wide, even row 0 lattice x 0", 8, 16, 0, 0, false},
        {"8 wide, odd row ends at 15", 8, 16, 8, 1, true},
        {"8 wide, odd row lattice x 17", 8, 16, 9, 1, false},
        {"3x4 above the field", 3, 4, 6, 5, false},
        {"3x4 below the field", 3, 4, 9, 10, false},
        {"largest column", 9, 16, intMax, 0, false},
        {"smallest column", 9, 16, intMin, 0, false},
        {"largest row", 9, 16, 0, intMax, false},
        {"smallest row with largest column", 9, 16, intMax, intMin, false},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.chooseRules(c.columns, c.rows);
        EXPECT_EQ(isInField(game.settings, c.col, c.row), c.inField) << c.label;
    }
}

TEST(IsInField, NeverAcceptsAPositionOutsideTheLatticeWhateverTheMargins) {
    GameRecords game;
    game.settings.columnMargin = -20;  // never made by applyRules
    game.settings.rowMargin = -20;
    EXPECT_FALSE(isInField(game.settings, 17, 15));
    EXPECT_FALSE(isInField(game.settings, -1, 0));
    EXPECT_FALSE(isInField(game.settings, 0, 16));
    EXPECT_FALSE(isInField(game.settings, 0, -1));
    game.settings.rowMargin = intMin;
    game.settings.columnMargin = intMin;
    EXPECT_FALSE(isInField(game.settings, 0, intMax));
}

TEST(InFieldCellOrder, GoesRowByRowAndLeftToRight) {
    GameRecords game;
    game.chooseRules(3, 4);
    const std::vector<Position> small{{6, 6}, {7, 6}, {8, 6}, {7, 7}, {8, 7}, {9, 7},
                                      {7, 8}, {8, 8}, {9, 8}, {8, 9}, {9, 9}, {10, 9}};
    EXPECT_EQ(inFieldCellsInOrder(game.settings), small);

    game.chooseRules(9, 16);
    const std::vector<Position> full = inFieldCellsInOrder(game.settings);
    ASSERT_EQ(full.size(), 144u);
    const std::vector<Position> opening{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0},
                                        {6, 0}, {7, 0}, {8, 0}, {1, 1}, {2, 1}};
    EXPECT_EQ(std::vector<Position>(full.begin(), full.begin() + 11), opening);
    EXPECT_EQ(full[17], Position(9, 1));
    EXPECT_EQ(full[18], Position(1, 2));
    EXPECT_EQ(full.back(), Position(16, 15));
}

TEST(RecountColours, CountsInFieldCellsOnly) {
    GameRecords game;
    game.chooseRules(3, 4);
    layoutCells(game.field);
    game.state.colourCounts = {9, 9, 9, 9, 9};  // stale counts of a previous game
    std::int32_t next = 0;
    forEachInFieldCell(game.settings, [&](std::int32_t col, std::int32_t row) {
        game.cell(col, row).colour = next++ % 3;  // four each of red, yellow, green
    });
    game.cell(0, 0).colour = Purple;  // outside this field
    game.cell(16, 15).colour = Purple;

    recountColours(game.state, game.field, game.settings);
    EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{4, 4, 4, 0, 0}));
}

TEST(RecountColours, SkipsACellWithoutAColour) {
    GameRecords game;
    game.chooseRules(3, 4);
    layoutCells(game.field);
    forEachInFieldCell(game.settings,
                       [&](std::int32_t col, std::int32_t row) { game.cell(col, row).colour = Green; });
    game.cell(6, 6).colour = NoPanel;
    game.cell(7, 6).colour = 5;
    game.cell(8, 6).colour = intMax;

    recountColours(game.state, game.field, game.settings);
    EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 9, 0, 0}));
}

TEST(CoveredInFieldCount, CountsTheCoveredCellsThatLieInTheField) {
    const struct {
        const char* label;
        std::int32_t columns, rows;
        PatternType pattern;
        std::int32_t col, row, expected;
    } cases[] = {
        {"Type C at the top-left corner", 9, 16, TypeC, 0, 0, 4},
        {"Type A at an interior cell", 9, 16, TypeA, 4, 4, 5},
        {"Type F at an interior cell", 9, 16, TypeF, 8, 8, 13},
        {"Type G at the bottom-right corner", 9, 16, TypeG, 16, 15, 6},
        {"Type A over the blank top strip", 9, 16, TypeA, 4, -1, 2},
        {"Type A in the margin of a small field", 3, 4, TypeA, 6, 5, 2},
        {"Type E reaching up into a small field", 3, 4, TypeE, 9, 11, 2},
        {"far outside the lattice", 9, 16, TypeG, 40, -30, 0},
        {"at the largest column", 9, 16, TypeG, intMax, 0, 0},
        {"at the smallest row", 9, 16, TypeG, 0, intMin, 0},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.chooseRules(c.columns, c.rows);
        game.settings.patternType = c.pattern;
        EXPECT_EQ(coveredInFieldCount(game.settings, game.table, c.col, c.row), c.expected) << c.label;
    }
}

}  // namespace
}  // namespace kaleidra
