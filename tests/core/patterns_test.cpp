#include "core/patterns.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace kaleidra {
namespace {

// Pixel offsets of a covered panel's rectangle from the cursor cell's, by their on-screen names.
using Pixels = std::pair<std::int32_t, std::int32_t>;
const Pixels cell{0, 0};
const Pixels upRight{32, -16}, upLeft{-32, -16}, downLeft{-32, 16}, downRight{32, 16};
const Pixels right{64, 0}, up{0, -32}, left{-64, 0}, down{0, 32};
const Pixels upRight2{64, -32}, upLeft2{-64, -32}, downLeft2{-64, 32}, downRight2{64, 32};
const Pixels right2{128, 0}, up2{0, -64}, left2{-128, 0}, down2{0, 64};

struct ShapeCase {
    const char* label;
    PatternType type;
    std::vector<Pixels> visitingOrder;
};

void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.label;
}

const std::vector<Pixels> typeCOrder{cell, right, upRight, up, upLeft, left, downLeft, down, downRight};

std::vector<Pixels> typeCThen(std::vector<Pixels> more) {
    std::vector<Pixels> order = typeCOrder;
    order.insert(order.end(), more.begin(), more.end());
    return order;
}

const ShapeCase shapeCases[] = {
    {"TypeA", TypeA, {cell, upRight, upLeft, downLeft, downRight}},
    {"TypeB", TypeB, {cell, right, up, left, down}},
    {"TypeC", TypeC, typeCOrder},
    {"TypeD", TypeD, {cell, upRight, upRight2, upLeft, upLeft2, downLeft, downLeft2, downRight, downRight2}},
    {"TypeE", TypeE, {cell, right, right2, up, up2, left, left2, down, down2}},
    {"TypeF", TypeF, typeCThen({upRight2, upLeft2, downLeft2, downRight2})},
    {"TypeG", TypeG, typeCThen({right2, up2, left2, down2})},
};

class PatternShape : public ::testing::TestWithParam<ShapeCase> {
protected:
    void SetUp() override { initPatternTable(table); }
    PatternTable table{};
};

TEST_P(PatternShape, WalksItsPanelsInVisitingOrder) {
    std::vector<Pixels> walked;
    forEachPatternOffset(table, GetParam().type, [&](std::int32_t dcol, std::int32_t drow) {
        walked.emplace_back(32 * (2 * dcol - drow), 16 * drow);
    });
    EXPECT_EQ(walked, GetParam().visitingOrder);
}

TEST_P(PatternShape, EndsWithTheMarkerAtItsPanelCountAndZerosAfterIt) {
    const PatternType type = GetParam().type;
    const auto column = static_cast<std::size_t>(type);
    const auto panels = static_cast<std::int32_t>(GetParam().visitingOrder.size());
    EXPECT_EQ(table.patternPanelCount[column], panels);

    const PatternOffset marker = table.entries[static_cast<std::size_t>(panels)][column];
    EXPECT_EQ(marker.dcol, patternEndMarker);
    EXPECT_EQ(marker.drow, 0);
    for (std::int32_t entry = panels + 1; entry < patternEntryCount; ++entry) {
        const PatternOffset unused = table.entries[static_cast<std::size_t>(entry)][column];
        EXPECT_EQ(unused.dcol, 0) << "entry " << entry;
        EXPECT_EQ(unused.drow, 0) << "entry " << entry;
    }
    EXPECT_EQ(patternOffset(table, type, panels).dcol, patternEndMarker);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, PatternShape, ::testing::ValuesIn(shapeCases),
                         [](const ::testing::TestParamInfo<ShapeCase>& testCase) {
                             return std::string(testCase.param.label);
                         });

TEST(PatternOffset, GivesTheEndMarkerOutsideTheTable) {
    PatternTable table{};
    initPatternTable(table);
    const struct {
        const char* label;
        std::int32_t type, entry;
    } cases[] = {
        {"negative entry", TypeA, -1},
        {"entry past the table", TypeF, patternEntryCount},
        {"largest entry", TypeG, std::numeric_limits<std::int32_t>::max()},
        {"type past Type G", 7, 0},
        {"negative type", -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(patternOffset(table, static_cast<PatternType>(c.type), c.entry).dcol, patternEndMarker)
            << c.label;
    }
    EXPECT_FALSE(isValidPatternType(7));
    EXPECT_FALSE(isValidPatternType(-1));
    EXPECT_TRUE(isValidPatternType(TypeA));
    EXPECT_TRUE(isValidPatternType(TypeG));
}

TEST(ForEachPatternOffset, StopsAfterTheBoundWhenNoMarkerComes) {
    const PatternTable unfilled{};  // all entries (0, 0), no marker anywhere
    int visits = 0;
    forEachPatternOffset(unfilled, TypeA, [&](std::int32_t, std::int32_t) { ++visits; });
    EXPECT_EQ(visits, patternWalkBound);
}

TEST(CoveredCell, AddsTheOffsetAndSaturatesAtTheIntegerRange) {
    constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* label;
        std::int32_t col, row;
        PatternOffset offset;
        std::int32_t expectedCol, expectedRow;
    } cases[] = {
        {"inside the lattice", 4, 4, {-1, -2}, 3, 2},
        {"off the top-left", 0, 0, {-2, -4}, -2, -4},
        {"largest column", intMax, 0, {2, 4}, intMax, 4},
        {"smallest row", 0, intMin, {-2, -4}, -2, intMin},
    };
    for (const auto& c : cases) {
        const LatticePosition covered = coveredCell(c.col, c.row, c.offset);
        EXPECT_EQ(covered.col, c.expectedCol) << c.label;
        EXPECT_EQ(covered.row, c.expectedRow) << c.label;
    }
}

}  // namespace
}  // namespace kaleidra
