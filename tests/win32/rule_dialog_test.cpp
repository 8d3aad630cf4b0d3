// The rule dialog, opened from the title menu and driven from inside its modal loop: its template,
// what it shows, what each command changes, its close, and the file chooser.

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "app_fixture.h"
#include "core/field.h"
#include "dialog_driver.h"
#include "resource.h"
#include "view/gdi.h"
#include "wide_text.h"

namespace kaleidra::testing {
namespace {

void openRules() { SendMessageW(program().mainWindow, WM_COMMAND, IDM_RULES, 0); }

std::wstring storedPath() { return wideFromUtf8(program().settings.stageFilePath.data()); }

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::wstring listItem(HWND dialog, int id, int index) {
    wchar_t text[16] = {};
    if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < 16)
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> listItems(HWND dialog, int id) {
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(listItem(dialog, id, i));
    return items;
}

// A list choice as the player makes it: the selection moves, then the list tells the dialog.
void chooseListItem(HWND dialog, int id, int index, WORD notification = CBN_SELCHANGE) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void typeInto(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

void closeRules(HWND dialog) { clickControl(dialog, 1); }

// The current directory is the stage file's folder after a choice: every test starts where the
// previous one did.
class RuleDialogTest : public AppTest {
protected:
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, startDirectory_);
        AppTest::SetUp();
    }
    void TearDown() override {
        AppTest::TearDown();
        SetCurrentDirectoryW(startDirectory_);
    }

private:
    wchar_t startDirectory_[MAX_PATH] = {};
};

// ---------------------------------------------------------------------------------------------
// The template

ControlSpec staticText(const wchar_t* text, int x, int y, int width, int height) {
    return {-1, "Static", SS_LEFT | WS_GROUP, 0, {x, y, width, height}, text, false};
}

constexpr DWORD listStyle = CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// Every control with its whole style: nothing may be set beyond WS_CHILD | WS_VISIBLE and these.
const std::vector<ControlSpec>& ruleTemplate() {
    static const std::vector<ControlSpec> controls = {
        {1, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {94, 151, 50, 14}, L"閉じる", false},
        {-1, "Button", BS_GROUPBOX, 0, {2, 78, 152, 68}, L"ステージのパネルパターン", false},
        {IDC_RULE_RANDOM, "Button", BS_RADIOBUTTON, 0, {12, 90, 43, 10}, L"ランダム", false},
        {IDC_RULE_FILE, "Button", BS_RADIOBUTTON, 0, {12, 103, 84, 10}, L"ファイルから読み込む", false},
        {IDC_RULE_PATH, "Edit", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, {26, 116, 91, 14}, nullptr,
         false},
        {IDC_RULE_BROWSE, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, {121, 116, 26, 14}, L"参照", false},
        staticText(L"※ファイルが存在しないときはランダム", 27, 133, 122, 8),
        {-1, "Button", BS_GROUPBOX, 0, {2, 2, 76, 69}, L"フィールドのサイズ", false},
        {-1, "Button", BS_GROUPBOX, 0, {88, 2, 66, 69}, L"クリアの条件", false},
        {IDC_RULE_PERCENTAGE, "Edit", ES_NUMBER | ES_RIGHT | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0,
         {96, 14, 36, 12}, nullptr, false},
        staticText(L"％", 136, 17, 9, 8),
        staticText(L"フィールド上に\n同色のパネルを\nそろえると終了", 96, 40, 52, 26),
        staticText(L"横：", 16, 17, 13, 8),
        staticText(L"マス", 54, 17, 15, 9),
        staticText(L"合計：", 8, 51, 20, 8),
        staticText(L"マス", 54, 51, 15, 9),
        // A drop-down list's window is its closed box: only its place is compared on the screen.
        {IDC_RULE_COLUMNS, "ComboBox", listStyle, 0, {30, 15, 22, 122}, nullptr, true},
        staticText(L"縦：", 16, 33, 13, 8),
        staticText(L"マス", 54, 33, 15, 9),
        {IDC_RULE_ROWS, "ComboBox", listStyle, 0, {30, 31, 22, 134}, nullptr, true},
        {IDC_RULE_TOTAL, "Static", SS_LEFT | WS_GROUP, WS_EX_RIGHT, {30, 51, 19, 9}, nullptr, false},
        staticText(L"(30～100%)", 102, 29, 38, 8),
    };
    return controls;
}

RECT pixelsOf(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(dialog, &rect);
    return rect;
}

TEST(RuleTemplate, HoldsEveryControlWithItsWholeStyleAndSize) {
    expectTemplate(L"IDD_RULE",
                   {WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, {0, 0, 157, 170},
                    L"ルール設定"},
                   ruleTemplate());
}

TEST_F(RuleDialogTest, ControlsLieWhereTheTemplatePutsThem) {
    // A list keeps its scroll bar for its opened part, and a radio's tab stop follows its check mark.
    std::vector<ControlSpec> shown = ruleTemplate();
    for (ControlSpec& spec : shown) spec.style &= ~DWORD{WS_VSCROLL | WS_TABSTOP};
    driveDialog(openRules, {[&](HWND dialog) { expectControls(dialog, shown); }, closeRules});
}

// Whatever font stands in for the template's, no one-line label is cut: "(30～100%)" is wider in
// the IPA stand-in than its place.
TEST_F(RuleDialogTest, EveryOneLineLabelReadsWhole) {
    driveDialog(openRules, {[](HWND dialog) {
                                for (HWND label = GetWindow(dialog, GW_CHILD); label;
                                     label = GetWindow(label, GW_HWNDNEXT)) {
                                    wchar_t text[128] = {};
                                    const int length = GetWindowTextW(label, text, 128);
                                    wchar_t className[16] = {};
                                    GetClassNameW(label, className, 16);
                                    if (lstrcmpiW(className, L"Static") != 0 || length == 0) continue;
                                    RECT place;
                                    GetClientRect(label, &place);
                                    WindowDC dc(label);
                                    const HGDIOBJ previous = SelectObject(
                                        dc.get(), reinterpret_cast<HFONT>(
                                                      SendMessageW(label, WM_GETFONT, 0, 0)));
                                    SIZE needed{};
                                    GetTextExtentPoint32W(dc.get(), text, length, &needed);
                                    SelectObject(dc.get(), previous);
                                    if (place.bottom >= 2 * needed.cy) continue;  // several lines
                                    EXPECT_LE(needed.cx, place.right) << text;
                                }
                            },
                            closeRules});
}

TEST_F(RuleDialogTest, OpensOverTheClientAreaWithoutSystemMenuAndFocusOnClose) {
    driveDialog(openRules, {[](HWND dialog) {
                                const auto style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
                                const DWORD frame = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
                                EXPECT_EQ(style & frame, frame) << std::hex << style;
                                EXPECT_EQ(style & WS_SYSMENU, 0u) << "no system menu, no close box";

                                wchar_t caption[64] = {};
                                GetWindowTextW(dialog, caption, 64);
                                EXPECT_EQ(std::wstring(caption), L"ルールの設定");
                                EXPECT_EQ(focusGivenAtOpening(dialog), GetDlgItem(dialog, 1));

                                RECT client{};
                                GetClientRect(dialog, &client);
                                const RECT expected = pixelsOf(dialog, 0, 0, 157, 170);
                                EXPECT_EQ(client.right, expected.right);
                                EXPECT_EQ(client.bottom, expected.bottom);
                                POINT dialogOrigin{0, 0};
                                POINT mainOrigin{0, 0};
                                ClientToScreen(dialog, &dialogOrigin);
                                ClientToScreen(program().mainWindow, &mainOrigin);
                                EXPECT_EQ(dialogOrigin.x, mainOrigin.x);
                                EXPECT_EQ(dialogOrigin.y, mainOrigin.y);
                                EXPECT_EQ(GetWindow(dialog, GW_OWNER), program().mainWindow);
                            },
                            closeRules});
}

// ---------------------------------------------------------------------------------------------
// What the dialog shows at opening

struct Shown {
    const char* name;
    std::int32_t columns;
    std::int32_t rows;
    std::int32_t percentage;
    StageSource source;
    const wchar_t* path;
    // What the controls must show:
    int columnsIndex;
    int rowsIndex;
    const wchar_t* total;
    const wchar_t* percentageText;
};

void PrintTo(const Shown& value, std::ostream* out) { *out << value.name; }

class RuleDialogOpening : public RuleDialogTest, public ::testing::WithParamInterface<Shown> {};

TEST_P(RuleDialogOpening, ShowsTheRulesInEveryControl) {
    const Shown& shown = GetParam();
    GameSettings& settings = program().settings;
    if (shown.columns != 0) {
        setColumnsPerRow(settings, shown.columns);
        setRows(settings, shown.rows);
        applyRules(settings, shown.percentage);
        settings.stageSource = shown.source;
        setStageFilePath(settings, utf8FromWide(shown.path).c_str());
    }
    const bool fromFile = shown.source == StageSource::File;
    driveDialog(openRules,
                {[&](HWND dialog) {
                     EXPECT_EQ(listItems(dialog, IDC_RULE_COLUMNS),
                               (std::vector<std::wstring>{L"3", L"4", L"5", L"6", L"7", L"8", L"9"}));
                     EXPECT_EQ(listItems(dialog, IDC_RULE_ROWS),
                               (std::vector<std::wstring>{L"4", L"6", L"8", L"10", L"12", L"14", L"16"}));
                     EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_RULE_COLUMNS, CB_GETCURSEL, 0, 0),
                               shown.columnsIndex);
                     EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_RULE_ROWS, CB_GETCURSEL, 0, 0),
                               shown.rowsIndex);
                     EXPECT_EQ(controlText(dialog, IDC_RULE_TOTAL), shown.total);
                     EXPECT_EQ(controlText(dialog, IDC_RULE_PERCENTAGE), shown.percentageText);
                     EXPECT_EQ(controlText(dialog, IDC_RULE_PATH), shown.path);
                     EXPECT_EQ(isChecked(dialog, IDC_RULE_RANDOM), !fromFile);
                     EXPECT_EQ(isChecked(dialog, IDC_RULE_FILE), fromFile);
                     EXPECT_EQ(isEnabled(dialog, IDC_RULE_PATH), fromFile);
                     EXPECT_EQ(isEnabled(dialog, IDC_RULE_BROWSE), fromFile);
                 },
                 closeRules});
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RuleDialogOpening,
    ::testing::Values(
        Shown{"Defaults", 0, 0, 0, StageSource::Random, L"default.txt", 6, 6, L"144", L"70"},
        Shown{"SmallestFromFile", 3, 4, 30, StageSource::File, L"stages\\one.txt", 0, 0, L"12", L"30"},
        Shown{"MiddleRandomWithJapanesePath", 7, 12, 85, StageSource::Random, L"ステージ.txt", 4, 4,
              L"84", L"85"},
        Shown{"FullFromFile", 9, 16, 100, StageSource::File, L"", 6, 6, L"144", L"100"}),
    [](const ::testing::TestParamInfo<Shown>& test) { return std::string(test.param.name); });

