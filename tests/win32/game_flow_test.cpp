// Starting a game, the clock, closing and quitting.
#include <array>
#include <numeric>
#include <ostream>
#include <string>

#include "app/startup.h"
#include "view/gdi.h"
#include "app_fixture.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

TEST_F(AppTest, StartingAGameShowsTheChildrenWithFreshCounters) {
    Program& p = program();
    p.state.elapsedSeconds = 77;
    p.state.operationCount = 12;
    p.state.flippedTotal = 60;
    p.settings.patternType = TypeF;

    sendCommand(IDM_START);

    EXPECT_EQ(p.state.phase, GamePhase::Playing);
    EXPECT_EQ(p.state.elapsedSeconds, 0);
    EXPECT_EQ(p.state.operationCount, 0);
    EXPECT_EQ(p.state.flippedTotal, 0);
    EXPECT_EQ(p.settings.patternType, TypeA);
    EXPECT_EQ(std::accumulate(p.state.colourCounts.begin(), p.state.colourCounts.end(), 0), 144);
    EXPECT_TRUE(IsWindowVisible(p.fieldWindow));
    EXPECT_TRUE(IsWindowVisible(p.statusWindow));
}

TEST_F(AppTest, ClockCountsSecondsWhilePlaying) {
    sendCommand(IDM_START);
    const DWORD started = GetTickCount();
    while (program().state.elapsedSeconds < 2 && GetTickCount() - started < 10000) pumpFor(10);
    EXPECT_EQ(program().state.elapsedSeconds, 2);
    EXPECT_GE(GetTickCount() - started, 1950u) << "one second per tick";
}

TEST_F(AppTest, NoClockOnTheTitleScreen) {
    pumpFor(1200);
    EXPECT_EQ(program().state.elapsedSeconds, 0);
}

TEST_F(AppTest, NewGameStopsAnOperationOfThePreviousGame) {
    Program& p = program();
    sendCommand(IDM_START);
    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 150));
    ASSERT_EQ(p.state.flip.busy, flipRunning);

    sendCommand(IDM_START);
    const Field fresh = p.field;
    pumpFor(600);  // long enough for the old operation to have advanced a panel

    EXPECT_EQ(p.state.flip.busy, flipIdle);
    EXPECT_EQ(p.state.flippedTotal, 0);
    for (std::size_t col = 0; col < latticeColumns; ++col)
        for (std::size_t row = 0; row < latticeRows; ++row)
            EXPECT_EQ(p.field.cells[col][row].colour, fresh.cells[col][row].colour);
}

struct WayOut {
    const char* name;
    bool playing;
    void (*end)();
};

void PrintTo(const WayOut& value, std::ostream* out) { *out << value.name; }

class WayOutTest : public AppTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(WayOutTest, ShutsDownOnceWithExitCodeZero) {
    Program& p = program();
    if (GetParam().playing) sendCommand(IDM_START);
    const BitmapAssets loaded = p.bitmaps;

    GetParam().end();

    WPARAM exitCode = 99;
    ASSERT_TRUE(quitMessageQueued(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    for (HBITMAP bitmap : loaded.handles) EXPECT_EQ(GetObjectType(bitmap), 0u);
    for (HBITMAP bitmap : p.bitmaps.handles) EXPECT_EQ(bitmap, nullptr);
    EXPECT_EQ(p.popupMenu, nullptr);

    const std::int32_t seconds = p.state.elapsedSeconds;
    const FlipSequence flip = p.state.flip;
    pumpFor(1200);
    EXPECT_EQ(p.state.elapsedSeconds, seconds) << "the clock must stop";
    EXPECT_EQ(p.state.flip.entryIndex, flip.entryIndex) << "so must a running operation";
    EXPECT_EQ(p.state.flip.frame, flip.frame);
    EXPECT_EQ(liveGdiResources(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WayOutTest,
    ::testing::Values(WayOut{"QuitFromTitleMenu", false, [] { sendCommand(IDM_QUIT); }},
                      WayOut{"CloseOnTitleScreen", false,
                             [] { SendMessageA(program().mainWindow, WM_CLOSE, 0, 0); }},
                      WayOut{"CloseDuringGame", true,
                             [] { SendMessageA(program().mainWindow, WM_CLOSE, 0, 0); }},
                      WayOut{"CloseDuringOperation", true,
                             [] {
                                 SendMessageA(program().fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON,
                                              0);
                                 SendMessageA(program().mainWindow, WM_CLOSE, 0, 0);
                             }}),
    [](const ::testing::TestParamInfo<WayOut>& test) { return std::string(test.param.name); });

std::string windowsPath(const char* path) {
    if (path[0] != '/') return path;
    // A Unix path, seen through Wine's Z: drive.
    std::string result("Z:");
    result.append(path);
    for (char& c : result)
        if (c == '/') c = '\\';
    return result;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// The game's main window, looked up by process: other tests may have "Kaleidra" windows too.
HWND mainWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (owner != s->processId || std::string(className) != "Kaleidra") return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD runGameAndClose(UINT closingMessage, WPARAM wParam) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine(1, '"');
    commandLine.append(windowsPath(KALEIDRA_EXE)).push_back('"');
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1000;
    WaitForInputIdle(process.hProcess, 10000);
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i) {
        window = mainWindowOf(process.dwProcessId);
        if (!window) Sleep(50);
    }
    DWORD exitCode = 2000;
    if (window) {
        PostMessageA(window, closingMessage, wParam, 0);
        if (WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
    }
    TerminateProcess(process.hProcess, 3000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

TEST(GameProcess, EndsWithExitCodeZero) {
    EXPECT_EQ(runGameAndClose(WM_CLOSE, 0), 0u);
    EXPECT_EQ(runGameAndClose(WM_COMMAND, IDM_QUIT), 0u);
}

}  // namespace
}  // namespace kaleidra::testing
