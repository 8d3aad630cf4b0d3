#pragma once
// Drives a modal dialog from inside its own message loop, and checks a template's controls.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kaleidra::testing {

using DialogStep = std::function<void(HWND dialog)>;

// Calls open(), which runs a modal dialog and returns when it has closed. While the dialog is open,
// each step runs on its own timer tick, so that keys and clicks posted by one step are handled
// before the next. A dialog still open a while after the last step fails the test and is closed.
void driveDialog(const std::function<void()>& open, std::vector<DialogStep> steps);

// The dialog of this thread that is open now, or null.
HWND openDialogWindow();
// The control of the dialog that first got the keyboard focus since driveDialog began. Asked of
// GetFocus, the answer would depend on which test process holds the display's focus.
HWND focusGivenAtOpening(HWND dialog);

// A press of the control as the player's click would do it (BM_CLICK through the real button).
void clickControl(HWND dialog, int id);
// A key as typed: posted to the focused control, so that the dialog manager sees it.
void pressKey(HWND dialog, WPARAM virtualKey);

// As Windows holds it, in UTF-16.
std::wstring controlText(HWND dialog, int id);
bool isChecked(HWND dialog, int id);

// One control of a template, in template order; sizes in dialog units.
struct ControlSpec {
    int id;
    const char* className;  // "Button", "Static", "Edit", "ComboBox"
    DWORD style;            // the style bits that must be set (WS_CHILD | WS_VISIBLE are checked too)
    DWORD exStyle;          // the extended style bits that must be set
    RECT units;             // x, y, width, height in dialog units
    const wchar_t* text;    // nullptr: not compared; a picture's bitmap name in the template
    bool sizedByContent;    // a picture takes its bitmap's size: only its place is compared
};

// Compares the dialog's children, in creation order, with the table: ids, classes, styles, and
// rectangles in pixels against MapDialogRect of the units. Texts of pictures are not compared.
void expectControls(HWND dialog, const std::vector<ControlSpec>& table);

// The dialog itself as its template gives it; sizes in dialog units.
struct DialogSpec {
    DWORD style;
    RECT units;         // x, y, width, height
    const wchar_t* title;  // the template's own title
};

// Compares a dialog template resource byte for byte with the tables: the dialog's style, place,
// title and font ("ＭＳ Ｐゴシック", 9 points), and each control's whole style, extended style, id,
// class, place, size and text (a picture's text is its bitmap's name).
void expectTemplate(const wchar_t* name, const DialogSpec& dialog, const std::vector<ControlSpec>& table);

}  // namespace kaleidra::testing
