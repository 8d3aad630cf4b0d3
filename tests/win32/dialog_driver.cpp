#include "dialog_driver.h"

#include <cstring>

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
std::vector<HWND> focusRequests;

LRESULT CALLBACK recordFocusRequests(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS) focusRequests.push_back(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

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
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND openDialogWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND focusGivenAtOpening(HWND dialog) {
    for (HWND focus : focusRequests)
        if (IsChild(dialog, focus)) return focus;
    return nullptr;
}

void driveDialog(const std::function<void()>& open, std::vector<DialogStep> steps) {
    Drive drive{std::move(steps)};
    activeDrive = &drive;
    focusRequests.clear();
    HHOOK focusHook = SetWindowsHookExW(WH_CBT, recordFocusRequests, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, stepPeriodMs, onStepTimer);
    open();
    KillTimer(nullptr, timer);
    if (focusHook) UnhookWindowsHookEx(focusHook);
    activeDrive = nullptr;
    EXPECT_EQ(drive.next, drive.steps.size()) << "the dialog closed before its last step";
}

void clickControl(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void pressKey(HWND dialog, WPARAM virtualKey) {
    HWND focus = GetFocus();
    HWND target = focus && IsChild(dialog, focus) ? focus : dialog;
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::wstring controlText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
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
        DWORD required = (spec.style | WS_CHILD | WS_VISIBLE) & ~DWORD{WS_BORDER};
        if (std::string(spec.className) == "Button" && (spec.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            required &= ~DWORD{BS_DEFPUSHBUTTON};
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
        if (spec.text && !spec.sizedByContent) {
            wchar_t text[256] = {};
            GetWindowTextW(control, text, 256);
            EXPECT_EQ(std::wstring(text), spec.text);
        }
    }
}

namespace {

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::string className;
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    short x = 0, y = 0, width = 0, height = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// The predefined classes a template may name by number.
std::wstring classOfOrdinal(WORD ordinal) {
    switch (ordinal) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x83: return L"ListBox";
    case 0x84: return L"ScrollBar";
    case 0x85: return L"ComboBox";
    default: return L"?";
    }
}

// Class names are ASCII.
std::string narrowAscii(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

// Reads an extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items); texts stay
// UTF-16, as the template stores them.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* bytes) : bytes_(bytes) {}

    template <typename Value>
    Value read() {
        Value value;
        std::memcpy(&value, bytes_ + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    void skip(std::size_t count) { at_ += count; }
    void alignToDword() { at_ = (at_ + 3) & ~std::size_t{3}; }

    // A text, or 0xFFFF and an ordinal: a predefined class by number, or a resource's number.
    std::wstring text() {
        std::wstring wide;
        for (WORD c = read<WORD>(); c != 0; c = read<WORD>()) {
            if (c == 0xFFFF && wide.empty()) return classOfOrdinal(read<WORD>());
            wide.push_back(static_cast<wchar_t>(c));
        }
        return wide;
    }

private:
    const BYTE* bytes_;
    std::size_t at_ = 0;
};

DialogTemplate readDialogTemplate(const wchar_t* name) {
    DialogTemplate result;
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!found) return result;
    TemplateReader in(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))));
    in.skip(2 + 2 + 4 + 4);  // version, signature, help id, extended style
    result.style = in.read<DWORD>();
    const WORD count = in.read<WORD>();
    result.x = in.read<short>();
    result.y = in.read<short>();
    result.width = in.read<short>();
    result.height = in.read<short>();
    in.text();  // menu
    in.text();  // class
    result.title = in.text();
    if (result.style & DS_SETFONT) {
        result.pointSize = in.read<WORD>();
        in.skip(2 + 1 + 1);  // weight, italic, character set
        result.face = in.text();
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword();
        TemplateItem item;
        in.skip(4);  // help id
        item.exStyle = in.read<DWORD>();
        item.style = in.read<DWORD>();
        item.x = in.read<short>();
        item.y = in.read<short>();
        item.width = in.read<short>();
        item.height = in.read<short>();
        item.id = in.read<int>();
        item.className = narrowAscii(in.text());
        item.text = in.text();
        in.skip(in.read<WORD>());  // creation data
        result.items.push_back(item);
    }
    return result;
}

}  // namespace

void expectTemplate(const wchar_t* name, const DialogSpec& dialog, const std::vector<ControlSpec>& table) {
    const DialogTemplate stored = readDialogTemplate(name);
    EXPECT_EQ(stored.style, dialog.style) << std::hex << "dialog style 0x" << stored.style;
    EXPECT_EQ(stored.x, dialog.units.left);
    EXPECT_EQ(stored.y, dialog.units.top);
    EXPECT_EQ(stored.width, dialog.units.right);
    EXPECT_EQ(stored.height, dialog.units.bottom);
    EXPECT_EQ(stored.title, dialog.title);
    EXPECT_EQ(stored.pointSize, 9);
    EXPECT_EQ(stored.face, L"ＭＳ Ｐゴシック");

    ASSERT_EQ(stored.items.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TemplateItem& item = stored.items[i];
        const ControlSpec& spec = table[i];
        SCOPED_TRACE(::testing::Message() << "control #" << i + 1 << " (id " << spec.id << ")");
        EXPECT_EQ(item.id, spec.id);
        EXPECT_STRCASEEQ(item.className.c_str(), spec.className);
        EXPECT_EQ(item.style, spec.style | WS_CHILD | WS_VISIBLE) << std::hex << "style 0x" << item.style;
        EXPECT_EQ(item.exStyle, spec.exStyle);
        EXPECT_EQ(item.x, spec.units.left);
        EXPECT_EQ(item.y, spec.units.top);
        EXPECT_EQ(item.width, spec.units.right);
        EXPECT_EQ(item.height, spec.units.bottom);
        if (spec.text) {
            EXPECT_EQ(item.text, spec.text);
        }
    }
}

}  // namespace kaleidra::testing
