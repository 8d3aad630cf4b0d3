#pragma once
// Windows icon (.ico) and cursor (.cur) files: palette images with a 1-bit transparency mask.

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace artgen {

struct IconImage {
    IndexedImage colours;           // palette padded to 2^bitsPerPixel entries when written
    int bitsPerPixel = 8;           // 1, 4 or 8
    std::vector<bool> transparent;  // row by row from the top; such pixels must hold index 0 (black)
};

std::vector<std::uint8_t> icoFileBytes(const std::vector<IconImage>& images);

struct HotSpot {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
};

std::vector<std::uint8_t> curFileBytes(const IconImage& image, HotSpot hotSpot);

}  // namespace artgen
