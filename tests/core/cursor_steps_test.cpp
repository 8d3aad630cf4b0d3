#include "core/cursor_steps.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/core/core_test_support.h"

namespace kaleidra {

void PrintTo(const LatticePosition& cell, std::ostream* out) {
    *out << "(" << cell.col << ", " << cell.row << ")";
}

namespace {

constexpr CursorStep everyStep[] = {CursorStep::Left, CursorStep::Right, CursorStep::Up,
                                    CursorStep::Down};

const char* stepName(CursorStep step) {
    switch (step) {
    case CursorStep::Left: return "Left";
    case CursorStep::Right: return "Right";
    case CursorStep::Up: return "Up";
    case CursorStep::Down: return "Down";
    }
    return "?";
}

CursorStep opposite(CursorStep step) {
    switch (step) {
    case CursorStep::Left: return CursorStep::Right;
    case CursorStep::Right: return CursorStep::Left;
    case CursorStep::Up: return CursorStep::Down;
    case CursorStep::Down: return CursorStep::Up;
    }
    return step;
}

struct FieldSize {
    std::int32_t columns;
    std::int32_t rows;
};

std::vector<FieldSize> everyFieldSize() {
    std::vector<FieldSize> sizes;
    for (std::int32_t columns = 3; columns <= 9; ++columns)
        for (std::int32_t rows = 4; rows <= 16; rows += 2) sizes.push_back({columns, rows});
    return sizes;
}

class CursorStepsOnEverySize : public ::testing::TestWithParam<FieldSize> {
protected:
    void SetUp() override {
        game.chooseRules(GetParam().columns, GetParam().rows);
        layoutCells(game.field);
        forEachInFieldCell(game.settings, [&](std::int32_t col, std::int32_t row) {
            cells.push_back({col, row});
        });
    }

    // Judged on the panels' pixel rectangles, as the player sees them, never through isInField.
    bool anyCellWhere(auto&& holds) const {
        for (const LatticePosition& cell : cells)
            if (holds(game.field.cells[static_cast<std::size_t>(cell.col)][static_cast<std::size_t>(cell.row)]))
                return true;
        return false;
    }

    const Cell& cellAt(LatticePosition cell) {
        return game.cell(cell.col, cell.row);
    }

