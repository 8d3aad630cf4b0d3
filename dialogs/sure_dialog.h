#pragma once
// The confirmation before a game ends: OK (1) ends it; any other command goes on playing.

#include <windows.h>

namespace kaleidra {

inline constexpr int sureOkId = 1;
inline constexpr int sureCancelId = 0;

// Launched with a plain DialogContext: it only reports through the launch record.
INT_PTR CALLBACK sureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
