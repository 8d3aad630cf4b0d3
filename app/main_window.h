#pragma once

#include <windows.h>

namespace kaleidra {

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kaleidra
