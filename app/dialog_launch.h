#pragma once
// How every modal dialog is opened and tells its opener which command closed it.

#include <windows.h>

namespace kaleidra {

// Sets caption and focus, runs the dialog modally over the main window; false if it could not open.
bool openDialog(const char* templateName, DLGPROC procedure, const char* caption, int focusId);

// The dialog side, for every dialog procedure.
void beginDialog(HWND dialog);                // on WM_INITDIALOG: caption and focus
int recordDialogCommand(WPARAM commandParam);  // on WM_COMMAND: stores and returns the command id
int lastDialogCommand();

}  // namespace kaleidra
