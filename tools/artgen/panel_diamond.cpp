#include "panel_diamond.h"

namespace artgen {

bool inPanelDiamond(int x, int y) {
    if (y < 1 || y > 30) return false;
    const int upper = y <= 15 ? y : 31 - y;  // the lower half mirrors the upper
    if (upper <= 13) return x >= 32 - 2 * upper && x <= 33 + 2 * upper;
    if (upper == 14) return x >= 5 && x <= 60;
    return x >= 4 && x <= 61;  // rows 15 and 16, the widest
}

}  // namespace artgen
