#pragma once
// Things that stand where a file belongs but cannot be read as one. A file
// without read permission is made only for a user other than root, whom no
// permission stops.

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testsupport {

enum class Unreadable { Folder, Fifo, DanglingLink, NoPermission };

inline constexpr std::array kUnreadableKinds = {Unreadable::Folder, Unreadable::Fifo,
                                                Unreadable::DanglingLink, Unreadable::NoPermission};
inline constexpr std::array<std::string_view, 4> kUnreadableNames = {
    "folder", "FIFO", "dangling link", "file without read permission"};

inline std::string_view unreadableName(Unreadable kind) {
    return kUnreadableNames[std::size_t(kind)];
}

// Places the thing at path; false where the platform cannot make it.
inline bool makeUnreadable(const std::filesystem::path& path, Unreadable kind) {
    namespace fs = std::filesystem;
    std::error_code error;
    switch (kind) {
    case Unreadable::Folder:
        return fs::create_directory(path, error);
    case Unreadable::DanglingLink:
        fs::create_symlink(path.parent_path() / "nowhere", path, error);
        return !error;
#ifdef _WIN32
    default: // no FIFO; read permission is the file's access list there, not a mode bit
        return false;
#else
    case Unreadable::Fifo:
        return ::mkfifo(path.c_str(), 0644) == 0;
    case Unreadable::NoPermission:
        if (::geteuid() == 0)
            return false;
        std::ofstream(path) << "kept";
        fs::permissions(path, fs::perms::owner_write, error);
        return !error;
#endif
    }
    return false;
}

// Whether the thing is still there as it was made.
inline bool isUnchangedUnreadable(const std::filesystem::path& path, Unreadable kind) {
    namespace fs = std::filesystem;
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    switch (kind) {
    case Unreadable::Folder:
        return fs::is_directory(status) && fs::is_empty(path, error);
    case Unreadable::Fifo:
        return fs::is_fifo(status);
    case Unreadable::DanglingLink:
        return fs::is_symlink(status) && !fs::exists(path, error);
    case Unreadable::NoPermission:
        return status.permissions() == fs::perms::owner_write && fs::file_size(path, error) == 4;
    }
    return false;
}

} // namespace testsupport
