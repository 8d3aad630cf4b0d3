#pragma once
// Colours compared as people see them: CIELAB distance from sRGB under daylight (D65).

#include <array>
#include <cstddef>

#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

struct Lab {
    double l = 0;
    double a = 0;
    double b = 0;
};

Lab labFromRgb(Rgb colour);

double labDistanceSquared(const Lab& x, const Lab& y);

// The index of the palette colour nearest to `colour`; the first of equals.
template <std::size_t N>
std::size_t nearestColour(Rgb colour, const std::array<Rgb, N>& palette) {
    const Lab target = labFromRgb(colour);
    std::size_t nearest = 0;
    double nearestDistance = labDistanceSquared(target, labFromRgb(palette[0]));
    for (std::size_t i = 1; i < N; ++i) {
        const double distance = labDistanceSquared(target, labFromRgb(palette[i]));
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

}  // namespace kaleidra::stage_tool
