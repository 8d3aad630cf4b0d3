// The rule dialog, opened from the title menu and driven from inside its modal loop: its template,
// what it shows, what each command changes, its close, and the file chooser.

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/field.h"
#include "dialog_driver.h"
#include "resource.h"
#include "view/gdi.h"

namespace kaleidra::testing {
namespace {

void openRules() { SendMessageA(program().mainWindow, WM_COMMAND, IDM_RULES, 0); }

std::string storedPath() { return program().settings.stageFilePath.data(); }

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::string listItem(HWND dialog, int id, int index) {
    char text[16] = {};
    if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) <
        static_cast<LRESULT>(sizeof text))
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> listItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(listItem(dialog, id, i));
    return items;
}

// A list choice as the player makes it: the selection moves, then the list tells the dialog.
void chooseListItem(HWND dialog, int id, int index, WORD notification = CBN_SELCHANGE) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void typeInto(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void closeRules(HWND dialog) { clickControl(dialog, 1); }

// The current directory is the stage file's folder after a choice: every test starts where the
// previous one did.
class RuleDialogTest : public AppTest {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof startDirectory_, startDirectory_);
        AppTest::SetUp();
    }
    void TearDown() override {
        AppTest::TearDown();
        SetCurrentDirectoryA(startDirectory_);
    }

private:
    char startDirectory_[MAX_PATH] = {};
};

// ---------------------------------------------------------------------------------------------
// The template

ControlSpec staticText(const char* text, int x, int y, int width, int height) {
    return {-1, "Static", SS_LEFT | WS_GROUP, 0, {x, y, width, height}, text, false};
}

constexpr DWORD listStyle = CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// Every control with its whole style: nothing may be set beyond WS_CHILD | WS_VISIBLE and these.
const std::vector<ControlSpec>& ruleTemplate() {
    static const std::vector<ControlSpec> controls = {
        {1, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {94, 151, 50, 14}, "閉じる", false},
        {-1, "Button", BS_GROUPBOX, 0, {2, 78, 152, 68}, "ステージのパネルパターン", false},
        {IDC_RULE_RANDOM, "Button", BS_RADIOBUTTON, 0, {12, 90, 43, 10}, "ランダム", false},
        {IDC_RULE_FILE, "Button", BS_RADIOBUTTON, 0, {12, 103, 84, 10}, "ファイルから読み込む", false},
        {IDC_RULE_PATH, "Edit", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, {26, 116, 91, 14}, nullptr,
         false},
        {IDC_RULE_BROWSE, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, {121, 116, 26, 14}, "参照", false},
        staticText("※ファイルが存在しないときはランダム", 27, 133, 122, 8),
        {-1, "Button", BS_GROUPBOX, 0, {2, 2, 76, 69}, "フィールドのサイズ", false},
        {-1, "Button", BS_GROUPBOX, 0, {88, 2, 66, 69}, "クリアの条件", false},
        {IDC_RULE_PERCENTAGE, "Edit", ES_NUMBER | ES_RIGHT | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0,
         {96, 14, 36, 12}, nullptr, false},
        staticText("％", 136, 17, 9, 8),
        staticText("フィールド上に\n同色のパネルを\nそろえると終了", 96, 40, 52, 26),
        staticText("横：", 16, 17, 13, 8),
        staticText("マス", 54, 17, 15, 9),
        staticText("合計：", 8, 51, 20, 8),
        staticText("マス", 54, 51, 15, 9),
        // A drop-down list's window is its closed box: only its place is compared on the screen.
        {IDC_RULE_COLUMNS, "ComboBox", listStyle, 0, {30, 15, 22, 122}, nullptr, true},
        staticText("縦：", 16, 33, 13, 8),
        staticText("マス", 54, 33, 15, 9),
        {IDC_RULE_ROWS, "ComboBox", listStyle, 0, {30, 31, 22, 134}, nullptr, true},
        {IDC_RULE_TOTAL, "Static", SS_LEFT | WS_GROUP, WS_EX_RIGHT, {30, 51, 19, 9}, nullptr, false},
        staticText("(30～100%)", 102, 29, 38, 8),
    };
    return controls;
}

RECT pixelsOf(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(dialog, &rect);
    return rect;
}

