#include "status_background.h"

#include <numbers>
#include <string_view>

#include "canvas.h"
#include "panel_colours.h"
#include "status_layout.h"

namespace artgen {

namespace {

constexpr Rgb labelColour{236, 255, 236};
constexpr Rgb headingColour{255, 246, 168};
constexpr Rgb labelShadow{0, 40, 16};
constexpr Rgb bevelLight{150, 224, 160};
constexpr Rgb bevelDark{0, 36, 14};

enum class Align { Left, Right, Centre };

struct Label {
    std::string_view text;
    double x;  // left end, right end or centre, as aligned
    double baseline;
    Align align = Align::Left;
    bool heading = false;
};

void drawLabel(cairo_t* cr, const Fonts& fonts, const Label& label) {
    selectFont(cr, fonts, {Typeface::SansBold, label.heading ? 14.0 : 12.0});
    const double width = textAdvance(cr, label.text);
    double x = label.x;
    if (label.align == Align::Right) x -= width;
    if (label.align == Align::Centre) x -= width / 2;
    addTextPath(cr, x + 1, label.baseline + 1, label.text);
    setSourceColour(cr, labelShadow, 0.85);
    cairo_fill(cr);
    addTextPath(cr, x, label.baseline, label.text);
    setSourceColour(cr, label.heading ? headingColour : labelColour);
    cairo_fill(cr);
}

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    constexpr double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -quarter, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, quarter);
    cairo_arc(cr, x + radius, y + height - radius, radius, quarter, 2 * quarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

// A slightly raised, lighter plate grouping related items.
struct Plate {
    double x;
    double y;
    double width;
    double height;
};

constexpr Plate panelConditionPlate{6, 6, 378, 108};
constexpr Plate finishTermsPlate{390, 6, 92, 108};
constexpr Plate controlAreaPlate{490, 6, 142, 146};  // with the target panels
constexpr Plate timerAndCounterPlate{6, 119, 476, 33};

void drawPlate(cairo_t* cr, const Plate& plate) {
    const auto [x, y, width, height] = plate;
    roundedRectangle(cr, x + 1.5, y + 1.5, width, height, 6);
    setSourceColour(cr, bevelDark, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    roundedRectangle(cr, x + 0.5, y + 0.5, width, height, 6);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + height);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.05);
    cairo_set_source(cr, sheen);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sheen);
    setSourceColour(cr, bevelLight, 0.8);
    cairo_stroke(cr);
}

// A sunken frame just outside the rectangle: dark above and left, light below and right.
void drawSunkenFrame(cairo_t* cr, int x, int y, int width, int height) {
    cairo_set_line_width(cr, 1);
    setSourceColour(cr, bevelDark);
    cairo_move_to(cr, x - 0.5, y + height);
    cairo_line_to(cr, x - 0.5, y - 0.5);
    cairo_line_to(cr, x + width, y - 0.5);
    cairo_stroke(cr);
    setSourceColour(cr, bevelLight);
    cairo_move_to(cr, x + width + 0.5, y - 1);
    cairo_line_to(cr, x + width + 0.5, y + height + 0.5);
    cairo_line_to(cr, x - 1, y + height + 0.5);
    cairo_stroke(cr);
}

// The navy box reaches two pixels beyond the digit slots so that the digits do not touch its frame.
constexpr int boxMargin = 2;

void drawDigitBoxFrame(cairo_t* cr, const DigitBox& box) {
    drawSunkenFrame(cr, box.x - boxMargin, box.y - boxMargin, box.slots * digitSize + 2 * boxMargin,
                    digitSize + 2 * boxMargin);
}

void fillDigitBox(RgbImage& image, const DigitBox& box) {
    image.fillRect(box.x - boxMargin, box.y - boxMargin, box.slots * digitSize + 2 * boxMargin,
                   digitSize + 2 * boxMargin, navy);
}

void drawBackdrop(cairo_t* cr) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, statusHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 44 / 255.0, 140 / 255.0, 80 / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 14 / 255.0, 82 / 255.0, 42 / 255.0);
    cairo_rectangle(cr, 0, 0, statusWidth, statusHeight);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);

    // Faint diagonal lattice lines, an echo of the playing field.
    cairo_set_line_width(cr, 1);
    setSourceColour(cr, white, 0.05);
    for (int x = -statusHeight * 2; x < statusWidth; x += 32) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + 2 * statusHeight, statusHeight);
        cairo_move_to(cr, x + 2 * statusHeight, 0);
        cairo_line_to(cr, x, statusHeight);
    }
    cairo_stroke(cr);

    // The panel's own raised edge.
    setSourceColour(cr, bevelLight);
    cairo_move_to(cr, 0.5, statusHeight);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, statusWidth, 0.5);
    cairo_stroke(cr);
    setSourceColour(cr, bevelDark);
    cairo_move_to(cr, statusWidth - 0.5, 0);
    cairo_line_to(cr, statusWidth - 0.5, statusHeight - 0.5);
    cairo_line_to(cr, 0, statusHeight - 0.5);
    cairo_stroke(cr);
}

