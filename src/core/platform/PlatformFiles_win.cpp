// The Windows half of PlatformFiles.h (the rules are there).

#include "PlatformFiles.h"

#include <algorithm>
#include <cstdio>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

bool isRegularHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

OpenFile openChecked(const fs::path& path, DWORD access, DWORD disposition) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
    HANDLE handle =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    OpenFile file(handle);
    if (file.isOpen() && !isRegularHandle(handle))
        return OpenFile();
    return file;
}

} // namespace

bool OpenFile::close() {
    if (!isOpen())
        return true;
    return CloseHandle(release()) != 0;
}

OpenFile openRegularForReading(const fs::path& path) {
    return openChecked(path, GENERIC_READ, OPEN_EXISTING);
}

OpenFile openRegularForAppending(const fs::path& path) {
    // Append-only access makes every write go to the end of the file.
    return openChecked(path, FILE_APPEND_DATA, OPEN_ALWAYS);
}

OpenFile openPlainForAppending(const fs::path& path) {
    // A link or junction opens as itself and is refused below, as is a file
    // with a second name.
    OpenFile file(CreateFileW(
        path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.isOpen() || GetFileType(file.handle()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.handle(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
        info.nNumberOfLinks != 1)
        return OpenFile();
    return file;
}

OpenFile createNewFile(const fs::path& path) {
    return OpenFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool readAll(const OpenFile& file, std::string& bytes, std::size_t limit) {
    char buffer[65536];
    while (bytes.size() < limit) {
        DWORD got = 0;
        const auto wanted = DWORD(std::min<std::size_t>(sizeof buffer, limit - bytes.size()));
        if (!ReadFile(file.handle(), buffer, wanted, &got, nullptr))
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, got);
    }
    return true;
}

bool writeAll(const OpenFile& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.handle(), bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool flushToDisk(const OpenFile& file) {
    return FlushFileBuffers(file.handle()) != 0;
}

// The attributes a replacement keeps; read-only is never set on a file the
// program writes (a read-only file is not replaced at all).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::optional<FileOwnership> ownershipOf(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return FileOwnership{std::uint32_t(attributes & kKeptAttributes), 0, 0};
}

bool applyOwnership(const OpenFile& file, const FileOwnership& ownership, bool withMode) {
    // The access list is the one the folder gives a new file.
    if (!withMode || ownership.mode == 0)
        return true;
    FILE_BASIC_INFO info{}; // times of 0 stay as they are
    info.FileAttributes = ownership.mode;
    return SetFileInformationByHandle(file.handle(), FileBasicInfo, &info, sizeof info) != 0;
}

bool giveOwnership(const fs::path&, const FileOwnership&) {
    // A new file or folder inherits its folder's security on Windows.
    return true;
}

bool runningAsRoot() {
    return false;
}

bool replaceFile(const fs::path& temporary, const fs::path& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void flushFolder(const fs::path&) {}

bool writeRefusedBySystem(const fs::path&) {
    return false;
}

bool makeFifo(const fs::path&) {
    return false;
}

namespace {

std::uint64_t ticksOf(const FILETIME& time) {
    return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME fileTimeOf(std::uint64_t ticks) {
    return FILETIME{DWORD(ticks & 0xFFFFFFFFu), DWORD(ticks >> 32)};
}

OpenFile openForAttributes(const fs::path& path, DWORD access) {
    return OpenFile(CreateFileW(path.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

std::optional<FileTimes> fileTimesOf(const fs::path& path) {
    const OpenFile file = openForAttributes(path, FILE_READ_ATTRIBUTES);
    FILETIME created{}, accessed{}, written{};
    if (!file.isOpen() || !GetFileTime(file.handle(), &created, &accessed, &written))
        return std::nullopt;
    return FileTimes{ticksOf(created), ticksOf(written)};
}

bool restoreFileTimes(const fs::path& path, const FileTimes& times) {
    const OpenFile file = openForAttributes(path, FILE_WRITE_ATTRIBUTES);
    const FILETIME created = fileTimeOf(times.created);
    const FILETIME written = fileTimeOf(times.lastWritten);
    return file.isOpen() && SetFileTime(file.handle(), &created, nullptr, &written) != 0;
}
void writeToStandardOutput(std::string_view bytes) {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

} // namespace platform