TEST(RuleTemplate, HoldsEveryControlWithItsWholeStyleAndSize) {
    expectTemplate("IDD_RULE",
                   {WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, {0, 0, 157, 170},
                    "ルール設定"},
                   ruleTemplate());
}

TEST_F(RuleDialogTest, ControlsLieWhereTheTemplatePutsThem) {
    // A list keeps its scroll bar for its opened part, and a radio's tab stop follows its check mark.
    std::vector<ControlSpec> shown = ruleTemplate();
    for (ControlSpec& spec : shown) spec.style &= ~(WS_VSCROLL | WS_TABSTOP);
    driveDialog(openRules, {[&](HWND dialog) { expectControls(dialog, shown); }, closeRules});
}

// Whatever font stands in for the template's, no one-line label is cut: "(30～100%)" is wider in
// the IPA stand-in than its place.
TEST_F(RuleDialogTest, EveryOneLineLabelReadsWhole) {
    driveDialog(openRules, {[](HWND dialog) {
                                for (HWND label = GetWindow(dialog, GW_CHILD); label;
                                     label = GetWindow(label, GW_HWNDNEXT)) {
                                    char text[128] = {};
                                    const int length = GetWindowTextA(label, text, sizeof text);
                                    char className[16] = {};
                                    GetClassNameA(label, className, sizeof className);
                                    if (lstrcmpiA(className, "Static") != 0 || length == 0) continue;
                                    RECT place;
                                    GetClientRect(label, &place);
                                    WindowDC dc(label);
                                    const HGDIOBJ previous = SelectObject(
                                        dc.get(), reinterpret_cast<HFONT>(
                                                      SendMessageA(label, WM_GETFONT, 0, 0)));
                                    SIZE needed{};
                                    GetTextExtentPoint32A(dc.get(), text, length, &needed);
                                    SelectObject(dc.get(), previous);
                                    if (place.bottom >= 2 * needed.cy) continue;  // several lines
                                    EXPECT_LE(needed.cx, place.right) << text;
                                }
                            },
                            closeRules});
}

TEST_F(RuleDialogTest, OpensOverTheClientAreaWithoutSystemMenuAndFocusOnClose) {
    driveDialog(openRules, {[](HWND dialog) {
                                const auto style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
                                const DWORD frame = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
                                EXPECT_EQ(style & frame, frame) << std::hex << style;
                                EXPECT_EQ(style & WS_SYSMENU, 0u) << "no system menu, no close box";

                                char caption[64] = {};
                                GetWindowTextA(dialog, caption, sizeof caption);
                                EXPECT_STREQ(caption, "ルールの設定");
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
    const char* path;
    // What the controls must show:
    int columnsIndex;
    int rowsIndex;
    const char* total;
    const char* percentageText;
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
        setStageFilePath(settings, shown.path);
    }
    const bool fromFile = shown.source == StageSource::File;
    driveDialog(openRules,
                {[&](HWND dialog) {
                     EXPECT_EQ(listItems(dialog, IDC_RULE_COLUMNS),
                               (std::vector<std::string>{"3", "4", "5", "6", "7", "8", "9"}));
                     EXPECT_EQ(listItems(dialog, IDC_RULE_ROWS),
                               (std::vector<std::string>{"4", "6", "8", "10", "12", "14", "16"}));
                     EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_RULE_COLUMNS, CB_GETCURSEL, 0, 0),
                               shown.columnsIndex);
                     EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_RULE_ROWS, CB_GETCURSEL, 0, 0),
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
        Shown{"Defaults", 0, 0, 0, StageSource::Random, "default.txt", 6, 6, "144", "70"},
        Shown{"SmallestFromFile", 3, 4, 30, StageSource::File, "stages\\one.txt", 0, 0, "12", "30"},
        Shown{"MiddleRandomWithJapanesePath", 7, 12, 85, StageSource::Random, "ステージ.txt", 4, 4,
              "84", "85"},
        Shown{"FullFromFile", 9, 16, 100, StageSource::File, "", 6, 6, "144", "100"}),
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
    const char* total;
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
    ::testing::Values(ListChoice{"ThreeByFour", 0, 0, CBN_SELCHANGE, 3, 4, "12"},
                      ListChoice{"SevenByTwelve", 4, 4, CBN_SELCHANGE, 7, 12, "84"},
                      // Any command of a list takes its selection, not only a change of it.
                      ListChoice{"FiveByTenOnClosingTheList", 2, 3, CBN_CLOSEUP, 5, 10, "50"},
                      ListChoice{"NoSelectionChangesNothing", -1, -1, CBN_SELCHANGE, 9, 16, "144"}),
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
                                typeInto(dialog, IDC_RULE_PATH, "typed.txt");
                                clickControl(dialog, IDC_RULE_FILE);
                                EXPECT_EQ(controlText(dialog, IDC_RULE_PATH), "default.txt");
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), "default.txt");
    EXPECT_EQ(program().settings.stageSource, StageSource::File);
}

