#include "stage_tool/stage_making.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/stage.h"
#include "stage_tool/lab_colour.h"

namespace kaleidra::stage_tool {

std::string stageDigits(const Field& field, const GameSettings& settings) {
    std::string digits;
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        const std::int32_t colour = field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour;
        digits += static_cast<char>('0' + std::clamp(colour, 0, panelColourCount - 1));
    });
    return digits;
}

std::string randomStageDigits(const GameSettings& settings, std::uint32_t seed) {
    Field field{};
    GameState state{};
    layoutCells(field);
    StageRandom random(seed);
    generateRandomStage(field, state, settings, random);
    return stageDigits(field, settings);
}

std::string pictureStageDigits(const RgbImage& picture, const GameSettings& settings,
                               const std::array<Rgb, panelColourCount>& panelPalette) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    Field field{};
    layoutCells(field);
    // The field's panels span these pixels of the field window, whatever its shape.
    const std::int64_t left = std::int64_t{32} * settings.columnMargin;
    const std::int64_t width = 608 - std::int64_t{64} * settings.columnMargin;
    const std::int64_t top = std::int64_t{16} * settings.rowMargin + 16;
    const std::int64_t height = 272 - std::int64_t{32} * settings.rowMargin;
    std::string digits;
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        const Cell& cell = field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
        const std::int64_t centreX = cell.x + panelWidth / 2 - left;
        const std::int64_t centreY = cell.y + panelHeight / 2 - top;
        const auto x = static_cast<int>(std::clamp<std::int64_t>(centreX * picture.width / width, 0, picture.width - 1));
        const auto y =
            static_cast<int>(std::clamp<std::int64_t>(centreY * picture.height / height, 0, picture.height - 1));
        digits += static_cast<char>('0' + nearestColour(picture.at(x, y), panelPalette));
    });
    return digits;
}

}  // namespace kaleidra::stage_tool
