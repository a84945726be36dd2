#pragma once
// The file operations whose system calls differ between Linux and Windows,
// each behind one small function. FileSystem.cpp and FileReplacement.cpp build
// on these and on std::filesystem only.
//
// Rules kept here:
//  - Nothing is ever opened that is not a regular file: a FIFO, a device or a
//    folder is refused before it is opened, and checked again on the open
//    handle, so that no call waits on a FIFO or touches a device.
//  - A new file is created exclusively: an existing name is never reused.
//  - A file is replaced by renaming the new file over it in one step
//    (rename on Linux, MoveFileExW with replace on Windows). ReplaceFileW is
//    not used: it is no single step (a run killed inside it can leave no file
//    at all), which a replacement must never risk.
//  - On Windows the replaced file's attributes (hidden, system, archive, not
//    indexed) are given to the new file before it takes the old one's place;
//    its access list is the one the folder gives a new file. Mode and owners
//    are set only on Linux.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An open file, closed when it goes.
class OpenFile {
public:
#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif

    OpenFile() = default;
    explicit OpenFile(Handle handle) : handle_(handle) {}
    OpenFile(OpenFile&& other) noexcept : handle_(other.release()) {}
    OpenFile& operator=(OpenFile&& other) noexcept;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        close();
    }

    bool isOpen() const {
        return handle_ != kClosed;
    }
    Handle handle() const {
        return handle_;
    }
    // False when the system reports that written data may be lost.
    bool close();

private:
    Handle release();
#ifdef _WIN32
    static inline const Handle kClosed = reinterpret_cast<Handle>(std::intptr_t(-1));
#else
    static constexpr Handle kClosed = -1;
#endif
    Handle handle_ = kClosed;
};

// Opens a regular file for reading; closed for anything else.
OpenFile openRegularForReading(const std::filesystem::path& path);
// Opens a regular file for appending, creating it when missing (then with the
// owner and group of its folder when the program runs as root); closed for
// anything else.
OpenFile openRegularForAppending(const std::filesystem::path& path);
// The same for a file that must be reached without a link: the name itself
// must be a regular file with no other name (Linux: opened with O_NOFOLLOW,
// then checked with fstat; Windows: the reparse point itself opened, then
// checked to be a plain file); closed for a link, or anything else.
OpenFile openPlainForAppending(const std::filesystem::path& path);
// Creates a file that must not exist yet; closed when the name is taken or the
// folder refuses it.
OpenFile createNewFile(const std::filesystem::path& path);

// Reads to the end, or until bytes holds limit bytes.
bool readAll(const OpenFile& file, std::string& bytes, std::size_t limit = std::size_t(-1));
bool writeAll(const OpenFile& file, std::string_view bytes);
// Writes the file's data through to the disk.
bool flushToDisk(const OpenFile& file);

// What belongs to a file besides its bytes (Linux: mode bits, owner, group;
// Windows: the attributes, in mode).
struct FileOwnership {
    std::uint32_t mode = 0;
    std::uint32_t user = 0;
    std::uint32_t group = 0;
};
// Of the file or folder the path names (links followed); nothing when missing.
std::optional<FileOwnership> ownershipOf(const std::filesystem::path& path);
// Gives an open file the owner and group (only when running as root) and,
// when withMode, the mode bits.
bool applyOwnership(const OpenFile& file, const FileOwnership& ownership, bool withMode);
// Gives a file or folder the owner and group, when running as root (true
// otherwise; nothing to do on Windows, where new entries inherit).
bool giveOwnership(const std::filesystem::path& path, const FileOwnership& ownership);
// Whether the program may give files away to other users.
bool runningAsRoot();

// The times that a change of a file's content moves and that the program can
// put back: the last-write time and, on Windows, the creation time (Linux has
// no call that sets it). The last-access time is left to the system.
struct FileTimes {
#ifdef _WIN32
    std::uint64_t created = 0; // FILETIME values: 100 ns since 1601
    std::uint64_t lastWritten = 0;
#else
    std::filesystem::file_time_type lastWritten;
#endif
};
std::optional<FileTimes> fileTimesOf(const std::filesystem::path& path);
bool restoreFileTimes(const std::filesystem::path& path, const FileTimes& times);

// Whether the system refuses this process writing to the file although its
// permission bits allow it: on Linux access(W_OK) knows the process's user and
// groups, access lists and read-only mounts; on Windows the bits (the
// read-only attribute) are all there is to it, so never.
bool writeRefusedBySystem(const std::filesystem::path& path);

// Makes a FIFO (named pipe) at the path; false where the system has none.
bool makeFifo(const std::filesystem::path& path);

// Puts the written temporary file in place of the target, in one step.
bool replaceFile(const std::filesystem::path& temporary, const std::filesystem::path& target);
// Writes a folder's entries through to the disk (nothing to do on Windows).
void flushFolder(const std::filesystem::path& folder);

// Writes the bytes to standard output as they are: on Windows the stream is
// switched to binary first, so that CR LF does not become CR CR LF.
void writeToStandardOutput(std::string_view bytes);

} // namespace platform
