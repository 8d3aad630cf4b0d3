#pragma once
// The rules of the next game: field size, clear percentage and where the stage comes from.

#include <windows.h>

#include "core/game_settings.h"
#include "dialogs/dialog_launch.h"

namespace kaleidra {

inline constexpr int ruleCloseId = 1;

struct RuleDialogContext : DialogContext {
    GameSettings* settings;
};

INT_PTR CALLBACK ruleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
