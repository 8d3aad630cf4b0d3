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
#include "wide_text.h"

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

void writeFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << testing::utf8FromWide(path);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

TEST(StagePath, ARegularFileIsRead) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kaleidra-stage-path.txt";
    std::ofstream(file, std::ios::binary) << "3";
    const GameRecords game = startWithStageFile(file.string(), 9, 16, aSecond);
    std::filesystem::remove(file);
    EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 0, 144, 0}));
}

// Every character of a name counts: one outside code page 932 is not read as its look-alike in
// that code page, and one whose Shift-JIS bytes end in a backslash does not split the name into a
// device's.
TEST(StagePath, AFileIsReadByItsWholeName) {
    const std::wstring folder =
        (std::filesystem::temp_directory_path() / (L"kaleidra-names-" + std::to_wstring(GetCurrentProcessId())))
            .wstring();
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring names[] = {
        L"Café.txt", L"stäge.txt", L"k¥b.txt", L"Straße.txt", L"\u2126.txt", L"한글.txt",
        L"们.txt",   L"🎨.txt",    L"表CON",   L"ソAUX.txt",  L"能NUL",
    };
    for (const std::wstring& name : names) {
        const std::wstring path = folder + L"\\" + name;
        SCOPED_TRACE(testing::utf8FromWide(name));
        writeFile(path, "3");  // light blue everywhere
        // Where the code page spells the name by other characters, a file by that name: red.
        const std::wstring lookAlike = testing::throughShiftJis(path);
        const bool hasLookAlike = lookAlike != path && lookAlike.find(L'?') == std::wstring::npos &&
                                  lookAlike.rfind(L'\\') == path.rfind(L'\\');
        if (hasLookAlike) writeFile(lookAlike, "0");

        const GameRecords game = startWithStageFile(testing::utf8FromWide(path), 9, 16, aSecond);
        EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 0, 144, 0}));
        DeleteFileW(path.c_str());
        if (hasLookAlike) DeleteFileW(lookAlike.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kaleidra
