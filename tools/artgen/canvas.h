#pragma once
// A Cairo drawing surface for the anti-aliased parts of the art, read back as an RgbImage.

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace artgen {

class Canvas {
public:
    // Starts fully transparent.
    Canvas(int width, int height);
    explicit Canvas(const RgbImage& image);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }

    // The drawing composed over white.
    RgbImage image() const;
    // Alpha per pixel, row by row from the top: the coverage of whatever was drawn.
    std::vector<std::uint8_t> coverage() const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void setSourceColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// A panel slab seen from above, its top face's left and right tips at (cx -/+ halfWidth, middle):
// the outline of its two visible sides, thickness below the face, and the face's diamond.
void addSlabSidesPath(cairo_t* cr, double cx, double middle, double halfWidth, double halfHeight,
                      double thickness);
void addSlabFacePath(cairo_t* cr, double cx, double middle, double halfWidth, double halfHeight);

}  // namespace artgen