// ---------------------------------------------------------------------------------------------
// Commands while the dialog is open

struct ListChoice {
    const char* name;
    int columnsIndex;  // -1: no selection
    int rowsIndex;
    WORD notification;
    std::int32_t columns;  // the rules and the total label afterwards
    std::int32_t rows;
    const wchar_t* total;
};

void PrintTo(const ListChoice& value, std::ostream* out) { *out << value.name; }

class RuleDialogLists : public RuleDialogTest, public ::testing::WithParamInterface<ListChoice> {};

TEST_P(RuleDialogLists, SizeAndTotalChangeAtOnceTargetAtTheClose) {
    const ListChoice& choice = GetParam();
    GameSettings& settings = program().settings;
    driveDialog(openRules,
                {[&](HWND dialog) {
                     chooseListItem(dialog, IDC_RULE_COLUMNS, choice.columnsIndex, choice.notification);
                     chooseListItem(dialog, IDC_RULE_ROWS, choice.rowsIndex, choice.notification);
                     EXPECT_EQ(settings.columnsPerRow, choice.columns);
                     EXPECT_EQ(settings.rows, choice.rows);
                     EXPECT_EQ(settings.totalPanels, choice.columns * choice.rows);
                     EXPECT_EQ(controlText(dialog, IDC_RULE_TOTAL), choice.total);
                     EXPECT_EQ(settings.clearTarget, 100) << "the target waits for the close";
                     EXPECT_EQ(settings.columnMargin, 0);
                 },
                 closeRules});
    EXPECT_EQ(settings.clearTarget, choice.columns * choice.rows * 70 / 100);
    EXPECT_EQ(settings.columnMargin, 9 - choice.columns);
    EXPECT_EQ(settings.rowMargin, (16 - choice.rows) / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RuleDialogLists,
    ::testing::Values(ListChoice{"ThreeByFour", 0, 0, CBN_SELCHANGE, 3, 4, L"12"},
                      ListChoice{"SevenByTwelve", 4, 4, CBN_SELCHANGE, 7, 12, L"84"},
                      // Any command of a list takes its selection, not only a change of it.
                      ListChoice{"FiveByTenOnClosingTheList", 2, 3, CBN_CLOSEUP, 5, 10, L"50"},
                      ListChoice{"NoSelectionChangesNothing", -1, -1, CBN_SELCHANGE, 9, 16, L"144"}),
    [](const ::testing::TestParamInfo<ListChoice>& test) { return std::string(test.param.name); });

TEST_F(RuleDialogTest, RadioCommandsSetTheSourceAndEnableThePathAtOnce) {
    GameSettings& settings = program().settings;
    driveDialog(openRules, {[&](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                EXPECT_EQ(settings.stageSource, StageSource::File);
                                EXPECT_TRUE(isChecked(dialog, IDC_RULE_FILE));
                                EXPECT_FALSE(isChecked(dialog, IDC_RULE_RANDOM));
                                EXPECT_TRUE(isEnabled(dialog, IDC_RULE_PATH));
                                EXPECT_TRUE(isEnabled(dialog, IDC_RULE_BROWSE));

                                clickControl(dialog, IDC_RULE_RANDOM);
                                EXPECT_EQ(settings.stageSource, StageSource::Random);
                                EXPECT_TRUE(isChecked(dialog, IDC_RULE_RANDOM));
                                EXPECT_FALSE(isChecked(dialog, IDC_RULE_FILE));
                                EXPECT_FALSE(isEnabled(dialog, IDC_RULE_PATH));
                                EXPECT_FALSE(isEnabled(dialog, IDC_RULE_BROWSE));
                            },
                            closeRules});
}

TEST_F(RuleDialogTest, ChoosingFileAgainDropsTheTypedPath) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, L"typed.txt");
                                clickControl(dialog, IDC_RULE_FILE);
                                EXPECT_EQ(controlText(dialog, IDC_RULE_PATH), L"default.txt");
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), L"default.txt");
    EXPECT_EQ(program().settings.stageSource, StageSource::File);
}

