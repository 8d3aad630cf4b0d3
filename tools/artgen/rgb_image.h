#pragma once
// A plain 24-bit picture: the form every piece of art takes before it is reduced to a palette.

#include <cstdint>
#include <vector>

namespace artgen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb navy{0, 0, 128};

// a + (b - a) * amount, amount in 0..1, rounded to the nearest level.
Rgb mix(Rgb a, Rgb b, double amount);
Rgb scaled(Rgb colour, double factor);

class RgbImage {
public:
    RgbImage(int width, int height, Rgb fill = white);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb colour) { pixels_[index(x, y)] = colour; }
    void fillRect(int left, int top, int width, int height, Rgb colour);
    // Copies source whole with its top-left corner at (left, top); pixels falling outside are dropped.
    void paste(const RgbImage& source, int left, int top);
    const std::vector<Rgb>& pixels() const { return pixels_; }

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace artgen
