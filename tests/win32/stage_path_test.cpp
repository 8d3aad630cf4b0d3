// Stage paths that name no regular disk file, read as a game start reads them under Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/stage.h"
#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

std::int64_t aSecond() { return 1'700'000'000; }

std::vector<std::int32_t> coloursInCellOrder(const GameRecords& game) {
    std::vector<std::int32_t> colours;
    forEachInFieldCell(game.settings,
                       [&](std::int32_t col, std::int32_t row) { colours.push_back(game.colour(col, row)); });
    return colours;
}

GameRecords randomStage() {
    GameRecords game;
    game.chooseRules(9, 16);
    layoutCells(game.field);
    generateStage(game.field, game.state, game.settings, aSecond);
    return game;
}

struct StageStart {
    std::string path;
    GameRecords game;
};

DWORD WINAPI startStage(void* parameter) {
    auto* start = static_cast<StageStart*>(parameter);
    start->game = startWithStageFile(start->path, 9, 16, aSecond);
    return 0;
}

// Runs a game start on its own thread and waits generously: a start that blocks fails here instead
// of hanging the suite. A blocked thread can never be joined, so the process ends at once.
GameRecords startWithinWatchdog(const std::string& path) {
    const auto start = std::make_unique<StageStart>(StageStart{path, {}});
    HANDLE thread = CreateThread(nullptr, 0, startStage, start.get(), 0, nullptr);
    if (thread == nullptr) {
        ADD_FAILURE() << path << ": no thread";
        return {};
    }
    if (WaitForSingleObject(thread, 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << path << ": the game start still waits after 10 s";
        std::abort();
    }
    CloseHandle(thread);
    return start->game;
}

// Devices wait at their first byte, or answer with bytes that are no stage: none is read.
TEST(StagePath, ADeviceOrFolderGivesARandomStageWithoutWaiting) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    const char* const paths[] = {
        "CON",      "NUL",         "AUX",          "COM1",          "LPT1",
        "COM1.txt", "prn",         "lpt2.log",     "conin$",        "C:\\windows\\aux.txt",
        "\\\\.\\COM1", "\\\\.\\pipe\\kaleidra-none", "C:\\windows", folder.c_str(),
    };
    const std::vector<std::int32_t> random = coloursInCellOrder(randomStage());
    for (const char* path : paths) {
        const GameRecords game = startWithinWatchdog(path);
        EXPECT_EQ(coloursInCellOrder(game), random) << path;
    }
}

TEST(StagePath, ARegularFileIsRead) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kaleidra-stage-path.txt";
    std::ofstream(file, std::ios::binary) << "3";
    const GameRecords game = startWithStageFile(file.string(), 9, 16, aSecond);
    std::filesystem::remove(file);
    EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 0, 144, 0}));
}

}  // namespace
}  // namespace kaleidra
