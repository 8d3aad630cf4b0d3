#include "core/unicode_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>


namespace kaleidra {
namespace {

// Each well-formed row converts both ways; UTF-16 is written as code units, so that no literal's
// encoding is in question.
TEST(UnicodeText, WellFormedTextsConvertBothWays) {
    const struct {
        const char* label;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"empty", "", u""},
        {"ASCII path", "C:\\stages\\one.txt", u"C:\\stages\\one.txt"},
        {"two bytes: e acute, yen sign", "\xC3\xA9\xC2\xA5", {0x00E9, 0x00A5}},
        {"three bytes: a kanji, the fullwidth tilde", "\xE9\x9D\xA2\xEF\xBD\x9E", {0x9762, 0xFF5E}},
        {"four bytes: an emoji", "\xF0\x9F\x8E\xA8", {0xD83C, 0xDFA8}},
        {"the ends of each length", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         {0x007F, 0x0080, 0x07FF, 0x0800, 0xFFFF, 0xD800, 0xDC00, 0xDBFF, 0xDFFF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf16FromUtf8(c.utf8), c.utf16) << c.label;
        EXPECT_EQ(utf8FromUtf16(c.utf16), c.utf8) << c.label;
    }
}

TEST(UnicodeText, MalformedUtf8ConvertsToNothing) {
    const struct {
        const char* label;
        std::string text;
    } cases[] = {
        {"a continuation byte first", "\x80"},
        {"a lead byte without its continuation", "a\xC3"},
        {"a three-byte sequence cut off", "\xE9\x9D"},
        {"a lead byte followed by ASCII", "\xE9\x41\x41"},
        {"overlong slash", "\xC0\xAF"},
        {"overlong three bytes", "\xE0\x80\xAF"},
        {"overlong four bytes", "\xF0\x80\x80\xAF"},
        {"a high surrogate", "\xED\xA0\x80"},
        {"a low surrogate", "\xED\xBF\xBF"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"a five-byte lead", "\xF8\x88\x80\x80\x80"},
        {"0xFF", "ab\xFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf16FromUtf8(c.text), std::nullopt) << c.label;
}

TEST(UnicodeText, UnpairedSurrogatesConvertToNothing) {
    const struct {
        const char* label;
        std::u16string text;
    } cases[] = {
        {"a high surrogate at the end", {u'a', 0xD83C}},
        {"a high surrogate before ASCII", {0xD83C, u'a'}},
        {"a low surrogate alone", {0xDFA8}},
        {"two high surrogates", {0xD83C, 0xD83C, 0xDFA8}},
        {"the pair reversed", {0xDFA8, 0xD83C}},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8FromUtf16(c.text), std::nullopt) << c.label;
}

}  // namespace
}  // namespace kaleidra
