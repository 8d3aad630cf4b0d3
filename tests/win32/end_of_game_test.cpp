// Ending a game: the confirmation's three answers, the result's texts and picture, and the two ways
// out of the result.
#include <functional>
#include <ostream>
#include <string>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

bool isTitleMenu(HMENU menu) { return menu && GetMenuItemID(menu, 0) == IDM_RULES; }

// A game whose clock the test keeps: the counts and the time are the test's own.
class EndOfGameTest : public AppTest {
protected:
    void startGame() {
        sendCommand(IDM_START);
        KillTimer(program().statusWindow, clockTimerId);
    }

    static void endGame(std::vector<DialogStep> steps) {
        driveDialog([] { sendCommand(IDM_END_GAME); }, std::move(steps));
    }
};

struct Answer {
    const char* name;
    DialogStep give;
    int lastCommand;
    bool ends;
};

void PrintTo(const Answer& value, std::ostream* out) { *out << value.name; }

class ConfirmationTest : public EndOfGameTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(ConfirmationTest, OnlyOkEndsTheGame) {
    Program& p = program();
    sendCommand(IDM_START);  // with its clock running
    std::vector<DialogStep> steps{GetParam().give};
    if (GetParam().ends) steps.push_back([](HWND result) { clickControl(result, 1); });
    endGame(steps);

    EXPECT_EQ(p.dialogLaunch.lastCommand, GetParam().ends ? 1 : GetParam().lastCommand);
    if (GetParam().ends) {
        EXPECT_EQ(p.state.phase, GamePhase::Title);
        return;
    }
    EXPECT_EQ(p.state.phase, GamePhase::Playing);
    EXPECT_TRUE(IsWindowVisible(p.fieldWindow));
    const DWORD started = GetTickCount();
    while (p.state.elapsedSeconds < 1 && GetTickCount() - started < 5000) pumpFor(10);
    EXPECT_EQ(p.state.elapsedSeconds, 1) << "the clock goes on";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfirmationTest,
    ::testing::Values(Answer{"Ok", [](HWND d) { clickControl(d, 1); }, 1, true},
                      Answer{"Cancel", [](HWND d) { clickControl(d, 0); }, 0, false},
                      Answer{"Escape", [](HWND d) { pressKey(d, VK_ESCAPE); }, 2, false}),
    [](const ::testing::TestParamInfo<Answer>& test) { return std::string(test.param.name); });

TEST_F(EndOfGameTest, ClockCountsOnWhileTheConfirmationIsOpen) {
    Program& p = program();
    sendCommand(IDM_START);
    std::vector<DialogStep> steps(1300 / 30, [](HWND) {});  // over a second of open dialog
    steps.push_back([](HWND sure) { clickControl(sure, 0); });
    endGame(steps);
    EXPECT_GE(p.state.elapsedSeconds, 1);
}

