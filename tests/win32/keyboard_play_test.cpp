// A game played from the keyboard: the arrows, Space and Enter, and the menus opened by keys.
#include <optional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/cursor_steps.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

constexpr LPARAM freshPress = 1;
constexpr LPARAM heldDown = 0x40000001;  // bit 30: the key was already down, a repeat

// The VK_ constants are ints.
void pressKey(HWND window, int key, LPARAM flags = freshPress) {
    SendMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(key), flags);
    SendMessageW(window, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
}

LatticePosition cursorCell() { return {program().state.cursorCol, program().state.cursorRow}; }

class KeyboardPlayTest : public AppTest {
protected:
    // A game of the given size on a known stage, with no clock ticking into the pictures.
    void startGame(std::int32_t columns, std::int32_t rows) {
        Program& p = program();
        setColumnsPerRow(p.settings, columns);
        setRows(p.settings, rows);
        applyRules(p.settings, 70);
        sendCommand(IDM_START);
        KillTimer(p.statusWindow, clockTimerId);
        forEachInFieldCell(p.settings, [](std::int32_t col, std::int32_t row) {
            programCell(col, row).colour = (col + 2 * row) % 5;
        });
        recountColours(p.state, p.field, p.settings);
        SendMessageW(p.fieldWindow, WM_PAINT, 0, 0);
        SendMessageW(p.statusWindow, WM_PAINT, 0, 0);
    }

    static void moveMouseTo(LatticePosition cell) {
        const Cell& panel = programCell(cell.col, cell.row);
        SendMessageW(program().fieldWindow, WM_MOUSEMOVE, 0,
                     MAKELPARAM(panel.x + 32, panel.y + 16));
    }

    struct Screens {
        Picture field;
        Picture status;
    };
    static Screens shown() {
        return {Picture::ofWindow(program().fieldWindow, 608, 288),
                Picture::ofWindow(program().statusWindow, 640, 160)};
    }

    // What a mouse brought to the cell's centre shows: away to another cell first, so that it
    // really moves there.
    static Screens shownAfterMouseMoveTo(LatticePosition cell) {
        moveMouseTo(cell.col == 8 && cell.row == 8 ? LatticePosition{7, 8} : LatticePosition{8, 8});
        moveMouseTo(cell);
        return shown();
    }
};

