// The POSIX half of PlatformFiles.h (the rules are there).

#include "PlatformFiles.h"

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

bool isRegularDescriptor(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Refuses anything but a regular file before opening it, then checks the
// open descriptor again (the name may have changed in between).
OpenFile openChecked(const fs::path& path, int flags) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return OpenFile();
    OpenFile file(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
    if (file.isOpen() && !isRegularDescriptor(file.handle()))
        return OpenFile();
    return file;
}

bool giveToOwnerOfFolder(const OpenFile& file, const fs::path& path) {
    const auto folder =
        ownershipOf(path.parent_path().empty() ? fs::path(".") : path.parent_path());
    return folder && applyOwnership(file, *folder, false);
}

} // namespace

bool OpenFile::close() {
    if (!isOpen())
        return true;
    return ::close(release()) == 0;
}

OpenFile openRegularForReading(const fs::path& path) {
    return openChecked(path, O_RDONLY);
}

OpenFile openRegularForAppending(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 || errno != ENOENT)
        return openChecked(path, O_WRONLY | O_APPEND);
    // Created exclusively, so that only the run that created it gives it away;
    // a dangling link in its place is not followed.
    OpenFile file = openChecked(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL);
    if (file.isOpen())
        giveToOwnerOfFolder(file, path);
    else if (errno == EEXIST) // created by another run meanwhile
        return openChecked(path, O_WRONLY | O_APPEND);
    return file;
}

OpenFile openPlainForAppending(const fs::path& path) {
    // O_NOFOLLOW refuses a link as the last name; a FIFO without a reader
    // fails to open at once (O_NONBLOCK), one with a reader fails the check.
    constexpr int kFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    OpenFile file(::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
    const bool created = file.isOpen();
    if (!created && errno == EEXIST)
        file = OpenFile(::open(path.c_str(), kFlags));
    struct stat info {};
    if (!file.isOpen() || ::fstat(file.handle(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_nlink != 1)
        return OpenFile();
    // Only the run that created it gives it away.
    if (created)
        giveToOwnerOfFolder(file, path);
    return file;
}

OpenFile createNewFile(const fs::path& path) {
    return OpenFile(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

bool readAll(const OpenFile& file, std::string& bytes, std::size_t limit) {
    char buffer[65536];
    while (bytes.size() < limit) {
        const ssize_t got =
            ::read(file.handle(), buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, std::size_t(got));
    }
    return true;
}

bool writeAll(const OpenFile& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file.handle(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

bool flushToDisk(const OpenFile& file) {
    return ::fsync(file.handle()) == 0;
}

std::optional<FileOwnership> ownershipOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileOwnership{std::uint32_t(info.st_mode & 07777), std::uint32_t(info.st_uid),
                         std::uint32_t(info.st_gid)};
}

bool applyOwnership(const OpenFile& file, const FileOwnership& ownership, bool withMode) {
    // The owner first: changing it clears the set-user and set-group bits.
    if (runningAsRoot() &&
        ::fchown(file.handle(), uid_t(ownership.user), gid_t(ownership.group)) != 0)
        return false;
    return !withMode || ::fchmod(file.handle(), mode_t(ownership.mode)) == 0;
}

bool giveOwnership(const fs::path& path, const FileOwnership& ownership) {
    return !runningAsRoot() ||
           ::lchown(path.c_str(), uid_t(ownership.user), gid_t(ownership.group)) == 0;
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

bool writeRefusedBySystem(const fs::path& path) {
    return ::access(path.c_str(), W_OK) != 0;
}

bool makeFifo(const fs::path& path) {
    return ::mkfifo(path.c_str(), 0644) == 0;
}

bool replaceFile(const fs::path& temporary, const fs::path& target) {
    return ::rename(temporary.c_str(), target.c_str()) == 0;
}

std::optional<FileTimes> fileTimesOf(const fs::path& path) {
    std::error_code error;
    const auto written = fs::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return FileTimes{written};
}

bool restoreFileTimes(const fs::path& path, const FileTimes& times) {
    std::error_code error;
    fs::last_write_time(path, times.lastWritten, error);
    return !error;
}

void flushFolder(const fs::path& folder) {
    // The rename is done; a folder that cannot be flushed leaves it to the system.
    OpenFile directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isOpen())
        ::fsync(directory.handle());
}
void writeToStandardOutput(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

} // namespace platform
