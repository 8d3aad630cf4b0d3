#include "app/open_dialog.h"

#include "app/program.h"

namespace kaleidra {

bool openDialog(const wchar_t* templateName, DLGPROC procedure, const wchar_t* caption, int focusId,
                DialogContext& context) {
    Program& p = program();
    p.dialogLaunch.caption = caption;
    p.dialogLaunch.focusId = focusId;
    context.launch = &p.dialogLaunch;
    return DialogBoxParamW(p.instance, templateName, p.mainWindow, procedure,
                           reinterpret_cast<LPARAM>(&context)) != -1;
}

}  // namespace kaleidra
