// The field read back from the window: full paints, single cells, the cursor and whole operations.
#include "app_fixture.h"
#include "core/flip.h"
#include "resource.h"
#include "view/field_view.h"

namespace kaleidra::testing {
namespace {

constexpr COLORREF white = RGB(255, 255, 255);

Cell& cellAt(std::int32_t col, std::int32_t row) { return programCell(col, row); }

class FieldViewTest : public AppTest {
protected:
    // A game on a known stage: colour (col + 2 * row) mod 5 everywhere.
    void startGame(std::int32_t columns = 9, std::int32_t rows = 16) {
        Program& p = program();
        setColumnsPerRow(p.settings, columns);
        setRows(p.settings, rows);
        applyRules(p.settings, 70);
        SendMessageA(p.mainWindow, WM_COMMAND, IDM_START, 0);
        KillTimer(p.statusWindow, clockTimerId);
        for (std::int32_t row = 0; row < latticeRows; ++row)
            for (std::int32_t col = 0; col < latticeColumns; ++col)
                if (isInField(p.settings, col, row)) cellAt(col, row).colour = (col + 2 * row) % 5;
        recountColours(p.state, p.field, p.settings);
        SendMessageA(p.fieldWindow, WM_PAINT, 0, 0);
        SendMessageA(p.statusWindow, WM_PAINT, 0, 0);
        sheet_ = Picture::ofBitmap(BitmapId::FieldPanel, 320, 160);
        mask_ = Picture::ofBitmap(BitmapId::FieldPanelMask, 64, 32);
        cursor_ = Picture::ofBitmap(BitmapId::FieldCursor, 64, 32);
        cursorMask_ = Picture::ofBitmap(BitmapId::FieldCursorMask, 64, 32);
    }

    bool onDiamond(int dx, int dy) const { return mask_.at(dx, dy) == white; }

    // Every in-field diamond at rest on white, as the cells now hold them.
    Picture restingField() const {
        Picture picture(608, 288);
        for (int y = 0; y < 288; ++y)
            for (int x = 0; x < 608; ++x) picture.set(x, y, white);
        const Program& p = program();
        for (std::int32_t row = 0; row < latticeRows; ++row)
            for (std::int32_t col = 0; col < latticeColumns; ++col)
                if (isInField(p.settings, col, row)) drawPiece(picture, col, row, 0);
        return picture;
    }

    void drawPiece(Picture& picture, std::int32_t col, std::int32_t row, std::int32_t frame) const {
        ASSERT_TRUE(isInField(program().settings, col, row));
        const Cell& cell = cellAt(col, row);
        for (int dy = 0; dy < 32; ++dy)
            for (int dx = 0; dx < 64; ++dx)
                if (onDiamond(dx, dy))
                    picture.set(cell.x + dx, cell.y + dy,
                                sheet_.at(64 * cell.colour + dx, 32 * frame + dy));
    }

    void drawHighlight(Picture& picture, std::int32_t col, std::int32_t row) const {
        ASSERT_TRUE(isInField(program().settings, col, row));
        const Cell& cell = cellAt(col, row);
        for (int dy = 0; dy < 32; ++dy)
            for (int dx = 0; dx < 64; ++dx)
                if (cursorMask_.at(dx, dy) == white)
                    picture.set(cell.x + dx, cell.y + dy, cursor_.at(dx, dy));
    }

    Picture shownField() const { return Picture::ofWindow(program().fieldWindow, 608, 288); }

    static POINT centreOf(std::int32_t col, std::int32_t row) {
        const Cell& cell = cellAt(col, row);
        return {cell.x + 32, cell.y + 16};
    }

