#include "FlushTogether.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace platform {

bool flushTogether(const std::vector<std::filesystem::path>& paths) {
    std::atomic<bool> flushed = true;
    std::vector<std::thread> flushes;
    flushes.reserve(paths.size());
    for (const auto& path : paths)
        flushes.emplace_back([&flushed, path] {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
            if (fd < 0 || ::fsync(fd) != 0)
                flushed = false;
            if (fd >= 0)
                ::close(fd);
        });
    for (auto& flush : flushes)
        flush.join();
    return flushed;
}

} // namespace platform
