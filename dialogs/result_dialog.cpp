#include "dialogs/result_dialog.h"

namespace kaleidra {

namespace {

void onCommand(HWND dialog, WPARAM wParam) {
    switch (recordDialogCommand(dialog, wParam)) {
    case resultTitleId:
        EndDialog(dialog, 1);
        break;
    case resultQuitId:
        EndDialog(dialog, 1);
        if (const auto* context = dialogContext<ResultDialogContext>(dialog)) context->quitProgram();
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK resultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        beginDialog(dialog, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(dialog, wParam);
        return 1;
    default:
        return 0;
    }
}

}  // namespace kaleidra
