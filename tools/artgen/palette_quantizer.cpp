#include "palette_quantizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>

namespace artgen {

namespace {

using PackedColour = std::uint32_t;

PackedColour pack(Rgb c) { return (PackedColour{c.r} << 16) | (PackedColour{c.g} << 8) | c.b; }

Rgb unpack(PackedColour p) {
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
            static_cast<std::uint8_t>(p)};
}

int component(PackedColour p, int axis) { return static_cast<int>((p >> (16 - 8 * axis)) & 0xFF); }

struct ColourCount {
    PackedColour colour;
    std::uint64_t count;
};

// A run of histogram entries that will share one palette entry.
struct Box {
    std::size_t begin;
    std::size_t end;
    double squaredError = 0;  // summed over its pixels, around the box's mean
    int widestAxis = 0;
};

void measure(Box& box, const std::vector<ColourCount>& colours) {
    std::array<double, 3> sum{};
    std::array<double, 3> sumOfSquares{};
    double pixels = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const auto n = static_cast<double>(colours[i].count);
        pixels += n;
        for (int axis = 0; axis < 3; ++axis) {
            const double v = component(colours[i].colour, axis);
            sum[static_cast<std::size_t>(axis)] += n * v;
            sumOfSquares[static_cast<std::size_t>(axis)] += n * v * v;
        }
    }
    box.squaredError = 0;
    double widest = -1;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        const double error = sumOfSquares[a] - sum[a] * sum[a] / pixels;
        box.squaredError += error;
        if (error > widest) {
            widest = error;
            box.widestAxis = axis;
        }
    }
    if (box.end - box.begin < 2) box.squaredError = 0;
}

// Splits at the pixel-weighted median of the widest axis; false if the box cannot be split.
bool split(Box& box, Box& upper, std::vector<ColourCount>& colours) {
    const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
    const int axis = box.widestAxis;
    std::sort(first, last, [axis](const ColourCount& a, const ColourCount& b) {
        const int ca = component(a.colour, axis);
        const int cb = component(b.colour, axis);
        return ca != cb ? ca < cb : a.colour < b.colour;
    });
    std::uint64_t total = 0;
    for (auto it = first; it != last; ++it) total += it->count;
    std::uint64_t below = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        below += colours[i].count;
        cut = i + 1;
        if (2 * below >= total) break;
    }
    if (cut <= box.begin || cut >= box.end) return false;
    upper = Box{cut, box.end};
    box.end = cut;
    measure(box, colours);
    measure(upper, colours);
    return true;
}

Rgb representative(const Box& box, const std::vector<ColourCount>& colours,
                   const std::map<PackedColour, int>& exactIndex) {
    std::array<double, 3> sum{};
    double pixels = 0;
    const ColourCount* mostFrequent = &colours[box.begin];
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const auto n = static_cast<double>(colours[i].count);
        pixels += n;
        for (int axis = 0; axis < 3; ++axis) {
            sum[static_cast<std::size_t>(axis)] += n * component(colours[i].colour, axis);
        }
        if (colours[i].count > mostFrequent->count) mostFrequent = &colours[i];
    }
    const auto mean = [&](int axis) {
        return static_cast<std::uint8_t>(std::lround(sum[static_cast<std::size_t>(axis)] / pixels));
    };
    const Rgb average{mean(0), mean(1), mean(2)};
    // The average may land on an exact colour; that colour is reserved for its own pixels.
    return exactIndex.contains(pack(average)) ? unpack(mostFrequent->colour) : average;
}

int squaredDistance(Rgb a, Rgb b) {
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

IndexedImage quantize(const RgbImage& image, int maxColours, std::span<const Rgb> exactColours) {
    std::map<PackedColour, std::uint64_t> histogram;
    for (const Rgb& pixel : image.pixels()) ++histogram[pack(pixel)];

    IndexedImage result{image.width(), image.height(), {}, {}};
    std::map<PackedColour, int> exactIndex;
    for (const Rgb& colour : exactColours) {
        if (histogram.contains(pack(colour)) && !exactIndex.contains(pack(colour))) {
            exactIndex[pack(colour)] = static_cast<int>(result.palette.size());
            result.palette.push_back(colour);
        }
    }
    std::vector<ColourCount> others;
    for (const auto& [colour, count] : histogram) {
        if (!exactIndex.contains(colour)) others.push_back({colour, count});
    }
    const int freeEntries = maxColours - static_cast<int>(result.palette.size());
    if (freeEntries < 0 || (freeEntries == 0 && !others.empty())) {
        throw std::runtime_error("palette too small for the exact colours");
    }

    std::map<PackedColour, int> index = exactIndex;
    const int firstFree = static_cast<int>(result.palette.size());
    if (static_cast<int>(others.size()) <= freeEntries) {
        for (const ColourCount& entry : others) {
            index[entry.colour] = static_cast<int>(result.palette.size());
            result.palette.push_back(unpack(entry.colour));
        }
    } else {
        std::vector<Box> boxes{Box{0, others.size()}};
        measure(boxes.front(), others);
        while (static_cast<int>(boxes.size()) < freeEntries) {
            const auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
                return a.squaredError < b.squaredError;
            });
            if (worst->squaredError <= 0) break;
            Box upper{0, 0};
            if (!split(*worst, upper, others)) {
                worst->squaredError = 0;
                continue;
            }
            boxes.push_back(upper);
        }
        for (const Box& box : boxes) result.palette.push_back(representative(box, others, exactIndex));
        for (const ColourCount& entry : others) {
            const Rgb colour = unpack(entry.colour);
            int best = firstFree;
            for (int i = firstFree + 1; i < static_cast<int>(result.palette.size()); ++i) {
                if (squaredDistance(colour, result.palette[static_cast<std::size_t>(i)]) <
                    squaredDistance(colour, result.palette[static_cast<std::size_t>(best)])) {
                    best = i;
                }
            }
            index[entry.colour] = best;
        }
    }

    result.indices.reserve(image.pixels().size());
    for (const Rgb& pixel : image.pixels()) {
        result.indices.push_back(static_cast<std::uint8_t>(index.at(pack(pixel))));
    }
    return result;
}

}  // namespace artgen
