#pragma once
// The result of a game: back to the title screen (1) or out of the program (0).

#include <windows.h>

#include "core/game_settings.h"
#include "core/game_state.h"
#include "dialogs/dialog_launch.h"
#include "view/bitmap_assets.h"

namespace kaleidra {

inline constexpr int resultTitleId = 1;
inline constexpr int resultQuitId = 0;

struct ResultDialogContext : DialogContext {
    const GameSettings* settings;
    const GameState* state;
    const BitmapAssets* bitmaps;
    void (*quitProgram)();  // for "終了する", after the dialog has ended
};

INT_PTR CALLBACK resultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
