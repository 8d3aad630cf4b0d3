#pragma once
// A palette picture as the bitmap files store it.

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace artgen {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;  // row by row from the top, one palette index per pixel

    std::uint8_t at(int x, int y) const {
        return indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
    }
};

}  // namespace artgen
