#include "view/cell_at_pixel.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kaleidra {
namespace {

struct PixelCase {
    const char* label;
    std::int32_t x;
    std::int32_t y;
    LatticePosition cell;
};

void PrintTo(const PixelCase& c, std::ostream* out) {
    *out << c.label << " (" << c.x << ", " << c.y << ")";
}

class CellAtPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(CellAtPixelTest, MapsToTheCellOwningThePixel) {
    const LatticePosition cell = cellAtPixel(GetParam().x, GetParam().y);
    EXPECT_EQ(cell.col, GetParam().cell.col);
    EXPECT_EQ(cell.row, GetParam().cell.row);
}

INSTANTIATE_TEST_SUITE_P(
    Points, CellAtPixelTest,
    ::testing::Values(
        PixelCase{"centre of (0,0)", 32, 32, {0, 0}},
        PixelCase{"right tip of (0,0)", 63, 32, {0, 0}},
        PixelCase{"below right tip", 63, 33, {1, 1}},
        PixelCase{"left column of next rectangle", 64, 32, {1, 1}},
        PixelCase{"left edge, middle", 0, 32, {0, 1}},
        PixelCase{"left edge, above middle", 0, 31, {-1, -1}},
        PixelCase{"top line dx -1", 31, 16, {0, 0}},
        PixelCase{"top line dx 0", 32, 16, {0, 0}},
        PixelCase{"top line dx +1", 33, 16, {0, 0}},
        PixelCase{"top line dx -2", 30, 16, {-1, -1}},
        PixelCase{"top line dx +2", 34, 16, {0, -1}},
        PixelCase{"bottom line dx 0", 32, 47, {0, 0}},
        PixelCase{"bottom line dx +1", 33, 47, {0, 0}},
        PixelCase{"bottom line dx +2", 34, 47, {1, 1}},
        PixelCase{"bottom line dx -1", 31, 47, {0, 0}},
        PixelCase{"bottom line dx -2", 30, 47, {0, 1}},
        PixelCase{"client top-left", 0, 0, {-1, -1}},
        PixelCase{"client bottom-right", 607, 287, {17, 16}},
        PixelCase{"right edge of first row", 607, 16, {9, 0}},
        PixelCase{"blank top strip", 100, 5, {1, -1}},
        PixelCase{"bottom strip, left", 0, 287, {7, 15}},
        PixelCase{"last row centre", 576, 272, {16, 15}}));

// Every pixel below the blank strip lands in a cell whose rectangle contains it.
TEST(CellAtPixel, EveryFieldPixelBelongsToACellRectangleHoldingIt) {
    for (std::int32_t y = 16; y < 288; ++y) {
        for (std::int32_t x = 0; x < 608; ++x) {
            const LatticePosition cell = cellAtPixel(x, y);
            const std::int32_t left = 64 * cell.col - 32 * cell.row;
            const std::int32_t top = 16 * cell.row + 16;
            ASSERT_TRUE(x >= left && x < left + 64 && y >= top && y < top + 32)
                << "pixel (" << x << ", " << y << ") -> (" << cell.col << ", " << cell.row << ")";
        }
    }
}

}  // namespace
}  // namespace kaleidra
