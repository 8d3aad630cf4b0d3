#include "view/cell_at_pixel.h"

namespace kaleidra {

// Integer arithmetic truncating toward zero throughout: the tie-breaks on the diamond edges
// depend on it.
LatticePosition cellAtPixel(std::int32_t x, std::int32_t y) {
    const std::int32_t q = x / 64;
    const std::int32_t p = (y - 16) / 32;  // 0, not -1, for the blank strip y 0..15
    const std::int32_t dx = x - (64 * q + 32);
    const std::int32_t dy = y - (32 * p + 32);
    const std::int32_t h = dx / 2;

    std::int32_t dcol = 0;
    std::int32_t drow = 0;
    if (dx >= 0 && dy >= 0) {
        if (dy >= 16 - h) { dcol = 1; drow = 1; }
    } else if (dx >= 0) {
        if (dy < h - 16) { dcol = 0; drow = -1; }
    } else if (dy >= 0) {
        if (dy >= h + 16) { dcol = 0; drow = 1; }
    } else {
        if (dy < -16 - h) { dcol = -1; drow = -1; }
    }
    return {q + p + dcol, 2 * p + drow};
}

}  // namespace kaleidra
