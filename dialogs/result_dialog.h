#pragma once
// The result of a game: back to the title screen (1) or out of the program (0).

#include <windows.h>

namespace kaleidra {

inline constexpr int resultTitleId = 1;
inline constexpr int resultQuitId = 0;

INT_PTR CALLBACK resultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
