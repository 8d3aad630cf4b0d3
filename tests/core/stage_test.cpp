#include "core/stage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "tests/core/core_test_support.h"

namespace kaleidra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::vector<std::int32_t> coloursInCellOrder(const GameRecords& game) {
    std::vector<std::int32_t> colours;
    forEachInFieldCell(game.settings,
                       [&](std::int32_t col, std::int32_t row) { colours.push_back(game.colour(col, row)); });
    return colours;
}

// The digits' colours, cell after cell: "01234" gives 0, 1, 2, 3, 4.
std::vector<std::int32_t> colours(const std::string& digits) {
    std::vector<std::int32_t> result;
    for (char digit : digits) result.push_back(digit - '0');
    return result;
}

struct ContentCase {
    const char* label;
    std::string raw;
    std::size_t maxBytes;
    std::string content;
};

void PrintTo(const ContentCase& c, std::ostream* out) { *out << c.label; }

class StageContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(StageContent, ReadsTheBytesAsText) {
    const Bytes raw = bytesOf(GetParam().raw);
    MemoryByteSource source(raw);
    EXPECT_EQ(readStageContent(source, GetParam().maxBytes), bytesOf(GetParam().content));
}

const std::string endMark = "\x1A";

const ContentCase contentCases[] = {
    {"PlainDigits", "01234", 12, "01234"},
    {"CrLfIsOneLf", "01\r\n23\r\n", 12, "01\n23\n"},
    {"LoneCrStays", "1\r2", 12, "1\r2"},
    {"CrAsTheLastByte", "12\r", 12, "12\r"},
    {"CrBeforeCrLf", "\r\r\n", 12, "\r\n"},
    {"LfCrIsNoPair", "\n\r", 12, "\n\r"},
    {"EndMarkEndsTheContent", "12" + endMark + "34", 12, "12"},
    {"EndMarkAfterLoneCr", "1\r" + endMark + "5", 12, "1\r"},
    {"EndMarkFirst", endMark + "123", 12, ""},
    {"Empty", "", 12, ""},
    {"CutAtTheCellCount", "0123456789", 4, "0123"},
    {"CrLfAtTheCut", "12\r\n3", 3, "12\n"},
    {"NoCells", "123", 0, ""},
    {"NulAndHighBytes", std::string("\0\xFF\x8E", 3), 12, std::string("\0\xFF\x8E", 3)},
};

INSTANTIATE_TEST_SUITE_P(Translation, StageContent, ::testing::ValuesIn(contentCases),
                         [](const ::testing::TestParamInfo<ContentCase>& testCase) {
                             return std::string(testCase.param.label);
                         });

// Counts the bytes taken from an endless stream of digits.
class EndlessDigits final : public ByteSource {
public:
    int nextByte() override {
        ++taken;
        return '7';
    }
    std::size_t taken = 0;
};

TEST(ReadStageContent, TakesNoMoreBytesThanTheFieldHasCells) {
    EndlessDigits source;
    EXPECT_EQ(readStageContent(source, 144).size(), 144u);
    EXPECT_EQ(source.taken, 144u);
}

// Yields its bytes, then fails, then would yield more.
class FailingAfter final : public ByteSource {
public:
    explicit FailingAfter(std::string before) : bytes_(std::move(before)) {}
    int nextByte() override {
        if (next_ < bytes_.size()) return static_cast<unsigned char>(bytes_[next_++]);
        if (next_++ == bytes_.size()) return -1;
        return '9';
    }

private:
    std::string bytes_;
    std::size_t next_ = 0;
};

TEST(ReadStageContent, EndsAtAReadError) {
    FailingAfter source("12");
    EXPECT_EQ(readStageContent(source, 12), bytesOf("12"));
}

TEST(ColourFromByte, UsesTheLowFourBitsModuloFive) {
    const struct {
        const char* label;
        std::uint8_t byte;
        std::int32_t colour;
    } cases[] = {
        {"0", '0', Red},       {"1", '1', Yellow},      {"2", '2', Green},  {"3", '3', LightBlue},
        {"4", '4', Purple},    {"5", '5', Red},         {"6", '6', Yellow}, {"7", '7', Green},
        {"8", '8', LightBlue}, {"9", '9', Purple},      {"LF", 0x0A, Red},  {"space", 0x20, Red},
        {"TAB", 0x09, Purple}, {"CR", 0x0D, LightBlue}, {"A", 'A', Yellow}, {"0x8E", 0x8E, Purple},
        {"0xFF", 0xFF, Red},   {"NUL", 0x00, Red},
    };
    for (const auto& c : cases) EXPECT_EQ(colourFromByte(c.byte), c.colour) << c.label;
}

