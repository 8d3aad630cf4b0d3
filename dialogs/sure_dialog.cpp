#include "dialogs/sure_dialog.h"

#include "app/dialog_launch.h"

namespace kaleidra {

INT_PTR CALLBACK sureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        beginDialog(dialog);
        return 0;
    case WM_COMMAND:
        switch (recordDialogCommand(wParam)) {
        case sureOkId:
        case sureCancelId:
        case IDCANCEL:  // Escape
            EndDialog(dialog, 1);
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