TEST_F(RuleDialogTest, TypedPathIsKeptAtTheCloseAlsoWithRandomChecked) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, L"stages\\typed.txt");
                                clickControl(dialog, IDC_RULE_RANDOM);
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), L"stages\\typed.txt");
    EXPECT_EQ(program().settings.stageSource, StageSource::Random);
}

TEST_F(RuleDialogTest, PathFieldTakesAtMost255Characters) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, L"");
                                HWND field = GetDlgItem(dialog, IDC_RULE_PATH);
                                for (int i = 0; i < 300; ++i) SendMessageW(field, WM_CHAR, L'面', 1);
                                EXPECT_EQ(GetWindowTextLengthW(field), 255);
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), std::wstring(255, L'面'));
}

std::wstring repeated(const std::wstring& part, int times) {
    std::wstring text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

// Text put into the field past the typing limit is not cut into the name of another file, and a
// text that is no well-formed UTF-16 is not mended into one: either gives a random stage.
TEST_F(RuleDialogTest, PathFieldTextIsStoredWholeOrNotAtAll) {
    const struct {
        const char* label;
        std::wstring text;
        bool kept;
    } cases[] = {
        {"255 ASCII characters", std::wstring(255, L'a'), true},
        {"256 ASCII characters", std::wstring(256, L'b'), false},
        {"255 units ending in a surrogate pair", std::wstring(253, L'c') + L"🎨", true},
        {"256 units of surrogate pairs", repeated(L"🎨", 128), false},
        {"a lone high surrogate", std::wstring(L"st") + wchar_t(0xD83C) + L".txt", false},
        {"a lone low surrogate", std::wstring(L"st") + wchar_t(0xDFA8) + L".txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        driveDialog(openRules, {[&](HWND dialog) {
                                    clickControl(dialog, IDC_RULE_FILE);
                                    typeInto(dialog, IDC_RULE_PATH, c.text);
                                },
                                closeRules});
        EXPECT_EQ(storedPath(), c.kept ? c.text : L"");
    }
}

