#include "stage_tool/file_replacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <random>
#include <system_error>

#include "core/byte_source.h"
#include "stage_tool/utf8_path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kaleidra::stage_tool {

namespace fs = std::filesystem;

namespace {

// A file this call creates and owns: removed again unless it was renamed over the target.
class NewFile {
public:
    ~NewFile() {
        if (descriptor_ >= 0) closeDescriptor();
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }

    // Creates a file of a fresh name in `folder`, never opening one that exists.
    bool create(const fs::path& folder, const fs::path& targetName) {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 64; ++attempt) {
            char suffix[24];
            std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
            // Built from the native name, which under Windows is UTF-16 and may hold any character.
            fs::path name(".");
            name += targetName.filename().native();
            name += ".kaleidra";
            name += suffix;
            fs::path candidate = folder / name;
#ifdef _WIN32
            const int descriptor = _wopen(candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                          _S_IREAD | _S_IWRITE);
#else
            const int descriptor =
                ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
            if (descriptor >= 0) {
                descriptor_ = descriptor;
                path_ = std::move(candidate);
                return true;
            }
            if (errno != EEXIST) {
                error_ = errno;
                return false;
            }
        }
        error_ = EEXIST;
        return false;
    }

    bool write(std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size(), 1u << 20);
#ifdef _WIN32
            const int written = _write(descriptor_, bytes.data(), static_cast<unsigned>(chunk));
#else
            const ssize_t written = ::write(descriptor_, bytes.data(), chunk);
#endif
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                error_ = written < 0 ? errno : ENOSPC;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // Flushes to the disk and closes: a full disk may only show here.
    bool finish([[maybe_unused]] const std::optional<fs::perms>& keptPermissions) {
#ifdef _WIN32
        const bool flushed = _commit(descriptor_) == 0;
        if (!flushed) error_ = errno;
#else
        if (keptPermissions) ::fchmod(descriptor_, static_cast<mode_t>(*keptPermissions & fs::perms::mask));
        const bool flushed = ::fsync(descriptor_) == 0;
        if (!flushed) error_ = errno;
#endif
        const bool closed = closeDescriptor();
        if (!closed && flushed) error_ = errno;
        return closed && flushed;
    }

    // After a successful rename the file is the target's and no longer this call's to remove.
    void release() { path_.clear(); }
    const fs::path& path() const { return path_; }
    int error() const { return error_; }

private:
    bool closeDescriptor() {
#ifdef _WIN32
        const bool closed = _close(descriptor_) == 0;
#else
        const bool closed = ::close(descriptor_) == 0;
#endif
        descriptor_ = -1;
        return closed;
    }

    int descriptor_ = -1;
    int error_ = 0;
    fs::path path_;
};

bool hasNoWriteBit(fs::perms permissions) {
    return (permissions & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace

std::string replaceFileContent(const std::string& pathText, std::string_view bytes, std::string_view kind) {
    const auto refused = [&pathText, kind](const std::string& why) {
        return "cannot write " + std::string(kind) + "'" + pathText + "': " + why + "; nothing was changed";
    };
    const auto path = pathFromUtf8(pathText);
    if (!path || path->empty()) return refused("not a valid path");
    if (namesReservedDevice(pathText.c_str())) return refused("the name is a device that Windows reserves");

    std::error_code error;
    fs::path target = *path;
    // Through a symbolic link the file it names gets the content; the link itself stays.
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        target = fs::canonical(target, error);
        if (error) return refused("a symbolic link to no file");
    }
    const fs::file_status status = fs::status(target, error);
    std::optional<fs::perms> keptPermissions;
    if (fs::exists(status)) {
        // Renaming over a device, pipe or folder would take it away; writing into one may never end.
        if (!fs::is_regular_file(status)) return refused("not a regular file");
        // The mode bits too, since an administrator may write where the owner may not.
        bool readOnly = hasNoWriteBit(status.permissions());
#ifndef _WIN32
        readOnly = readOnly || ::access(target.c_str(), W_OK) != 0;
#endif
        if (readOnly) return refused("the file is read-only");
        keptPermissions = status.permissions();
    } else if (error && error != std::errc::no_such_file_or_directory) {
        return refused(error.message());
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, error)) return refused("its folder does not exist");

    NewFile file;
    if (!file.create(folder, target))
        return refused(std::string("cannot create a new file in its folder: ") + std::strerror(file.error()));
    if (!file.write(bytes) || !file.finish(keptPermissions))
        return refused(std::string("writing failed: ") + std::strerror(file.error()));
    fs::rename(file.path(), target, error);
    if (error) return refused("cannot replace it: " + error.message());
    file.release();
    return {};
}

}  // namespace kaleidra::stage_tool
