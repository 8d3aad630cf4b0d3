#include "dialogs/dialog_launch.h"

namespace kaleidra {

void beginDialog(HWND dialog, LPARAM launchParameter) {
    SetWindowLongPtrW(dialog, DWLP_USER, launchParameter);
    const auto* context = dialogContext<DialogContext>(dialog);
    if (!context) return;
    SetWindowTextW(dialog, context->launch->caption);
    SetFocus(GetDlgItem(dialog, context->launch->focusId));
}

int recordDialogCommand(HWND dialog, WPARAM commandParam) {
    const int command = LOWORD(commandParam);
    if (auto* context = dialogContext<DialogContext>(dialog)) context->launch->lastCommand = command;
    return command;
}

}  // namespace kaleidra
