// The result dialog's texts, compared byte for byte in Shift-JIS as the dialog shows them.
#include "dialogs/result_text.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <functional>
#include <ostream>
#include <string>

namespace kaleidra {
namespace {

// The expectation is written in UTF-8 here and compared in the dialog's code page.
std::string shiftJis(const std::string& utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    EXPECT_NE(convert, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(4 * in.size() + 1, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    EXPECT_NE(iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(convert);
    out.resize(out.size() - outLeft);
    return out;
}

struct Game {
    GameSettings settings{};
    GameState state{};

    Game() { initDefaults(state, settings); }
};

struct TextCase {
    const char* name;
    std::function<void(Game&)> set;
    std::function<const ResultLine&(const ResultTexts&)> field;
    const char* shown;  // UTF-8
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class ResultTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ResultTextTest, ShowsTheFieldAsFormatted) {
    Game game;
    GetParam().set(game);
    const ResultTexts texts = formatResult(game.settings, game.state);
    EXPECT_EQ(std::string(GetParam().field(texts).data()), shiftJis(GetParam().shown));
}

const ResultLine& timeLine(const ResultTexts& t) { return t.time; }
const ResultLine& clearTermsLine(const ResultTexts& t) { return t.clearTerms; }
const ResultLine& operationsLine(const ResultTexts& t) { return t.operations; }
const ResultLine& redMark(const ResultTexts& t) { return t.marks[Red]; }
const ResultLine& yellowMark(const ResultTexts& t) { return t.marks[Yellow]; }
const ResultLine& redCount(const ResultTexts& t) { return t.counts[Red]; }
const ResultLine& purpleCount(const ResultTexts& t) { return t.counts[Purple]; }
const ResultLine& totalLine(const ResultTexts& t) { return t.total; }

void seconds(Game& g, std::int32_t s) { g.state.elapsedSeconds = s; }

INSTANTIATE_TEST_SUITE_P(
    Fields, ResultTextTest,
    ::testing::Values(
        TextCase{"NoTimeAtAll", [](Game& g) { seconds(g, 0); }, timeLine, "0 秒　(00:00:00)"},
        TextCase{"HoursMinutesSeconds", [](Game& g) { seconds(g, 3725); }, timeLine,
                 "3725 秒　(01:02:05)"},
        TextCase{"HoursBeyondTwoDigits", [](Game& g) { seconds(g, 360000); }, timeLine,
                 "360000 秒　(100:00:00)"},
        TextCase{"LongestTime", [](Game& g) { seconds(g, INT32_MAX); }, timeLine,
                 "2147483647 秒　(596523:14:07)"},
        TextCase{"DefaultRulesPadThePercentage", [](Game&) {}, clearTermsLine, " 70％ (100マス)"},
        TextCase{"WholeField", [](Game& g) { applyRules(g.settings, 100); }, clearTermsLine,
                 "100％ (144マス)"},
        TextCase{"SmallTargetPadded",
                 [](Game& g) {
                     setColumnsPerRow(g.settings, 3);
                     setRows(g.settings, 4);
                     applyRules(g.settings, 30);
                 },
                 clearTermsLine, " 30％ (  3マス)"},
        TextCase{"SmallTotal",
                 [](Game& g) {
                     setColumnsPerRow(g.settings, 3);
                     setRows(g.settings, 4);
                 },
                 totalLine, "12"},
        TextCase{"Operations",
                 [](Game& g) {
                     g.state.operationCount = 12;
                     g.state.flippedTotal = 60;
                 },
                 operationsLine, "12 回　(トータル 60 枚)"},
        TextCase{"ColourExactlyAtTargetIsCleared", [](Game& g) { g.state.colourCounts[Red] = 100; },
                 redMark, "☆"},
        TextCase{"ColourJustBelowTargetIsNot", [](Game& g) { g.state.colourCounts[Yellow] = 99; },
                 yellowMark, "×"},
        TextCase{"CountPaddedToThreePlaces", [](Game& g) { g.state.colourCounts[Red] = 5; },
                 redCount, "  5 枚"},
        TextCase{"CountOfThreeDigits", [](Game& g) { g.state.colourCounts[Purple] = 144; },
                 purpleCount, "144 枚"}),
    [](const ::testing::TestParamInfo<TextCase>& test) { return std::string(test.param.name); });

TEST(ResultText, PictureFollowsWhetherAnyColourReachedTheTarget) {
    Game game;
    game.state.colourCounts = {29, 29, 29, 29, 28};
    EXPECT_FALSE(formatResult(game.settings, game.state).cleared);
    game.state.colourCounts = {10, 10, 10, 14, 100};
    EXPECT_TRUE(formatResult(game.settings, game.state).cleared);
}

TEST(ResultText, FieldSizeAsPlainNumbers) {
    Game game;
    const ResultTexts texts = formatResult(game.settings, game.state);
    EXPECT_STREQ(texts.columns.data(), "9");
    EXPECT_STREQ(texts.rows.data(), "16");
    EXPECT_STREQ(texts.total.data(), "144");
}

}  // namespace
}  // namespace kaleidra
