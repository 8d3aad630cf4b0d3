#pragma once
// The opener's side of the dialog launch: caption, focus, and the dialog's context as its parameter.

#include <windows.h>

#include "dialogs/dialog_launch.h"

namespace kaleidra {

// Sets caption and focus in the launch record and runs the dialog modally over the main window,
// with the context (which names that launch record) as its parameter; false if it could not open.
bool openDialog(const wchar_t* templateName, DLGPROC procedure, const wchar_t* caption, int focusId,
                DialogContext& context);

}  // namespace kaleidra
