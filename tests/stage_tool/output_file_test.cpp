// Output paths of make -o and show --png: whatever stands at a path that cannot take the output stays
// exactly as it was, and no half-written or temporary file is left beside it.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

namespace fs = std::filesystem;

// Everything about a path that a write could change: its kind, mode, device numbers, content or
// folder listing.
std::string snapshot(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return "absent";
    std::string text = "mode " + std::to_string(info.st_mode) + " rdev " + std::to_string(info.st_rdev) +
                       " size " + std::to_string(info.st_size);
    if (S_ISREG(info.st_mode)) {
        std::ifstream file(path, std::ios::binary);
        text += " content " + std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } else if (S_ISDIR(info.st_mode)) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(path)) names.insert(entry.path().filename().string());
        for (const auto& name : names) text += " [" + name + "]";
    }
    return text;
}

std::set<std::string> listing(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().string());
    return names;
}

class OutputFiles : public ScratchFolder {
protected:
    void TearDown() override {
        for (const fs::path& mount : mounts_) ::umount2(mount.c_str(), MNT_DETACH);
        ScratchFolder::TearDown();
    }

    // A tmpfs of a few pages, filled to the last byte, holding an older file `name`; the path of
    // that file, or why the disk cannot be made here.
    std::pair<std::string, std::string> fullDisk(const std::string& name) {
        const fs::path disk = folder / "disk";
        fs::create_directory(disk);
        if (::mount("kaleidra-test", disk.c_str(), "tmpfs", 0, "size=32k") != 0)
            return {"", std::string("cannot mount a small tmpfs: ") + std::strerror(errno)};
        mounts_.push_back(disk);
        const fs::path target = disk / name;
        std::ofstream(target, std::ios::binary) << "an older file that must survive";
        const int filler = ::open((disk / "filler").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        const std::string block(4096, 'x');
        while (::write(filler, block.data(), block.size()) > 0) {
        }
        // Partial pages may still take a byte or two.
        while (::write(filler, "x", 1) > 0) {
        }
        ::close(filler);
        return {target.string(), ""};
    }

private:
    std::vector<fs::path> mounts_;
};

TEST_F(OutputFiles, LeaveWhatCannotTakeTheOutputAsItWas) {
    const std::string stage = write("stage.txt", "0123401234");
    struct Case {
        const char* name;
        // Puts something at a path; the path, or an empty one and why this machine cannot.
        std::function<std::pair<std::string, std::string>()> make;
    };
    const Case cases[] = {
        {"device node",
         [&] {
             // A private twin of /dev/full, whose every write fails with "no space".
             const std::string node = path("device");
             if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
                 return std::pair<std::string, std::string>{"", std::string("mknod: ") + std::strerror(errno)};
             return std::pair<std::string, std::string>{node, ""};
         }},
        {"FIFO",
         [&] {
             const std::string fifo = path("fifo");
             EXPECT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
             return std::pair<std::string, std::string>{fifo, ""};
         }},
        {"folder",
         [&] {
             fs::create_directory(folder / "folder");
             write("folder/kept.txt", "kept");
             return std::pair<std::string, std::string>{path("folder"), ""};
         }},
        {"read-only file",
         [&] {
             const std::string file = write("read-only.txt", "read-only content");
             fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
             return std::pair<std::string, std::string>{file, ""};
         }},
        {"file on a full disk", [&] { return fullDisk("full.txt"); }},
        {"path whose folder is missing",
         [&] { return std::pair<std::string, std::string>{path("no/such/folder/out.txt"), ""}; }},
    };
    for (const Case& c : cases) {
        const auto [target, unavailable] = c.make();
        if (target.empty()) {
            std::cout << "[  SKIPPED ] the " << c.name << " row: " << unavailable << "\n";
            continue;
        }
        const fs::path parent = fs::path(target).parent_path();
        std::vector<std::vector<std::string>> commands = {{"make", "--random", "--seed", "5", "-o", target}};
#if KALEIDRA_STAGE_PNG
        commands.push_back({"show", stage, "--png", target});
#endif
        for (const auto& command : commands) {
            SCOPED_TRACE(std::string(c.name) + ": " + command.front());
            const std::string before = snapshot(target);
            const std::set<std::string> besideBefore = listing(parent);
            const ToolRun run = runTool(command);
            EXPECT_EQ(run.exitCode, exitFailure) << run.out;
            EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
            EXPECT_EQ(snapshot(target), before);
            EXPECT_EQ(listing(parent), besideBefore);
        }
    }
    EXPECT_FALSE(fs::exists(folder / "no"));
}

TEST_F(OutputFiles, ReplaceAWritableFileWholeKeepingItsModeAndLinks) {
    const std::string stage = write("stage.txt", "0123401234");
    const std::string older = write("older.txt", std::string(1000, '9'));
    fs::permissions(older, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("older.txt", folder / "link.txt");
    const std::set<std::string> names = listing(folder);

    for (const std::string& target : {older, path("link.txt")}) {
        SCOPED_TRACE(target);
        ASSERT_EQ(runTool({"make", "--random", "--seed", "5", "--size", "3x4", "-o", target}).exitCode, exitSuccess);
        std::ifstream file(older, std::ios::binary);
        const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_EQ(content.size(), 12u) << content;
        EXPECT_EQ(fs::status(older).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
        EXPECT_EQ(listing(folder), names);
    }
#if KALEIDRA_STAGE_PNG
    ASSERT_EQ(runTool({"show", stage, "--png", older}).exitCode, exitSuccess);
    std::ifstream picture(older, std::ios::binary);
    std::string signature(8, '\0');
    picture.read(signature.data(), 8);
    EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(listing(folder), names);
#endif
}

}  // namespace
}  // namespace kaleidra::stage_tool
