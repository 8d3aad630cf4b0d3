#include "app/popup_menu.h"

#include <windows.h>

#include <array>

#include "app/program.h"
#include "resource.h"

namespace kaleidra {

namespace {

struct MenuItem {
    UINT id;  // 0 for the separator
    const wchar_t* text;
};

constexpr std::array<MenuItem, 4> titleMenuItems = {{
    {IDM_RULES, L"ルール設定 (&E)"},
    {IDM_START, L"ゲーム開始 (&S)"},
    {0, nullptr},
    {IDM_QUIT, L"終了する(&Q)"},
}};

constexpr std::array<MenuItem, 4> gameMenuItems = {{
    {IDM_CANCEL, L"キャンセル(&C)"},
    {IDM_PATTERN, L"パネル操作範囲の設定(&S)"},
    {0, nullptr},
    {IDM_END_GAME, L"ゲーム終了(&E)"},
}};

HMENU createMenu(const std::array<MenuItem, 4>& items) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        if (item.text)
            AppendMenuW(menu, MF_STRING, item.id, item.text);
        else
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    return menu;
}

}  // namespace

void buildPopupMenu(int kind) {
    Program& p = program();
    switch (kind) {
    case destroyMenuKind:
        if (p.popupMenu) DestroyMenu(p.popupMenu);
        p.popupMenu = nullptr;
        break;
    case titleMenuKind:
        p.popupMenu = createMenu(titleMenuItems);
        break;
    case gameMenuKind:
        p.popupMenu = createMenu(gameMenuItems);
        break;
    default:
        break;
    }
}

void showPopupMenu(int x, int y) {
    const Program& p = program();
    const int screenX = p.mainWindowOrigin.x + GetSystemMetrics(SM_CXDLGFRAME) + x;
    const int screenY = p.mainWindowOrigin.y + GetSystemMetrics(SM_CYDLGFRAME) + y;
    TrackPopupMenu(p.popupMenu, 0, screenX, screenY, 0, p.mainWindow, nullptr);
}

}  // namespace kaleidra
