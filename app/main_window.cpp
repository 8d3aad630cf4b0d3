#include "app/main_window.h"

#include "app/field_window.h"
#include "app/game_flow.h"
#include "app/popup_menu.h"
#include "app/program.h"
#include "app/startup.h"
#include "resource.h"
#include "view/gdi.h"

namespace kaleidra {

namespace {

struct Placement {
    BitmapId bitmap;
    int x;
    int y;
    int width;
    int height;
};

constexpr Placement titlePictures[] = {
    {BitmapId::TitleAuthor, 300, 130, 330, 35},
    {BitmapId::TitleLogo1, 10, 14, 294, 42},
    {BitmapId::TitleLogo2, 10, 60, 508, 65},
};
// Drawn in every phase; 639 wide, so the last client column keeps the window's white.
constexpr Placement titleBackground = {BitmapId::TitleBack, 0, 171, 639, 309};

void copyPicture(HDC target, MemoryDC& memory, const Placement& placement) {
    memory.select(program().bitmaps[placement.bitmap]);
    BitBlt(target, placement.x, placement.y, placement.width, placement.height, memory.get(), 0, 0,
           SRCCOPY);
}

void onPaint(HWND window) {
    Program& p = program();
    // The whole client area joins the update region, so a WM_PAINT sent directly repaints it all.
    InvalidateRect(window, &p.mainRepaintRect, FALSE);
    if (p.shutDown) {
        ValidateRect(window, nullptr);
        return;
    }
    {
        PaintDC paint(window);
        MemoryDC memory(paint.get());
        if (p.state.phase == GamePhase::Title)
            for (const Placement& picture : titlePictures) copyPicture(paint.get(), memory, picture);
        copyPicture(paint.get(), memory, titleBackground);
    }
    SendMessageW(p.statusWindow, WM_PAINT, 0, 0);
    SendMessageW(p.fieldWindow, WM_PAINT, 0, 0);
}

void onMove(LPARAM lParam) {
    // Signed: the client area may start left of or above the screen's origin.
    program().mainWindowOrigin = {static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam))};
}

void onRightButtonDown(LPARAM lParam) {
    if (program().state.phase != GamePhase::Title) return;
    showPopupMenu(LOWORD(lParam), HIWORD(lParam));
}

// The title menu from the keyboard opens over the middle of the window, there being no cell.
constexpr POINT titleMenuFromKeys = {mainClientWidth / 2, mainClientHeight / 2};

// Shift+F10 or the context-menu key; WM_CONTEXTMENU that follows a right button's release has
// a screen position and goes on to the default handling, since the press opened the menu already.
bool onContextMenu(LPARAM lParam) {
    if (static_cast<short>(LOWORD(lParam)) != -1 || static_cast<short>(HIWORD(lParam)) != -1)
        return false;
    if (program().state.phase == GamePhase::Title)
        showPopupMenu(titleMenuFromKeys.x, titleMenuFromKeys.y);
    else
        showGameMenuFromKeys();
    return true;
}

void onClose() {
    Program& p = program();
    if (p.state.phase == GamePhase::Playing) KillTimer(p.statusWindow, clockTimerId);
    shutdownApplication();
}

void onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDM_RULES:
        chooseRules();
        break;
    case IDM_START:
        startGame();
        break;
    case IDM_QUIT:
        shutdownApplication();
        break;
    case IDM_PATTERN:
        choosePattern();
        break;
    case IDM_END_GAME:
        endGame();
        break;
    default:  // IDM_CANCEL
        break;
    }
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_MOVE:
        onMove(lParam);
        return 0;
    case WM_RBUTTONDOWN:
        onRightButtonDown(lParam);
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_KEYDOWN:
        if (onPlayKey(wParam, lParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CONTEXTMENU:
        if (onContextMenu(lParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace kaleidra