TEST(StageRandom, GivesTheSameValuesForTheSameSeedOnEveryBuild) {
    StageRandom first(1);
    StageRandom second(1);
    // The classic rule's first value for seed 1: the same on Windows and Linux.
    EXPECT_EQ(first.next(), 16838);
    second.next();
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t value = first.next();
        EXPECT_EQ(value, second.next());
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

std::int64_t aSecond() {
    return 1'700'000'000;
}
std::int64_t theNextSecond() {
    return 1'700'000'001;
}

class StageGeneration : public ::testing::Test {
protected:
    void SetUp() override {
        static std::mt19937 names{std::random_device{}()};
        directory = std::filesystem::temp_directory_path() /
                    ("kaleidra-stage-" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                     std::to_string(names()));
        std::filesystem::create_directories(directory);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }

    std::string writeStageFile(const std::string& bytes, const char* name = "stage.txt") {
        const std::filesystem::path path = directory / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // A new game on the given field with the stage from `path`.
    GameRecords startWithFile(const std::string& path, std::int32_t columns = 3, std::int32_t rows = 4,
                              CalendarClock clock = aSecond) {
        return startWithStageFile(path, columns, rows, clock);
    }

    GameRecords startRandom(CalendarClock clock, std::int32_t columns = 3, std::int32_t rows = 4) {
        GameRecords game;
        game.chooseRules(columns, rows);
        layoutCells(game.field);
        generateStage(game.field, game.state, game.settings, clock);
        return game;
    }

    std::filesystem::path directory;
};

TEST_F(StageGeneration, ColoursTheWorkedExample) {
    GameRecords withLineBreak = startWithFile(writeStageFile("01234\r\n"));
    EXPECT_EQ(coloursInCellOrder(withLineBreak), colours("012340012340"));
    EXPECT_EQ(withLineBreak.state.colourCounts, (std::array<std::int32_t, 5>{4, 2, 2, 2, 2}));

    GameRecords withoutLineBreak = startWithFile(writeStageFile("01234"));
    EXPECT_EQ(coloursInCellOrder(withoutLineBreak), colours("012340123401"));
}

TEST_F(StageGeneration, ColoursFromFileContents) {
    const struct {
        const char* label;
        std::string bytes;
        std::string colours;  // of the twelve cells of a 3 x 4 field
    } cases[] = {
        {"the ten digits", "0123456789", "012340123401"},
        {"CR LF at the end is one red cell", "12\r\n", "120120120120"},
        {"0x1A ends the content", "12" + endMark + "34", "121212121212"},
        {"a lone CR is light blue", "1\r2", "132132132132"},
        {"a file longer than the field", "4444444444443333", "444444444444"},
        {"a space and a tab", " \t", "040404040404"},
    };
    for (const auto& c : cases) {
        GameRecords game = startWithFile(writeStageFile(c.bytes));
        EXPECT_EQ(coloursInCellOrder(game), colours(c.colours)) << c.label;
        EXPECT_TRUE(countsMatchCells(game)) << c.label;
    }
}

TEST_F(StageGeneration, ASingleDigitThreeMakesEveryCellLightBlue) {
    GameRecords game = startWithFile(writeStageFile("3"), 9, 16);
    EXPECT_EQ(game.state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 0, 144, 0}));
    EXPECT_TRUE(isColourCleared(game.state, game.settings, LightBlue));
}

TEST(ColourCellsFromContent, TakesTheContentAsReadWithoutTranslatingItAgain) {
    // "1 CR CR LF" reads as 1, CR, LF; colouring must not turn that CR LF into one LF again.
    const struct {
        const char* label;
        Bytes content;
        std::string colours;  // of the twelve cells of a 3 x 4 field
    } cases[] = {
        {"a CR before an LF stays a cell", {'1', '\r', '\n'}, "130130130130"},
        {"longer than the field", bytesOf("4444444444443333"), "444444444444"},
        {"one byte fills every cell", bytesOf("2"), "222222222222"},
    };
    for (const auto& c : cases) {
        GameRecords game;
        game.chooseRules(3, 4);
        layoutCells(game.field);
        colourCellsFromContent(game.field, game.state, game.settings, c.content);
        EXPECT_EQ(coloursInCellOrder(game), colours(c.colours)) << c.label;
        EXPECT_TRUE(countsMatchCells(game)) << c.label;
    }
}

