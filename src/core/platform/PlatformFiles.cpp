#include "PlatformFiles.h"

#include <cstdio>

#ifdef _WIN32
#include <algorithm>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace platform {

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.release();
    }
    return *this;
}

OpenFile::Handle OpenFile::release() {
    const Handle handle = handle_;
    handle_ = kClosed;
    return handle;
}

#ifdef _WIN32

namespace {

bool isRegularHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

OpenFile openChecked(const fs::path& path, DWORD access, DWORD disposition) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
    HANDLE handle =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    OpenFile file(handle);
    if (file.isOpen() && !isRegularHandle(handle))
        return OpenFile();
    return file;
}

} // namespace

bool OpenFile::close() {
    if (!isOpen())
        return true;
    return CloseHandle(release()) != 0;
}

OpenFile openRegularForReading(const fs::path& path) {
    return openChecked(path, GENERIC_READ, OPEN_EXISTING);
}

OpenFile openRegularForAppending(const fs::path& path) {
    // Append-only access makes every write go to the end of the file.
    return openChecked(path, FILE_APPEND_DATA, OPEN_ALWAYS);
}

OpenFile openPlainForAppending(const fs::path& path) {
    // A link or junction opens as itself and is refused below, as is a file
    // with a second name.
    OpenFile file(CreateFileW(
        path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.isOpen() || GetFileType(file.handle()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.handle(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
        info.nNumberOfLinks != 1)
        return OpenFile();
    return file;
}

OpenFile createNewFile(const fs::path& path) {
    return OpenFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool readAll(const OpenFile& file, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.handle(), buffer, DWORD(sizeof buffer), &got, nullptr))
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, got);
    }
}

bool writeAll(const OpenFile& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.handle(), bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool flushToDisk(const OpenFile& file) {
    return FlushFileBuffers(file.handle()) != 0;
}

// The attributes a replacement keeps; read-only is never set on a file the
// program writes (a read-only file is not replaced at all).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::optional<FileOwnership> ownershipOf(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return FileOwnership{std::uint32_t(attributes & kKeptAttributes), 0, 0};
}

bool applyOwnership(const OpenFile& file, const FileOwnership& ownership, bool withMode) {
    // The access list is the one the folder gives a new file.
    if (!withMode || ownership.mode == 0)
        return true;
    FILE_BASIC_INFO info{}; // times of 0 stay as they are
    info.FileAttributes = ownership.mode;
    return SetFileInformationByHandle(file.handle(), FileBasicInfo, &info, sizeof info) != 0;
}

bool giveOwnership(const fs::path&, const FileOwnership&) {
    // A new file or folder inherits its folder's security on Windows.
    return true;
}

bool runningAsRoot() {
    return false;
}

bool replaceFile(const fs::path& temporary, const fs::path& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void flushFolder(const fs::path&) {}

bool makeFifo(const fs::path&) {
    return false;
}

namespace {

std::uint64_t ticksOf(const FILETIME& time) {
    return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME fileTimeOf(std::uint64_t ticks) {
    return FILETIME{DWORD(ticks & 0xFFFFFFFFu), DWORD(ticks >> 32)};
}

OpenFile openForAttributes(const fs::path& path, DWORD access) {
    return OpenFile(CreateFileW(path.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

std::optional<FileTimes> fileTimesOf(const fs::path& path) {
    const OpenFile file = openForAttributes(path, FILE_READ_ATTRIBUTES);
    FILETIME created{}, accessed{}, written{};
    if (!file.isOpen() || !GetFileTime(file.handle(), &created, &accessed, &written))
        return std::nullopt;
    return FileTimes{ticksOf(created), ticksOf(written)};
}

bool restoreFileTimes(const fs::path& path, const FileTimes& times) {
    const OpenFile file = openForAttributes(path, FILE_WRITE_ATTRIBUTES);
    const FILETIME created = fileTimeOf(times.created);
    const FILETIME written = fileTimeOf(times.lastWritten);
    return file.isOpen() && SetFileTime(file.handle(), &created, nullptr, &written) != 0;
}

#else

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

bool readAll(const OpenFile& file, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.handle(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, std::size_t(got));
    }
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

#endif

void writeToStandardOutput(std::string_view bytes) {
#ifdef _WIN32
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

} // namespace platform
