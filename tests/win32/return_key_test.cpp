// Return presses the button that shows the focus, in every dialog: at the opening and after one Tab.
// Return and Tab go through the dialog manager as typed keys do.
#include <ostream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "dialogs/result_dialog.h"
#include "dialogs/sure_dialog.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

DialogStep key(WPARAM virtualKey) {
    return [virtualKey](HWND dialog) { pressKey(dialog, virtualKey); };
}

// Tab as the dialog manager takes it: the focus, and with it the default push button, moves on to
// the next tab stop. Tabbed from the control focused at opening, not from GetFocus, which another
// test process on the display may have taken away.
DialogStep tab() {
    return [](HWND dialog) {
        HWND next = GetNextDlgTabItem(dialog, focusGivenAtOpening(dialog), FALSE);
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    };
}

DialogStep click(int id) {
    return [id](HWND dialog) { clickControl(dialog, id); };
}

struct ReturnCase {
    const char* name;
    UINT command;                  // the menu command that opens the first dialog
    std::vector<DialogStep> steps;  // each on its own tick, so that a key is handled before the next
    int lastCommand;               // the button Return pressed, or what closed the dialog it opened
    GamePhase phase;               // where the game stands afterwards
    bool quits;
};

void PrintTo(const ReturnCase& value, std::ostream* out) { *out << value.name; }

class ReturnKeyTest : public AppTest, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(ReturnKeyTest, PressesTheFocusedButton) {
    const ReturnCase& c = GetParam();
    Program& p = program();
    if (c.command != IDM_RULES) sendCommand(IDM_START);
    driveDialog([&] { sendCommand(c.command); }, c.steps);

    EXPECT_EQ(p.dialogLaunch.lastCommand, c.lastCommand);
    WPARAM exitCode = 1;
    EXPECT_EQ(quitMessageQueued(&exitCode), c.quits);
    if (!c.quits) {
        EXPECT_EQ(p.state.phase, c.phase);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ReturnKeyTest,
    ::testing::Values(
        ReturnCase{"RulesAtOpening", IDM_RULES, {key(VK_RETURN)}, 1, GamePhase::Title, false},
        // The percentage field takes the focus; the default button stays "閉じる".
        ReturnCase{"RulesAfterTab", IDM_RULES, {tab(), key(VK_RETURN)}, 1, GamePhase::Title, false},
        ReturnCase{"PatternAtOpening", IDM_PATTERN, {key(VK_RETURN)}, 1, GamePhase::Playing, false},
        ReturnCase{"PatternAfterTab", IDM_PATTERN, {tab(), key(VK_RETURN)}, 1, GamePhase::Playing, false},
        // The focus starts on "ｷｬﾝｾﾙ": Return goes on playing.
        ReturnCase{"ConfirmationAtOpening", IDM_END_GAME, {key(VK_RETURN)}, 0, GamePhase::Playing, false},
        ReturnCase{"ConfirmationAfterTab", IDM_END_GAME, {tab(), key(VK_RETURN), click(resultTitleId)}, 1,
                   GamePhase::Title, false},
        // The focus starts on "タイトルへ戻る": Return goes back to the title, never out of the program.
        ReturnCase{"ResultAtOpening", IDM_END_GAME, {click(sureOkId), key(VK_RETURN)}, 1, GamePhase::Title, false},
        ReturnCase{"ResultAfterTab", IDM_END_GAME, {click(sureOkId), tab(), key(VK_RETURN)}, 0,
                   GamePhase::Title, true}),
    [](const ::testing::TestParamInfo<ReturnCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace kaleidra::testing
