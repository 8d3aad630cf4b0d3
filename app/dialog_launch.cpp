#include "app/dialog_launch.h"

#include "app/program.h"

namespace kaleidra {

bool openDialog(const char* templateName, DLGPROC procedure, const char* caption, int focusId) {
    Program& p = program();
    p.dialogLaunch.caption = caption;
    p.dialogLaunch.focusId = focusId;
    return DialogBoxParamA(p.instance, templateName, p.mainWindow, procedure, 0) != -1;
}

void beginDialog(HWND dialog) {
    const DialogLaunch& launch = program().dialogLaunch;
    SetWindowTextA(dialog, launch.caption);
    SetFocus(GetDlgItem(dialog, launch.focusId));
}

int recordDialogCommand(WPARAM commandParam) {
    const int command = LOWORD(commandParam);
    program().dialogLaunch.lastCommand = command;
    return command;
}

int lastDialogCommand() { return program().dialogLaunch.lastCommand; }

}  // namespace kaleidra
