#include "canvas.h"

#include <stdexcept>

namespace artgen {

namespace {

std::uint32_t pixelWord(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot create a canvas");
}

Canvas::Canvas(const RgbImage& image) : Canvas(image.width(), image.height()) {
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const Rgb c = image.at(x, y);
            row[x] = 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
        }
    }
    cairo_surface_mark_dirty(surface_);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

RgbImage Canvas::image() const {
    cairo_surface_flush(surface_);
    RgbImage result(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            // Premultiplied: over white, each channel gains what the alpha leaves uncovered.
            const std::uint32_t word = pixelWord(surface_, x, y);
            const auto uncovered = 255 - (word >> 24);
            const auto channel = [&](int shift) {
                return static_cast<std::uint8_t>(((word >> shift) & 0xFF) + uncovered);
            };
            result.set(x, y, {channel(16), channel(8), channel(0)});
        }
    }
    return result;
}

std::vector<std::uint8_t> Canvas::coverage() const {
    cairo_surface_flush(surface_);
    std::vector<std::uint8_t> alpha;
    alpha.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            alpha.push_back(static_cast<std::uint8_t>(pixelWord(surface_, x, y) >> 24));
        }
    }
    return alpha;
}

void addSlabSidesPath(cairo_t* cr, double cx, double middle, double halfWidth, double halfHeight,
                      double thickness) {
    cairo_move_to(cr, cx - halfWidth, middle);
    cairo_line_to(cr, cx, middle + halfHeight);
    cairo_line_to(cr, cx + halfWidth, middle);
    cairo_line_to(cr, cx + halfWidth, middle + thickness);
    cairo_line_to(cr, cx, middle + halfHeight + thickness);
    cairo_line_to(cr, cx - halfWidth, middle + thickness);
    cairo_close_path(cr);
}

void addSlabFacePath(cairo_t* cr, double cx, double middle, double halfWidth, double halfHeight) {
    cairo_move_to(cr, cx, middle - halfHeight);
    cairo_line_to(cr, cx + halfWidth, middle);
    cairo_line_to(cr, cx, middle + halfHeight);
    cairo_line_to(cr, cx - halfWidth, middle);
    cairo_close_path(cr);
}

void setSourceColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, alpha);
}

}  // namespace artgen
