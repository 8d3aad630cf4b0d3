#include "app/startup.h"

#include "app/main_window.h"
#include "app/popup_menu.h"
#include "app/program.h"
#include "app/field_window.h"
#include "app/status_window.h"

namespace kaleidra {

namespace {

constexpr DWORD mainWindowStyle = WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD fieldWindowStyle = WS_CHILD | WS_DLGFRAME;
constexpr DWORD statusWindowStyle = WS_CHILD;
constexpr COLORREF statusNavy = RGB(0, 0, 128);
// The program's show command is for the main window: a child shown minimised or maximised would
// keep that state when a game shows it again, and lose its fixed size.
constexpr int childShowCommand = SW_SHOWNORMAL;

// The caption's small icon is loaded from the resource here: left to the system, it is the same
// image, but Wine makes it several times slower, a delay before the title appears. It lives as long
// as the class, that is the whole run.
HICON loadSmallIcon(HINSTANCE instance, const wchar_t* name) {
    return static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

constexpr UINT classStyle = CS_HREDRAW | CS_VREDRAW;
// The field and the status panel are drawn on every animation tick, outside WM_PAINT: with a DC
// of their own, GetDC need not work out the window's visible region each time (under Wine about a
// tenth of what an animation tick costs). The drawing code still gets and releases it every time.
constexpr UINT animatedClassStyle = classStyle | CS_OWNDC;

// iconName: nullptr for a class without an icon.
bool registerWindowClass(HINSTANCE instance, const wchar_t* className, UINT style, WNDPROC procedure,
                         const wchar_t* iconName, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    if (iconName) {
        windowClass.hIcon = LoadIconW(instance, iconName);
        windowClass.hIconSm = loadSmallIcon(instance, iconName);
    }
    windowClass.hCursor = LoadCursorW(instance, L"IDC_CURSOR");
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

HBRUSH whiteBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

HWND createWindow(const wchar_t* className, const wchar_t* caption, DWORD style, HWND parent, int x,
                  int y, int width, int height, int showCommand) {
    HWND window = CreateWindowExW(0, className, caption, style, x, y, width, height, parent, nullptr,
                                  program().instance, nullptr);
    if (window) ShowWindow(window, showCommand);
    return window;
}

}  // namespace

bool initApplication(HINSTANCE instance) {
    Program& p = program();
    p.state.phase = GamePhase::Title;
    p.mainWindowOrigin = {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION)};
    p.mainRepaintRect = {0, 0, mainClientWidth, mainClientHeight};
    p.statusRepaintRect = {0, 0, statusWidth, statusHeight};
    initPatternTable(p.patterns);
    const bool bitmapsLoaded = loadBitmapBatch(instance, p.bitmaps, BitmapBatch::Title);
    initDefaults(p.state, p.settings);
    buildPopupMenu(titleMenuKind);
    return bitmapsLoaded;
}

bool startApplication(HINSTANCE instance, HINSTANCE previousInstance, int showCommand) {
    Program& p = program();
    const int fx = GetSystemMetrics(SM_CXDLGFRAME);
    const int fy = GetSystemMetrics(SM_CYDLGFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int mainWidth = mainClientWidth + 2 * fx;
    const int mainHeight = mainClientHeight + 2 * fy + caption;

    // Drawing without the bitmaps would show garbage: a missing one ends start-up.
    if (!initApplication(instance)) return false;
    p.instance = instance;

    const bool registerClasses = previousInstance == nullptr;
    if (registerClasses &&
        !registerWindowClass(instance, L"Kaleidra", classStyle, mainWindowProc, L"IDI_ICON",
                             whiteBrush()))
        return false;
    p.mainWindow = createWindow(L"Kaleidra", L"Kaleidra", mainWindowStyle, nullptr, 0, 0, mainWidth,
                                mainHeight, showCommand);
    if (!p.mainWindow) return false;
    UpdateWindow(p.mainWindow);

    if (registerClasses &&
        !registerWindowClass(instance, L"Field Window", animatedClassStyle, fieldWindowProc, nullptr,
                             whiteBrush()))
        return false;
    // The vertical position uses the horizontal frame metric, as the field's menu placement does.
    p.fieldWindow = createWindow(L"Field Window", L"フィールド", fieldWindowStyle, p.mainWindow,
                                 16 - fx, 172 - 2 * fx, fieldClientWidth + 2 * fx,
                                 fieldClientHeight + 2 * fy, childShowCommand);
    if (!p.fieldWindow) return false;

    if (registerClasses && !registerWindowClass(instance, L"Status Window", animatedClassStyle,
                                                statusWindowProc, nullptr,
                                                CreateSolidBrush(statusNavy)))
        return false;
    p.statusWindow = createWindow(L"Status Window", L"ステータス", statusWindowStyle, p.mainWindow, 0,
                                  0, statusWidth, statusHeight, childShowCommand);
    if (!p.statusWindow) return false;

    // No message is processed since the children were created, so they never appear at start-up.
    ShowWindow(p.fieldWindow, SW_HIDE);
    ShowWindow(p.statusWindow, SW_HIDE);
    // The title is painted by now; what else the windows draw from is loaded before any message.
    return loadBitmapBatch(instance, p.bitmaps, BitmapBatch::Rest);
}

int runMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void shutdownApplication() {
    Program& p = program();
    if (p.shutDown) return;
    buildPopupMenu(destroyMenuKind);
    // A flip or clock tick still queued must not draw with the deleted bitmaps.
    if (p.fieldWindow) KillTimer(p.fieldWindow, flipTimerId);
    if (p.statusWindow) KillTimer(p.statusWindow, clockTimerId);
    deleteBitmapAssets(p.bitmaps);
    p.shutDown = true;
    PostQuitMessage(0);
}

int runKaleidra(HINSTANCE instance, HINSTANCE previousInstance, int showCommand) {
    if (!startApplication(instance, previousInstance, showCommand)) {
        shutdownApplication();
        return 0;
    }
    runMessageLoop();
    return 0;
}

}  // namespace kaleidra
