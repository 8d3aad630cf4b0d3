#pragma once
// Everything that lives for the whole run: window handles, bitmaps, the menu and the game records.

#include <windows.h>

#include <cstdint>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "view/bitmap_assets.h"

namespace kaleidra {

inline constexpr UINT_PTR clockTimerId = 101;
inline constexpr UINT clockTimerPeriodMs = 1000;
inline constexpr UINT_PTR flipTimerId = 102;
inline constexpr UINT flipTimerPeriodMs = 50;

inline constexpr int mainClientWidth = 640;
inline constexpr int mainClientHeight = 480;
inline constexpr int fieldClientWidth = 608;
inline constexpr int fieldClientHeight = 288;
inline constexpr int statusWidth = 640;
inline constexpr int statusHeight = 160;

// Screen position of the main window's client area, as last reported by WM_MOVE.
struct MainWindowOrigin {
    std::int32_t x;
    std::int32_t y;
};

// Shared between a dialog and its opener.
struct DialogLaunch {
    int lastCommand;      // id of the last WM_COMMAND the open dialog received
    int focusId;          // control focused when the dialog opens
    const char* caption;  // replaces the template's title
};

struct Program {
    HINSTANCE instance;
    HWND mainWindow;
    HWND fieldWindow;
    HWND statusWindow;
    MainWindowOrigin mainWindowOrigin;
    RECT mainRepaintRect;
    RECT statusRepaintRect;
    BitmapAssets bitmaps;
    HMENU popupMenu;
    DialogLaunch dialogLaunch;
    bool shutDown;  // set by shutdownApplication: nothing may draw afterwards

    GameSettings settings;
    GameState state;
    Field field;
    PatternTable patterns;
};

Program& program();

}  // namespace kaleidra
