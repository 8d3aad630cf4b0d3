#include "bitmap_file.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>

namespace assets_test {

namespace {

constexpr std::size_t fileHeaderSize = 14;

void requireBytes(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t count) {
    if (offset > bytes.size() || bytes.size() - offset < count) throw std::runtime_error("truncated file");
}

// headerOffset: where the BITMAPINFOHEADER starts; pixelOffset: where the rows start, or 0 when
// they follow the palette directly.
Bitmap decode(const std::vector<std::uint8_t>& bytes, std::size_t headerOffset, std::size_t pixelOffset,
              int heightOverride) {
    const std::uint32_t headerSize = readU32(bytes, headerOffset);
    const auto width = static_cast<std::int32_t>(readU32(bytes, headerOffset + 4));
    const auto storedHeight = static_cast<std::int32_t>(readU32(bytes, headerOffset + 8));
    const int bitsPerPixel = readU16(bytes, headerOffset + 14);
    const std::uint32_t compression = readU32(bytes, headerOffset + 16);
    const std::uint32_t coloursUsed = readU32(bytes, headerOffset + 32);
    if (headerSize < 40 || compression != 0 || width <= 0 || width > 4096 || storedHeight == 0) {
        throw std::runtime_error("unsupported bitmap header");
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24) {
        throw std::runtime_error("unsupported bit depth");
    }
    const bool bottomUp = storedHeight > 0;
    const int height = heightOverride > 0 ? heightOverride : (bottomUp ? storedHeight : -storedHeight);
    if (height > 4096) throw std::runtime_error("unsupported bitmap height");

    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = bitsPerPixel;
    std::size_t position = headerOffset + headerSize;
    if (bitsPerPixel <= 8) {
        const std::size_t entries = coloursUsed != 0 ? coloursUsed : std::size_t{1} << bitsPerPixel;
        requireBytes(bytes, position, 4 * entries);
        for (std::size_t i = 0; i < entries; ++i, position += 4) {
            bitmap.palette.push_back({bytes[position + 2], bytes[position + 1], bytes[position]});
        }
    }
    if (pixelOffset != 0) position = pixelOffset;

    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
    requireBytes(bytes, position, rowBytes * static_cast<std::size_t>(height));
    bitmap.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int storedRow = 0; storedRow < height; ++storedRow) {
        const std::uint8_t* row = bytes.data() + position + rowBytes * static_cast<std::size_t>(storedRow);
        const int y = bottomUp ? height - 1 - storedRow : storedRow;
        for (int x = 0; x < width; ++x) {
            Rgb colour;
            if (bitsPerPixel == 24) {
                colour = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
            } else {
                const int perByte = 8 / bitsPerPixel;
                const int shift = 8 - bitsPerPixel * (x % perByte + 1);
                const std::size_t index = (row[x / perByte] >> shift) & ((1 << bitsPerPixel) - 1);
                if (index >= bitmap.palette.size()) throw std::runtime_error("pixel beyond the palette");
                colour = bitmap.palette[index];
            }
            bitmap.set(x, y, colour);
        }
    }
    return bitmap;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, Rgb colour) {
    return out << '(' << int{colour.r} << ", " << int{colour.g} << ", " << int{colour.b} << ')';
}

Rgb Bitmap::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("pixel outside bitmap");
    return pixels[static_cast<std::size_t>(y * width + x)];
}

void Bitmap::set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("pixel outside bitmap");
    pixels[static_cast<std::size_t>(y * width + x)] = colour;
}

std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint16_t readU16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    requireBytes(bytes, offset, 2);
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t readU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return readU16(bytes, offset) | static_cast<std::uint32_t>(readU16(bytes, offset + 2)) << 16;
}

Bitmap readBitmapFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    if (readU16(bytes, 0) != 0x4D42) throw std::runtime_error("not a bitmap file: " + path.string());
    return decode(bytes, fileHeaderSize, readU32(bytes, 10), 0);
}

Bitmap readDeviceIndependentBitmap(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                   int heightOverride) {
    return decode(bytes, offset, 0, heightOverride);
}

}  // namespace assets_test
