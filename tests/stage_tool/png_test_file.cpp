#include "tests/stage_tool/png_test_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace kaleidra::stage_tool {

namespace {

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zlib stream of stored blocks: valid for every decoder, and nothing to get wrong in a test.
std::string zlibStored(const std::string& data) {
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(data.size() - at, 65535);
        const bool last = at + length == data.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(data, at, length);
        at += length;
    } while (at < data.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : data) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return out + bigEndian32(b << 16 | a);
}

// sRGB's own curve, what an 8-bit sample means on a screen.
double linearFromSrgb(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

struct Adam7Pass {
    int x0, y0, dx, dy;
};
constexpr Adam7Pass adam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                               {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

}  // namespace

std::string bigEndian32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string pngChunk(const char type[4], const std::string& data) {
    const std::string typed = std::string(type, 4) + data;
    return bigEndian32(static_cast<std::uint32_t>(data.size())) + typed + bigEndian32(crc32(typed));
}

std::string pngFileOf(const PngParts& parts) {
    const std::string header = bigEndian32(parts.width) + bigEndian32(parts.height) +
                               static_cast<char>(parts.bitDepth) + static_cast<char>(parts.colourType) +
                               std::string(2, '\0') + static_cast<char>(parts.interlaced ? 1 : 0);
    return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + parts.chunksBefore +
           pngChunk("IDAT", zlibStored(parts.scanlines)) + parts.chunksAfter + pngChunk("IEND", "");
}

std::string pngFileOf(const RgbImage& image, const PngVariant& variant) {
    const bool palette = variant.colourType == PngColourType::palette;
    const bool grey = variant.colourType == PngColourType::grey || variant.colourType == PngColourType::greyAlpha;
    const bool alpha = variant.colourType == PngColourType::greyAlpha || variant.colourType == PngColourType::rgbAlpha;
    std::vector<Rgb> colours;
    if (palette) {
        for (const Rgb pixel : image.pixels)
            if (std::find(colours.begin(), colours.end(), pixel) == colours.end()) colours.push_back(pixel);
        if (colours.size() > 256) throw std::invalid_argument("more than 256 colours for a palette");
    }
    const double maximum = variant.bitDepth == 16 ? 65535.0 : 255.0;
    // Encoded to the file's gamma, from what the 8-bit sRGB value shows.
    const auto sample = [&](std::uint8_t value) {
        if (variant.fileGamma == 0) return static_cast<unsigned>(std::lround(value * maximum / 255.0));
        return static_cast<unsigned>(std::lround(std::pow(linearFromSrgb(value / 255.0), variant.fileGamma) * maximum));
    };
    std::string pixels;  // one picture's scanlines, or each pass's in turn
    const auto putSample = [&](unsigned value) {
        if (variant.bitDepth == 16) pixels += static_cast<char>(value >> 8);
        pixels += static_cast<char>(value & 0xFF);
    };
    const auto putRows = [&](const Adam7Pass& pass) {
        for (int y = pass.y0; y < image.height; y += pass.dy) {
            if (pass.x0 >= image.width) break;  // an empty pass has no rows, not even filter bytes
            pixels += '\0';                     // filter: none
            for (int x = pass.x0; x < image.width; x += pass.dx) {
                const Rgb pixel = image.at(x, y);
                if (palette) {
                    pixels += static_cast<char>(std::find(colours.begin(), colours.end(), pixel) - colours.begin());
                    continue;
                }
                putSample(sample(pixel.r));
                if (!grey) {
                    putSample(sample(pixel.g));
                    putSample(sample(pixel.b));
                }
                if (alpha) putSample(static_cast<unsigned>(maximum));
            }
        }
    };
    if (variant.interlaced) {
        for (const Adam7Pass& pass : adam7) putRows(pass);
    } else {
        putRows({0, 0, 1, 1});
    }
    std::string chunks;
    if (variant.srgbChunk) chunks += pngChunk("sRGB", std::string(1, '\0'));
    if (variant.fileGamma != 0)
        chunks += pngChunk("gAMA", bigEndian32(static_cast<std::uint32_t>(std::lround(variant.fileGamma * 100000))));
    if (palette) {
        std::string entries;
        for (const Rgb c : colours) entries += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
        chunks += pngChunk("PLTE", entries);
    }
    return pngFileOf(PngParts{static_cast<std::uint32_t>(image.width), static_cast<std::uint32_t>(image.height),
                              variant.bitDepth, variant.colourType, variant.interlaced, chunks, pixels, ""});
}

}  // namespace kaleidra::stage_tool
