// The windows as start-up leaves them: sizes, positions, styles, classes and the title menu.
#include <array>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

SIZE clientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

POINT clientOriginInMain(HWND child) {
    POINT origin{0, 0};
    MapWindowPoints(child, program().mainWindow, &origin, 1);
    return origin;
}

TEST_F(AppTest, MainWindowIsAFixedFrameWithAnExactClientArea) {
    HWND main = program().mainWindow;
    const SIZE client = clientSize(main);
    EXPECT_EQ(client.cx, 640);
    EXPECT_EQ(client.cy, 480);

    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right - outer.left, 640 + 2 * GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(outer.bottom - outer.top,
              480 + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION));

    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(IsWindowVisible(main));

    char caption[32] = {};
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Kaleidra");
}

TEST_F(AppTest, ChildWindowsAreHiddenAtTheirPlaces) {
    const Program& p = program();
    EXPECT_FALSE(IsWindowVisible(p.fieldWindow));
    EXPECT_FALSE(IsWindowVisible(p.statusWindow));

    const SIZE field = clientSize(p.fieldWindow);
    EXPECT_EQ(field.cx, 608);
    EXPECT_EQ(field.cy, 288);
    const int fx = GetSystemMetrics(SM_CXDLGFRAME);
    const int fy = GetSystemMetrics(SM_CYDLGFRAME);
    const POINT fieldOrigin = clientOriginInMain(p.fieldWindow);
    EXPECT_EQ(fieldOrigin.x, 16);
    EXPECT_EQ(fieldOrigin.y, 172 - 2 * fx + fy);

    const SIZE status = clientSize(p.statusWindow);
    EXPECT_EQ(status.cx, 640);
    EXPECT_EQ(status.cy, 160);
    const POINT statusOrigin = clientOriginInMain(p.statusWindow);
    EXPECT_EQ(statusOrigin.x, 0);
    EXPECT_EQ(statusOrigin.y, 0);
}

TEST_F(AppTest, EveryBitmapIsLoadedWhenStartUpEnds) {
    for (HBITMAP handle : program().bitmaps.handles) EXPECT_NE(handle, nullptr);
}

struct ClassCase {
    const char* name;
    UINT style;
    COLORREF background;
    bool hasIcon;
};

TEST_F(AppTest, WindowClassesHaveTheirStylesBackgroundsIconAndCursor) {
    const std::array<ClassCase, 3> cases = {{
        {"Kaleidra", CS_HREDRAW | CS_VREDRAW, RGB(255, 255, 255), true},
        {"Field Window", CS_HREDRAW | CS_VREDRAW | CS_OWNDC, RGB(255, 255, 255), false},
        {"Status Window", CS_HREDRAW | CS_VREDRAW | CS_OWNDC, RGB(0, 0, 128), false},
    }};
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.name);
        WNDCLASSA windowClass{};
        ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &windowClass));
        EXPECT_EQ(windowClass.style, c.style);
        LOGBRUSH brush{};
        ASSERT_NE(GetObjectA(windowClass.hbrBackground, sizeof brush, &brush), 0);
        EXPECT_EQ(brush.lbColor, c.background);
        EXPECT_EQ(windowClass.hIcon != nullptr, c.hasIcon);
        EXPECT_NE(windowClass.hCursor, nullptr);
    }
}

