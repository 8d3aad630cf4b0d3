#include "result_pictures.h"

#include <numbers>
#include <string>
#include <string_view>

#include "canvas.h"

namespace artgen {

namespace {

constexpr int pictureSize = 80;
constexpr double risingAngle = -std::numbers::pi / 4;  // text running up to the right

void paintDiagonalGradient(cairo_t* cr, Rgb from, Rgb to) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, pictureSize, pictureSize);
    cairo_pattern_add_color_stop_rgb(gradient, 0, from.r / 255.0, from.g / 255.0, from.b / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, to.r / 255.0, to.g / 255.0, to.b / 255.0);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

// Adds the text's outline centred on (cx, cy) along the rising diagonal.
void addRisingText(cairo_t* cr, std::string_view text, double cx, double cy) {
    cairo_text_extents_t ink;
    cairo_text_extents(cr, std::string(text).c_str(), &ink);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, risingAngle);
    addTextPath(cr, -ink.width / 2 - ink.x_bearing, -ink.height / 2 - ink.y_bearing, text);
    cairo_restore(cr);
}

}  // namespace

RgbImage drawClearPicture(const Fonts& fonts) {
    Canvas canvas(pictureSize, pictureSize);
    cairo_t* cr = canvas.cr();
    paintDiagonalGradient(cr, {255, 255, 236}, {255, 232, 140});
    selectFont(cr, fonts, {Typeface::SansBold, 21, 0.25});

    addRisingText(cr, "Clear!!", 41.5, 41.5);
    setSourceColour(cr, {140, 40, 0}, 0.35);
    cairo_fill(cr);
    addRisingText(cr, "Clear!!", 40, 40);
    setSourceColour(cr, {224, 16, 24});
    cairo_fill_preserve(cr);
    setSourceColour(cr, {150, 0, 0});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    return canvas.image();
}

RgbImage drawNotClearPicture(const Fonts& fonts) {
    Canvas canvas(pictureSize, pictureSize);
    cairo_t* cr = canvas.cr();
    paintDiagonalGradient(cr, {232, 255, 255}, {150, 222, 236});
    selectFont(cr, fonts, {Typeface::SansBold, 22, 0.2});

    // Two parallel diagonal lines: "Not" above left, "Clear" below right.
    addRisingText(cr, "Not", 29, 29);
    addRisingText(cr, "Clear", 49, 49);
    setSourceColour(cr, {248, 252, 255}, 0.7);
    cairo_fill_preserve(cr);
    setSourceColour(cr, {88, 104, 148});
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    return canvas.image();
}

}  // namespace artgen
