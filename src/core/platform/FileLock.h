#pragma once
// A lock of the operating system on a file: flock on Linux, LockFileEx on
// Windows; exclusive, or shared with other readers. The lock belongs to the open file, so the
// system releases it however the process ends, killed included; the file itself stays. On Windows
// the lock covers one byte far beyond any text the file holds, so that a waiting run can still read
// what the holder wrote.

#include "PlatformFiles.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

class FileLock {
public:
    enum class Attempt { Locked, Busy, Failed };
    // Exclusive: no one else holds the file. Shared: others may hold it
    // shared too, but no one exclusively.
    enum class Mode { Exclusive, Shared };

    // Opens the file, creating it when missing and asked to (when running as
    // root, with its folder's owner and group). A link in its place is not followed and
    // anything but a regular file is refused, without waiting on a FIFO. A
    // file this user may not write is opened for reading: it locks all the
    // same, only writeText does nothing.
    explicit FileLock(const std::filesystem::path& file, bool createWhenMissing = true);
    // Releases the lock, if taken, and closes the file.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isOpen() const { return file_.isOpen(); }
    // Whether the file could not be opened because its folder refuses a new file.
    bool folderRefusedFile() const { return folderRefused_; }
    // Why opening or locking failed: the path and the system's words.
    const std::string& problem() const { return problem_; }

    // One attempt to take the lock, without waiting.
    Attempt tryLock(Mode mode = Mode::Exclusive);
    // Replaces the file's text; meant for the holder of the lock.
    bool writeText(std::string_view text);
    // The first bytes of the file's text (at most limit).
    std::string readText(std::size_t limit) const;

private:
    std::filesystem::path path_;
    platform::OpenFile file_;
    bool writable_ = false;
    bool locked_ = false;
    bool folderRefused_ = false;
    std::string problem_;
};

// The number the system knows this process by.
unsigned long currentProcessId();

} // namespace platform
