// The pattern dialog during a game: its radios, the choice taking effect at once, and the field and
// status panel afterwards.
#include "app_fixture.h"
#include "dialog_driver.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

int checkedRadio(HWND dialog) {
    int checked = 0;
    for (int id = IDC_TYPE_A; id <= IDC_TYPE_G; ++id)
        if (isChecked(dialog, id)) checked = checked ? -1 : id;  // -1: more than one
    return checked;
}

void choosePattern(std::vector<DialogStep> steps) {
    driveDialog([] { sendCommand(IDM_PATTERN); }, std::move(steps));
}

POINT centreOf(std::int32_t col, std::int32_t row) {
    const Cell& cell = programCell(col, row);
    return {cell.x + 32, cell.y + 16};
}

TEST_F(AppTest, PatternDialogOpensWithTypeAAfterAStart) {
    program().settings.patternType = TypeF;  // left from an earlier game
    sendCommand(IDM_START);
    choosePattern({[](HWND dialog) {
        EXPECT_EQ(checkedRadio(dialog), IDC_TYPE_A);
        clickControl(dialog, 1);
    }});
    EXPECT_EQ(program().settings.patternType, TypeA);
}

TEST_F(AppTest, RadioClickChangesThePatternAtOnce) {
    Program& p = program();
    sendCommand(IDM_START);
    choosePattern({[&](HWND dialog) {
                       clickControl(dialog, IDC_TYPE_F);
                       EXPECT_EQ(p.settings.patternType, TypeF) << "before the dialog closes";
                       EXPECT_EQ(checkedRadio(dialog), IDC_TYPE_F);
                       clickControl(dialog, IDC_TYPE_F);  // the checked one again
                       EXPECT_EQ(p.settings.patternType, TypeF);
                       EXPECT_EQ(checkedRadio(dialog), IDC_TYPE_F);
                       pressKey(dialog, VK_ESCAPE);
                   },
                   [&](HWND dialog) {
                       EXPECT_EQ(p.dialogLaunch.lastCommand, IDCANCEL) << "Escape arrived";
                       clickControl(dialog, IDC_TYPE_C);
                       EXPECT_EQ(checkedRadio(dialog), IDC_TYPE_C);
                       pressKey(dialog, VK_RETURN);  // Enter closes as the default button does
                   }});
    EXPECT_EQ(p.settings.patternType, TypeC);
    EXPECT_EQ(p.dialogLaunch.lastCommand, 1);
}

TEST_F(AppTest, AfterTheChoiceTheScreenShowsTheNewPatternAndTheNextClickUsesIt) {
    Program& p = program();
    sendCommand(IDM_START);
    KillTimer(p.statusWindow, clockTimerId);
    SendMessageA(p.fieldWindow, WM_PAINT, 0, 0);
    const Picture atRest = Picture::ofWindow(p.fieldWindow, 608, 288);
    const POINT centre = centreOf(6, 8);
    SendMessageA(p.fieldWindow, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ASSERT_FALSE(samePicture(Picture::ofWindow(p.fieldWindow, 608, 288), atRest)) << "highlighted";

    choosePattern({[](HWND dialog) {
        clickControl(dialog, IDC_TYPE_F);
        clickControl(dialog, 1);
    }});

    EXPECT_TRUE(samePicture(Picture::ofWindow(p.fieldWindow, 608, 288), atRest))
        << "the field is drawn afresh without the highlight";
    EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 511, 34, BitmapId::SetArea6, 0, 0, 80, 40));
    EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 564, 112, BitmapId::StatusChar, 16, 0, 16, 16));
    EXPECT_TRUE(blockMatchesBitmap(p.statusWindow, 580, 112, BitmapId::StatusChar, 48, 0, 16, 16));

    SendMessageA(p.fieldWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    KillTimer(p.fieldWindow, flipTimerId);
    for (int tick = 0; tick < 100 && p.state.flip.busy == flipRunning; ++tick)
        SendMessageA(p.fieldWindow, WM_TIMER, flipTimerId, 0);
    EXPECT_EQ(p.state.flippedTotal, 13);
}

}  // namespace
}  // namespace kaleidra::testing
