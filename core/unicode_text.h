#pragma once
// Strict conversions between UTF-8 (paths inside the core) and UTF-16 (paths at the Windows boundary).
// A text that is not well formed (a lone surrogate, an overlong, cut-off or out-of-range sequence)
// converts to nothing: mended with a replacement character, a path would name another file.

#include <optional>
#include <string>
#include <string_view>

namespace kaleidra {

std::optional<std::u16string> utf16FromUtf8(std::string_view text);
std::optional<std::string> utf8FromUtf16(std::u16string_view text);

}  // namespace kaleidra