TEST_F(RuleDialogTest, TypedPathIsKeptAtTheCloseAlsoWithRandomChecked) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, "stages\\typed.txt");
                                clickControl(dialog, IDC_RULE_RANDOM);
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), "stages\\typed.txt");
    EXPECT_EQ(program().settings.stageSource, StageSource::Random);
}

TEST_F(RuleDialogTest, PathFieldTakesAtMost255Bytes) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, "");
                                HWND field = GetDlgItem(dialog, IDC_RULE_PATH);
                                for (int i = 0; i < 300; ++i) SendMessageA(field, WM_CHAR, 'a', 1);
                                EXPECT_EQ(GetWindowTextLengthA(field), 255);
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), std::string(255, 'a'));
}

// Text put into the field past the typing limit is not cut into the name of another file.
TEST_F(RuleDialogTest, LongerPathSetIntoTheFieldIsNotCut) {
    driveDialog(openRules, {[](HWND dialog) {
                                clickControl(dialog, IDC_RULE_FILE);
                                typeInto(dialog, IDC_RULE_PATH, std::string(256, 'b'));
                            },
                            closeRules});
    EXPECT_EQ(storedPath(), "");
}

TEST_F(RuleDialogTest, EscapeLeavesTheDialogOpenAndChangesNothing) {
    Program& p = program();
    driveDialog(openRules, {[](HWND dialog) {
                                typeInto(dialog, IDC_RULE_PERCENTAGE, "40");
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
    const char* percentageText;
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
    ::testing::Values(Entered{"Above100", "150", false, 100, 144},
                      Entered{"Below30", "5", false, 30, 43},
                      Entered{"Empty", "", false, 30, 43},
                      Entered{"Negative", "-7", false, 30, 43},
                      Entered{"NotANumber", "7O", false, 30, 43},
                      Entered{"SeventyTruncatesTheTarget", "70", false, 70, 100},
                      Entered{"EnterClosesAsTheButton", "85", true, 85, 122}),
    [](const ::testing::TestParamInfo<Entered>& test) { return std::string(test.param.name); });

// ---------------------------------------------------------------------------------------------
// The file chooser, driven through its own window as the player would use it

// Files and folders made for one test, removed at its end, in the reverse order.
class ScratchFiles {
public:
    ScratchFiles() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        // A new name each time: the chooser opens where it was last confirmed, which would hide a
        // choice that does not change the folder itself.
        root_ = std::string(temp) + "kaleidra-rules-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        addFolder(root_);
    }
    ~ScratchFiles() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
    }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    const std::string& root() const { return root_; }

    void addFolder(const std::string& path) {
        if (CreateDirectoryA(path.c_str(), nullptr)) made_.push_back(path);
    }
    void addFile(const std::string& path, const std::string& content) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        made_.push_back(path);
    }

private:
    std::string root_;
    std::vector<std::string> made_;
};

std::string currentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    std::string text(path);
    if (!text.empty() && text.back() == '\\') text.pop_back();
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
// press Enter, or press Escape.
struct ChooserAction {
    std::string typed;  // empty: Escape
};

struct ChooserCase {
    const char* name;
    std::vector<ChooserAction> (*actions)(const ScratchFiles& files);
    bool chosen;  // the stage file becomes pick.txt in the folder "other"
};

void PrintTo(const ChooserCase& value, std::ostream* out) { *out << value.name; }

std::string otherFolder(const ScratchFiles& files) { return files.root() + "\\other"; }

