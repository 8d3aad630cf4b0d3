#include "stage_tool/field_picture.h"

#include "stage_tool/bitmap_reader.h"
#include "stage_tool/panel_sheet_bytes.h"

namespace kaleidra::stage_tool {

namespace {

// The pixel of a sheet, or white (which AND leaves alone) outside it.
Rgb sheetPixel(const RgbImage& sheet, int x, int y) {
    if (x < 0 || y < 0 || x >= sheet.width || y >= sheet.height) return Rgb{255, 255, 255};
    return sheet.at(x, y);
}

Rgb bitwiseAnd(Rgb a, Rgb b) {
    return Rgb{static_cast<std::uint8_t>(a.r & b.r), static_cast<std::uint8_t>(a.g & b.g),
               static_cast<std::uint8_t>(a.b & b.b)};
}

}  // namespace

const std::optional<RgbImage>& panelSheet() {
    static const std::optional<RgbImage> sheet = readPaletteBitmap(panelSheetBytes());
    return sheet;
}

RgbImage composeFieldPicture(const Field& field, const GameSettings& settings, const RgbImage& sheet) {
    RgbImage picture(fieldPictureWidth, fieldPictureHeight, Rgb{255, 255, 255});
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        const Cell& cell = field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
        if (cell.colour < 0 || cell.colour >= panelColourCount) return;
        for (int dy = 0; dy < panelHeight; ++dy) {
            for (int dx = 0; dx < panelWidth; ++dx) {
                const int x = cell.x + dx;
                const int y = cell.y + dy;
                if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) continue;
                picture.at(x, y) = bitwiseAnd(picture.at(x, y), sheetPixel(sheet, panelWidth * cell.colour + dx, dy));
            }
        }
    });
    return picture;
}

std::array<Rgb, panelColourCount> panelColours(const RgbImage& sheet) {
    std::array<Rgb, panelColourCount> colours{};
    for (int colour = 0; colour < panelColourCount; ++colour)
        colours[static_cast<std::size_t>(colour)] =
            sheetPixel(sheet, panelWidth * colour + panelWidth / 2, panelHeight / 2);
    return colours;
}

}  // namespace kaleidra::stage_tool
