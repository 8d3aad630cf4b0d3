#pragma once
// Paths as the core keeps them (UTF-8) and texts as Windows holds them (UTF-16), converted for
// comparison; a malformed text gives an empty one, which no expectation names.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/unicode_text.h"

namespace kaleidra::testing {

inline std::wstring wideFromUtf8(std::string_view text) {
    const auto units = utf16FromUtf8(text);
    return units ? std::wstring(units->begin(), units->end()) : std::wstring();
}

inline std::string utf8FromWide(std::wstring_view text) {
    return utf8FromUtf16(std::u16string(text.begin(), text.end())).value_or(std::string());
}

// The spelling that the Japanese code page gives a text: best-fit letters (é as e), the yen sign
// as a backslash, "?" for what it cannot spell at all. A path squeezed through the code page names
// this file instead.
inline std::wstring throughShiftJis(const std::wstring& text) {
    char narrow[1024] = {};
    WideCharToMultiByte(932, 0, text.c_str(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    wchar_t wide[1024] = {};
    MultiByteToWideChar(932, 0, narrow, -1, wide, 1023);
    return wide;
}

}  // namespace kaleidra::testing
