#include "dialog_driver.h"

namespace kaleidra::testing {

namespace {

constexpr UINT stepPeriodMs = 30;
constexpr int closeAfterTicks = 10000 / stepPeriodMs;

struct Drive {
    std::vector<DialogStep> steps;
    std::size_t next = 0;
    int idleTicks = 0;
};

Drive* activeDrive = nullptr;

void CALLBACK onStepTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = openDialogWindow();
    if (!activeDrive || !dialog) return;
    if (activeDrive->next < activeDrive->steps.size()) {
        activeDrive->steps[activeDrive->next++](dialog);
        return;
    }
    if (++activeDrive->idleTicks < closeAfterTicks) return;
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "the dialog was still open after its last step";
    EndDialog(dialog, 1);
}

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND openDialogWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void driveDialog(const std::function<void()>& open, std::vector<DialogStep> steps) {
    Drive drive{std::move(steps)};
    activeDrive = &drive;
    const UINT_PTR timer = SetTimer(nullptr, 0, stepPeriodMs, onStepTimer);
    open();
    KillTimer(nullptr, timer);
    activeDrive = nullptr;
    EXPECT_EQ(drive.next, drive.steps.size()) << "the dialog closed before its last step";
}

void clickControl(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void pressKey(HWND dialog, WPARAM virtualKey) {
    HWND focus = GetFocus();
    HWND target = focus && IsChild(dialog, focus) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
}

std::string controlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void expectControls(HWND dialog, const std::vector<ControlSpec>& table) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(children.size(), table.size());

    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlSpec& spec = table[i];
        HWND control = children[i];
        SCOPED_TRACE(::testing::Message() << "control #" << i + 1 << " (id " << spec.id << ")");
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(control))), spec.id);

        char className[32] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, spec.className);

        // The dialog manager turns a control's WS_BORDER into a client edge, and moves the default
        // push button's style with the focus.
        const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE));
        DWORD required = (spec.style | WS_CHILD | WS_VISIBLE) & ~WS_BORDER;
        if (std::string(spec.className) == "Button" && (spec.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            required &= ~BS_DEFPUSHBUTTON;
        EXPECT_EQ(style & required, required) << std::hex << "style 0x" << style;
        if (spec.style & WS_BORDER) {
            EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << "a border";
        }
        EXPECT_EQ(exStyle & spec.exStyle, spec.exStyle) << std::hex << "extended style 0x" << exStyle;

        // Place and size are mapped each on its own, as the dialog manager does.
        RECT expected = spec.units;
        MapDialogRect(dialog, &expected);
        RECT shown;
        GetWindowRect(control, &shown);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&shown), 2);
        EXPECT_EQ(shown.left, expected.left);
        EXPECT_EQ(shown.top, expected.top);
        if (!spec.sizedByContent) {
            EXPECT_EQ(shown.right - shown.left, expected.right);
            EXPECT_EQ(shown.bottom - shown.top, expected.bottom);
        }
        if (spec.text) {
            char text[256] = {};
            GetWindowTextA(control, text, sizeof text);
            EXPECT_STREQ(text, spec.text);
        }
    }
}

}  // namespace kaleidra::testing
