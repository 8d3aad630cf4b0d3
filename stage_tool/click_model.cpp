#include "stage_tool/click_model.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

#include "core/field.h"
#include "stage_tool/field_picture.h"
#include "view/cell_at_pixel.h"

namespace kaleidra::stage_tool {

const std::vector<LatticePosition>& reachableCursorCells() {
    static const std::vector<LatticePosition> cells = [] {
        std::set<std::pair<std::int32_t, std::int32_t>> seen;  // row first, for row-major order
        for (std::int32_t y = 0; y < fieldPictureHeight; ++y) {
            for (std::int32_t x = 0; x < fieldPictureWidth; ++x) {
                const LatticePosition cell = cellAtPixel(x, y);
                seen.insert({cell.row, cell.col});
            }
        }
        std::vector<LatticePosition> ordered;
        for (const auto& [row, col] : seen) ordered.push_back({col, row});
        return ordered;
    }();
    return cells;
}

ClickModel buildClickModel(const GameSettings& settings, const PatternTable& table, PatternType pattern) {
    ClickModel model;
    model.pattern = pattern;
    std::array<std::array<std::int32_t, latticeRows>, latticeColumns> indexOf{};
    for (auto& column : indexOf) column.fill(-1);
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        indexOf[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)] =
            static_cast<std::int32_t>(model.cells.size());
        model.cells.push_back({col, row});
    });

    std::set<std::vector<std::int32_t>> distinctCovers;
    for (const LatticePosition cursor : reachableCursorCells()) {
        std::vector<std::int32_t> cover;
        forEachPatternOffset(table, pattern, [&](std::int32_t dcol, std::int32_t drow) {
            const LatticePosition cell = coveredCell(cursor.col, cursor.row, PatternOffset{dcol, drow});
            if (isInField(settings, cell.col, cell.row))
                cover.push_back(indexOf[static_cast<std::size_t>(cell.col)][static_cast<std::size_t>(cell.row)]);
        });
        std::sort(cover.begin(), cover.end());
        if (cover.empty() || !distinctCovers.insert(cover).second) continue;
        model.largestCover = std::max(model.largestCover, static_cast<std::int32_t>(cover.size()));
        model.positions.push_back(cursor);
        model.covers.push_back(std::move(cover));
    }
    model.coveredBy.resize(model.cells.size());
    for (std::size_t position = 0; position < model.covers.size(); ++position)
        for (const std::int32_t cell : model.covers[position]) model.coveredBy[static_cast<std::size_t>(cell)].push_back(position);
    return model;
}

std::vector<std::uint8_t> cellColours(const ClickModel& model, const LoadedStage& stage) {
    std::vector<std::uint8_t> colours;
    colours.reserve(model.cells.size());
    for (const LatticePosition cell : model.cells)
        colours.push_back(static_cast<std::uint8_t>(colourAt(stage, cell.col, cell.row)));
    return colours;
}

std::int64_t clickCount(const std::vector<std::uint8_t>& times) {
    return std::accumulate(times.begin(), times.end(), std::int64_t{0});
}

ClickPlan planFromTimes(const ClickModel& model, std::int32_t colour, const std::vector<std::uint8_t>& times) {
    ClickPlan plan;
    plan.pattern = model.pattern;
    plan.colour = colour;
    for (std::size_t i = 0; i < times.size() && i < model.positions.size(); ++i)
        if (times[i] % 5 != 0) plan.clicks.push_back({model.positions[i], times[i] % 5});
    return plan;
}

}  // namespace kaleidra::stage_tool