// An icon's colour and mask pixels, as 32-bit rows.
std::vector<DWORD> iconPixels(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    std::vector<DWORD> pixels;
    HDC screen = GetDC(nullptr);
    for (HBITMAP part : {info.hbmColor, info.hbmMask}) {
        BITMAP size{};
        GetObjectA(part, sizeof size, &size);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size.bmWidth;
        format.bmiHeader.biHeight = size.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        const std::size_t start = pixels.size();
        pixels.resize(start + static_cast<std::size_t>(size.bmWidth * size.bmHeight));
        GetDIBits(screen, part, 0, static_cast<UINT>(size.bmHeight), pixels.data() + start, &format,
                  DIB_RGB_COLORS);
        DeleteObject(part);
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(AppTest, SmallIconIsTheOneTheSystemWouldMakeFromTheResource) {
    HWND main = program().mainWindow;
    const auto small = reinterpret_cast<HICON>(GetClassLongPtrA(main, GCLP_HICONSM));
    ASSERT_NE(small, nullptr);
    const auto large = reinterpret_cast<HICON>(GetClassLongPtrA(main, GCLP_HICON));
    HICON systemMade =
        static_cast<HICON>(CopyImage(large, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                     GetSystemMetrics(SM_CYSMICON), LR_COPYFROMRESOURCE));
    ASSERT_NE(systemMade, nullptr);
    const std::vector<DWORD> expected = iconPixels(systemMade);
    DestroyIcon(systemMade);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(iconPixels(small), expected);
}

struct MenuEntry {
    UINT id;  // 0: separator
    const wchar_t* text;
};

void expectMenu(HMENU menu, const std::array<MenuEntry, 4>& expected) {
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const MenuEntry& entry = expected[static_cast<std::size_t>(i)];
        if (!entry.text) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(GetMenuItemID(menu, i), entry.id);
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), std::wstring(entry.text));
    }
}

TEST_F(AppTest, PopupMenuIsTheTitleMenuThenTheGameMenu) {
    expectMenu(program().popupMenu, {{{IDM_RULES, L"ルール設定 (&E)"},
                                      {IDM_START, L"ゲーム開始 (&S)"},
                                      {0, nullptr},
                                      {IDM_QUIT, L"終了する(&Q)"}}});
    SendMessageA(program().mainWindow, WM_COMMAND, IDM_START, 0);
    expectMenu(program().popupMenu, {{{IDM_CANCEL, L"キャンセル(&C)"},
                                      {IDM_PATTERN, L"パネル操作範囲の設定(&S)"},
                                      {0, nullptr},
                                      {IDM_END_GAME, L"ゲーム終了(&E)"}}});
}

// The texts are wide literals: a compiler that read the sources in another encoding than UTF-8
// would give them other characters.
TEST(WideLiterals, HoldTheJapaneseCharactersOfTheSource) {
    const std::wstring text = L"ゲーム開始";
    const std::wstring units = {0x30B2, 0x30FC, 0x30E0, 0x958B, 0x59CB};
    EXPECT_EQ(text, units);
}

// Every resource says it is Japanese, as the version block does.
struct ResourceLanguages {
    int count = 0;
    std::vector<std::wstring> others;  // type, name and language of each that is not
};

std::wstring resourceName(LPCWSTR name) {
    return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
}

BOOL CALLBACK countLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR found) {
    auto& languages = *reinterpret_cast<ResourceLanguages*>(found);
    ++languages.count;
    if (language != MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT))
        languages.others.push_back(resourceName(type) + L" " + resourceName(name) + L" " +
                                   std::to_wstring(language));
    return TRUE;
}

BOOL CALLBACK visitName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    EnumResourceLanguagesW(module, type, name, countLanguage, found);
    return TRUE;
}

BOOL CALLBACK visitType(HMODULE module, LPWSTR type, LONG_PTR found) {
    EnumResourceNamesW(module, type, visitName, found);
    return TRUE;
}

TEST(Resources, AreAllJapanese) {
    ResourceLanguages found;
    EnumResourceTypesW(nullptr, visitType, reinterpret_cast<LONG_PTR>(&found));
    EXPECT_GT(found.count, 0);
    for (const std::wstring& other : found.others) ADD_FAILURE() << other;
}

TEST_F(AppTest, WindowMoveStoresTheClientOriginAsSignedValues) {
    HWND main = program().mainWindow;
    SendMessageA(main, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(-40), static_cast<WORD>(-7)));
    EXPECT_EQ(program().mainWindowOrigin.x, -40);
    EXPECT_EQ(program().mainWindowOrigin.y, -7);
    SendMessageA(main, WM_MOVE, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(program().mainWindowOrigin.x, 300);
    EXPECT_EQ(program().mainWindowOrigin.y, 200);
}

}  // namespace
}  // namespace kaleidra::testing
