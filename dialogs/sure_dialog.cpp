#include "dialogs/sure_dialog.h"

#include "dialogs/dialog_launch.h"

namespace kaleidra {

INT_PTR CALLBACK sureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        beginDialog(dialog, lParam);
        return 0;
    case WM_COMMAND:
        // Any command closes it: OK leaves 1, Cancel 0, Escape 2; only 1 ends the game.
        recordDialogCommand(dialog, wParam);
        EndDialog(dialog, 1);
        return 1;
    default:
        return 0;
    }
}

}  // namespace kaleidra
