#pragma once
// The dialog side of how every modal dialog is opened and tells its opener which command closed it.

#include <windows.h>

namespace kaleidra {

// Shared between a dialog and its opener.
struct DialogLaunch {
    int lastCommand;         // id of the last WM_COMMAND the open dialog received
    int focusId;             // control focused when the dialog opens
    const wchar_t* caption;  // replaces the template's title
};

// What a dialog is given as its launch parameter: the launch record, and in a derived context the
// records the dialog reads or edits.
struct DialogContext {
    DialogLaunch* launch;
};

// On WM_INITDIALOG: keeps the context with the dialog, then sets the caption and the focus (which a
// push button takes as the default button).
void beginDialog(HWND dialog, LPARAM launchParameter);
// On WM_COMMAND: stores the command id in the launch record and returns it.
int recordDialogCommand(HWND dialog, WPARAM commandParam);

// The context kept by beginDialog, as the dialog's own kind; null before WM_INITDIALOG.
template <typename Context>
Context* dialogContext(HWND dialog) {
    // The parameter is the opener's DialogContext pointer, so the way back goes through the base.
    return static_cast<Context*>(
        reinterpret_cast<DialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER)));
}

}  // namespace kaleidra
