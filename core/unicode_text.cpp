#include "core/unicode_text.h"

namespace kaleidra {

namespace {

constexpr char32_t firstSurrogate = 0xD800;
constexpr char32_t firstLowSurrogate = 0xDC00;
constexpr char32_t lastSurrogate = 0xDFFF;
constexpr char32_t firstSupplementary = 0x10000;
constexpr char32_t lastCodePoint = 0x10FFFF;

bool isSurrogate(char32_t unit) { return unit >= firstSurrogate && unit <= lastSurrogate; }

struct SequenceStart {
    std::size_t length;  // 0: no lead byte
    char32_t bits;       // the lead byte's share of the code point
    char32_t smallest;   // anything below takes fewer bytes: overlong
};

SequenceStart sequenceStart(unsigned char lead) {
    if (lead < 0x80) return {1, lead, 0};
    if ((lead & 0xE0) == 0xC0) return {2, lead & 0x1Fu, 0x80};
    if ((lead & 0xF0) == 0xE0) return {3, lead & 0x0Fu, 0x800};
    if ((lead & 0xF8) == 0xF0) return {4, lead & 0x07u, firstSupplementary};
    return {0, 0, 0};
}

void appendUtf8(std::string& out, char32_t codePoint) {
    const auto byte = [](char32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); };
    if (codePoint < 0x80) {
        out += byte(codePoint);
    } else if (codePoint < 0x800) {
        out += byte(0xC0 | (codePoint >> 6));
        out += byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < firstSupplementary) {
        out += byte(0xE0 | (codePoint >> 12));
        out += byte(0x80 | ((codePoint >> 6) & 0x3F));
        out += byte(0x80 | (codePoint & 0x3F));
    } else {
        out += byte(0xF0 | (codePoint >> 18));
        out += byte(0x80 | ((codePoint >> 12) & 0x3F));
        out += byte(0x80 | ((codePoint >> 6) & 0x3F));
        out += byte(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::optional<std::u16string> utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const SequenceStart start = sequenceStart(static_cast<unsigned char>(text[i]));
        if (start.length == 0 || text.size() - i < start.length) return std::nullopt;
        char32_t codePoint = start.bits;
        for (std::size_t k = 1; k < start.length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if (codePoint < start.smallest || codePoint > lastCodePoint || isSurrogate(codePoint))
            return std::nullopt;
        if (codePoint >= firstSupplementary) {
            const char32_t offset = codePoint - firstSupplementary;
            out += static_cast<char16_t>(firstSurrogate + (offset >> 10));
            out += static_cast<char16_t>(firstLowSurrogate + (offset & 0x3FF));
        } else {
            out += static_cast<char16_t>(codePoint);
        }
        i += start.length;
    }
    return out;
}

std::optional<std::string> utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        if (isSurrogate(codePoint)) {
            // A high surrogate must be followed by a low one, and a low one never comes first.
            if (codePoint >= firstLowSurrogate || i + 1 == text.size()) return std::nullopt;
            const char32_t low = text[i + 1];
            if (low < firstLowSurrogate || low > lastSurrogate) return std::nullopt;
            codePoint = firstSupplementary + ((codePoint - firstSurrogate) << 10) + (low - firstLowSurrogate);
            ++i;
        }
        appendUtf8(out, codePoint);
    }
    return out;
}

}  // namespace kaleidra
