#include "stage_tool/field_rules.h"

#include <charconv>

#include "core/game_state.h"

namespace kaleidra::stage_tool {

std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t lowest, std::int64_t highest) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

std::optional<FieldSize> parseFieldSize(std::string_view text) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos) return std::nullopt;
    const auto columns = parseWholeNumber(text.substr(0, cross), 3, 9);
    const auto rows = parseWholeNumber(text.substr(cross + 1), 4, 16);
    if (!columns || !rows || *rows % 2 != 0) return std::nullopt;
    return FieldSize{static_cast<std::int32_t>(*columns), static_cast<std::int32_t>(*rows)};
}

GameSettings settingsFor(FieldSize size, std::int32_t enteredPercentage) {
    GameSettings settings{};
    GameState unused{};
    initDefaults(unused, settings);
    setColumnsPerRow(settings, size.columns);
    setRows(settings, size.rows);
    applyRules(settings, enteredPercentage);
    return settings;
}

}  // namespace kaleidra::stage_tool
