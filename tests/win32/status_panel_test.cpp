// The status panel read back from the window: digits in the right slots and glyph rows.
#include <array>
#include <ostream>
#include <string>

#include "app_fixture.h"
#include "resource.h"
#include "view/status_panel.h"

namespace kaleidra::testing {
namespace {

constexpr int blank = -1;

// A slot shows either a digit of the sheet's given row or the empty box of the background.
::testing::AssertionResult slotShows(int x, int y, int digit, int glyphRow) {
    HWND status = program().statusWindow;
    if (digit == blank) return blockMatchesBitmap(status, x, y, BitmapId::StatusBack, x, y, 16, 16);
    return blockMatchesBitmap(status, x, y, BitmapId::StatusChar, 16 * digit, 16 * glyphRow, 16, 16);
}

struct ItemCase {
    const char* name;
    void (*set)(Program&);
    int x;
    int y;
    std::array<int, 4> shown;  // slots from x rightwards; unused ones hold -2
    int glyphRow;
};

constexpr int unused = -2;

void PrintTo(const ItemCase& value, std::ostream* out) { *out << value.name; }

class StatusItemTest : public AppTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(StatusItemTest, FullRedrawShowsTheValue) {
    Program& p = program();
    SendMessageA(p.mainWindow, WM_COMMAND, IDM_START, 0);
    KillTimer(p.statusWindow, clockTimerId);
    GetParam().set(p);
    SendMessageA(p.statusWindow, WM_PAINT, 0, 0);

    const ItemCase& c = GetParam();
    for (std::size_t i = 0; i < c.shown.size() && c.shown[i] != unused; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(slotShows(c.x + 16 * static_cast<int>(i), c.y, c.shown[i], c.glyphRow));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, StatusItemTest,
    ::testing::Values(
        ItemCase{"SecondsZero", [](Program& p) { p.state.elapsedSeconds = 0; }, 104, 128,
                 {blank, blank, blank, 0}, 0},
        ItemCase{"SecondsInnerZeros", [](Program& p) { p.state.elapsedSeconds = 1005; }, 104, 128,
                 {1, 0, 0, 5}, 0},
        ItemCase{"SecondsCappedAt9999", [](Program& p) { p.state.elapsedSeconds = 12345; }, 104,
                 128, {9, 9, 9, 9}, 0},
        ItemCase{"Operations", [](Program& p) { p.state.operationCount = 37; }, 336, 128,
                 {blank, blank, 3, 7}, 0},
        ItemCase{"ColumnsNine", [](Program&) {}, 150, 94, {blank, 9, unused, unused}, 0},
        ItemCase{"RowsSixteen", [](Program&) {}, 220, 94, {1, 6, unused, unused}, 0},
        ItemCase{"TotalPanels", [](Program&) {}, 314, 94, {1, 4, 4, unused}, 0},
        ItemCase{"ClearTarget", [](Program&) {}, 400, 66, {1, 0, 0, unused}, 0},
        ItemCase{"Percentage", [](Program&) {}, 400, 89, {blank, 7, 0, unused}, 0},
        ItemCase{"RedAtTargetIsHighlighted", [](Program& p) { p.state.colourCounts[0] = 100; }, 80,
                 66, {1, 0, 0, unused}, 1},
        ItemCase{"YellowBelowTargetIsNormal", [](Program& p) { p.state.colourCounts[1] = 99; }, 142,
                 66, {blank, 9, 9, unused}, 0},
        ItemCase{"PurpleSingleDigit", [](Program& p) { p.state.colourCounts[4] = 9; }, 328, 66,
                 {blank, blank, 9, unused}, 0},
        ItemCase{"PatternPanelCount", [](Program& p) { p.settings.patternType = TypeF; }, 564, 112,
                 {1, 3, unused, unused}, 0},
        ItemCase{"CoveredCountAtCorner",
                 [](Program& p) {
                     p.settings.patternType = TypeC;
                     p.state.cursorCol = 0;
                     p.state.cursorRow = 0;
                 },
                 507, 112, {blank, 4, unused, unused}, 0}),
    [](const ::testing::TestParamInfo<ItemCase>& test) { return std::string(test.param.name); });

TEST_F(AppTest, PatternPreviewShowsTheCurrentType) {
    Program& p = program();
    SendMessageA(p.mainWindow, WM_COMMAND, IDM_START, 0);
    p.settings.patternType = TypeD;
    SendMessageA(p.statusWindow, WM_PAINT, 0, 0);
    EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 511, 34, BitmapId::SetArea4, 0, 0, 80, 40));
}

TEST_F(AppTest, ClockTickRedrawsOnlyTheSeconds) {
    Program& p = program();
    SendMessageA(p.mainWindow, WM_COMMAND, IDM_START, 0);
    KillTimer(p.statusWindow, clockTimerId);
    SendMessageA(p.statusWindow, WM_PAINT, 0, 0);
    p.state.elapsedSeconds = 99;
    p.state.operationCount = 5;  // not redrawn by a tick

    SendMessageA(p.statusWindow, WM_TIMER, clockTimerId, 0);

    EXPECT_EQ(p.state.elapsedSeconds, 100);
    EXPECT_TRUE(slotShows(104, 128, blank, 0));
    EXPECT_TRUE(slotShows(120, 128, 1, 0));
    EXPECT_TRUE(slotShows(136, 128, 0, 0));
    EXPECT_TRUE(slotShows(152, 128, 0, 0));
    EXPECT_TRUE(slotShows(384, 128, 0, 0)) << "the operation count keeps its old picture";
}

}  // namespace
}  // namespace kaleidra::testing
