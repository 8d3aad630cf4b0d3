#pragma once
// Everything that lives for the whole run: window handles, bitmaps, the menu and the game records.

#include <windows.h>

#include <cstdint>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "dialogs/dialog_launch.h"
#include "view/bitmap_assets.h"
#include "view/field_view.h"
#include "view/status_panel.h"

namespace kaleidra {

inline constexpr UINT_PTR clockTimerId = 101;
inline constexpr UINT clockTimerPeriodMs = 1000;
inline constexpr UINT_PTR flipTimerId = 102;
inline constexpr UINT flipTimerPeriodMs = 50;

inline constexpr int mainClientWidth = 640;
inline constexpr int mainClientHeight = 480;

// Screen position of the main window's client area, as last reported by WM_MOVE.
struct MainWindowOrigin {
    std::int32_t x;
    std::int32_t y;
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

// The records the two child windows draw from.
FieldScene fieldScene(const Program& p);
StatusScene statusScene(const Program& p);

}  // namespace kaleidra