    static void moveMouseTo(POINT point) {
        SendMessageA(program().fieldWindow, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }

    Picture sheet_{1, 1};
    Picture mask_{1, 1};
    Picture cursor_{1, 1};
    Picture cursorMask_{1, 1};
};

TEST_F(FieldViewTest, FullPaintShowsEveryCellAtRestOnWhite) {
    startGame();
    EXPECT_TRUE(samePicture(shownField(), restingField()));
}

TEST_F(FieldViewTest, FullPaintOfASmallFieldLeavesTheRestWhite) {
    startGame(3, 4);
    EXPECT_TRUE(samePicture(shownField(), restingField()));
}

TEST_F(FieldViewTest, RedrawCellShowsEachFrameWithTheNeighboursAtRest) {
    startGame();
    const Picture rest = restingField();
    for (std::int32_t frame = 0; frame < 5; ++frame) {
        SCOPED_TRACE(frame);
        redrawCell(program().fieldWindow, fieldScene(program()), 6, 8, frame);
        Picture expected = rest;
        drawPiece(expected, 6, 8, frame);
        EXPECT_TRUE(samePicture(shownField(), expected));
    }
}

TEST_F(FieldViewTest, RedrawCellOffTheFieldDrawsNothing) {
    startGame(3, 4);
    const Picture before = shownField();
    const Program& p = program();
    redrawCell(p.fieldWindow, fieldScene(p), 6, 5, 2);  // just above the field: its down neighbours are in it
    redrawCell(p.fieldWindow, fieldScene(p), -1, -1, 0);
    redrawCell(p.fieldWindow, fieldScene(p), 17, 16, 0);
    EXPECT_TRUE(samePicture(shownField(), before));
}

TEST_F(FieldViewTest, CursorHighlightsThePatternAndMovingAwayErasesIt) {
    startGame();
    const Picture rest = restingField();

    moveMouseTo(centreOf(6, 8));
    EXPECT_EQ(program().state.cursorCol, 6);
    EXPECT_EQ(program().state.cursorRow, 8);
    Picture highlighted = rest;
    for (const auto& [dcol, drow] : {std::pair{0, 0}, {0, -1}, {-1, -1}, {0, 1}, {1, 1}})
        drawHighlight(highlighted, 6 + dcol, 8 + drow);
    EXPECT_TRUE(samePicture(shownField(), highlighted));

    moveMouseTo({2, 2});  // top-left corner: only cells of row 0 are covered
    Picture moved = rest;
    drawHighlight(moved, 0, 0);
    EXPECT_TRUE(samePicture(shownField(), moved));
    // The status panel's covered count followed the cursor: one cell of Type A in the field.
    EXPECT_TRUE(blockMatchesBitmap(program().statusWindow, 523, 112, BitmapId::StatusChar, 16, 0, 16, 16));
    EXPECT_TRUE(blockMatchesBitmap(program().statusWindow, 507, 112, BitmapId::StatusBack, 507, 112, 16, 16));
}

TEST_F(FieldViewTest, MovingWithinOneCellChangesNothing) {
    startGame();
    moveMouseTo(centreOf(6, 8));
    const Picture before = shownField();
    moveMouseTo({centreOf(6, 8).x + 3, centreOf(6, 8).y + 2});
    EXPECT_TRUE(samePicture(shownField(), before));
}

TEST_F(FieldViewTest, RepaintRemovesTheHighlight) {
    startGame();
    moveMouseTo(centreOf(6, 8));
    SendMessageA(program().fieldWindow, WM_PAINT, 0, 0);
    EXPECT_TRUE(samePicture(shownField(), restingField()));
}

TEST_F(FieldViewTest, OperationAdvancesEachCoveredPanelInListOrder) {
    startGame();
    Program& p = program();
    moveMouseTo(centreOf(6, 8));
    const Picture rest = restingField();
    const std::array<std::pair<int, int>, 5> order = {{{6, 8}, {6, 7}, {5, 7}, {6, 9}, {7, 9}}};
    std::array<std::int32_t, 5> before{};
    for (std::size_t i = 0; i < order.size(); ++i)
        before[i] = cellAt(order[i].first, order[i].second).colour;

    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    KillTimer(p.fieldWindow, flipTimerId);  // the test gives the ticks itself
    EXPECT_TRUE(samePicture(shownField(), rest)) << "the click removes the highlight";
    EXPECT_EQ(p.state.operationCount, 1);

    for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [col, row] = order[i];
        for (std::int32_t frame = 1; frame <= 4; ++frame) {
            SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);
            Picture expected = restingField();
            drawPiece(expected, col, row, frame);
            ASSERT_TRUE(samePicture(shownField(), expected)) << "frame " << frame;
        }
        const auto counts = p.state.colourCounts;
        SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);
        EXPECT_EQ(cellAt(col, row).colour, (before[i] + 1) % 5);
        const auto from = static_cast<std::size_t>(before[i]);
        const auto to = (from + 1) % 5;
        EXPECT_EQ(p.state.colourCounts[from], counts[from] - 1);
        EXPECT_EQ(p.state.colourCounts[to], counts[to] + 1);
        EXPECT_TRUE(samePicture(shownField(), restingField())) << "frame 4 is the next colour";
    }
    SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);
    EXPECT_EQ(p.state.flip.busy, flipIdle);
    EXPECT_EQ(p.state.flippedTotal, 5);

    // The status panel followed: one operation, and every colour count as the cells hold them.
    EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 384, 128, BitmapId::StatusChar, 16, 0, 16, 16));
    for (int colour = 0; colour < 5; ++colour) {
        const int units = p.state.colourCounts[static_cast<std::size_t>(colour)] % 10;
        const int row = isColourCleared(p.state, p.settings, colour) ? 1 : 0;
        EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 80 + 62 * colour + 32, 66,
                                       BitmapId::StatusChar, 16 * units, 16 * row, 16, 16))
            << "colour " << colour;
    }
}

