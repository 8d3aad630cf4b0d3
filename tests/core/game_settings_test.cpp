#include "core/game_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "core/field.h"
#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

TEST(SizeChoice, ChangesTheTotalAtOnceButNotTheTargetOrMargins) {
    GameRecords game;
    setColumnsPerRow(game.settings, 3);
    EXPECT_EQ(game.settings.totalPanels, 3 * 16);
    setRows(game.settings, 4);
    EXPECT_EQ(game.settings.totalPanels, 12);
    EXPECT_EQ(game.settings.clearTarget, 100);
    EXPECT_EQ(game.settings.columnMargin, 0);
    EXPECT_EQ(game.settings.rowMargin, 0);

    applyRules(game.settings, 70);
    EXPECT_EQ(game.settings.clearTarget, 8);
    EXPECT_EQ(game.settings.columnMargin, 6);
    EXPECT_EQ(game.settings.rowMargin, 6);
}

TEST(SizeChoice, SizesOutsideTheListsArePulledIntoRange) {
    constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        std::int32_t columns, rows, keptColumns, keptRows;
    } cases[] = {
        {2, 3, 3, 4}, {10, 17, 9, 16}, {5, 5, 5, 4}, {intMin, intMin, 3, 4}, {intMax, intMax, 9, 16},
    };
    for (const auto& c : cases) {
        GameRecords game;
        setColumnsPerRow(game.settings, c.columns);
        setRows(game.settings, c.rows);
        applyRules(game.settings, 70);
        EXPECT_EQ(game.settings.columnsPerRow, c.keptColumns) << c.columns;
        EXPECT_EQ(game.settings.rows, c.keptRows) << c.rows;
        EXPECT_EQ(inFieldCellCount(game.settings), game.settings.totalPanels) << c.columns << " x " << c.rows;
    }
}

TEST(ApplyRules, ClampsTheEnteredPercentage) {
    constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        const char* label;
        std::int32_t entered, percentage, target;
    } cases[] = {
        {"just below the lowest", 29, 30, 43},     {"the lowest", 30, 30, 43},
        {"an empty field reads as 0", 0, 30, 43},  {"negative", -5, 30, 43},
        {"smallest integer", intMin, 30, 43},      {"the highest", 100, 100, 144},
        {"just above the highest", 101, 100, 144}, {"largest integer", intMax, 100, 144},
    };
    for (const auto& c : cases) {
        GameRecords game;
        applyRules(game.settings, c.entered);
        EXPECT_EQ(game.settings.clearPercentage, c.percentage) << c.label;
        EXPECT_EQ(game.settings.clearTarget, c.target) << c.label;
    }
}

TEST(ApplyRules, TruncatesTheTargetAndDerivesTheMargins) {
    const struct {
        std::int32_t columns, rows, percentage, total, target, columnMargin, rowMargin;
    } cases[] = {
        {9, 16, 70, 144, 100, 0, 0}, {9, 16, 30, 144, 43, 0, 0}, {9, 16, 100, 144, 144, 0, 0},
        {7, 12, 85, 84, 71, 2, 2},   {5, 10, 70, 50, 35, 4, 3},  {3, 4, 70, 12, 8, 6, 6},
        {3, 4, 30, 12, 3, 6, 6},     {4, 6, 50, 24, 12, 5, 5},   {6, 8, 50, 48, 24, 3, 4},
        {8, 14, 50, 112, 56, 1, 1},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.chooseRules(c.columns, c.rows, c.percentage);
        const std::string label = std::to_string(c.columns) + "x" + std::to_string(c.rows) + " at " +
                                  std::to_string(c.percentage) + "%";
        EXPECT_EQ(game.settings.totalPanels, c.total) << label;
        EXPECT_EQ(game.settings.clearTarget, c.target) << label;
        EXPECT_EQ(game.settings.columnMargin, c.columnMargin) << label;
        EXPECT_EQ(game.settings.rowMargin, c.rowMargin) << label;
    }
}

TEST(SetStageFilePath, StoresAPathThatFitsAndNeverCutsOrMendsAnother) {
    const std::string exactFit(255, 'a');
    const std::string oneTooLong = exactFit + "b";  // its first 255 bytes name another file
    const std::string farTooLong(5000, 'c');
    // Counted as the path field counts them, in UTF-16 units, not in bytes.
    std::string accented, japanese, emojiOnly;
    for (int i = 0; i < 255; ++i) accented += utf8(u8"é");
    for (int i = 0; i < 255; ++i) japanese += utf8(u8"面");
    for (int i = 0; i < 128; ++i) emojiOnly += utf8(u8"🎨");
    const std::string emojiLast = std::string(253, 'a') + utf8(u8"🎨");
    const struct {
        const char* label;
        const char* path;
        bool fits;
        std::string stored;
    } cases[] = {
        {"short", "stages\\one.txt", true, "stages\\one.txt"},
        {"empty", "", true, ""},
        {"no path at all", nullptr, true, ""},
        {"exactly 255 bytes", exactFit.c_str(), true, exactFit},
        {"256 bytes", oneTooLong.c_str(), false, ""},
        {"5000 bytes", farTooLong.c_str(), false, ""},
        {"255 two-byte characters", accented.c_str(), true, accented},
        {"255 three-byte characters", japanese.c_str(), true, japanese},
        {"255 units, the last two a surrogate pair", emojiLast.c_str(), true, emojiLast},
        {"256 units of which 128 surrogate pairs", emojiOnly.c_str(), false, ""},
        {"a lone continuation byte", "st\x80ge.txt", false, ""},
        {"a cut-off sequence", "stage\xE3\x81", false, ""},
        {"a surrogate written in UTF-8", "\xED\xA0\x80.txt", false, ""},
        {"an overlong slash", "..\xC0\xAFstage.txt", false, ""},
    };
    for (const auto& c : cases) {
        GameSettings settings{};
        settings.stageFilePath.fill('x');  // no terminator left from before
        EXPECT_EQ(setStageFilePath(settings, c.path), c.fits) << c.label;
        const char* stored = settings.stageFilePath.data();
        ASSERT_NE(std::memchr(stored, '\0', settings.stageFilePath.size()), nullptr) << c.label;
        EXPECT_EQ(std::string(stored), c.stored) << c.label;
    }
}

}  // namespace
}  // namespace kaleidra
