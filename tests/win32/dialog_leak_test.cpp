// Each dialog and the file chooser, opened and closed many times, leave no GDI object, window or
// memory behind: counted in the process, not through the program's own bookkeeping, since the
// leaks that matter here are the system controls' own.
#include <deque>
#include <functional>
#include <ostream>
#include <string>

#include "app_fixture.h"
#include "dialogs/result_dialog.h"
#include "dialogs/sure_dialog.h"
#include "process_objects.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

using Answer = std::function<void(HWND dialog)>;

// The n-th dialog that opens gets the n-th answer as soon as it has initialised, posted so that its
// own modal loop takes it: hundreds of openings in a few seconds.
std::deque<Answer> answers;

LRESULT CALLBACK answerOnOpening(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && !answers.empty()) {
        const Answer answer = answers.front();
        answers.pop_front();
        answer(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Answer command(int id) {
    return [id](HWND dialog) { PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); };
}

// The chooser is cancelled, then the rule dialog that opened it is closed.
void cancelChooserThenCloseRules(HWND chooser) {
    PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(GetWindow(chooser, GW_OWNER), WM_COMMAND, 1, 0);
}

struct Round {
    const char* name;
    bool inGame;
    UINT menuCommand;
    std::vector<Answer> answers;  // to the dialogs that open, in order
    bool startsAgain;             // the round ended the game
};

void PrintTo(const Round& value, std::ostream* out) { *out << value.name; }

class DialogLeakTest : public AppTest, public ::testing::WithParamInterface<Round> {
protected:
    void SetUp() override {
        AppTest::SetUp();
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, answerOnOpening, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        if (hook_) UnhookWindowsHookEx(hook_);
        answers.clear();
        AppTest::TearDown();
    }

    static void playRound(const Round& round) {
        answers.assign(round.answers.begin(), round.answers.end());
        sendCommand(round.menuCommand);
        EXPECT_TRUE(answers.empty()) << "a dialog did not open";
        if (round.startsAgain) sendCommand(IDM_START);
        pumpMessages();
    }

private:
    HHOOK hook_ = nullptr;
};

constexpr int rounds = 200;
// A little room for what the system caches now and then (the chooser once kept two more objects
// after 200 rounds): a leak of even one object a round leaves hundreds.
constexpr int objectRoom = 8;
constexpr std::size_t memoryRoom = 2 * 1024 * 1024;

TEST_P(DialogLeakTest, LeavesNothingBehind) {
    const Round& round = GetParam();
    if (round.inGame) sendCommand(IDM_START);
    KillTimer(program().statusWindow, clockTimerId);
    // The first openings may fill caches that stay (fonts, the chooser's library).
    for (int i = 0; i < 3; ++i) playRound(round);
    const int gdiObjects = gdiObjectCount();
    ASSERT_GT(gdiObjects, 0) << "the GDI handle table is readable";
    const int windows = windowCount();
    const std::size_t memory = privateBytes();

    for (int i = 0; i < rounds; ++i) playRound(round);

    EXPECT_LE(gdiObjectCount(), gdiObjects + objectRoom) << "from " << gdiObjects << " GDI objects";
    EXPECT_EQ(windowCount(), windows);
    EXPECT_LT(privateBytes(), memory + memoryRoom) << "from " << memory << " bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogLeakTest,
    ::testing::Values(Round{"Rules", false, IDM_RULES, {command(1)}, false},
                      Round{"Pattern", true, IDM_PATTERN, {command(1)}, false},
                      Round{"Confirmation", true, IDM_END_GAME, {command(sureCancelId)}, false},
                      Round{"Result", true, IDM_END_GAME, {command(sureOkId), command(resultTitleId)}, true},
                      Round{"FileChooser", false, IDM_RULES, {command(IDC_RULE_BROWSE), cancelChooserThenCloseRules},
                            false}),
    [](const ::testing::TestParamInfo<Round>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace kaleidra::testing