TEST(ColourCellsFromContent, LeavesTheCellsAloneForEmptyContent) {
    GameRecords game;
    game.chooseRules(3, 4);
    layoutCells(game.field);
    colourCellsFromContent(game.field, game.state, game.settings, Bytes{});
    EXPECT_EQ(coloursInCellOrder(game), std::vector<std::int32_t>(12, NoPanel));
}

TEST_F(StageGeneration, FallsBackOnTheRandomStageWhenTheFileGivesNothing) {
    std::filesystem::create_directory(directory / "folder");
    const struct {
        const char* label;
        std::string path;
    } cases[] = {
        {"empty file", writeStageFile("", "empty.txt")},
        {"0x1A first", writeStageFile(endMark + "0123", "ends-at-once.txt")},
        {"missing file", (directory / "missing.txt").string()},
        {"folder", (directory / "folder").string()},
        {"empty path", ""},
    };
    for (const auto& c : cases) {
        const GameRecords random = startRandom(aSecond, 9, 16);
        const GameRecords fromFile = startWithFile(c.path, 9, 16);
        EXPECT_EQ(fromFile.state.colourCounts, random.state.colourCounts) << c.label;
        EXPECT_EQ(coloursInCellOrder(fromFile), coloursInCellOrder(random)) << c.label;
        EXPECT_EQ(fromFile.settings.stageSource, StageSource::File) << c.label;
    }
}

TEST_F(StageGeneration, APathLongerThanTheBufferIsNeverCutIntoAnotherName) {
    // A stage file whose whole path takes exactly the 255 characters a stored path may hold.
    const std::string folder = directory.string() + "/";
    ASSERT_LT(folder.size(), 200u);
    const std::string fitting = writeStageFile("3", std::string(255 - folder.size(), 'n').c_str());
    ASSERT_EQ(fitting.size(), 255u);
    const std::string longer = fitting + "x";  // what a cut would turn into the file above

    const GameRecords random = startRandom(aSecond, 9, 16);
    EXPECT_EQ(startWithFile(fitting, 9, 16).state.colourCounts,
              (std::array<std::int32_t, 5>{0, 0, 0, 144, 0}));
    EXPECT_EQ(coloursInCellOrder(startWithFile(longer, 9, 16)), coloursInCellOrder(random));

    // A buffer filled to the end by another writer, without a terminator.
    GameRecords unterminated;
    unterminated.chooseRules(9, 16);
    unterminated.settings.stageSource = StageSource::File;
    auto& buffer = unterminated.settings.stageFilePath;
    buffer.fill('x');
    std::copy(longer.begin(), longer.end(), buffer.begin());
    layoutCells(unterminated.field);
    generateStage(unterminated.field, unterminated.state, unterminated.settings, aSecond);
    EXPECT_EQ(coloursInCellOrder(unterminated), coloursInCellOrder(random));
}

// Runs a game start on its own thread and waits generously: a start that blocks fails here instead
// of hanging the suite. A blocked thread can never be joined, so the process ends at once.
GameRecords startWithinWatchdog(const std::function<GameRecords()>& start, const std::string& label) {
    auto result = std::make_shared<std::promise<GameRecords>>();
    std::future<GameRecords> started = result->get_future();
    std::thread([result, start] { result->set_value(start()); }).detach();
    if (started.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << label << ": the game start still waits after 10 s";
        std::abort();
    }
    return started.get();
}