    GameRecords game;
    std::vector<LatticePosition> cells;
};

// Every cell, every key: the step goes to the nearest panel the player sees that way, and only
// where no panel lies that way is there none.
TEST_P(CursorStepsOnEverySize, LeadToTheNeighbourSeenThatWayOrNowhere) {
    for (const LatticePosition& from : cells) {
        const Cell& here = cellAt(from);
        for (const CursorStep step : everyStep) {
            SCOPED_TRACE(std::string(stepName(step)) + " from (" + std::to_string(from.col) + ", " +
                         std::to_string(from.row) + ")");
            const std::optional<LatticePosition> to = steppedCell(game.settings, from, step);
            bool panelThatWay = false;
            switch (step) {
            case CursorStep::Left:
                panelThatWay = anyCellWhere([&](const Cell& c) { return c.y == here.y && c.x < here.x; });
                break;
            case CursorStep::Right:
                panelThatWay = anyCellWhere([&](const Cell& c) { return c.y == here.y && c.x > here.x; });
                break;
            case CursorStep::Up:
                panelThatWay = anyCellWhere([&](const Cell& c) { return c.y == here.y - 16; });
                break;
            case CursorStep::Down:
                panelThatWay = anyCellWhere([&](const Cell& c) { return c.y == here.y + 16; });
                break;
            }
            ASSERT_EQ(to.has_value(), panelThatWay);
            if (!to) continue;
            ASSERT_TRUE(isInField(game.settings, to->col, to->row));
            const int dx = cellAt(*to).x - here.x;
            const int dy = cellAt(*to).y - here.y;
            switch (step) {
            case CursorStep::Left: EXPECT_TRUE(dx == -64 && dy == 0) << dx << ", " << dy; break;
            case CursorStep::Right: EXPECT_TRUE(dx == 64 && dy == 0) << dx << ", " << dy; break;
            case CursorStep::Up: EXPECT_TRUE((dx == 32 || dx == -32) && dy == -16) << dx << ", " << dy; break;
            case CursorStep::Down: EXPECT_TRUE((dx == 32 || dx == -32) && dy == 16) << dx << ", " << dy; break;
            }
            // The opposite key brings the cursor back.
            EXPECT_EQ(steppedCell(game.settings, *to, opposite(step)), std::optional(from));
        }
    }
}

// Up twice (or Down twice) comes back to the same column of the screen: no drift sideways.
TEST_P(CursorStepsOnEverySize, TwoUpOrTwoDownKeepTheColumn) {
    for (const LatticePosition& from : cells) {
        for (const CursorStep step : {CursorStep::Up, CursorStep::Down}) {
            const auto once = steppedCell(game.settings, from, step);
            const auto twice = once ? steppedCell(game.settings, *once, step) : std::nullopt;
            if (!twice) continue;
            EXPECT_EQ(cellAt(*twice).x, cellAt(from).x)
                << stepName(step) << " twice from (" << from.col << ", " << from.row << ")";
        }
    }
}

TEST_P(CursorStepsOnEverySize, StartFromTheCentreCellWhenTheCursorIsOffTheField) {
    ASSERT_TRUE(isInField(game.settings, fieldCentreCell.col, fieldCentreCell.row));
    const Cell& centre = cellAt(fieldCentreCell);
    // The window's middle point, on which every field is centred, lies in its rectangle.
    EXPECT_TRUE(centre.x <= 304 && 304 < centre.x + panelWidth && centre.y <= 152 &&
                152 < centre.y + panelHeight);
    for (const LatticePosition& cell : cells) EXPECT_EQ(keyCursorCell(game.settings, cell), cell);
    for (const LatticePosition off : {LatticePosition{-1, -1}, LatticePosition{17, 16},
                                      LatticePosition{0, 1}, LatticePosition{9, 0}}) {
        EXPECT_EQ(keyCursorCell(game.settings, off), fieldCentreCell);
        for (const CursorStep step : everyStep) EXPECT_EQ(steppedCell(game.settings, off, step), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, CursorStepsOnEverySize, ::testing::ValuesIn(everyFieldSize()),
                         [](const ::testing::TestParamInfo<FieldSize>& size) {
                             return std::to_string(size.param.columns) + "x" + std::to_string(size.param.rows);
                         });

// The choices written out, where the rows start on the edge and where they start half a panel in.
TEST(CursorSteps, KnownCells) {
    const struct {
        std::int32_t columns, rows;
        LatticePosition from;
        CursorStep step;
        std::optional<LatticePosition> to;
    } cases[] = {
        {9, 16, {0, 0}, CursorStep::Left, std::nullopt},
        {9, 16, {0, 0}, CursorStep::Right, LatticePosition{1, 0}},
        {9, 16, {0, 0}, CursorStep::Up, std::nullopt},
        {9, 16, {0, 0}, CursorStep::Down, LatticePosition{1, 1}},  // an edge row: down-right
        {9, 16, {1, 1}, CursorStep::Up, LatticePosition{0, 0}},    // between edge rows: up-left
        {9, 16, {1, 1}, CursorStep::Down, LatticePosition{1, 2}},  // down-left
        {9, 16, {8, 0}, CursorStep::Down, LatticePosition{9, 1}},
        {9, 16, {9, 1}, CursorStep::Right, std::nullopt},
        {9, 16, {16, 15}, CursorStep::Down, std::nullopt},
        {9, 16, {16, 15}, CursorStep::Up, LatticePosition{15, 14}},
        {9, 16, {8, 8}, CursorStep::Up, LatticePosition{8, 7}},
        {5, 8, {8, 8}, CursorStep::Up, LatticePosition{8, 7}},  // margin 4: row 8 starts on the edge
        {5, 8, {8, 8}, CursorStep::Down, LatticePosition{9, 9}},
        {5, 8, {8, 8}, CursorStep::Left, LatticePosition{7, 8}},
        {5, 8, {6, 4}, CursorStep::Up, std::nullopt},           // the top row
        {8, 16, {8, 8}, CursorStep::Up, LatticePosition{7, 7}},  // margin 1: row 8 starts half a panel in
        {8, 16, {1, 1}, CursorStep::Up, LatticePosition{1, 0}},
        {3, 4, {8, 8}, CursorStep::Down, LatticePosition{9, 9}},
        {3, 4, {8, 9}, CursorStep::Down, std::nullopt},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.chooseRules(c.columns, c.rows);
        EXPECT_EQ(steppedCell(game.settings, c.from, c.step), c.to)
            << c.columns << "x" << c.rows << ", " << stepName(c.step) << " from (" << c.from.col
            << ", " << c.from.row << ")";
    }
}

}  // namespace
}  // namespace kaleidra
