#include "digit_sheet.h"

#include <cmath>
#include <string>

#include "canvas.h"
#include "status_layout.h"

namespace artgen {

namespace {

constexpr int digitCount = 10;
constexpr Rgb normalDigitColour = white;
constexpr Rgb highlightedDigitColour{255, 255, 128};
// Edge shades per glyph colour; with navy and two glyph colours this keeps the sheet at 15 colours.
constexpr int coverageLevels = 7;

}  // namespace

RgbImage drawDigitSheet(const Fonts& fonts) {
    Canvas glyphs(digitCount * digitSize, digitSize);
    cairo_t* cr = glyphs.cr();
    selectFont(cr, fonts, {Typeface::SansBold, 17.0});
    for (int digit = 0; digit < digitCount; ++digit) {
        const std::string text(1, static_cast<char>('0' + digit));
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text.c_str(), &extents);
        // Centred in the cell on the ink, not the advance, so that every cell keeps a navy border.
        const double x = digitSize * digit + (digitSize - extents.width) / 2 - extents.x_bearing;
        const double y = (digitSize - extents.height) / 2 - extents.y_bearing;
        addTextPath(cr, std::round(x * 2) / 2, std::round(y), text);
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);

    const std::vector<std::uint8_t> coverage = glyphs.coverage();
    RgbImage sheet(digitCount * digitSize, 2 * digitSize, navy);
    for (int y = 0; y < digitSize; ++y) {
        for (int x = 0; x < digitCount * digitSize; ++x) {
            const double ink = coverage[static_cast<std::size_t>(y * digitCount * digitSize + x)] / 255.0;
            const double level = std::round(ink * coverageLevels) / coverageLevels;
            sheet.set(x, y, mix(navy, normalDigitColour, level));
            sheet.set(x, y + digitSize, mix(navy, highlightedDigitColour, level));
        }
    }
    return sheet;
}

}  // namespace artgen