#ifndef _WIN32
TEST_F(StageGeneration, APathThatIsNoRegularFileGivesARandomStageWithoutWaiting) {
    const std::string lonelyFifo = (directory / "no-writer").string();
    ASSERT_EQ(mkfifo(lonelyFifo.c_str(), 0600), 0);

    // A writer that sends fewer bytes than the field has cells and then keeps the FIFO open.
    const std::string stalledFifo = (directory / "stalled-writer").string();
    ASSERT_EQ(mkfifo(stalledFifo.c_str(), 0600), 0);
    const int writer = open(stalledFifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "12", 2), 2);

    const std::string linkToFifo = (directory / "link-to-fifo").string();
    ASSERT_EQ(symlink(lonelyFifo.c_str(), linkToFifo.c_str()), 0);

    const std::string socketPath = (directory / "socket").string();
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listening, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    std::filesystem::create_directory(directory / "folder");
    const struct {
        const char* label;
        std::string path;
    } cases[] = {
        {"FIFO without a writer", lonelyFifo},
        {"FIFO whose writer stalls", stalledFifo},
        {"link to a FIFO", linkToFifo},
        {"socket", socketPath},
        {"folder", (directory / "folder").string()},
        {"endless device", "/dev/zero"},
    };
    const GameRecords random = startRandom(aSecond, 9, 16);
    for (const auto& c : cases) {
        const GameRecords game =
            startWithinWatchdog([&] { return startWithFile(c.path, 9, 16); }, c.label);
        EXPECT_EQ(coloursInCellOrder(game), coloursInCellOrder(random)) << c.label;
    }
    close(writer);
    close(listening);
}

TEST_F(StageGeneration, ALinkToARegularFileIsRead) {
    const std::string link = (directory / "link.txt").string();
    ASSERT_EQ(symlink(writeStageFile("3").c_str(), link.c_str()), 0);
    EXPECT_EQ(startWithFile(link).state.colourCounts, (std::array<std::int32_t, 5>{0, 0, 0, 12, 0}));
}
#endif

TEST(NamesReservedDevice, KnowsTheDeviceNamesInAnyFolderCaseAndExtension) {
    const struct {
        const char* path;
        bool reserved;
    } cases[] = {
        {"CON", true},           {"nul", true},           {"Aux", true},
        {"PRN", true},           {"COM1", true},          {"com9", true},
        {"LPT1", true},          {"lpt9", true},          {"COM1.txt", true},
        {"nul.tar.gz", true},    {"com1 .log", true},     {"CON:", true},
        {"C:CON", true},         {"C:\\stages\\aux.txt", true}, {"/stages/Lpt3.dat", true},
        {"\\\\.\\COM2", true},   {"CONIN$", true},        {"conout$.x", true},
        {"COM0", false},         {"COM10", false},        {"LPT", false},
        {"CONSOLE.txt", false},  {"xnul", false},         {"nul_stage.txt", false},
        {"C:\\CON\\stage.txt", false}, {"stage.con", false}, {"", false},
        {nullptr, false},
        // Characters whose Shift-JIS trail byte is 0x5C, a backslash: in UTF-8 no byte of theirs is.
        {utf8(u8"表CON"), false}, {utf8(u8"ソAUX.txt"), false}, {utf8(u8"能NUL"), false},
        {utf8(u8"C:\\表\\CON"), true}, {"C:\\x\\COM1", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(namesReservedDevice(c.path), c.reserved) << (c.path ? c.path : "no path");
}

TEST_F(StageGeneration, RandomStagesAreEqualForEqualSeconds) {
    GameRecords first = startRandom(aSecond, 9, 16);
    GameRecords second = startRandom(aSecond, 9, 16);
    GameRecords later = startRandom(theNextSecond, 9, 16);
    EXPECT_EQ(coloursInCellOrder(first), coloursInCellOrder(second));
    EXPECT_NE(coloursInCellOrder(first), coloursInCellOrder(later));
    EXPECT_TRUE(countsMatchCells(first));
}

TEST_F(StageGeneration, LeavesCellsOutsideTheFieldWithoutColour) {
    const std::string path = writeStageFile("1234");
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) {
            for (GameRecords game :
                 {startRandom(aSecond, columns, rows), startWithFile(path, columns, rows)}) {
                const std::string label = std::to_string(columns) + "x" + std::to_string(rows);
                EXPECT_TRUE(countsMatchCells(game)) << label;
                for (std::int32_t col = 0; col < latticeColumns; ++col) {
                    for (std::int32_t row = 0; row < latticeRows; ++row) {
                        if (!isInField(game.settings, col, row)) {
                            EXPECT_EQ(game.colour(col, row), NoPanel) << label;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace kaleidra