TEST_F(EndOfGameTest, ResultOfAClearedGame) {
    Program& p = program();
    startGame();
    p.state.elapsedSeconds = 3725;
    p.state.operationCount = 12;
    p.state.flippedTotal = 60;
    p.state.colourCounts = {100, 20, 10, 9, 5};  // red exactly at the target of 100
    endGame({[](HWND sure) { clickControl(sure, 1); },
             [&](HWND result) {
                 EXPECT_EQ(controlText(result, IDC_RESULT_COLUMNS), L"9");
                 EXPECT_EQ(controlText(result, IDC_RESULT_ROWS), L"16");
                 EXPECT_EQ(controlText(result, IDC_RESULT_TOTAL), L"144");
                 EXPECT_EQ(controlText(result, IDC_RESULT_CLEAR_TERMS), L" 70％ (100マス)");
                 EXPECT_EQ(controlText(result, IDC_RESULT_TIME), L"3725 秒　(01:02:05)");
                 EXPECT_EQ(controlText(result, IDC_RESULT_OPERATIONS), L"12 回　(トータル 60 枚)");
                 const wchar_t* marks[] = {L"☆", L"×", L"×", L"×", L"×"};
                 const wchar_t* counts[] = {L"100 枚", L" 20 枚", L" 10 枚", L"  9 枚", L"  5 枚"};
                 for (int k = 0; k < 5; ++k) {
                     EXPECT_EQ(controlText(result, IDC_RESULT_MARK_RED + k), marks[k]) << k;
                     EXPECT_EQ(controlText(result, IDC_RESULT_COUNT_RED + k), counts[k]) << k;
                 }
                 EXPECT_EQ(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(
                               result, IDC_RESULT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                           p.bitmaps[BitmapId::ResultClear]);
                 clickControl(result, 1);
             }});
}

TEST_F(EndOfGameTest, ResultOfAGameNotCleared) {
    Program& p = program();
    startGame();
    p.state.colourCounts = {99, 45, 0, 0, 0};
    endGame({[](HWND sure) { clickControl(sure, 1); },
             [&](HWND result) {
                 EXPECT_EQ(controlText(result, IDC_RESULT_TIME), L"0 秒　(00:00:00)");
                 for (int k = 0; k < 5; ++k)
                     EXPECT_EQ(controlText(result, IDC_RESULT_MARK_RED + k), L"×") << k;
                 EXPECT_EQ(controlText(result, IDC_RESULT_COUNT_RED), L" 99 枚");
                 EXPECT_EQ(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(
                               result, IDC_RESULT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                           p.bitmaps[BitmapId::ResultNotClear]);
                 clickControl(result, 1);
             }});
}

TEST_F(EndOfGameTest, ResultShowsTheTimeTheClockStoppedAt) {
    Program& p = program();
    sendCommand(IDM_START);
    p.state.elapsedSeconds = 59;
    std::wstring shown;
    endGame({[](HWND sure) { clickControl(sure, 1); },
             [](HWND) { pumpFor(1200); },  // the clock stopped with the confirmation's OK
             [&](HWND result) {
                 shown = controlText(result, IDC_RESULT_TIME);
                 clickControl(result, 1);
             }});
    EXPECT_EQ(shown, L"59 秒　(00:00:59)");
    EXPECT_EQ(p.state.elapsedSeconds, 59);
}

TEST_F(EndOfGameTest, EscapeLeavesTheResultOpen) {
    startGame();
    endGame({[](HWND sure) { clickControl(sure, 1); },
             [](HWND result) { pressKey(result, VK_ESCAPE); },
             [](HWND result) {
                 EXPECT_EQ(program().dialogLaunch.lastCommand, IDCANCEL);
                 clickControl(result, 1);
             }});
    EXPECT_EQ(program().state.phase, GamePhase::Title);
}

TEST_F(EndOfGameTest, BackToTheTitleThenASecondGameStartsAfresh) {
    Program& p = program();
    startGame();
    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    p.settings.patternType = TypeG;
    p.state.elapsedSeconds = 40;
    endGame({[](HWND sure) { clickControl(sure, 1); }, [](HWND result) { clickControl(result, 1); }});

    EXPECT_EQ(p.state.phase, GamePhase::Title);
    EXPECT_FALSE(IsWindowVisible(p.fieldWindow));
    EXPECT_FALSE(IsWindowVisible(p.statusWindow));
    EXPECT_TRUE(isTitleMenu(p.popupMenu));
    pumpFor(1100);
    EXPECT_EQ(p.state.elapsedSeconds, 40) << "no clock on the title screen";

    sendCommand(IDM_START);
    EXPECT_EQ(p.state.elapsedSeconds, 0);
    EXPECT_EQ(p.state.operationCount, 0);
    EXPECT_EQ(p.state.flippedTotal, 0);
    EXPECT_EQ(p.settings.patternType, TypeA);
    EXPECT_EQ(p.state.flip.busy, flipIdle);
}

TEST_F(EndOfGameTest, QuitFromTheResultEndsTheProgram) {
    Program& p = program();
    startGame();
    endGame({[](HWND sure) { clickControl(sure, 1); }, [](HWND result) { clickControl(result, 0); }});

    WPARAM exitCode = 99;
    ASSERT_TRUE(quitMessageQueued(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(p.shutDown);
    EXPECT_EQ(p.popupMenu, nullptr) << "no title menu comes back";
    EXPECT_NE(p.state.phase, GamePhase::Title) << "the title screen is not shown again";
}

}  // namespace
}  // namespace kaleidra::testing
