#include "title_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

#include "canvas.h"
#include "panel_colours.h"

namespace artgen {

namespace {

constexpr Rgb logoGreen{0, 100, 36};
constexpr Rgb logoShadow{150, 232, 150};
constexpr Rgb creditBlue{24, 64, 208};
constexpr Rgb creditShadow{96, 192, 96};

enum class Placement { Left, Right };

struct ShadowedText {
    std::string_view words;
    Placement placement;
    TextStyle style;
    double maxWidth;
    Rgb colour;
    Rgb shadow;
    double shadowOffset;
};

// Centres the text vertically and places it against one side with a small margin, shrinking the font
// where the text would be wider than maxWidth.
RgbImage drawShadowedText(const Fonts& fonts, int width, int height, const ShadowedText& lettering) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    TextStyle style = lettering.style;
    selectFont(cr, fonts, style);
    style.size = std::min(style.size, style.size * lettering.maxWidth / textAdvance(cr, lettering.words));
    selectFont(cr, fonts, style);

    cairo_text_extents_t ink;
    cairo_text_extents(cr, std::string(lettering.words).c_str(), &ink);
    constexpr double margin = 6;
    const double inkLeft =
        lettering.placement == Placement::Left ? margin : width - margin - lettering.shadowOffset - ink.width;
    const double x = std::round(inkLeft - ink.x_bearing);
    const double y = std::round((height - lettering.shadowOffset - ink.height) / 2 - ink.y_bearing);
    addTextPath(cr, x + lettering.shadowOffset, y + lettering.shadowOffset, lettering.words);
    setSourceColour(cr, lettering.shadow);
    cairo_fill(cr);
    addTextPath(cr, x, y, lettering.words);
    setSourceColour(cr, lettering.colour);
    cairo_fill(cr);
    return canvas.image();
}

// A fixed-seed generator, so that the lattice's colours are the same in every run.
class ColourSequence {
public:
    int next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % panelColourCount);
    }

private:
    std::uint32_t state_ = 20250u;
};

