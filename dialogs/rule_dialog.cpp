#include "dialogs/rule_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/unicode_text.h"
#include "dialogs/fitted_texts.h"
#include "resource.h"

namespace kaleidra {

namespace {

constexpr int fewestColumns = 3;
constexpr int mostColumns = 9;
constexpr int firstRowChoice = 2;  // the rows list offers 2 * i rows for i = 2..8
constexpr int lastRowChoice = 8;
constexpr int pathFieldLimit = static_cast<int>(stageFilePathUnits);

// Description, pattern, and the empty string that ends the chooser's filter list.
constexpr wchar_t stageFileFilter[] = L"すべてのファイル(*.*)\0*.*\0";

// A path as the chooser and the path field hold it: UTF-16 units and a terminator.
using PathText = wchar_t[stageFilePathUnits + 1];

using FileChooser = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The chooser's library is loaded when the player first browses: imported, it would bring the
// shell's libraries into every start of the program. It stays loaded, as an import would.
FileChooser loadFileChooser() {
    HMODULE library = LoadLibraryW(L"comdlg32.dll");
    if (!library) return nullptr;
    // Through the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<FileChooser>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "GetOpenFileNameW")));
}

// The stored path is UTF-8; the dialog's controls hold UTF-16.
std::wstring widePath(const GameSettings& settings) {
    const std::optional<std::u16string> units = utf16FromUtf8(settings.stageFilePath.data());
    return units ? std::wstring(units->begin(), units->end()) : std::wstring();
}

// A path that is not well-formed UTF-16 (a lone surrogate) or too long is not stored at all: the
// stage is then random, never read from another file.
void storePath(GameSettings& settings, std::wstring_view path) {
    const std::optional<std::string> utf8 = utf8FromUtf16(std::u16string(path.begin(), path.end()));
    setStageFilePath(settings, utf8 ? utf8->c_str() : "");
}

void addListNumber(HWND dialog, int id, int value) {
    const std::wstring text = std::to_wstring(value);
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void showTotal(HWND dialog, const GameSettings& settings) {
    SetDlgItemTextW(dialog, IDC_RULE_TOTAL, std::to_wstring(settings.totalPanels).c_str());
}

void showPath(HWND dialog, const GameSettings& settings) {
    SetDlgItemTextW(dialog, IDC_RULE_PATH, widePath(settings).c_str());
}

void enableFileChoice(HWND dialog, bool enabled) {
    EnableWindow(GetDlgItem(dialog, IDC_RULE_PATH), enabled);
    EnableWindow(GetDlgItem(dialog, IDC_RULE_BROWSE), enabled);
}

void checkSource(HWND dialog, StageSource source) {
    SendDlgItemMessageW(dialog, IDC_RULE_RANDOM, BM_SETCHECK,
                        source == StageSource::Random ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageW(dialog, IDC_RULE_FILE, BM_SETCHECK,
                        source == StageSource::File ? BST_CHECKED : BST_UNCHECKED, 0);
}

void onInitDialog(HWND dialog, LPARAM lParam) {
    beginDialog(dialog, lParam);
    const auto* context = dialogContext<RuleDialogContext>(dialog);
    if (!context) return;
    const GameSettings& settings = *context->settings;
    for (int columns = fewestColumns; columns <= mostColumns; ++columns)
        addListNumber(dialog, IDC_RULE_COLUMNS, columns);
    SendDlgItemMessageW(dialog, IDC_RULE_COLUMNS, CB_SETCURSEL,
                        static_cast<WPARAM>(settings.columnsPerRow - fewestColumns), 0);
    for (int i = firstRowChoice; i <= lastRowChoice; ++i) addListNumber(dialog, IDC_RULE_ROWS, 2 * i);
    SendDlgItemMessageW(dialog, IDC_RULE_ROWS, CB_SETCURSEL,
                        static_cast<WPARAM>(settings.rows / 2 - firstRowChoice), 0);
    showTotal(dialog, settings);
    SetDlgItemInt(dialog, IDC_RULE_PERCENTAGE, static_cast<UINT>(settings.clearPercentage), TRUE);
    // Whatever the player types must still fit the stored path at the close.
    SendDlgItemMessageW(dialog, IDC_RULE_PATH, EM_LIMITTEXT, pathFieldLimit, 0);
    showPath(dialog, settings);
    checkSource(dialog, settings.stageSource);
    if (settings.stageSource == StageSource::Random) enableFileChoice(dialog, false);
    fitOneLineTexts(dialog);
}

// Any command of a list, not only a new selection, brings the total in line with both lists.
void onColumnsList(HWND dialog, GameSettings& settings) {
    const LRESULT index = SendDlgItemMessageW(dialog, IDC_RULE_COLUMNS, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    setColumnsPerRow(settings, static_cast<std::int32_t>(index) + fewestColumns);
    showTotal(dialog, settings);
}

void onRowsList(HWND dialog, GameSettings& settings) {
    const LRESULT index = SendDlgItemMessageW(dialog, IDC_RULE_ROWS, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    setRows(settings, 2 * (static_cast<std::int32_t>(index) + firstRowChoice));
    showTotal(dialog, settings);
}

void onRandom(HWND dialog, GameSettings& settings) {
    checkSource(dialog, StageSource::Random);
    enableFileChoice(dialog, false);
    settings.stageSource = StageSource::Random;
}

void onFile(HWND dialog, GameSettings& settings) {
    checkSource(dialog, StageSource::File);
    enableFileChoice(dialog, true);
    showPath(dialog, settings);  // drops what was typed since the last close
    settings.stageSource = StageSource::File;
}

// The stage is read by the bare name, relative to the current directory. The chooser leaves that
// directory alone when a full path is typed into it, so the chosen file's folder is made current here.
void takeChosenFile(GameSettings& settings, const PathText& fullPath, WORD nameOffset,
                    const PathText& fileName) {
    const std::wstring folder(fullPath, std::min<std::size_t>(nameOffset, std::wcslen(fullPath)));
    if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
    storePath(settings, fileName);
}

void onBrowse(HWND dialog, GameSettings& settings) {
    // The chooser writes into buffers of its own: on a path too long for them it reports a failure
    // and leaves a needed size in the first bytes, which must never reach the stored path.
    PathText fullPath = {};
    PathText fileName = {};
    widePath(settings).copy(fullPath, stageFilePathUnits);  // a stored path has at most that many units
    // Moving through folders in the chooser changes the current directory even when it is cancelled.
    wchar_t startDirectory[MAX_PATH];
    const DWORD startLength = GetCurrentDirectoryW(std::size(startDirectory), startDirectory);

    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.lpstrFilter = stageFileFilter;
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = fullPath;
    chooser.nMaxFile = std::size(fullPath);
    chooser.lpstrFileTitle = fileName;
    chooser.nMaxFileTitle = std::size(fileName);
    const FileChooser chooseFile = loadFileChooser();
    const bool chosen = chooseFile && chooseFile(&chooser) != FALSE;
    fullPath[std::size(fullPath) - 1] = L'\0';
    fileName[std::size(fileName) - 1] = L'\0';

    if (chosen)
        takeChosenFile(settings, fullPath, chooser.nFileOffset, fileName);
    else if (startLength > 0 && startLength < std::size(startDirectory))
        SetCurrentDirectoryW(startDirectory);
    showPath(dialog, settings);
}

void onClose(HWND dialog, GameSettings& settings) {
    // One unit more than a stored path may hold: a longer text is refused as a whole rather than cut
    // into the name of another file (typing stops at the limit; text can still be put there).
    wchar_t path[stageFilePathUnits + 2] = {};
    GetDlgItemTextW(dialog, IDC_RULE_PATH, path, std::size(path));
    storePath(settings, path);
    // Signed and without a success flag: text that is no number reads as 0 and is clamped to 30.
    applyRules(settings,
               static_cast<std::int32_t>(GetDlgItemInt(dialog, IDC_RULE_PERCENTAGE, nullptr, TRUE)));
    EndDialog(dialog, 1);
}

void onCommand(HWND dialog, WPARAM wParam) {
    const int command = recordDialogCommand(dialog, wParam);
    const auto* context = dialogContext<RuleDialogContext>(dialog);
    if (!context) return;
    GameSettings& settings = *context->settings;
    switch (command) {
    case IDC_RULE_COLUMNS:
        onColumnsList(dialog, settings);
        break;
    case IDC_RULE_ROWS:
        onRowsList(dialog, settings);
        break;
    case IDC_RULE_RANDOM:
        onRandom(dialog, settings);
        break;
    case IDC_RULE_FILE:
        onFile(dialog, settings);
        break;
    case IDC_RULE_BROWSE:
        onBrowse(dialog, settings);
        break;
    case ruleCloseId:
        onClose(dialog, settings);
        break;
    default:  // Escape (IDCANCEL) and the edit fields' notifications
        break;
    }
}

}  // namespace

INT_PTR CALLBACK ruleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(dialog, wParam);
        return 1;
    case WM_DESTROY:
        releaseFittedFont(dialog);
        return 0;
    default:
        return 0;
    }
}

}  // namespace kaleidra