// A small panel slab in one of the five colours, centred at (cx, cy).
void drawColourDiamond(cairo_t* cr, double cx, double cy, const PanelShades& shades) {
    constexpr double halfWidth = 15;
    constexpr double halfHeight = 7.5;
    constexpr double thickness = 3;
    addSlabSidesPath(cr, cx, cy, halfWidth, halfHeight, thickness);
    setSourceColour(cr, scaled(shades.rim, 0.8));
    cairo_fill(cr);
    addSlabFacePath(cr, cx, cy, halfWidth, halfHeight);
    setSourceColour(cr, shades.face);
    cairo_fill_preserve(cr);
    setSourceColour(cr, scaled(shades.rim, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawArrow(cairo_t* cr, double fromX, double toX, double y) {
    cairo_set_line_width(cr, 2);
    setSourceColour(cr, labelColour);
    cairo_move_to(cr, fromX, y);
    cairo_line_to(cr, toX - 5, y);
    cairo_stroke(cr);
    cairo_move_to(cr, toX, y);
    cairo_line_to(cr, toX - 7, y - 4);
    cairo_line_to(cr, toX - 7, y + 4);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void drawColourRow(cairo_t* cr) {
    constexpr double diamondY = 45;
    for (std::size_t k = 0; k < colourCountBoxes.size(); ++k) {
        const double centre = colourCountBoxes[k].x + 1.5 * digitSize;
        drawColourDiamond(cr, centre, diamondY, panelShades[k]);
        if (k + 1 < colourCountBoxes.size()) {
            const double nextCentre = colourCountBoxes[k + 1].x + 1.5 * digitSize;
            drawArrow(cr, centre + 19, nextCentre - 18, diamondY + 1.5);
        }
    }
}

void drawSlash(cairo_t* cr) {
    const double left = coveredPanelsBox.x + coveredPanelsBox.slots * digitSize + boxMargin;
    const double right = patternPanelsBox.x - boxMargin;
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setSourceColour(cr, labelShadow, 0.85);
    cairo_move_to(cr, left + 8, coveredPanelsBox.y + digitSize + 2);
    cairo_line_to(cr, right - 6, coveredPanelsBox.y - 1);
    cairo_stroke(cr);
    setSourceColour(cr, labelColour);
    cairo_move_to(cr, left + 7, coveredPanelsBox.y + digitSize + 1);
    cairo_line_to(cr, right - 7, coveredPanelsBox.y - 2);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void drawLabels(cairo_t* cr, const Fonts& fonts) {
    const double percentX = clearPercentageBox.x + clearPercentageBox.slots * digitSize + 6;
    const double previewCentre = patternPreviewArea.x + patternPreviewArea.width / 2.0;
    const double finishTermsCentre = finishTermsPlate.x + finishTermsPlate.width / 2;
    const Label labels[] = {
        {"Panel Condition", 16, 25, Align::Left, true},
        {"Color", 16, 51},
        {"Panels", 16, 79},
        {"Field Size", 16, 107},
        {"X:", columnsBox.x - 6, 107, Align::Right},
        {"Y:", rowsBox.x - 6, 107, Align::Right},
        {"Total:", totalPanelsBox.x - 6, 107, Align::Right},
        {"Finish", finishTermsCentre, 25, Align::Centre, true},
        {"Terms", finishTermsCentre, 43, Align::Centre, true},
        {"%", percentX, 102},
        {"Ctrl. Area", previewCentre, 25, Align::Centre, true},
        {"Target Panels", previewCentre, 102, Align::Centre},
        {"Timer", secondsBox.x - 8, 141, Align::Right},
        {"Sec.", secondsBox.x + secondsBox.slots * digitSize + 8, 141},
        {"Counter", turnsBox.x - 8, 141, Align::Right},
        {"Turns", turnsBox.x + turnsBox.slots * digitSize + 8, 141},
    };
    for (const Label& label : labels) drawLabel(cr, fonts, label);
}

constexpr DigitBox allDigitBoxes[] = {
    colourCountBoxes[0], colourCountBoxes[1], colourCountBoxes[2], colourCountBoxes[3], colourCountBoxes[4],
    columnsBox, rowsBox, totalPanelsBox, secondsBox, turnsBox,
    clearTargetBox, clearPercentageBox, coveredPanelsBox, patternPanelsBox,
};

}  // namespace

RgbImage drawStatusBackground(const Fonts& fonts) {
    Canvas canvas(statusWidth, statusHeight);
    cairo_t* cr = canvas.cr();
    drawBackdrop(cr);
    for (const Plate& plate : {panelConditionPlate, finishTermsPlate, controlAreaPlate, timerAndCounterPlate}) {
        drawPlate(cr, plate);
    }
    drawColourRow(cr);
    drawLabels(cr, fonts);
    drawSlash(cr);
    for (const DigitBox& box : allDigitBoxes) drawDigitBoxFrame(cr, box);
    drawSunkenFrame(cr, patternPreviewArea.x, patternPreviewArea.y, patternPreviewArea.width,
                    patternPreviewArea.height);

    // The boxes are filled last and pixel by pixel: digits and previews are copied onto them whole,
    // so their colour must be exact.
    RgbImage image = canvas.image();
    for (const DigitBox& box : allDigitBoxes) fillDigitBox(image, box);
    // Exactly the preview's size: the preview covers its box entirely, inside the sunken frame.
    image.fillRect(patternPreviewArea.x, patternPreviewArea.y, patternPreviewArea.width,
                   patternPreviewArea.height, previewAreaColour);
    return image;
}

}  // namespace artgen