// The field's diamond lattice laid on a floor seen in perspective, in pastel shades.
void drawPerspectiveLattice(cairo_t* cr) {
    constexpr double horizonY = -120;
    constexpr double vanishingX = 250;
    constexpr double cameraHeight = 420;   // screen pixels from the horizon to the nearest row
    constexpr double pixelsPerUnit = 34;   // across, in the nearest row
    constexpr double shrinkPerUnit = 0.08;  // how fast the rows shrink with distance
    // Floor coordinates: u across, v away from the viewer, in half panels (a panel is 2 by 1).
    const auto project = [&](double u, double v, double& x, double& y) {
        const double scale = 1 / (1 + v * shrinkPerUnit);
        x = vanishingX + u * pixelsPerUnit * scale;
        y = horizonY + cameraHeight * scale;
    };

    ColourSequence colours;
    for (int row = 0; row < 44; ++row) {
        for (int column = -14; column <= 4; ++column) {
            const double u = 2.0 * column + (row % 2 == 0 ? 0.0 : 1.0);
            const double v = 0.5 * row;
            std::array<std::array<double, 2>, 4> corners{};
            project(u, v - 0.5, corners[0][0], corners[0][1]);  // near tip
            project(u + 1, v, corners[1][0], corners[1][1]);
            project(u, v + 0.5, corners[2][0], corners[2][1]);  // far tip
            project(u - 1, v, corners[3][0], corners[3][1]);
            const PanelShades& shades = panelShades[static_cast<std::size_t>(colours.next())];
            cairo_move_to(cr, corners[0][0], corners[0][1]);
            for (std::size_t i = 1; i < corners.size(); ++i) cairo_line_to(cr, corners[i][0], corners[i][1]);
            cairo_close_path(cr);
            setSourceColour(cr, mix(shades.face, white, 0.5));
            cairo_fill_preserve(cr);
            setSourceColour(cr, titleBackground);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
    }
}

void addBackgroundStop(cairo_pattern_t* gradient, double offset, double opacity) {
    constexpr double level = titleBackground.r / 255.0;
    cairo_pattern_add_color_stop_rgba(gradient, offset, level, level, level, opacity);
}

// The lattice dissolves into the background towards the right and towards its far rows.
void fadeToBackground(cairo_t* cr, int width, int height) {
    cairo_pattern_t* across = cairo_pattern_create_linear(0, 0, width, 0);
    addBackgroundStop(across, 0.0, 0.0);
    addBackgroundStop(across, 0.22, 0.05);
    addBackgroundStop(across, 0.55, 1.0);
    cairo_pattern_t* down = cairo_pattern_create_linear(0, 0, 0, height);
    addBackgroundStop(down, 0.0, 1.0);
    addBackgroundStop(down, 0.2, 0.0);
    for (cairo_pattern_t* fade : {across, down}) {
        cairo_rectangle(cr, 0, 0, width, height);
        cairo_set_source(cr, fade);
        cairo_fill(cr);
        cairo_pattern_destroy(fade);
    }
}

// Lays a colour over the picture: opaque at the line through (fromX, fromY), clear at (towardsX, towardsY).
void fadeEdge(cairo_t* cr, int width, int height, Rgb colour, double fromX, double fromY, double towardsX,
              double towardsY) {
    cairo_pattern_t* fade = cairo_pattern_create_linear(fromX, fromY, towardsX, towardsY);
    cairo_pattern_add_color_stop_rgba(fade, 0, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, 0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, fade);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
}

// The strips left and below the field stay plain background, and the lattice eases into them
// behind the field, so the title screen shows soft edges rather than a cut.
void calmFieldMargins(cairo_t* cr, int width, int height) {
    constexpr double ease = 28;
    setSourceColour(cr, titleBackground);
    cairo_rectangle(cr, 0, 0, fieldMarginLeft, height);
    cairo_rectangle(cr, 0, fieldMarginBottomRow, width, height - fieldMarginBottomRow);
    cairo_fill(cr);
    fadeEdge(cr, width, fieldMarginBottomRow, titleBackground, fieldMarginLeft, 0, fieldMarginLeft + ease, 0);
    fadeEdge(cr, width, fieldMarginBottomRow, titleBackground, 0, fieldMarginBottomRow, 0,
             fieldMarginBottomRow - ease);
}

// The window's white lies above the picture and beside its last column: the near-white
// background brightens into it, ending in exact white.
void fadeIntoWindowWhite(cairo_t* cr, int width, int height) {
    constexpr double ease = 16;
    fadeEdge(cr, width, height, white, 0, 0, 0, ease);
    fadeEdge(cr, width, height, white, width, 0, width - ease, 0);
    setSourceColour(cr, white);
    cairo_rectangle(cr, 0, 0, width, 1);
    cairo_rectangle(cr, width - 1, 0, 1, height);
    cairo_fill(cr);
}

void drawTiltedStatusPanel(cairo_t* cr, const RgbImage& statusPanel) {
    const Canvas panel(statusPanel);
    constexpr double scale = 0.55;
    constexpr double angle = -9 * std::numbers::pi / 180;
    const double halfWidth = statusPanel.width() / 2.0;
    const double halfHeight = statusPanel.height() / 2.0;

    cairo_save(cr);
    cairo_translate(cr, 428, 150);  // its shadow ends left of the strip beside the field
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    // A soft shadow first, then the panel itself, both translucent.
    for (int spread = 4; spread >= 1; --spread) {
        cairo_rectangle(cr, -halfWidth + 10 - spread * 3, -halfHeight + 12 - spread * 3,
                        statusPanel.width() + spread * 6, statusPanel.height() + spread * 6);
        cairo_set_source_rgba(cr, 0, 0.2, 0, 0.025);
        cairo_fill(cr);
    }
    cairo_set_source_surface(cr, panel.surface(), -halfWidth, -halfHeight);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, 0.55);
    cairo_restore(cr);
}

}  // namespace

RgbImage drawTitleLogo(const Fonts& fonts) {
    return drawShadowedText(
        fonts, 294, 42,
        {"Kaleidra", Placement::Left, {Typeface::SerifBold, 44, 0.12}, 280, logoGreen, logoShadow, 3});
}

RgbImage drawTitleSubtitle(const Fonts& fonts) {
    return drawShadowedText(fonts, 508, 65,
                            {"A Puzzle of Five Turning Colors",
                             Placement::Left,
                             {Typeface::SerifBold, 30, 0.12},
                             490,
                             logoGreen,
                             logoShadow,
                             3});
}

RgbImage drawTitleCredit(const Fonts& fonts) {
    return drawShadowedText(fonts, 330, 35,
                            {"by the Kaleidra developers",
                             Placement::Right,
                             {Typeface::SansBold, 20, 0.22},
                             316,
                             creditBlue,
                             creditShadow,
                             2});
}

RgbImage drawTitleBack(const RgbImage& statusPanel) {
    constexpr int width = 639;
    constexpr int height = 309;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    setSourceColour(cr, titleBackground);
    cairo_paint(cr);
    drawPerspectiveLattice(cr);
    fadeToBackground(cr, width, height);
    calmFieldMargins(cr, width, height);
    drawTiltedStatusPanel(cr, statusPanel);
    fadeIntoWindowWhite(cr, width, height);
    return canvas.image();
}

}  // namespace artgen
