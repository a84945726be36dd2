#include "FlushTogether.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <thread>

namespace platform {

bool flushTogether(const std::vector<std::filesystem::path>& paths) {
    std::atomic<bool> flushed = true;
    std::vector<std::thread> flushes;
    for (const auto& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(std::filesystem::symlink_status(path, error)))
            continue; // a folder's entries need no flush of their own here
        flushes.emplace_back([&flushed, path] {
            HANDLE file = CreateFileW(
                path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (file == INVALID_HANDLE_VALUE || !FlushFileBuffers(file))
                flushed = false;
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        });
    }
    for (auto& flush : flushes)
        flush.join();
    return flushed;
}

} // namespace platform
