#pragma once
// Paths inside the tool are UTF-8 text; this turns them into the file system's own paths.

#include <filesystem>
#include <optional>
#include <string>

namespace kaleidra::stage_tool {

// A UTF-8 path as the file system takes it; nothing for a path that is not well-formed UTF-8 under
// Windows, where it would otherwise name another file. Never through the ANSI code page, which
// cannot spell every name and would pick a look-alike for some.
std::optional<std::filesystem::path> pathFromUtf8(const std::string& path);

}  // namespace kaleidra::stage_tool
