#include "stage_tool/utf8_path.h"

#include "core/unicode_text.h"

namespace kaleidra::stage_tool {

std::optional<std::filesystem::path> pathFromUtf8(const std::string& path) {
#ifdef _WIN32
    const auto wide = utf16FromUtf8(path);
    if (!wide) return std::nullopt;
    return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
#else
    return std::filesystem::path(path);
#endif
}

}  // namespace kaleidra::stage_tool
