#pragma once
// The gamma a PNG file states for its samples, read as libpng reads it, and the turn of those
// samples into sRGB that the libpng build makes: for a codec that hands over the samples as stored.

#include <cstdint>
#include <string_view>
#include <vector>

namespace kaleidra::stage_tool {

// The gAMA chunk's own unit: 45455 is 1/2.2, what sRGB stands for.
inline constexpr std::uint32_t srgbFileGamma = 45455;

// The file's gamma from its chunks before the palette and the image data, by libpng's rules: an sRGB
// chunk states sRGB's; otherwise the first gAMA chunk, unless it is out of libpng's bounds;
// srgbFileGamma where neither counts. Reads no byte outside `file`, however its chunk lengths lie.
std::uint32_t pngFileGamma(std::string_view file);

// Samples of one bit depth (8 or 16) at one file gamma, to 8-bit sRGB for a screen of gamma 2.2 as
// libpng's png_set_gamma gives them; 16-bit samples are scaled like 8-bit ones.
class SamplesToSrgb {
public:
    SamplesToSrgb(std::uint32_t fileGamma, int bitDepth);
    std::uint8_t operator()(std::uint16_t sample) const { return table_[sample < table_.size() ? sample : 0]; }

private:
    std::vector<std::uint8_t> table_;
};

// A 16-bit sample to 8 bits by rounding, as libpng's png_set_scale_16 does; for alpha, which no gamma
// touches.
inline std::uint8_t scaledTo8Bits(std::uint16_t sample) {
    return static_cast<std::uint8_t>((std::uint32_t{sample} * 255 + 32895) >> 16);
}

}  // namespace kaleidra::stage_tool
