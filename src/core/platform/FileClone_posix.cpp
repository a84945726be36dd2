#include "FileClone.h"

#include "PlatformFiles.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace platform {
namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool copyRange(int from, int to, off_t size) {
    off_t done = 0;
    while (done < size) {
        const ssize_t copied =
            ::copy_file_range(from, nullptr, to, nullptr, size_t(size - done), 0);
        if (copied <= 0)
            return false;
        done += copied;
    }
    return true;
}

} // namespace

bool cloneFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    const Descriptor source{::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    struct stat status {};
    if (source.fd < 0 || ::fstat(source.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const Descriptor copy{::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
    if (copy.fd < 0)
        return false;
    const bool copied =
        ::ioctl(copy.fd, FICLONE, source.fd) == 0 || copyRange(source.fd, copy.fd, status.st_size);
    // Flushed by the caller, together with the run's other files.
    if (copied)
        return true;
    std::error_code ignored;
    std::filesystem::remove(to, ignored);
    return false;
}

void giveCopyOwnerAndMode(const std::filesystem::path& original,
                          const std::filesystem::path& copy) {
    if (const auto owner = ownershipOf(original)) {
        std::error_code ignored;
        std::filesystem::permissions(
            copy, std::filesystem::perms(owner->mode) & std::filesystem::perms::mask, ignored);
        giveOwnership(copy, *owner);
    }
}

} // namespace platform