// Each arrow moves the cursor to the cell the core names, and the field and the status panel
// then show exactly what a mouse moved there shows: the highlight and the covered count.
TEST_F(KeyboardPlayTest, ArrowsMoveTheCursorAsTheMouseWould) {
    const struct {
        std::int32_t columns, rows;
        LatticePosition start;
        std::vector<int> keys;
    } cases[] = {
        {9, 16, {0, 0}, {VK_RIGHT, VK_DOWN, VK_DOWN, VK_LEFT, VK_UP, VK_LEFT, VK_UP}},
        {5, 8, {8, 8}, {VK_UP, VK_UP, VK_UP, VK_UP, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN}},
        {8, 16, {15, 15}, {VK_RIGHT, VK_DOWN, VK_UP, VK_LEFT, VK_UP}},
        {3, 4, {6, 6}, {VK_LEFT, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + "x" + std::to_string(c.rows));
        startGame(c.columns, c.rows);
        ASSERT_TRUE(isInField(program().settings, c.start.col, c.start.row));
        moveMouseTo(c.start);
        for (const int key : c.keys) {
            SCOPED_TRACE("key " + std::to_string(key));
            const LatticePosition from = cursorCell();
            const CursorStep step = key == VK_LEFT    ? CursorStep::Left
                                    : key == VK_RIGHT ? CursorStep::Right
                                    : key == VK_UP    ? CursorStep::Up
                                                      : CursorStep::Down;
            const std::optional<LatticePosition> to = steppedCell(program().settings, from, step);
            const Screens before = shown();
            pressKey(program().mainWindow, key);
            if (!to) {
                EXPECT_EQ(cursorCell(), from) << "no cell that way: nothing moves";
                EXPECT_TRUE(samePicture(shown().field, before.field));
                continue;
            }
            ASSERT_EQ(cursorCell(), *to);
            const Screens byKey = shown();
            const Screens byMouse = shownAfterMouseMoveTo(*to);
            EXPECT_TRUE(samePicture(byKey.field, byMouse.field));
            EXPECT_TRUE(samePicture(byKey.status, byMouse.status));
        }
    }
}

// A game starts with the cursor where start-up or the last game left it; off the field, the keys
// start from the centre cell.
TEST_F(KeyboardPlayTest, KeysStartFromTheCursorCellOrTheCentre) {
    const struct {
        const char* label;
        std::int32_t columns, rows;
        LatticePosition left;  // by start-up or the mouse in the game before
        int key;
        LatticePosition expected;
    } cases[] = {
        {"start-up's (0, 0) lies in the full field", 9, 16, {0, 0}, VK_RIGHT, {1, 0}},
        {"start-up's (0, 0) lies off a 5 x 8 field", 5, 8, {0, 0}, VK_RIGHT, {9, 8}},
        {"left by the last game inside this one", 5, 8, {7, 6}, VK_DOWN, {8, 7}},
        {"left by the last game in a margin", 9, 16, {-1, -1}, VK_UP, {8, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Program& p = program();
        p.state.cursorCol = c.left.col;
        p.state.cursorRow = c.left.row;
        startGame(c.columns, c.rows);
        pressKey(p.mainWindow, c.key);
        EXPECT_EQ(cursorCell(), c.expected);
    }
}

TEST_F(KeyboardPlayTest, SpaceAndEnterActOnTheCursorCellAsAClickWould) {
    Program& p = program();
    for (const int key : {VK_SPACE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
        startGame(9, 16);
        moveMouseTo({6, 8});
        const std::int32_t operations = p.state.operationCount;
        pressKey(p.mainWindow, key);
        EXPECT_EQ(p.state.flip.busy, flipRunning);
        EXPECT_EQ(p.state.operationCount, operations + 1);
        EXPECT_EQ(p.state.flip.pattern, TypeA);
        pumpFor(1600);  // five panels of five 50 ms ticks each, and the end
        EXPECT_EQ(p.state.flip.busy, flipIdle);
        EXPECT_EQ(p.state.flippedTotal, 5);
        EXPECT_EQ(programCell(6, 8).colour, (6 + 2 * 8 + 1) % 5) << "the cursor cell advanced";
        EXPECT_EQ(programCell(7, 9).colour, (7 + 2 * 9 + 1) % 5) << "and its down-right neighbour";
    }
}

TEST_F(KeyboardPlayTest, SpaceWithTheCursorOffTheFieldActsOnTheCentreCell) {
    Program& p = program();
    p.state.cursorCol = 0;  // off a 5 x 8 field
    p.state.cursorRow = 0;
    startGame(5, 8);
    pressKey(p.mainWindow, VK_SPACE);
    KillTimer(p.fieldWindow, flipTimerId);
    EXPECT_EQ(cursorCell(), fieldCentreCell);
    for (int tick = 0; tick < 30; ++tick) SendMessageW(p.fieldWindow, WM_TIMER, flipTimerId, 0);
    EXPECT_EQ(p.state.flippedTotal, 5);
    EXPECT_EQ(programCell(8, 8).colour, (8 + 2 * 8 + 1) % 5);
}

// While an operation runs no key moves or acts; a held key's repeats never start another, after
// the operation either, until the key is pressed afresh.
TEST_F(KeyboardPlayTest, KeysWaitForTheOperationAndRepeatsStartNothing) {
    Program& p = program();
    startGame(9, 16);
    moveMouseTo({6, 8});
    pressKey(p.mainWindow, VK_SPACE);
    KillTimer(p.fieldWindow, flipTimerId);  // the test gives the ticks itself
    ASSERT_EQ(p.state.flip.busy, flipRunning);

    const Picture during = Picture::ofWindow(p.fieldWindow, 608, 288);
    for (const int key : {VK_RIGHT, VK_DOWN, VK_SPACE, VK_RETURN}) {
        pressKey(p.mainWindow, key);
        pressKey(p.mainWindow, key, heldDown);
    }
    EXPECT_EQ(cursorCell(), (LatticePosition{6, 8}));
    EXPECT_EQ(p.state.operationCount, 1);
    EXPECT_TRUE(samePicture(Picture::ofWindow(p.fieldWindow, 608, 288), during));

    for (int tick = 0; tick < 30 && p.state.flip.busy == flipRunning; ++tick)
        SendMessageW(p.fieldWindow, WM_TIMER, flipTimerId, 0);
    ASSERT_EQ(p.state.flip.busy, flipIdle);
    for (const int key : {VK_SPACE, VK_RETURN}) {
        SendMessageW(p.mainWindow, WM_KEYDOWN, static_cast<WPARAM>(key), heldDown);
        EXPECT_EQ(p.state.flip.busy, flipIdle) << "a repeat after the operation starts nothing";
    }
    EXPECT_EQ(p.state.operationCount, 1);

    SendMessageW(p.mainWindow, WM_KEYDOWN, VK_RIGHT, heldDown);
    EXPECT_EQ(cursorCell(), (LatticePosition{7, 8})) << "a held arrow goes on moving";
    pressKey(p.mainWindow, VK_SPACE);
    EXPECT_EQ(p.state.operationCount, 2) << "a fresh press acts";
}

// Should a child window hold the focus, its keys play just the same.
TEST_F(KeyboardPlayTest, KeysReachTheGameFromEitherChild) {
    Program& p = program();
    startGame(9, 16);
    moveMouseTo({6, 8});
    pressKey(p.fieldWindow, VK_RIGHT);
    EXPECT_EQ(cursorCell(), (LatticePosition{7, 8}));
    pressKey(p.statusWindow, VK_LEFT);
    EXPECT_EQ(cursorCell(), (LatticePosition{6, 8}));
    pressKey(p.statusWindow, VK_SPACE);
    EXPECT_EQ(p.state.operationCount, 1);
}

TEST_F(KeyboardPlayTest, KeysOnTheTitleScreenDoNothing) {
    Program& p = program();
    for (const int key : {VK_RIGHT, VK_SPACE, VK_RETURN}) pressKey(p.mainWindow, key);
    EXPECT_EQ(p.state.phase, GamePhase::Title);
    EXPECT_EQ(cursorCell(), (LatticePosition{0, 0}));
    EXPECT_EQ(p.state.operationCount, 0);
}

// The popup menu that opens while action runs, read from its window, then closed.
struct OpenedMenu {
    bool opened = false;
    HMENU menu = nullptr;
    POINT topLeft{};
};

OpenedMenu* watchedMenu = nullptr;

BOOL CALLBACK findMenuWindow(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32768" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK readOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMenuWindow, reinterpret_cast<LPARAM>(&menuWindow));
    if (!menuWindow || !watchedMenu || watchedMenu->opened) return;
    RECT rect{};
    GetWindowRect(menuWindow, &rect);
    watchedMenu->opened = true;
    watchedMenu->menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    watchedMenu->topLeft = {rect.left, rect.top};
    EndMenu();
}

OpenedMenu menuOpenedBy(UINT message, HWND window, WPARAM wParam, LPARAM lParam) {
    OpenedMenu seen;
    watchedMenu = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, readOpenMenu);
    SendMessageW(window, message, wParam, lParam);  // returns when the menu has closed
    KillTimer(nullptr, timer);
    watchedMenu = nullptr;
    pumpMessages();
    return seen;
}

// The screen point of a main window client point, as the popup menu reckons it.
POINT menuScreenPoint(int x, int y) {
    const Program& p = program();
    return {p.mainWindowOrigin.x + GetSystemMetrics(SM_CXDLGFRAME) + x,
            p.mainWindowOrigin.y + GetSystemMetrics(SM_CYDLGFRAME) + y};
}

constexpr LPARAM fromKeyboard = -1;  // WM_CONTEXTMENU's position (-1, -1)

TEST_F(KeyboardPlayTest, ContextMenuKeyOpensTheTitleMenuOverTheWindowsMiddle) {
    Program& p = program();
    const OpenedMenu menu = menuOpenedBy(WM_CONTEXTMENU, p.mainWindow,
                                         reinterpret_cast<WPARAM>(p.mainWindow), fromKeyboard);
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.menu, p.popupMenu);
    const POINT expected = menuScreenPoint(320, 240);
    EXPECT_EQ(menu.topLeft.x, expected.x);
    EXPECT_EQ(menu.topLeft.y, expected.y);
}

// From the main window or from a child (whose default handling passes it up), the game menu opens
// with its top-left corner at the centre of the cell the keys act from.
TEST_F(KeyboardPlayTest, ContextMenuKeyOpensTheGameMenuAtTheCursorCell) {
    Program& p = program();
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const struct {
        const char* label;
        LatticePosition cursor;
        LatticePosition cell;
        bool fromField;
    } cases[] = {
        {"at the cursor cell", {6, 8}, {6, 8}, false},
        {"from the field window", {3, 1}, {3, 1}, true},
        {"the cursor off the field: at the centre cell", {-1, -1}, fieldCentreCell, false},
    };
    startGame(9, 16);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        p.state.cursorCol = c.cursor.col;
        p.state.cursorRow = c.cursor.row;
        HWND target = c.fromField ? p.fieldWindow : p.mainWindow;
        const OpenedMenu menu = menuOpenedBy(WM_CONTEXTMENU, target,
                                             reinterpret_cast<WPARAM>(target), fromKeyboard);
        ASSERT_TRUE(menu.opened);
        EXPECT_EQ(menu.menu, p.popupMenu);
        const Cell& cell = programCell(c.cell.col, c.cell.row);
        const POINT expected =
            menuScreenPoint(cell.x + 32 + 16 - frame, cell.y + 16 + 172 - 2 * frame);
        EXPECT_EQ(menu.topLeft.x, expected.x);
        EXPECT_EQ(menu.topLeft.y, expected.y);
    }
}

// The WM_CONTEXTMENU that follows a right button's release carries the pointer's place: the press
// opened the menu already, so it opens none.
TEST_F(KeyboardPlayTest, ContextMenuFromTheMouseOpensNoSecondMenu) {
    Program& p = program();
    const LPARAM pointer = MAKELPARAM(200, 300);
    EXPECT_FALSE(menuOpenedBy(WM_CONTEXTMENU, p.mainWindow, reinterpret_cast<WPARAM>(p.mainWindow),
                              pointer).opened);
    startGame(9, 16);
    EXPECT_FALSE(menuOpenedBy(WM_CONTEXTMENU, p.fieldWindow,
                              reinterpret_cast<WPARAM>(p.fieldWindow), pointer).opened);
}

}  // namespace
}  // namespace kaleidra::testing