// A folder path so long that pick.txt inside it needs 258 bytes, more than the chooser's buffer.
std::string longFolder(const ScratchFiles& files) {
    constexpr std::size_t length = 258 - std::char_traits<char>::length("\\pick.txt");
    std::string path = files.root() + "\\long";
    while (path.size() + 1 + 40 < length) path.append(1, '\\').append(40, 'x');
    path.append(1, '\\');
    path.append(length - path.size(), 'y');
    return path;
}

const ChooserCase chooserCases[] = {
    {"Cancel", [](const ScratchFiles&) { return std::vector<ChooserAction>{{""}}; }, false},
    {"CancelAfterMovingToAnotherFolder",
     [](const ScratchFiles& files) { return std::vector<ChooserAction>{{otherFolder(files)}, {""}}; },
     false},
    {"FileInAnotherFolder",
     [](const ScratchFiles& files) {
         return std::vector<ChooserAction>{{otherFolder(files) + "\\pick.txt"}};
     },
     true},
    {"FullPathLongerThanTheBuffer",
     [](const ScratchFiles& files) {
         return std::vector<ChooserAction>{{longFolder(files) + "\\pick.txt"}};
     },
     false},
};

class RuleDialogChooser : public RuleDialogTest, public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(RuleDialogChooser, LeavesAValidStoredPathAndTheRightFolder) {
    ScratchFiles files;
    files.addFolder(otherFolder(files));
    // Five colours, then a sixth byte that wraps to red: the stage shows where it was read from.
    files.addFile(otherFolder(files) + "\\pick.txt", "432105");
    {
        std::string folder = files.root() + "\\long";
        files.addFolder(folder);
        const std::string deepest = longFolder(files);
        std::size_t at = folder.size();
        while ((at = deepest.find('\\', at + 1)) != std::string::npos) files.addFolder(deepest.substr(0, at));
        files.addFolder(deepest);
        files.addFile(deepest + "\\pick.txt", "0");
        ASSERT_EQ(deepest.size() + std::strlen("\\pick.txt"), 258u);
    }
    const std::string startDirectory = currentDirectory();
    const std::vector<ChooserAction> actions = GetParam().actions(files);
    GameSettings& settings = program().settings;

    HWND rules = nullptr;
    std::vector<DialogStep> steps;
    steps.push_back([&](HWND dialog) {
        rules = dialog;
        clickControl(dialog, IDC_RULE_FILE);
        typeInto(dialog, IDC_RULE_PATH, "typed.txt");
        PostMessageA(GetDlgItem(dialog, IDC_RULE_BROWSE), BM_CLICK, 0, 0);
    });
    for (const ChooserAction& action : actions) {
        steps.push_back([&rules, action](HWND) {
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
            SetWindowTextA(nameBox, action.typed.c_str());
            pressKey(chooser, VK_RETURN);
        });
    }
    const std::string expectedPath = GetParam().chosen ? "pick.txt" : "default.txt";
    steps.push_back([&](HWND dialog) {
        EXPECT_EQ(chooserOver(rules), nullptr) << "the chooser is still open";
        EXPECT_EQ(controlText(dialog, IDC_RULE_PATH), expectedPath);
        EXPECT_EQ(storedPath(), expectedPath) << "stored at once, before the close";
        closeRules(dialog);
    });
    driveDialog(openRules, steps);

    const auto& stored = settings.stageFilePath;
    EXPECT_NE(std::find(stored.begin(), stored.end(), '\0'), stored.end()) << "terminated";
    EXPECT_EQ(storedPath(), expectedPath);
    EXPECT_EQ(currentDirectory(), GetParam().chosen ? otherFolder(files) : startDirectory);

    if (!GetParam().chosen) return;
    // The next game reads the chosen file by its bare name.
    SendMessageA(program().mainWindow, WM_COMMAND, IDM_START, 0);
    KillTimer(program().statusWindow, clockTimerId);
    const std::vector<int> expectedColours = {4, 3, 2, 1, 0, 0};
    std::size_t k = 0;
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        if (k < expectedColours.size()) {
            EXPECT_EQ(program().field.cells[col][row].colour, expectedColours[k]) << "cell " << k;
        }
        ++k;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RuleDialogChooser, ::testing::ValuesIn(chooserCases),
    [](const ::testing::TestParamInfo<ChooserCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace kaleidra::testing
