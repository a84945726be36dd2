#include "FileLock.h"

#include "FileSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

// The locked byte: far beyond the text, which Windows would otherwise refuse
// to let another process read while the lock is held.
constexpr DWORD kLockedOffsetHigh = 1;

std::string systemMessage(DWORD error) {
    return "Windows error " + std::to_string(error);
}

bool isRegularHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

HANDLE openLockFile(const fs::path& file, DWORD access, DWORD disposition) {
    // No FILE_FLAG_BACKUP_SEMANTICS, so a folder does not open; a link's
    // reparse point is opened itself, not followed.
    return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                       nullptr);
}

} // namespace

FileLock::FileLock(const fs::path& file, bool createWhenMissing) : path_(file) {
    const DWORD disposition = createWhenMissing ? OPEN_ALWAYS : OPEN_EXISTING;
    file_ = platform::OpenFile(openLockFile(file, GENERIC_READ | GENERIC_WRITE, disposition));
    writable_ = file_.isOpen();
    if (!file_.isOpen() && GetLastError() == ERROR_ACCESS_DENIED)
        file_ = platform::OpenFile(openLockFile(file, GENERIC_READ, disposition));
    if (!file_.isOpen()) {
        const DWORD error = GetLastError();
        std::error_code ignored;
        folderRefused_ = (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) &&
                         !fs::exists(fs::symlink_status(file, ignored));
        problem_ = utf8Text(file) + ": " + systemMessage(error);
        return;
    }
    if (!isRegularHandle(file_.handle())) {
        file_ = platform::OpenFile();
        problem_ = utf8Text(file) + ": not a plain file";
    }
}

FileLock::~FileLock() {
    if (locked_) {
        OVERLAPPED overlapped{};
        overlapped.OffsetHigh = kLockedOffsetHigh;
        UnlockFileEx(file_.handle(), 0, 1, 0, &overlapped);
    }
}

FileLock::Attempt FileLock::tryLock(Mode mode) {
    if (!file_.isOpen())
        return Attempt::Failed;
    OVERLAPPED overlapped{};
    overlapped.OffsetHigh = kLockedOffsetHigh;
    if (LockFileEx(file_.handle(),
                   (mode == Mode::Shared ? 0 : LOCKFILE_EXCLUSIVE_LOCK) | LOCKFILE_FAIL_IMMEDIATELY,
                   0, 1, 0, &overlapped)) {
        locked_ = true;
        return Attempt::Locked;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return Attempt::Busy;
    problem_ = utf8Text(path_) + ": " + systemMessage(error);
    return Attempt::Failed;
}

bool FileLock::writeText(std::string_view text) {
    LARGE_INTEGER start{};
    return writable_ && SetFilePointerEx(file_.handle(), start, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file_.handle()) && platform::writeAll(file_, text);
}

std::string FileLock::readText(std::size_t limit) const {
    std::string text(limit, '\0');
    OVERLAPPED atStart{};
    DWORD got = 0;
    if (!file_.isOpen() || !ReadFile(file_.handle(), text.data(), DWORD(limit), &got, &atStart))
        got = 0;
    text.resize(got);
    return text;
}

unsigned long currentProcessId() {
    return GetCurrentProcessId();
}

} // namespace platform