// A repaint at any tick of an operation (a minimise and restore, an uncovered window) shows what the
// animation shows at that moment, and once the operation has ended every panel shows its colour.
TEST_F(FieldViewTest, ARepaintAtAnyTickLeavesEveryPanelInItsColour) {
    startGame();
    Program& p = program();
    moveMouseTo(centreOf(6, 8));
    // Type A at (6, 8): five panels of five ticks each, then the end; 0 is right after the click.
    // A panel's fourth and fifth ticks (4, 5, 9, 10, ...) are the moments around its colour advance.
    for (int repaintAfterTick = 0; repaintAfterTick <= 25; ++repaintAfterTick) {
        SCOPED_TRACE(repaintAfterTick);
        SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        KillTimer(p.fieldWindow, flipTimerId);  // the test gives the ticks itself
        ASSERT_EQ(p.state.flip.busy, flipRunning);
        for (int tick = 0; tick < repaintAfterTick; ++tick)
            SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);

        Picture animated = restingField();
        const PanelInMotion inMotion = panelInMotion(p.state, p.settings, p.patterns);
        if (inMotion.moving) drawPiece(animated, inMotion.col, inMotion.row, inMotion.frame);
        SendMessageA(p.fieldWindow, WM_PAINT, 0, 0);
        EXPECT_TRUE(samePicture(shownField(), animated)) << "the repaint keeps the animation's frame";

        for (int tick = 0; tick < 30 && p.state.flip.busy == flipRunning; ++tick)
            SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);
        ASSERT_EQ(p.state.flip.busy, flipIdle);
        EXPECT_TRUE(samePicture(shownField(), restingField())) << "every panel in its colour";
    }
}

TEST_F(FieldViewTest, FlipTimerRunsTheOperationToItsEnd) {
    startGame();
    Program& p = program();
    moveMouseTo(centreOf(6, 8));
    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);

    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // ignored while busy
    moveMouseTo(centreOf(6, 10));                                // ignored while busy
    EXPECT_EQ(p.state.operationCount, 1);
    EXPECT_EQ(p.state.cursorCol, 6);

    // 26 ticks of 50 ms: the operation cannot end before 1.3 s have passed.
    const DWORD clicked = GetTickCount();
    while (p.state.flip.busy == flipRunning && GetTickCount() - clicked < 10000) pumpFor(10);
    const DWORD took = GetTickCount() - clicked;
    EXPECT_EQ(p.state.flip.busy, flipIdle);
    EXPECT_GE(took, 1250u);
    EXPECT_EQ(p.state.flippedTotal, 5);
    EXPECT_TRUE(samePicture(shownField(), restingField()));
}

}  // namespace
}  // namespace kaleidra::testing
