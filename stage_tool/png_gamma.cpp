#include "stage_tool/png_gamma.h"

#include <cmath>

namespace kaleidra::stage_tool {

namespace {

std::uint32_t bigEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return value;
}

// libpng ignores a gamma outside these bounds.
constexpr std::uint32_t smallestGamma = 16;
constexpr std::uint32_t largestGamma = 625000000;
// libpng's fixed-point unit, and the screen's gamma (2.2) in it.
constexpr double fixedOne = 100000;
constexpr double screenGamma = 220000;
// libpng leaves samples alone when the correction is this close to none.
constexpr double insignificantGamma = 5000;
// The bits of a 16-bit sample that libpng's gamma tables look at when the result has 8.
constexpr int gammaBits16To8 = 11;

double roundedFixed(double value) { return std::floor(value + 0.5); }

// 8-bit samples as png_build_8bit_table corrects them: by the reciprocal of the two gammas' product.
void fill8BitTable(std::vector<std::uint8_t>& table, std::uint32_t fileGamma) {
    const double exponent = roundedFixed(fixedOne * fixedOne * fixedOne / fileGamma / screenGamma) / fixedOne;
    for (std::size_t sample = 0; sample < table.size(); ++sample)
        table[sample] = static_cast<std::uint8_t>(roundedFixed(255 * std::pow(static_cast<double>(sample) / 255, exponent)));
}

// 16-bit samples to 8 bits as png_build_16to8_table does: each 8-bit result owns the range of
// 11-bit sample prefixes below the point halfway to the next result, taken back through the gamma.
void fill16To8BitTable(std::vector<std::uint8_t>& table, double product) {
    constexpr std::uint32_t largestPrefix = (1u << gammaBits16To8) - 1;
    std::vector<std::uint8_t> byPrefix(largestPrefix + 1, 255);
    std::uint32_t prefix = 0;
    for (std::uint32_t result = 0; result < 255; ++result) {
        const double halfway = (result * 257 + 128) / 65535.0;
        const auto bound16 = static_cast<std::uint32_t>(roundedFixed(65535 * std::pow(halfway, product / fixedOne)));
        const std::uint32_t bound = (bound16 * largestPrefix + 32768) / 65535 + 1;
        for (; prefix < bound && prefix <= largestPrefix; ++prefix) byPrefix[prefix] = static_cast<std::uint8_t>(result);
    }
    for (std::size_t sample = 0; sample < table.size(); ++sample) table[sample] = byPrefix[sample >> (16 - gammaBits16To8)];
}

}  // namespace

std::uint32_t pngFileGamma(std::string_view file) {
    std::size_t at = 8;  // past the signature
    std::uint32_t stated = 0;
    // Each chunk: length, type, data, checksum. libpng takes neither chunk after PLTE.
    while (file.size() >= at + 12) {
        const std::uint32_t length = bigEndian32(file.substr(at));
        const std::string_view type = file.substr(at + 4, 4);
        if (type == "IDAT" || type == "PLTE" || type == "IEND" || length > file.size() - at - 12) break;
        if (type == "sRGB" && length == 1) return srgbFileGamma;
        if (type == "gAMA" && length == 4 && stated == 0) {
            stated = bigEndian32(file.substr(at + 8));
            // libpng gives up the file's colour space at a gamma out of bounds, and later chunks with it.
            if (stated < smallestGamma || stated > largestGamma) return srgbFileGamma;
        }
        at += 12 + std::size_t{length};
    }
    return stated != 0 ? stated : srgbFileGamma;
}

SamplesToSrgb::SamplesToSrgb(std::uint32_t fileGamma, int bitDepth) {
    table_.resize(bitDepth == 16 ? 0x10000 : 0x100);
    // The file's gamma times the screen's, as libpng multiplies them in fixed point.
    const double product = roundedFixed(fileGamma * screenGamma / fixedOne);
    if (std::fabs(product - fixedOne) <= insignificantGamma) {
        for (std::size_t sample = 0; sample < table_.size(); ++sample)
            table_[sample] = bitDepth == 16 ? scaledTo8Bits(static_cast<std::uint16_t>(sample))
                                            : static_cast<std::uint8_t>(sample);
    } else if (bitDepth == 16) {
        fill16To8BitTable(table_, product);
    } else {
        fill8BitTable(table_, fileGamma);
    }
}

}  // namespace kaleidra::stage_tool
