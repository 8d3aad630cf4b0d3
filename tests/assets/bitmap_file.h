#pragma once
// Reads the committed Windows bitmaps back, independently of the generator's writer: palette
// images of 1, 4 and 8 bits and 24-bit images, bottom-up or top-down, uncompressed.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <vector>

namespace assets_test {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& out, Rgb colour);

inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb navy{0, 0, 128};

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<Rgb> palette;  // empty for 24-bit images
    std::vector<Rgb> pixels;   // row by row from the top

    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb colour);
};

// Throws std::runtime_error for a file it cannot read.
Bitmap readBitmapFile(const std::filesystem::path& path);

// The pixel part of a BMP file without its 14-byte file header, as icons and cursors store it.
// heightOverride: the pixel rows to read (icons store twice the image height in the header).
Bitmap readDeviceIndependentBitmap(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                   int heightOverride);

std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path);
std::uint16_t readU16(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint32_t readU32(const std::vector<std::uint8_t>& bytes, std::size_t offset);

}  // namespace assets_test
