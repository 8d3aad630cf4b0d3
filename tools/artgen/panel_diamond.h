#pragma once
// The panel's diamond inside its 64 x 32 rectangle: the pixels a panel piece paints. Diagonal
// neighbours, whose rectangles lie 32 across and 16 up or down, touch it without overlapping.

namespace artgen {

inline constexpr int panelWidth = 64;
inline constexpr int panelHeight = 32;

bool inPanelDiamond(int x, int y);

}  // namespace artgen
