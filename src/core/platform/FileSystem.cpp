#include "FileSystem.h"

#include "PlatformFiles.h"
#include "Windows1252Text.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace platform {
namespace {

#ifdef _WIN32
fs::path resolveCase(const fs::path& path) {
    return path;
}
#else
// Finds each existing component without regard to letter case; the first
// component that exists in no spelling ends the search.
fs::path resolveCase(const fs::path& path) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        return path;
    fs::path resolved = path.root_path();
    bool searching = true;
    for (const fs::path& part : path.relative_path()) {
        fs::path candidate = resolved / part;
        if (searching && !fs::exists(fs::symlink_status(candidate, error))) {
            searching = false;
            const std::string wanted = part.string();
            const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
            for (fs::directory_iterator it(folder, error), end; !error && it != end;
                 it.increment(error)) {
                const std::string name = it->path().filename().string();
                if (equalsIgnoreCase(name, wanted)) {
                    candidate = resolved / name;
                    searching = true;
                    break;
                }
            }
        }
        resolved = std::move(candidate);
    }
    return resolved;
}
#endif

bool isHidden(const fs::path& path) {
    const std::string name = utf8Text(path.filename());
    return !name.empty() && name.front() == '.';
}

} // namespace

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path withNativeSeparators(std::string_view path) {
    std::string text(path);
#ifndef _WIN32
    for (char& c : text)
        if (c == '\\')
            c = '/';
#endif
    return pathFromUtf8(text);
}

fs::path nativePath(std::string_view path) {
    return resolveCase(withNativeSeparators(path));
}

bool fileExists(std::string_view path) {
    if (path.empty())
        return false;
    const fs::path real = nativePath(path);
    std::error_code error;
    return fs::is_regular_file(real, error) && !isHidden(real);
}

FileKind probeFile(std::string_view path) {
    if (path.empty())
        return FileKind::Missing;
    const fs::path real = nativePath(path);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(real, error)) || isHidden(real))
        return FileKind::Missing;
    return platform::openRegularForReading(real).isOpen() ? FileKind::Readable
                                                          : FileKind::Unreadable;
}

std::optional<std::string> readFileBytes(std::string_view path) {
    const fs::path real = nativePath(path);
    const platform::OpenFile file = platform::openRegularForReading(real);
    if (!file.isOpen())
        return std::nullopt;
    std::string bytes;
    std::error_code error;
    if (const auto size = fs::file_size(real, error); !error)
        bytes.reserve(size);
    if (!platform::readAll(file, bytes))
        return std::nullopt;
    return bytes;
}

std::string displayedPath(std::string_view path) {
#ifdef _WIN32
    return upperCase(path);
#else
    return nativePath(path).string();
#endif
}

std::string cannotReadMessage(std::string_view path) {
    return "Cannot read " + utf8Text(nativePath(path)); // as it exists, letter case included
}

#ifdef _WIN32
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
#else
std::optional<FileStamp> fileStamp(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.size = std::uintmax_t(info.st_size);
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.identity = std::uint64_t(info.st_ino);
    return stamp;
}
#endif

bool appendToFile(std::string_view path, std::string_view bytes) {
    platform::OpenFile file = platform::openRegularForAppending(nativePath(path));
    return file.isOpen() && platform::writeAll(file, bytes) && file.close();
}

bool appendToPlainFile(std::string_view path, std::string_view bytes) {
    platform::OpenFile file = platform::openPlainForAppending(nativePath(path));
    return file.isOpen() && platform::writeAll(file, bytes) && file.close();
}

bool removeFile(std::string_view path) {
    std::error_code error;
    return fs::remove(nativePath(path), error);
}

std::vector<std::string> listFiles(std::string_view folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && !isHidden(it->path()))
            names.push_back(utf8Text(it->path().filename()));
    }
    return names;
}

} // namespace platform
