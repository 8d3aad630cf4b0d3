#include "dialogs/result_dialog.h"

#include "app/dialog_launch.h"
#include "app/startup.h"

namespace kaleidra {

INT_PTR CALLBACK resultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        beginDialog(dialog);
        return 0;
    case WM_COMMAND:
        switch (recordDialogCommand(wParam)) {
        case resultTitleId:
            EndDialog(dialog, 1);
            break;
        case resultQuitId:
            EndDialog(dialog, 1);
            shutdownApplication();
            break;
        default:
            break;
        }
        return 1;
    default:
        return 0;
    }
}

}  // namespace kaleidra
