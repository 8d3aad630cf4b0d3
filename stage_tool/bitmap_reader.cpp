#include "stage_tool/bitmap_reader.h"

#include <cstdlib>

namespace kaleidra::stage_tool {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
constexpr int largestSide = 4096;  // far beyond any sheet of the game; keeps the sizes small

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

std::optional<RgbImage> readPaletteBitmap(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < fileHeaderSize + infoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t pixelOffset = readU32(bytes, 10);
    const std::uint32_t headerSize = readU32(bytes, 14);
    const auto width = static_cast<std::int32_t>(readU32(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(readU32(bytes, 22));
    const std::uint16_t bitsPerPixel = readU16(bytes, 28);
    const std::uint32_t compression = readU32(bytes, 30);
    std::uint32_t paletteSize = readU32(bytes, 46);
    if (headerSize < infoHeaderSize || bitsPerPixel != 8 || compression != 0) return std::nullopt;
    if (signedHeight == INT32_MIN) return std::nullopt;
    const int height = std::abs(signedHeight);
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide) return std::nullopt;
    if (paletteSize == 0 || paletteSize > 256) paletteSize = 256;

    const std::size_t paletteAt = fileHeaderSize + headerSize;
    const std::size_t rowSize = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    if (paletteAt > bytes.size() || (bytes.size() - paletteAt) / 4 < paletteSize) return std::nullopt;
    if (pixelOffset > bytes.size() || (bytes.size() - pixelOffset) / rowSize < static_cast<std::size_t>(height))
        return std::nullopt;

    RgbImage image(width, height, Rgb{});
    const bool bottomUp = signedHeight > 0;
    for (int y = 0; y < height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        const std::size_t rowAt = pixelOffset + stored * rowSize;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = bytes[rowAt + static_cast<std::size_t>(x)];
            if (index >= paletteSize) return std::nullopt;
            const std::size_t entry = paletteAt + std::size_t{index} * 4;  // blue, green, red, unused
            image.at(x, y) = Rgb{bytes[entry + 2], bytes[entry + 1], bytes[entry]};
        }
    }
    return image;
}

}  // namespace kaleidra::stage_tool
