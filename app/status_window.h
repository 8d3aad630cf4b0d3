#pragma once

#include <windows.h>

namespace kaleidra {

LRESULT CALLBACK statusWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
