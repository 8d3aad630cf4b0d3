#pragma once
// A picture as rows of 24-bit colours from the top, the form every picture of the tool takes.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kaleidra::stage_tool {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row from the top

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    // Callers stay inside 0..width-1 and 0..height-1.
    Rgb at(int x, int y) const { return pixels[index(x, y)]; }
    Rgb& at(int x, int y) { return pixels[index(x, y)]; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

}  // namespace kaleidra::stage_tool
