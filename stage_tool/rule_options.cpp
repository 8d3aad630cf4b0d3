#include "stage_tool/rule_options.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "stage_tool/field_rules.h"

namespace kaleidra::stage_tool {

std::optional<GameSettings> rulesFromOptions(const CommandArguments& arguments, const CommandOutput& output) {
    FieldSize size;
    if (const auto text = arguments.value("--size")) {
        const auto parsed = parseFieldSize(*text);
        if (!parsed) {
            output.usageError("size '" + *text + "' is not COLSxROWS with 3..9 columns and an even 4..16 rows");
            return std::nullopt;
        }
        size = *parsed;
    }
    std::int32_t percentage = defaultPercentage;
    if (const auto text = arguments.value("--percent")) {
        const auto parsed = parseWholeNumber(*text, std::numeric_limits<std::int64_t>::min(),
                                             std::numeric_limits<std::int64_t>::max());
        if (!parsed) {
            output.usageError("percentage '" + *text + "' is not a whole number");
            return std::nullopt;
        }
        percentage = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            *parsed, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }
    GameSettings settings = settingsFor(size, percentage);
    if (settings.clearPercentage != percentage)
        output.note("percentage " + std::to_string(percentage) + " is outside 30..100; clamped to " +
                    std::to_string(settings.clearPercentage) + " as the game does");
    return settings;
}

}  // namespace kaleidra::stage_tool
