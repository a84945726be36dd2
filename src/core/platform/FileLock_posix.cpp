#include "FileLock.h"

#include "FileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

bool refusedByPermission(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

FileLock::FileLock(const fs::path& file, bool createWhenMissing) : path_(file) {
    int error = 0;
    for (int attempt = 0; attempt < 3 && !file_.isOpen(); ++attempt) {
        file_ = platform::OpenFile(::open(file.c_str(), O_RDWR | kOpenFlags));
        writable_ = file_.isOpen();
        if (!file_.isOpen() && (refusedByPermission(errno) || errno == EISDIR))
            file_ = platform::OpenFile(::open(file.c_str(), O_RDONLY | kOpenFlags));
        error = errno;
        if (file_.isOpen() || error != ENOENT || !createWhenMissing)
            break;
        file_ =
            platform::OpenFile(::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | kOpenFlags, 0644));
        error = errno;
        if (file_.isOpen()) {
            writable_ = true;
            if (const auto folder = platform::ownershipOf(file.parent_path()))
                platform::applyOwnership(file_, *folder, false); // a lock locks all the same
        } else if (error != EEXIST) { // else another run created it meanwhile: open that one
            folderRefused_ = refusedByPermission(error);
            break;
        }
    }
    if (!file_.isOpen()) {
        problem_ = utf8Text(file) + ": " + std::strerror(error);
        return;
    }
    struct stat info {};
    if (::fstat(file_.handle(), &info) != 0 || !S_ISREG(info.st_mode)) {
        file_ = platform::OpenFile();
        problem_ = utf8Text(file) + ": not a plain file";
    }
}

FileLock::~FileLock() = default; // closing the last descriptor releases the lock

FileLock::Attempt FileLock::tryLock(Mode mode) {
    if (!file_.isOpen())
        return Attempt::Failed;
    if (::flock(file_.handle(), (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) == 0) {
        locked_ = true;
        return Attempt::Locked;
    }
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Attempt::Busy;
    problem_ = utf8Text(path_) + ": " + std::strerror(errno);
    return Attempt::Failed;
}

// Other processes see the text as soon as it is written; after a crash it
// means nothing, so it is not forced to the disk. It is written over the old
// text and the file cut only where that was longer: emptying the file first
// would free its block and allocate it again on every run.
bool FileLock::writeText(std::string_view text) {
    struct stat info {};
    return writable_ && ::lseek(file_.handle(), 0, SEEK_SET) == 0 &&
           platform::writeAll(file_, text) && ::fstat(file_.handle(), &info) == 0 &&
           (info.st_size <= off_t(text.size()) ||
            ::ftruncate(file_.handle(), off_t(text.size())) == 0);
}

std::string FileLock::readText(std::size_t limit) const {
    std::string text(limit, '\0');
    const ssize_t got = file_.isOpen() ? ::pread(file_.handle(), text.data(), limit, 0) : -1;
    text.resize(got > 0 ? std::size_t(got) : 0);
    return text;
}

unsigned long currentProcessId() {
    return static_cast<unsigned long>(::getpid());
}

} // namespace platform
