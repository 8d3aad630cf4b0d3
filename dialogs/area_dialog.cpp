#include "dialogs/area_dialog.h"

#include "dialogs/dialog_pictures.h"
#include "resource.h"

namespace kaleidra {

namespace {

int radioOf(PatternType type) { return IDC_TYPE_A + type; }

bool isPatternRadio(int id) { return id >= IDC_TYPE_A && id <= IDC_TYPE_G; }

void setChecked(HWND dialog, int id, bool checked) {
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void onInitDialog(HWND dialog, LPARAM launchParameter) {
    beginDialog(dialog, launchParameter);
    if (const auto* context = dialogContext<AreaDialogContext>(dialog))
        setChecked(dialog, radioOf(context->settings->patternType), true);
}

// The radios are plain ones: the dialog moves the check itself, and the pattern follows at once.
void choosePattern(HWND dialog, int radio) {
    auto* context = dialogContext<AreaDialogContext>(dialog);
    if (!context) return;
    setChecked(dialog, radioOf(context->settings->patternType), false);
    setChecked(dialog, radio, true);
    context->settings->patternType = static_cast<PatternType>(radio - IDC_TYPE_A);
}

void onCommand(HWND dialog, WPARAM wParam) {
    const int command = recordDialogCommand(dialog, wParam);
    if (isPatternRadio(command))
        choosePattern(dialog, command);
    else if (command == areaCloseId)
        EndDialog(dialog, 1);
    // Anything else, Escape among it, leaves the dialog open.
}

}  // namespace

INT_PTR CALLBACK areaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(dialog, wParam);
        return 1;
    case WM_DESTROY:
        releasePictures(dialog, nullptr);  // the seven previews the template loaded
        return 0;
    default:
        return 0;
    }
}

}  // namespace kaleidra
