#pragma once

#include <windows.h>

namespace kaleidra {

// Bit 30 of a key message's lParam: the key was already down, so this press is a repeat.
inline constexpr LPARAM keyWasDownFlag = 0x40000000;

LRESULT CALLBACK fieldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A key of play during a game, from whichever window got it: the arrows move the cursor cell, Space
// and Enter act on it as a left click would. False for any other key.
bool onPlayKey(WPARAM key, LPARAM flags);
// The game menu opened from the keyboard, at the centre of the cell the keys act from.
void showGameMenuFromKeys();

}  // namespace kaleidra
