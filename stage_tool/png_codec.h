#pragma once
// PNG files to and from pixels in memory: libpng on Linux, the system's own codecs on Windows.

#include <cstdint>
#include <string>
#include <vector>

#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

// A picture any field needs is far smaller; this keeps a hostile header from asking for gigabytes.
inline constexpr std::uint64_t largestPixelCount = 64ull * 1024 * 1024;

struct DecodedPng {
    bool decoded = false;
    std::string problem;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // 8-bit RGBA rows from the top, in sRGB: 16-bit samples scaled like 8-bit ones, a gAMA or sRGB
    // chunk honoured (none meaning sRGB), palette and grey expanded, interlaced files read whole.
    std::vector<std::uint8_t> rgba;
};

DecodedPng decodePng(const std::string& file);

struct EncodedPng {
    std::string bytes;    // the whole file
    std::string problem;  // empty when encoded
};

EncodedPng encodePng(const RgbImage& image);

}  // namespace kaleidra::stage_tool
