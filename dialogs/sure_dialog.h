#pragma once
// The confirmation before a game ends: OK (1) ends it; Cancel (0) or Escape (2) goes on playing.

#include <windows.h>

namespace kaleidra {

inline constexpr int sureOkId = 1;
inline constexpr int sureCancelId = 0;

INT_PTR CALLBACK sureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
