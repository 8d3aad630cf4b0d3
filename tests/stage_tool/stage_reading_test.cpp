#include <string>

#include "core/stage.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/loaded_stage.h"
#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

class StageReading : public ScratchFolder {};

// The tool must see the very field a game start builds from the same file, for every shape.
TEST_F(StageReading, GivesTheFieldTheGameBuildsFromTheSameFile) {
    const struct {
        const char* label;
        std::string bytes;
    } files[] = {
        {"digits", "0123456789"},
        {"CR LF pairs and a lone CR", "12\r\n3\r4\r\n"},
        {"CR CR LF", "1\r\r\n"},
        {"end mark inside", "3\x1A" "0000"},
        {"letters and spaces", "Kaleidra stage\tfile"},
        {"longer than any field", std::string(400, '7') + "1"},
    };
    const FieldSize sizes[] = {{9, 16}, {3, 4}, {8, 16}, {5, 8}, {4, 10}};
    for (const auto& file : files) {
        const std::string path = write("stage.txt", file.bytes);
        for (const FieldSize size : sizes) {
            SCOPED_TRACE(std::string(file.label) + " on " + std::to_string(size.columns) + "x" +
                         std::to_string(size.rows));
            GameSettings game = settingsFor(size, 70);
            game.stageSource = StageSource::File;
            ASSERT_TRUE(setStageFilePath(game, path.c_str()));
            Field gameField{};
            GameState gameState{};
            layoutCells(gameField);
            generateStage(gameField, gameState, game, [] { return std::int64_t{1}; });

            const StageLoad load = loadStageFile(path, settingsFor(size, 70));
            ASSERT_TRUE(load.loaded) << load.problem;
            EXPECT_EQ(load.stage.state.colourCounts, gameState.colourCounts);
            forEachInFieldCell(game, [&](std::int32_t col, std::int32_t row) {
                EXPECT_EQ(colourAt(load.stage, col, row),
                          gameField.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour)
                    << "cell (" << col << ", " << row << ")";
            });
        }
    }
}

TEST_F(StageReading, ReportsAFileThatGivesNoStageInsteadOfMakingARandomOne) {
    std::filesystem::create_directory(folder / "folder");
    const struct {
        const char* label;
        std::string path;
        const char* problem;
    } cases[] = {
        {"missing", path("missing.txt"), "no such file"},
        {"folder", path("folder"), "not a regular file"},
        {"empty", write("empty.txt", ""), "gives no stage"},
        {"end mark first", write("mark.txt", "\x1A" "123"), "gives no stage"},
        {"empty path", "", "no such file"},
    };
    for (const auto& c : cases) {
        const StageLoad load = loadStageFile(c.path, settingsFor({}, 70));
        EXPECT_FALSE(load.loaded) << c.label;
        EXPECT_NE(load.problem.find(c.problem), std::string::npos) << c.label << ": " << load.problem;
    }
}

}  // namespace
}  // namespace kaleidra::stage_tool
