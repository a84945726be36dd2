#include "InstallationLock.h"

#include "FileSystem.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace framework {
namespace {

enum class Attempt { Locked, Busy, Error };

#ifdef _WIN32

std::string systemMessage(DWORD error) {
    return "Windows error " + std::to_string(error);
}

bool refusesNewFile(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

// Whether the failure to create a file means the folder cannot be written.
bool folderRefusedFile(const fs::path& file, DWORD error) {
    std::error_code ignored;
    return refusesNewFile(error) && !fs::exists(file, ignored);
}

Attempt tryLock(void* handle, std::string& problem) {
    OVERLAPPED overlapped{};
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &overlapped))
        return Attempt::Locked;
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return Attempt::Busy;
    problem = systemMessage(error);
    return Attempt::Error;
}

#else

std::string systemMessage(int error) {
    return std::strerror(error);
}

// Gives a file that root created the owner and group of its folder.
void takeFolderOwnership(int descriptor, const fs::path& folder) {
    if (geteuid() != 0)
        return;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return;
    // A lock file whose owner cannot be changed locks all the same.
    [[maybe_unused]] const int changed = ::fchown(descriptor, info.st_uid, info.st_gid);
}

struct Opened {
    int descriptor = -1;
    int error = 0;
    bool creating = false; // the error came from creating the file
};

// Opens the lock file for reading (enough for flock), creating it when
// missing. A link in its place is not followed, and a FIFO never blocks.
Opened openLockFile(const fs::path& file) {
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int descriptor = ::open(file.c_str(), kFlags);
        if (descriptor >= 0 || errno != ENOENT)
            return {descriptor, errno, false};
        descriptor = ::open(file.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
        if (descriptor >= 0) {
            takeFolderOwnership(descriptor, file.parent_path());
            return {descriptor, 0, true};
        }
        if (errno != EEXIST) // else another run created it meanwhile: open that one
            return {-1, errno, true};
    }
    return {-1, EEXIST, true};
}

Attempt tryLock(int descriptor, std::string& problem) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return Attempt::Locked;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Attempt::Busy;
    problem = systemMessage(errno);
    return Attempt::Error;
}

#endif

} // namespace

fs::path installationLockPath(const ProgramState& program) {
    return pathFromUtf8(program.executableFolder) /
           pathFromUtf8(program.executableBaseName + ".lock");
}

InstallationLock::InstallationLock(const fs::path& file, std::chrono::milliseconds wait,
                                   std::chrono::milliseconds poll) {
#ifdef _WIN32
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        state_ = folderRefusedFile(file, error) ? State::NotWritable : State::Failed;
        problem_ = utf8Text(file) + ": " + systemMessage(error);
        return;
    }
    handle_ = handle;
    void* const lockable = handle_;
#else
    const Opened opened = openLockFile(file);
    if (opened.descriptor < 0) {
        const bool refused =
            opened.error == EACCES || opened.error == EPERM || opened.error == EROFS;
        state_ = opened.creating && refused ? State::NotWritable : State::Failed;
        problem_ = utf8Text(file) + ": " + systemMessage(opened.error);
        return;
    }
    descriptor_ = opened.descriptor;
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem_ = utf8Text(file) + ": not a plain file";
        return;
    }
    const int lockable = descriptor_;
#endif
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        switch (tryLock(lockable, problem_)) {
        case Attempt::Locked:
            state_ = State::Held;
            return;
        case Attempt::Error:
            problem_ = utf8Text(file) + ": " + problem_;
            state_ = State::Failed;
            return;
        case Attempt::Busy:
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            state_ = State::Busy;
            return;
        }
        std::this_thread::sleep_for(poll);
    }
}

InstallationLock::~InstallationLock() {
#ifdef _WIN32
    if (handle_ != nullptr) {
        if (state_ == State::Held) {
            OVERLAPPED overlapped{};
            UnlockFileEx(handle_, 0, 1, 0, &overlapped);
        }
        CloseHandle(handle_);
    }
#else
    if (descriptor_ >= 0)
        ::close(descriptor_); // closing the last descriptor releases the lock
#endif
}

} // namespace framework