TEST_F(RuleDialogTest, EscapeLeavesTheDialogOpenAndChangesNothing) {
    Program& p = program();
    driveDialog(openRules, {[](HWND dialog) {
                                typeInto(dialog, IDC_RULE_PERCENTAGE, L"40");
                                pressKey(dialog, VK_ESCAPE);
                            },
                            [&](HWND dialog) {
                                EXPECT_EQ(p.dialogLaunch.lastCommand, IDCANCEL);
                                EXPECT_TRUE(IsWindowVisible(dialog));
                                EXPECT_EQ(p.settings.clearPercentage, 70);
                                closeRules(dialog);
                            }});
    EXPECT_EQ(p.dialogLaunch.lastCommand, 1);
    EXPECT_EQ(p.settings.clearPercentage, 40);
}

// ---------------------------------------------------------------------------------------------
// The close

struct Entered {
    const char* name;
    const wchar_t* percentageText;
    bool byEnter;  // the default button takes Enter
    std::int32_t percentage;
    std::int32_t target;  // on the default 144 panels
};

void PrintTo(const Entered& value, std::ostream* out) { *out << value.name; }

class RuleDialogClose : public RuleDialogTest, public ::testing::WithParamInterface<Entered> {};

TEST_P(RuleDialogClose, ClampsThePercentageAndDerivesTheTarget) {
    const Entered& entered = GetParam();
    Program& p = program();
    driveDialog(openRules, {[&](HWND dialog) {
                                typeInto(dialog, IDC_RULE_PERCENTAGE, entered.percentageText);
                                if (entered.byEnter)
                                    pressKey(dialog, VK_RETURN);
                                else
                                    closeRules(dialog);
                            }});
    EXPECT_EQ(p.dialogLaunch.lastCommand, 1);
    EXPECT_EQ(p.settings.clearPercentage, entered.percentage);
    EXPECT_EQ(p.settings.clearTarget, entered.target);
}

