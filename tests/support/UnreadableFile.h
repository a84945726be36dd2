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
inline constexpr std::string_view kNoPermissionContent = "[s]\r\nk=kept\r\n";

inline std::string_view unreadableName(Unreadable kind) {
    switch (kind) {
    case Unreadable::Folder:
        return "folder";
    case Unreadable::Fifo:
        return "FIFO";
    case Unreadable::DanglingLink:
        return "dangling link";
    case Unreadable::NoPermission:
        return "file without read permission";
    }
    return {};
}

// Places the thing at path; false where the platform cannot make it.
inline bool makeUnreadable(const std::filesystem::path& path, Unreadable kind) {
    std::error_code error;
    switch (kind) {
    case Unreadable::Folder:
        return std::filesystem::create_directory(path, error);
    case Unreadable::Fifo:
#ifndef _WIN32
        return ::mkfifo(path.c_str(), 0644) == 0;
#else
        return false;
#endif
    case Unreadable::DanglingLink:
        std::filesystem::create_symlink(path.parent_path() / "nowhere", path, error);
        return !error;
    case Unreadable::NoPermission: {
#ifdef _WIN32
        return false; // read permission is the file's access list there, not a mode bit
#else
        if (::geteuid() == 0)
            return false;
#endif
        std::ofstream(path, std::ios::binary) << kNoPermissionContent;
        std::filesystem::permissions(path, std::filesystem::perms::owner_write, error);
        return !error;
    }
    }
    return false;
}

// Whether the thing is still there as it was made.
inline bool isUnchangedUnreadable(const std::filesystem::path& path, Unreadable kind) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    switch (kind) {
    case Unreadable::Folder:
        return std::filesystem::is_directory(status) && std::filesystem::is_empty(path, error);
    case Unreadable::Fifo:
        return std::filesystem::is_fifo(status);
    case Unreadable::DanglingLink:
        return std::filesystem::is_symlink(status) &&
               std::filesystem::read_symlink(path, error) == path.parent_path() / "nowhere" &&
               !std::filesystem::exists(path, error);
    case Unreadable::NoPermission:
        return std::filesystem::is_regular_file(status) &&
               status.permissions() == std::filesystem::perms::owner_write &&
               std::filesystem::file_size(path, error) == kNoPermissionContent.size();
    }
    return false;
}

} // namespace testsupport
