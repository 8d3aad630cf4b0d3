#include "app/game_flow.h"

#include <windows.h>

#include "app/open_dialog.h"
#include "app/popup_menu.h"
#include "app/program.h"
#include "app/startup.h"
#include "core/stage.h"
#include "dialogs/area_dialog.h"
#include "dialogs/result_dialog.h"
#include "dialogs/rule_dialog.h"
#include "dialogs/sure_dialog.h"

namespace kaleidra {

void chooseRules() {
    RuleDialogContext rules{};
    rules.settings = &program().settings;
    openDialog(L"IDD_RULE", ruleDialogProc, L"ルールの設定", ruleCloseId, rules);
}

void startGame() {
    Program& p = program();
    p.state.phase = GamePhase::Playing;
    resetForNewGame(p.state, p.settings);
    // The reset ended any operation of the previous game; its timer must not tick into this one.
    KillTimer(p.fieldWindow, flipTimerId);
    layoutCells(p.field);
    generateStage(p.field, p.state, p.settings);
    buildPopupMenu(destroyMenuKind);
    buildPopupMenu(gameMenuKind);
    ShowWindow(p.fieldWindow, SW_SHOW);
    ShowWindow(p.statusWindow, SW_SHOW);
    SetTimer(p.statusWindow, clockTimerId, clockTimerPeriodMs, nullptr);
}

void choosePattern() {
    Program& p = program();
    AreaDialogContext area{};
    area.settings = &p.settings;
    openDialog(L"IDD_AREA", areaDialogProc, L"パネル操作範囲の設定", areaCloseId, area);
    SendMessageW(p.fieldWindow, WM_PAINT, 0, 0);
    SendMessageW(p.statusWindow, WM_PAINT, 0, 0);
}

void endGame() {
    Program& p = program();
    DialogContext sure{};
    if (!openDialog(L"IDD_SURE", sureDialogProc, L"ゲームを終了しますか？", sureCancelId, sure) ||
        p.dialogLaunch.lastCommand != sureOkId || p.shutDown)
        return;
    KillTimer(p.statusWindow, clockTimerId);
    ResultDialogContext result{};
    result.settings = &p.settings;
    result.state = &p.state;
    result.bitmaps = &p.bitmaps;
    result.quitProgram = shutdownApplication;
    openDialog(L"IDD_RESULT", resultDialogProc, L"結果表示", resultTitleId, result);
    if (p.shutDown) return;  // the result dialog's quit button ended the program
    buildPopupMenu(destroyMenuKind);
    buildPopupMenu(titleMenuKind);
    ShowWindow(p.fieldWindow, SW_HIDE);
    ShowWindow(p.statusWindow, SW_HIDE);
    p.state.phase = GamePhase::Title;
}

}  // namespace kaleidra
