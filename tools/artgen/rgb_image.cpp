#include "rgb_image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

std::uint8_t channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double amount) {
    return {channel(a.r + (b.r - a.r) * amount), channel(a.g + (b.g - a.g) * amount),
            channel(a.b + (b.b - a.b) * amount)};
}

Rgb scaled(Rgb colour, double factor) {
    return {channel(colour.r * factor), channel(colour.g * factor), channel(colour.b * factor)};
}

RgbImage::RgbImage(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("empty image");
}

std::size_t RgbImage::index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside image");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

void RgbImage::fillRect(int left, int top, int width, int height, Rgb colour) {
    for (int y = std::max(top, 0); y < std::min(top + height, height_); ++y) {
        for (int x = std::max(left, 0); x < std::min(left + width, width_); ++x) set(x, y, colour);
    }
}

void RgbImage::paste(const RgbImage& source, int left, int top) {
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int tx = left + x;
            const int ty = top + y;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) set(tx, ty, source.at(x, y));
        }
    }
}

}  // namespace artgen