INSTANTIATE_TEST_SUITE_P(
    Percentages, RuleDialogClose,
    ::testing::Values(Entered{"Above100", L"150", false, 100, 144},
                      Entered{"Below30", L"5", false, 30, 43},
                      Entered{"Empty", L"", false, 30, 43},
                      Entered{"Negative", L"-7", false, 30, 43},
                      Entered{"NotANumber", L"7O", false, 30, 43},
                      Entered{"SeventyTruncatesTheTarget", L"70", false, 70, 100},
                      Entered{"EnterClosesAsTheButton", L"85", true, 85, 122}),
    [](const ::testing::TestParamInfo<Entered>& test) { return std::string(test.param.name); });

// ---------------------------------------------------------------------------------------------
// The file chooser, driven through its own window as the player would use it

// Files and folders made for one test, removed at its end, in the reverse order.
class ScratchFiles {
public:
    ScratchFiles() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        // A new name each time: the chooser opens where it was last confirmed, which would hide a
        // choice that does not change the folder itself.
        root_ = std::wstring(temp) + L"kaleidra-rules-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(GetTickCount());
        addFolder(root_);
    }
    ~ScratchFiles() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
    }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    const std::wstring& root() const { return root_; }

    void addFolder(const std::wstring& path) {
        if (CreateDirectoryW(path.c_str(), nullptr)) made_.push_back(path);
    }
    // Every folder on the way from the root.
    void addFolders(const std::wstring& path) {
        for (std::size_t at = root_.size(); (at = path.find(L'\\', at + 1)) != std::wstring::npos;)
            addFolder(path.substr(0, at));
        addFolder(path);
    }
    void addFile(const std::wstring& path, const std::string& content) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        made_.push_back(path);
    }

