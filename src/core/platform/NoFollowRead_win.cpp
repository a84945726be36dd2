#include "NoFollowRead.h"

#include "PlatformFiles.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

std::optional<std::string> readRegularFileNoFollow(const std::filesystem::path& path) {
    // The reparse point itself is opened, and then refused, instead of the
    // file it names.
    const OpenFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.isOpen() || GetFileType(file.handle()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.handle(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
        return std::nullopt;
    std::string bytes;
    if (!readAll(file, bytes))
        return std::nullopt;
    return bytes;
}

} // namespace platform
