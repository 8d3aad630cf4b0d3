#pragma once
// The choice of the operation pattern during a game: a radio button per type, taking effect at once.

#include <windows.h>

#include "core/game_settings.h"
#include "dialogs/dialog_launch.h"

namespace kaleidra {

inline constexpr int areaCloseId = 1;

struct AreaDialogContext : DialogContext {
    GameSettings* settings;  // its patternType changes at every radio click
};

INT_PTR CALLBACK areaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
