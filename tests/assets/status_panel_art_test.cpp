#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "committed_assets.h"

namespace assets_test {
namespace {

constexpr int digitSize = 16;
constexpr Rgb lightYellow{255, 255, 128};

struct GlyphRow {
    const char* label;
    int row;
    Rgb ink;
};

void PrintTo(const GlyphRow& row, std::ostream* out) { *out << row.label; }

const GlyphRow glyphRows[] = {{"normalRow", 0, white}, {"highlightedRow", 1, lightYellow}};

class DigitSheetRow : public ::testing::TestWithParam<GlyphRow> {
protected:
    Bitmap sheet = loadBitmap("status_char");
};

// A cell is copied whole onto a navy box: its rim must be navy so that no edge shows, and its
// smoothed edges may only blend navy into the digit's colour.
TEST_P(DigitSheetRow, DigitsAreInkOnNavyWithNavyRims) {
    const GlyphRow& glyphRow = GetParam();
    for (int digit = 0; digit < 10; ++digit) {
        SCOPED_TRACE("digit " + std::to_string(digit));
        const int left = digitSize * digit;
        const int top = digitSize * glyphRow.row;
        int inkPixels = 0;
        for (int y = 0; y < digitSize; ++y) {
            for (int x = 0; x < digitSize; ++x) {
                const Rgb c = sheet.at(left + x, top + y);
                if (x == 0 || y == 0 || x == digitSize - 1 || y == digitSize - 1) {
                    ASSERT_EQ(c, navy) << "rim at " << x << ", " << y;
                }
                inkPixels += c == glyphRow.ink ? 1 : 0;
                // On the line from navy to the ink: red and green rise together, blue in proportion.
                const int expectedBlue = navy.b + (glyphRow.ink.b - navy.b) * c.r / 255;
                ASSERT_EQ(c.r, c.g) << "at " << x << ", " << y;
                ASSERT_LE(std::abs(c.b - expectedBlue), 1) << "at " << x << ", " << y << ": " << c;
            }
        }
        EXPECT_GT(inkPixels, 10) << "the digit shows in full colour";
    }
}

INSTANTIATE_TEST_SUITE_P(BothRows, DigitSheetRow, ::testing::ValuesIn(glyphRows),
                         ::testing::PrintToStringParamName());

TEST(DigitSheet, BothRowsHaveTheSameGlyphShapesAndEveryDigitDiffers) {
    const Bitmap sheet = loadBitmap("status_char");
    EXPECT_EQ(sheet.bitsPerPixel, 4);
    std::set<std::vector<bool>> shapes;
    for (int digit = 0; digit < 10; ++digit) {
        std::vector<bool> shape;
        for (int y = 0; y < digitSize; ++y) {
            for (int x = 0; x < digitSize; ++x) {
                const bool normalInk = sheet.at(digitSize * digit + x, y) != navy;
                const bool highlightedInk = sheet.at(digitSize * digit + x, digitSize + y) != navy;
                ASSERT_EQ(normalInk, highlightedInk) << "digit " << digit << " at " << x << ", " << y;
                shape.push_back(normalInk);
            }
        }
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 10u);
}

struct NumberItem {
    const char* label;
    int x;
    int y;
    int slots;
};

void PrintTo(const NumberItem& item, std::ostream* out) { *out << item.label; }

// Every number of the status panel, at the first slot's position, 16 pixels per slot.
const NumberItem numberItems[] = {
    {"redCount", 80, 66, 3},
    {"yellowCount", 142, 66, 3},
    {"greenCount", 204, 66, 3},
    {"lightBlueCount", 266, 66, 3},
    {"purpleCount", 328, 66, 3},
    {"columnsPerRow", 150, 94, 2},
    {"rows", 220, 94, 2},
    {"totalPanels", 314, 94, 3},
    {"elapsedSeconds", 104, 128, 4},
    {"operationCount", 336, 128, 4},
    {"clearTarget", 400, 66, 3},
    {"clearPercentage", 400, 89, 3},
    {"patternPanelCount", 564, 112, 2},
    {"coveredInFieldCount", 507, 112, 2},
};

class StatusBackgroundBox : public ::testing::TestWithParam<NumberItem> {
protected:
    Bitmap background = loadBitmap("status_back");
};

// A blank slot is drawn from the background itself, and digits are copied whole: both need navy.
TEST_P(StatusBackgroundBox, IsNavyUnderEverySlot) {
    const NumberItem& item = GetParam();
    for (int y = item.y; y < item.y + digitSize; ++y) {
        for (int x = item.x; x < item.x + item.slots * digitSize; ++x) {
            ASSERT_EQ(background.at(x, y), navy) << "at " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllNumbers, StatusBackgroundBox, ::testing::ValuesIn(numberItems),
                         ::testing::PrintToStringParamName());

TEST(StatusBackground, PreviewAreaIsOneDarkGreenBox) {
    const Bitmap background = loadBitmap("status_back");
    const Rgb box = background.at(511, 34);
    EXPECT_GT(box.g, box.r);
    EXPECT_GT(box.g, box.b);
    EXPECT_LT(box.g, 128) << "dark, so that it reads as sunken";
    for (int y = 34; y < 34 + 40; ++y) {
        for (int x = 511; x < 511 + 80; ++x) ASSERT_EQ(background.at(x, y), box) << "at " << x << ", " << y;
    }
}

}  // namespace
}  // namespace assets_test
