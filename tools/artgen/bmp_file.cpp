#include "bmp_file.h"

#include <stdexcept>

namespace artgen {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::int32_t pixelsPerMetreAt96Dpi = 3780;

}  // namespace

std::size_t bmpRowBytes(int width, int bitsPerPixel) {
    const auto bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel);
    return (bits + 31) / 32 * 4;
}

void appendPixelRows(ByteWriter& out, const IndexedImage& image, int bitsPerPixel) {
    const std::size_t rowBytes = bmpRowBytes(image.width, bitsPerPixel);
    const int perByte = 8 / bitsPerPixel;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            const int shift = 8 - bitsPerPixel * (x % perByte + 1);
            row[static_cast<std::size_t>(x / perByte)] |= static_cast<std::uint8_t>(image.at(x, y) << shift);
        }
        for (std::uint8_t byte : row) out.u8(byte);
    }
}

std::vector<std::uint8_t> bmpFileBytes(const IndexedImage& image, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) {
        throw std::invalid_argument("unsupported bit depth");
    }
    if (image.palette.size() > (std::size_t{1} << bitsPerPixel)) {
        throw std::invalid_argument("palette larger than the bit depth allows");
    }
    const auto paletteBytes = static_cast<std::uint32_t>(4 * image.palette.size());
    const auto pixelBytes = static_cast<std::uint32_t>(bmpRowBytes(image.width, bitsPerPixel) *
                                                       static_cast<std::size_t>(image.height));
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + paletteBytes;

    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + pixelBytes);
    out.u32(0);  // two reserved words
    out.u32(pixelOffset);

    out.u32(infoHeaderSize);
    out.i32(image.width);
    out.i32(image.height);  // positive: bottom-up
    out.u16(1);             // planes
    out.u16(static_cast<std::uint16_t>(bitsPerPixel));
    out.u32(0);  // BI_RGB
    out.u32(pixelBytes);
    out.i32(pixelsPerMetreAt96Dpi);
    out.i32(pixelsPerMetreAt96Dpi);
    out.u32(static_cast<std::uint32_t>(image.palette.size()));
    out.u32(0);  // all colours important

    for (const Rgb& colour : image.palette) {
        out.u8(colour.b);
        out.u8(colour.g);
        out.u8(colour.r);
        out.u8(0);
    }
    appendPixelRows(out, image, bitsPerPixel);
    return out.bytes();
}

}  // namespace artgen
