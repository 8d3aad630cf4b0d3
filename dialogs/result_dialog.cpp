#include "dialogs/result_dialog.h"

#include <array>
#include <tuple>

#include "dialogs/dialog_pictures.h"
#include "dialogs/result_text.h"
#include "resource.h"

namespace kaleidra {

namespace {

constexpr UINT shiftJis = 932;

// The texts are Shift-JIS on every system: converted through code page 932 by name, never through
// the system's own code page, they read the same under any.
void showLine(HWND dialog, int id, const ResultLine& line) {
    std::array<wchar_t, std::tuple_size_v<ResultLine>> wide{};
    // A line's bytes end at its terminator, and no character takes fewer bytes than units.
    MultiByteToWideChar(shiftJis, 0, line.data(), -1, wide.data(), static_cast<int>(wide.size()));
    SetDlgItemTextW(dialog, id, wide.data());
}

// Every field once, as the game stands now; nothing is updated afterwards.
void showResult(HWND dialog, const ResultDialogContext& context) {
    const ResultTexts texts = formatResult(*context.settings, *context.state);
    showLine(dialog, IDC_RESULT_COLUMNS, texts.columns);
    showLine(dialog, IDC_RESULT_ROWS, texts.rows);
    showLine(dialog, IDC_RESULT_TOTAL, texts.total);
    showLine(dialog, IDC_RESULT_CLEAR_TERMS, texts.clearTerms);
    showLine(dialog, IDC_RESULT_TIME, texts.time);
    showLine(dialog, IDC_RESULT_OPERATIONS, texts.operations);
    for (int colour = 0; colour < panelColourCount; ++colour) {
        const auto k = static_cast<std::size_t>(colour);
        showLine(dialog, IDC_RESULT_MARK_RED + colour, texts.marks[k]);
        showLine(dialog, IDC_RESULT_COUNT_RED + colour, texts.counts[k]);
    }
    const BitmapId picture = texts.cleared ? BitmapId::ResultClear : BitmapId::ResultNotClear;
    // The control loaded the template's picture itself; once replaced, deleting it is ours to do.
    // Ours stays with the program, which deletes it at shutdown.
    const auto templatePicture = reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageW(dialog, IDC_RESULT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>((*context.bitmaps)[picture])));
    if (templatePicture) DeleteObject(templatePicture);
}

void onInitDialog(HWND dialog, LPARAM launchParameter) {
    beginDialog(dialog, launchParameter);
    if (const auto* context = dialogContext<ResultDialogContext>(dialog)) showResult(dialog, *context);
}

void onCommand(HWND dialog, WPARAM wParam) {
    switch (recordDialogCommand(dialog, wParam)) {
    case resultTitleId:
        EndDialog(dialog, 1);
        break;
    case resultQuitId:
        EndDialog(dialog, 1);
        if (const auto* context = dialogContext<ResultDialogContext>(dialog)) context->quitProgram();
        break;
    default:  // Escape among them: only the buttons leave the result
        break;
    }
}

}  // namespace

INT_PTR CALLBACK resultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(dialog, wParam);
        return 1;
    case WM_DESTROY:
        // The picture shown is the program's: taken out, never deleted with the dialog.
        if (const auto* context = dialogContext<ResultDialogContext>(dialog))
            releasePictures(dialog, context->bitmaps);
        return 0;
    default:
        return 0;
    }
}

}  // namespace kaleidra
