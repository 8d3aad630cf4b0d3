#pragma once
// The one popup menu that exists at a time: the title menu or the game menu.

namespace kaleidra {

inline constexpr int destroyMenuKind = -1;
inline constexpr int titleMenuKind = 1;
inline constexpr int gameMenuKind = 2;

// -1 destroys the current menu; 1 and 2 create the title or game menu; anything else does nothing.
void buildPopupMenu(int kind);
// Opens the menu with its top-left corner at a point given in main window client coordinates.
void showPopupMenu(int x, int y);

}  // namespace kaleidra
