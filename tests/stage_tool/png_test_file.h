#pragma once
// PNG files made by the tests themselves, byte by byte, so that the same table of encodings reaches
// libpng and the system's codecs alike: any colour type and depth, Adam7, gAMA and sRGB chunks.

#include <cstdint>
#include <string>

#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

enum class PngColourType : std::uint8_t { grey = 0, rgb = 2, palette = 3, greyAlpha = 4, rgbAlpha = 6 };

struct PngVariant {
    const char* name;
    PngColourType colourType;
    int bitDepth;  // 8 or 16 (8 for a palette)
    bool interlaced = false;
    double fileGamma = 0;  // a gAMA chunk with this gamma, samples encoded to it; 0: none
    bool srgbChunk = false;
};

// The picture as a PNG file of that variant: samples stored as what they show in sRGB, alpha opaque.
// Pictures in a grey variant take their red channel.
std::string pngFileOf(const RgbImage& image, const PngVariant& variant);

// A file of the given header fields and chunks put before and after the image data, around raw
// scanlines (filter bytes included).
struct PngParts {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    int bitDepth = 8;
    PngColourType colourType = PngColourType::grey;
    bool interlaced = false;   // Adam7: the scanlines are then each pass's in turn
    std::string chunksBefore;  // made with pngChunk
    std::string scanlines;
    std::string chunksAfter;
};
std::string pngFileOf(const PngParts& parts);
std::string pngChunk(const char type[4], const std::string& data);
std::string bigEndian32(std::uint32_t value);

}  // namespace kaleidra::stage_tool