private:
    std::wstring root_;
    std::vector<std::wstring> made_;
};

std::wstring currentDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, path);
    std::wstring text(path);
    if (!text.empty() && text.back() == L'\\') text.pop_back();
    return text;
}

// The chooser is the dialog that the rule dialog owns.
HWND chooserOver(HWND rules) {
    struct Search {
        HWND owner;
        HWND found;
    } search{rules, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the player does in the open chooser: type into its file name box (focused at opening) and
// press Enter, or press Escape. A folder typed so moves the chooser into it.
struct ChooserAction {
    std::wstring typed;  // empty: Escape
};

DialogStep chooserStep(const HWND& rules, const ChooserAction& action) {
    return [&rules, action](HWND) {
        HWND chooser = chooserOver(rules);
        ASSERT_NE(chooser, nullptr) << "the file chooser is not open";
        if (action.typed.empty()) {
            pressKey(chooser, VK_ESCAPE);
            return;
        }
        // The file name box by its id: the focus may be with another test's window.
        HWND nameBox = GetDlgItem(chooser, cmb13);
        if (!nameBox) nameBox = GetDlgItem(chooser, edt1);
        ASSERT_NE(nameBox, nullptr) << "the chooser has a file name box";
        SetWindowTextW(nameBox, action.typed.c_str());
        pressKey(chooser, VK_RETURN);
    };
}

// Browses from the rule dialog with the actions; the path field and the stored path must then hold
// the expected path, at once, before the dialog closes.
void browseInRules(const std::vector<ChooserAction>& actions, const std::wstring& expectedPath) {
    HWND rules = nullptr;
    std::vector<DialogStep> steps;
    steps.push_back([&](HWND dialog) {
        rules = dialog;
        clickControl(dialog, IDC_RULE_FILE);
        typeInto(dialog, IDC_RULE_PATH, L"typed.txt");
        PostMessageW(GetDlgItem(dialog, IDC_RULE_BROWSE), BM_CLICK, 0, 0);
    });
    for (const ChooserAction& action : actions) steps.push_back(chooserStep(rules, action));
    steps.push_back([&](HWND dialog) {
        EXPECT_EQ(chooserOver(rules), nullptr) << "the chooser is still open";
        EXPECT_EQ(controlText(dialog, IDC_RULE_PATH), expectedPath);
        EXPECT_EQ(storedPath(), expectedPath) << "stored at once, before the close";
        closeRules(dialog);
    });
    driveDialog(openRules, steps);
}

// The colours of the next game in cell order, started as the title menu starts it.
std::vector<int> coloursOfTheNextGame() {
    SendMessageW(program().mainWindow, WM_COMMAND, IDM_START, 0);
    KillTimer(program().statusWindow, clockTimerId);
    std::vector<int> colours;
    forEachInFieldCell(program().settings, [&](std::int32_t col, std::int32_t row) {
        colours.push_back(programCell(col, row).colour);
    });
    return colours;
}

struct ChooserCase {
    const char* name;
    std::vector<ChooserAction> (*actions)(const ScratchFiles& files);
    bool chosen;  // the stage file becomes pick.txt in the folder "other"
};

void PrintTo(const ChooserCase& value, std::ostream* out) { *out << value.name; }

std::wstring otherFolder(const ScratchFiles& files) { return files.root() + L"\\other"; }

// A folder path so long that pick.txt inside it needs 258 characters, more than the chooser's buffer.
std::wstring longFolder(const ScratchFiles& files) {
    constexpr std::size_t length = 258 - std::char_traits<wchar_t>::length(L"\\pick.txt");
    std::wstring path = files.root() + L"\\long";
    while (path.size() + 1 + 40 < length) path.append(1, L'\\').append(40, L'x');
    path.append(1, L'\\');
    path.append(length - path.size(), L'y');
    return path;
}

const ChooserCase chooserCases[] = {
    {"Cancel", [](const ScratchFiles&) { return std::vector<ChooserAction>{{L""}}; }, false},
    {"CancelAfterMovingToAnotherFolder",
     [](const ScratchFiles& files) { return std::vector<ChooserAction>{{otherFolder(files)}, {L""}}; },
     false},
    {"FileInAnotherFolder",
     [](const ScratchFiles& files) {
         return std::vector<ChooserAction>{{otherFolder(files) + L"\\pick.txt"}};
     },
     true},
    {"FullPathLongerThanTheBuffer",
     [](const ScratchFiles& files) {
         return std::vector<ChooserAction>{{longFolder(files) + L"\\pick.txt"}};
     },
     false},
};

class RuleDialogChooser : public RuleDialogTest, public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(RuleDialogChooser, LeavesAValidStoredPathAndTheRightFolder) {
    ScratchFiles files;
    files.addFolder(otherFolder(files));
    // Five colours, then a sixth byte that wraps to red: the stage shows where it was read from.
    files.addFile(otherFolder(files) + L"\\pick.txt", "432105");
    const std::wstring deepest = longFolder(files);
    files.addFolders(deepest);
    files.addFile(deepest + L"\\pick.txt", "0");
    ASSERT_EQ(deepest.size() + std::wcslen(L"\\pick.txt"), 258u);
    const std::wstring startDirectory = currentDirectory();

    const std::wstring expectedPath = GetParam().chosen ? L"pick.txt" : L"default.txt";
    browseInRules(GetParam().actions(files), expectedPath);

    const auto& stored = program().settings.stageFilePath;
    EXPECT_NE(std::find(stored.begin(), stored.end(), '\0'), stored.end()) << "terminated";
    EXPECT_EQ(storedPath(), expectedPath);
    EXPECT_EQ(currentDirectory(), GetParam().chosen ? otherFolder(files) : startDirectory);

    if (!GetParam().chosen) return;
    // The next game reads the chosen file by its bare name.
    const std::vector<int> colours = coloursOfTheNextGame();
    EXPECT_EQ(std::vector<int>(colours.begin(), colours.begin() + 6), (std::vector<int>{4, 3, 2, 1, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RuleDialogChooser, ::testing::ValuesIn(chooserCases),
    [](const ::testing::TestParamInfo<ChooserCase>& test) { return std::string(test.param.name); });

// ---------------------------------------------------------------------------------------------
// Names outside code page 932, each beside the file that its nearest spelling in that code page
// names: what a path squeezed through the code page would open instead.

struct UnicodeName {
    const char* name;
    const wchar_t* folder;  // under the scratch folder
    const wchar_t* file;
};

const UnicodeName unicodeNames[] = {
    {"AccentedFolder", L"a_Café", L"st.txt"},
    {"UmlautInTheName", L"plain", L"stäge.txt"},
    {"YenSignFolder", L"k_a¥b", L"st.txt"},
    {"SharpS", L"Straße", L"über.txt"},
    {"OhmSign", L"\u2126hm", L"st.txt"},
    {"Hangul", L"한국", L"한글.txt"},
    {"SimplifiedChinese", L"我们", L"们.txt"},
    {"Emoji", L"🎨", L"🎨.txt"},
};

void PrintTo(const UnicodeName& value, std::ostream* out) { *out << value.name; }

enum class ChoiceWay { TypedInTheChooser, WalkedToInTheChooser, TypedInThePathField };

using UnicodeChoice = std::tuple<UnicodeName, ChoiceWay>;

class RuleDialogUnicodeNames : public RuleDialogTest, public ::testing::WithParamInterface<UnicodeChoice> {};

TEST_P(RuleDialogUnicodeNames, ReadExactlyTheChosenFile) {
    const UnicodeName& names = std::get<UnicodeName>(GetParam());
    const ChoiceWay way = std::get<ChoiceWay>(GetParam());
    ScratchFiles files;
    const std::wstring folder = files.root() + L"\\" + names.folder;
    files.addFolders(folder);
    files.addFile(folder + L"\\" + names.file, "3");  // light blue everywhere
    // The look-alike, where the code page can spell one: red everywhere.
    const std::wstring lookAlike = throughShiftJis(folder + L"\\" + names.file);
    if (lookAlike != folder + L"\\" + names.file && lookAlike.find(L'?') == std::wstring::npos) {
        files.addFolders(lookAlike.substr(0, lookAlike.rfind(L'\\')));
        files.addFile(lookAlike, "0");
    }

    switch (way) {
    case ChoiceWay::TypedInTheChooser:
        browseInRules({{folder + L"\\" + names.file}}, names.file);
        EXPECT_EQ(currentDirectory(), folder);
        break;
    case ChoiceWay::WalkedToInTheChooser:
        browseInRules({{folder}, {names.file}}, names.file);
        EXPECT_EQ(currentDirectory(), folder);
        break;
    case ChoiceWay::TypedInThePathField:
        driveDialog(openRules, {[&](HWND dialog) {
                                    clickControl(dialog, IDC_RULE_FILE);
                                    typeInto(dialog, IDC_RULE_PATH, folder + L"\\" + names.file);
                                },
                                closeRules});
        EXPECT_EQ(storedPath(), folder + L"\\" + names.file);
        break;
    }
    const std::vector<int> colours = coloursOfTheNextGame();
    EXPECT_EQ(std::count(colours.begin(), colours.end(), 3), 144) << "the chosen file, not a look-alike";
}

std::string choiceName(const ::testing::TestParamInfo<UnicodeChoice>& test) {
    const auto& [names, way] = test.param;
    const char* ways[] = {"TypedInTheChooser", "WalkedToInTheChooser", "TypedInThePathField"};
    return std::string(names.name) + ways[static_cast<int>(way)];
}

INSTANTIATE_TEST_SUITE_P(Names, RuleDialogUnicodeNames,
                         ::testing::Combine(::testing::ValuesIn(unicodeNames),
                                            ::testing::Values(ChoiceWay::TypedInTheChooser,
                                                              ChoiceWay::WalkedToInTheChooser,
                                                              ChoiceWay::TypedInThePathField)),
                         choiceName);

}  // namespace
}  // namespace kaleidra::testing
