// The Windows half of FileSystem.h (the rules are there).

#include "FileSystem.h"

#include "Windows1252Text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace fs = std::filesystem;

namespace platform {

fs::path withNativeSeparators(std::string_view path) {
    return pathFromUtf8(path);
}

fs::path nativePath(std::string_view path) {
    return withNativeSeparators(path);
}

std::string displayedPath(std::string_view path) {
    return upperCase(path);
}

// The stat of the C run-time gives whole seconds and no identity; the handle's
// information has the write time in 100 ns and the file's index, which a
// replacement changes.
std::optional<FileStamp> fileStamp(const fs::path& path) {
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    const auto combined = [](DWORD high, DWORD low) {
        return (std::uint64_t(high) << 32) | std::uint64_t(low);
    };
    FileStamp stamp;
    stamp.size = combined(info.nFileSizeHigh, info.nFileSizeLow);
    // File times count 100 ns from 1601; the stamp counts nanoseconds from 1970.
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    const auto ticks = std::int64_t(
        combined(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
    stamp.modifiedNs = (ticks - kTicksFrom1601To1970) * 100;
    stamp.identity = combined(info.nFileIndexHigh, info.nFileIndexLow);
    return stamp;
}

std::optional<std::string> machineWideLogFolder() {
    return "C:";
}

} // namespace platform
