// The pattern, confirmation and result dialogs as their templates build them: place, caption,
// focus, and every control's id, class, styles and rectangle.
#include "app_fixture.h"
#include "dialog_driver.h"
#include "resource.h"

namespace kaleidra::testing {
namespace {

constexpr DWORD defaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD pushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD radio = BS_RADIOBUTTON;
constexpr DWORD groupBox = BS_GROUPBOX;
constexpr DWORD text = SS_LEFT | WS_GROUP;
constexpr DWORD rightText = SS_RIGHT | WS_GROUP;
constexpr DWORD picture = SS_BITMAP | SS_SUNKEN | WS_BORDER;

ControlSpec control(int id, const char* className, DWORD style, RECT units, const wchar_t* caption) {
    return {id, className, style, 0, units, caption, false};
}
ControlSpec pictureControl(int id, RECT units, const wchar_t* bitmap, DWORD extraStyle = 0) {
    return {id, "Static", picture | extraStyle, 0, units, bitmap, true};
}

constexpr DWORD dialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

const std::vector<ControlSpec>& areaTemplate() {
    static const std::vector<ControlSpec> controls = {
        control(1, "Button", defaultButton, {162, 200, 50, 14}, L"閉じる"),
        control(-1, "Button", groupBox, {2, 2, 220, 59}, L"操作パネル数：５"),
        pictureControl(-1, {17, 26, 13, 13}, L"IDB_SET_AREA1"),
        pictureControl(-1, {92, 26, 13, 13}, L"IDB_SET_AREA2"),
        control(IDC_TYPE_A, "Button", radio, {17, 12, 37, 11}, L"タイプA"),
        control(IDC_TYPE_B, "Button", radio, {92, 13, 35, 10}, L"タイプB"),
        control(-1, "Button", groupBox, {2, 68, 220, 59}, L"操作パネル数：９"),
        pictureControl(-1, {17, 92, 13, 13}, L"IDB_SET_AREA3"),
        pictureControl(-1, {92, 92, 13, 13}, L"IDB_SET_AREA4"),
        pictureControl(-1, {163, 92, 13, 13}, L"IDB_SET_AREA5"),
        control(IDC_TYPE_C, "Button", radio, {17, 78, 37, 11}, L"タイプC"),
        control(IDC_TYPE_D, "Button", radio, {92, 79, 35, 10}, L"タイプD"),
        control(IDC_TYPE_E, "Button", radio, {163, 79, 34, 10}, L"タイプＥ"),
        control(-1, "Button", groupBox, {2, 135, 220, 59}, L"操作パネル数：13"),
        pictureControl(-1, {17, 159, 13, 13}, L"IDB_SET_AREA6"),
        pictureControl(-1, {92, 159, 13, 13}, L"IDB_SET_AREA7"),
        control(IDC_TYPE_F, "Button", radio, {17, 145, 37, 11}, L"タイプＦ"),
        control(IDC_TYPE_G, "Button", radio, {92, 146, 35, 10}, L"タイプＧ"),
    };
    return controls;
}

const std::vector<ControlSpec>& sureTemplate() {
    static const std::vector<ControlSpec> controls = {
        control(1, "Button", defaultButton, {7, 7, 50, 14}, L"OK"),
        control(0, "Button", pushButton, {72, 7, 50, 14}, L"ｷｬﾝｾﾙ"),
    };
    return controls;
}

const std::vector<ControlSpec>& resultTemplate() {
    static const std::vector<ControlSpec> controls = {
        control(1, "Button", defaultButton, {26, 183, 50, 14}, L"タイトルへ戻る"),
        control(0, "Button", defaultButton, {93, 183, 50, 14}, L"終了する"),
        control(-1, "Static", text, {14, 71, 39, 8}, L"プレイ時間："),
        control(IDC_RESULT_TIME, "Static", text, {59, 71, 80, 8}, nullptr),
        control(-1, "Static", text, {11, 82, 41, 8}, L"パネル操作："),
        control(IDC_RESULT_OPERATIONS, "Static", text, {59, 82, 100, 8}, nullptr),
        control(-1, "Button", groupBox | BS_CENTER, {4, 4, 75, 50}, L"フィールドサイズ"),
        control(-1, "Static", text, {17, 17, 15, 8}, L"横 ："),
        control(-1, "Static", text, {53, 17, 15, 8}, L"マス"),
        control(IDC_RESULT_COLUMNS, "Static", rightText, {42, 17, 8, 8}, nullptr),
        control(-1, "Static", text, {17, 27, 15, 8}, L"縦 ："),
        control(-1, "Static", text, {53, 27, 15, 8}, L"マス"),
        control(IDC_RESULT_ROWS, "Static", rightText, {42, 27, 8, 8}, nullptr),
        control(-1, "Static", text, {12, 37, 20, 8}, L"合計："),
        control(-1, "Static", text, {53, 37, 15, 8}, L"マス"),
        control(IDC_RESULT_TOTAL, "Static", rightText, {36, 37, 14, 8}, nullptr),
        control(-1, "Button", groupBox, {85, 4, 77, 50}, L"クリアの条件"),
        control(-1, "Static", text, {91, 30, 65, 17}, L"フィールド上に同色のパネルをそろえる"),
        control(IDC_RESULT_CLEAR_TERMS, "Static", text, {92, 17, 61, 8}, nullptr),
        control(-1, "Button", groupBox, {4, 58, 158, 118}, L"ゲームの結果"),
        control(-1, "Button", groupBox, {14, 96, 138, 72}, L"パネルの数"),
        control(-1, "Static", text, {36, 108, 20, 8}, L"赤色："),
        control(IDC_RESULT_COUNT_RED, "Static", text, {62, 108, 27, 8}, nullptr),
        control(-1, "Static", text, {36, 119, 20, 8}, L"黄色："),
        control(IDC_RESULT_COUNT_YELLOW, "Static", text, {62, 119, 27, 8}, nullptr),
        control(-1, "Static", text, {36, 130, 20, 8}, L"緑色："),
        control(IDC_RESULT_COUNT_GREEN, "Static", text, {62, 130, 27, 8}, nullptr),
        control(-1, "Static", text, {36, 141, 20, 8}, L"水色："),
        control(IDC_RESULT_COUNT_LIGHT_BLUE, "Static", text, {62, 141, 27, 8}, nullptr),
        control(-1, "Static", text, {36, 152, 20, 8}, L"紫色："),
        control(IDC_RESULT_COUNT_PURPLE, "Static", text, {62, 152, 27, 8}, nullptr),
        control(IDC_RESULT_MARK_RED, "Static", text, {25, 108, 9, 8}, nullptr),
        control(IDC_RESULT_MARK_YELLOW, "Static", text, {25, 119, 9, 8}, nullptr),
        control(IDC_RESULT_MARK_GREEN, "Static", text, {25, 130, 9, 8}, nullptr),
        control(IDC_RESULT_MARK_LIGHT_BLUE, "Static", text, {25, 141, 9, 8}, nullptr),
        control(IDC_RESULT_MARK_PURPLE, "Static", text, {25, 152, 9, 8}, nullptr),
        pictureControl(IDC_RESULT_PICTURE, {96, 111, 20, 20}, L"IDB_RESULT_CLEAR", WS_GROUP),
    };
    return controls;
}

// The dialog's own place: its client area at dialog units from the main window's client origin.
void expectDialogFrame(HWND dialog, int x, int y, int width, int height, const wchar_t* caption,
                       int focusId) {
    RECT units{x, y, width, height};
    MapDialogRect(dialog, &units);
    POINT mainOrigin{0, 0};
    ClientToScreen(program().mainWindow, &mainOrigin);
    POINT dialogOrigin{0, 0};
    ClientToScreen(dialog, &dialogOrigin);
    EXPECT_EQ(dialogOrigin.x, mainOrigin.x + units.left);
    EXPECT_EQ(dialogOrigin.y, mainOrigin.y + units.top);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | DS_MODALFRAME), WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    EXPECT_EQ(style & WS_SYSMENU, 0u) << "no system menu, no close box";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program().mainWindow);

