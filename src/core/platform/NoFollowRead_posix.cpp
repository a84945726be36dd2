#include "NoFollowRead.h"

#include "PlatformFiles.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::optional<std::string> readRegularFileNoFollow(const std::filesystem::path& path) {
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file.isOpen() || ::fstat(file.handle(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string bytes;
    if (!readAll(file, bytes))
        return std::nullopt;
    return bytes;
}

} // namespace platform
