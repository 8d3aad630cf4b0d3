#include "dialogs/dialog_launch.h"

namespace kaleidra {

void beginDialog(HWND dialog, LPARAM launchParameter) {
    SetWindowLongPtrW(dialog, DWLP_USER, launchParameter);
    const auto* context = dialogContext<DialogContext>(dialog);
    if (!context) return;
    SetWindowTextW(dialog, context->launch->caption);
    // As the dialog manager gives it, not by SetFocus: a push button that gets the focus so becomes
    // the default one too, so that Return presses the button the player sees focused.
    HWND focus = GetDlgItem(dialog, context->launch->focusId);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
}

int recordDialogCommand(HWND dialog, WPARAM commandParam) {
    const int command = LOWORD(commandParam);
    if (auto* context = dialogContext<DialogContext>(dialog)) context->launch->lastCommand = command;
    return command;
}

}  // namespace kaleidra