    wchar_t shown[64] = {};
    GetWindowTextW(dialog, shown, 64);
    EXPECT_EQ(std::wstring(shown), caption);
    EXPECT_EQ(focusGivenAtOpening(dialog), GetDlgItem(dialog, focusId));
}

TEST(StoredTemplate, PatternDialog) {
    expectTemplate(L"IDD_AREA", {dialogStyle, {0, 0, 227, 221}, L"パネル操作範囲の設定"}, areaTemplate());
}

TEST(StoredTemplate, ConfirmationDialog) {
    expectTemplate(L"IDD_SURE", {dialogStyle, {100, 100, 129, 29}, L"確認ダイアログ"}, sureTemplate());
}

TEST(StoredTemplate, ResultDialog) {
    expectTemplate(L"IDD_RESULT", {dialogStyle, {0, 0, 166, 201}, L"ゲーム結果"}, resultTemplate());
}

TEST_F(AppTest, PatternDialogTemplate) {
    sendCommand(IDM_START);
    driveDialog([] { sendCommand(IDM_PATTERN); },
                {[](HWND dialog) {
                     expectDialogFrame(dialog, 0, 0, 227, 221, L"パネル操作範囲の設定", 1);
                     expectControls(dialog, areaTemplate());
                     // The radios are plain ones, which the dialog checks itself.
                     for (int id = IDC_TYPE_A; id <= IDC_TYPE_G; ++id)
                         EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK,
                                   BS_RADIOBUTTON);
                     clickControl(dialog, 1);
                 }});
}

TEST_F(AppTest, ConfirmationDialogTemplate) {
    sendCommand(IDM_START);
    driveDialog([] { sendCommand(IDM_END_GAME); },
                {[](HWND dialog) {
                     expectDialogFrame(dialog, 100, 100, 129, 29, L"ゲームを終了しますか？", 0);
                     expectControls(dialog, sureTemplate());
                     clickControl(dialog, 0);
                 }});
}

TEST_F(AppTest, ResultDialogTemplate) {
    sendCommand(IDM_START);
    driveDialog(
        [] { sendCommand(IDM_END_GAME); },
        {[](HWND sure) { clickControl(sure, 1); },
         [](HWND dialog) {
             expectDialogFrame(dialog, 0, 0, 166, 201, L"結果表示", 1);
             expectControls(dialog, resultTemplate());
             clickControl(dialog, 1);
         }});
}

}  // namespace
}  // namespace kaleidra::testing
