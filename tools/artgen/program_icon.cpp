#include "program_icon.h"

#include <array>

#include "canvas.h"
#include "palette_quantizer.h"
#include "panel_colours.h"

namespace artgen {

namespace {

constexpr int iconSize = 32;
constexpr int stripeWidth = 6;

// The 16 colours of the standard VGA palette, black first.
constexpr std::array<Rgb, 16> vgaPalette{{{0, 0, 0},
                                          {128, 0, 0},
                                          {0, 128, 0},
                                          {128, 128, 0},
                                          {0, 0, 128},
                                          {128, 0, 128},
                                          {0, 128, 128},
                                          {192, 192, 192},
                                          {128, 128, 128},
                                          {255, 0, 0},
                                          {0, 255, 0},
                                          {255, 255, 0},
                                          {0, 0, 255},
                                          {255, 0, 255},
                                          {0, 255, 255},
                                          {255, 255, 255}}};

IconImage transparentImage() {
    IconImage image;
    image.bitsPerPixel = 4;
    image.colours = {iconSize,
                     iconSize,
                     {vgaPalette.begin(), vgaPalette.end()},
                     std::vector<std::uint8_t>(iconSize * iconSize, 0)};
    image.transparent.assign(iconSize * iconSize, true);
    return image;
}

void drawStripes(cairo_t* cr) {
    setSourceColour(cr, {255, 236, 64});
    cairo_paint(cr);
    setSourceColour(cr, {64, 224, 240});
    for (int offset = -iconSize; offset < iconSize; offset += 2 * stripeWidth) {
        cairo_move_to(cr, offset, iconSize);
        cairo_line_to(cr, offset + iconSize, 0);
        cairo_line_to(cr, offset + iconSize + stripeWidth, 0);
        cairo_line_to(cr, offset + stripeWidth, iconSize);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

void drawGreenSlab(cairo_t* cr) {
    const PanelShades& green = panelShades[2];
    constexpr double cx = 16;
    constexpr double top = 5;
    constexpr double halfWidth = 15;
    constexpr double halfHeight = 9;
    constexpr double thickness = 6;
    const double middle = top + halfHeight;
    // The slab's sides, then its top face.
    addSlabSidesPath(cr, cx, middle, halfWidth, halfHeight, thickness);
    setSourceColour(cr, green.rim);
    cairo_fill_preserve(cr);
    setSourceColour(cr, {0, 80, 0});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - halfWidth, middle + 0.5);
    cairo_line_to(cr, cx, middle + halfHeight + 0.5);
    cairo_line_to(cr, cx + halfWidth, middle + 0.5);
    cairo_stroke(cr);

    addSlabFacePath(cr, cx, middle, halfWidth, halfHeight);
    setSourceColour(cr, green.face);
    cairo_fill_preserve(cr);
    setSourceColour(cr, {0, 80, 0});
    cairo_stroke(cr);
}

IconImage slabImage() {
    Canvas canvas(iconSize, iconSize);
    drawStripes(canvas.cr());
    drawGreenSlab(canvas.cr());
    IconImage image;
    image.bitsPerPixel = 8;
    image.colours = quantize(canvas.image(), 256, {});
    image.transparent.assign(iconSize * iconSize, false);
    return image;
}

}  // namespace

std::vector<IconImage> drawProgramIcon() { return {transparentImage(), slabImage()}; }

}  // namespace artgen
