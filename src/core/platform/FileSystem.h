#pragma once
// File access for the whole program.
//
// Paths are held as text. A real path uses the platform's separator; a stored
// value such as "Engineering\Pump.gif" keeps its backslashes as data and is
// converted only here, when a file is opened. On a system with case-sensitive
// file names every existing path component is matched without regard to
// letter case, as on the original platform; a component that does not exist
// yet keeps its spelling, so a new file is created with its name as spelled.
//
// Reading never waits: only regular files are opened (a FIFO, a device or a
// folder in a file's place is refused before it is opened).
//
// Files are never rewritten in place. writeFileAtomically creates a new
// temporary file beside the target, exclusively, named "." + file name +
// ".tmp" + digits; writes it, flushes it to the disk and renames it over the
// target; then flushes the folder. A crash thus leaves either the old or the
// new file, never a torn one (at worst a temporary file that
// removeStaleTemporaries clears). What belongs to the replaced file is kept:
// its mode and, when the program runs as root, its owner and group. A file the
// program creates while running as root gets the owner and group of its
// folder, so that the installation's owner can still replace it. A symbolic
// link stays a link: the file it finally points at (relative targets and
// chains of links followed) is replaced, in that file's folder; a link that
// points at nothing is not written through.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A path text (UTF-8) as a path, and a path as text. On Windows the path is
// UTF-16 and converted here; the standard library's narrow conversion would
// take the text in the system's code page.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8Text(const std::filesystem::path& path);

// The path to open for a path text (backslashes converted, letter case resolved).
std::filesystem::path nativePath(std::string_view path);
// The path text with the platform's separators only, letter case as given.
std::filesystem::path withNativeSeparators(std::string_view path);

// Existence test of the installation: a plain file that is not hidden.
bool fileExists(std::string_view path);

// What stands where the program expects a file it reads. A file that exists
// but cannot be read is never to be taken for a missing one: the program
// reports it and leaves it as it is.
enum class FileKind {
    Missing,    // nothing there (a hidden file counts as missing)
    Readable,   // a regular file that opens for reading
    Unreadable, // a folder, FIFO, device, dangling link or a file without read permission
};
FileKind probeFile(std::string_view path);

// The whole file, or nothing when it is missing, not a regular file, or cannot
// be read (an I/O error shows only here, not in probeFile).
std::optional<std::string> readFileBytes(std::string_view path);

// probeFile and readFileBytes in one: the file opened once. Readable holds
// the bytes (at most limit of them, from the start); a read that fails
// midway makes the file Unreadable.
struct FileRead {
    FileKind kind = FileKind::Missing;
    std::string bytes;
};
FileRead readFile(std::string_view path, std::size_t limit = std::size_t(-1));

// A path as messages and logs show it. On Windows in upper case, which names
// the same file there; on a system with case-sensitive names as it exists
// (existing components in their real letter case), since an upper-cased path
// would name another file or none.
std::string displayedPath(std::string_view path);

// The program's one wording for a file that exists but cannot be read:
// "Cannot read " + the path as it exists, with the platform's separators.
std::string cannotReadMessage(std::string_view path);

// Size, modification time and identity of a file, to tell whether it changed.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t identity = 0;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

// The folder of the logs one machine keeps for all its installations: the
// root of drive C: on Windows (as "C:", without the separator); none
// elsewhere, where each installation keeps its own.
std::optional<std::string> machineWideLogFolder();

// Replaces the file with the given bytes, as described above. Fails (false),
// leaving the file as it was, for a missing folder, anything but a regular
// file in its place, a write-protected file or a dangling link.
bool writeFileAtomically(std::string_view path, std::string_view bytes);

// A new version of a file, written and flushed beside the file it replaces
// (the file a link finally names), put in its place by install(). Prepared
// versions of several files let a run write everything first and replace
// afterwards. One that is not installed is removed when it goes.
class PreparedFile {
public:
    // Now: written through to the disk at once. Later: the caller flushes the
    // file and, after install(), its folder (FlushTogether.h), so that a run
    // replacing several files waits for one flush instead of one a file.
    enum class Flush { Now, Later };

    // Nothing when the file cannot be replaced (as writeFileAtomically).
    static std::optional<PreparedFile> prepare(std::string_view path, std::string_view bytes,
                                               Flush flush = Flush::Now);
    PreparedFile(PreparedFile&& other) noexcept;
    PreparedFile& operator=(PreparedFile&& other) noexcept;
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;
    ~PreparedFile();

    // Gives the new version the replaced file's times (PlatformFiles.h).
    void keepFileTimes();
    // Renames the new version over the file and flushes the folder.
    bool install(Flush flush = Flush::Now);
    // The file that is replaced, and the new version until it is installed.
    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }

private:
    PreparedFile(std::filesystem::path temporary, std::filesystem::path target);
    void discard();

    std::filesystem::path temporary_;
    std::filesystem::path target_;
};

// Whether writeFileAtomically could replace (or create) the file.
bool canReplaceFile(std::string_view path);

// Copies a file over another, atomically on the destination side.
bool copyFileAtomically(std::string_view from, std::string_view to);

// Removes the temporary files an interrupted replacement left in a folder:
// regular files named "." + name + ".tmp" + digits, nothing else. Only for a
// folder no other run is writing in. Returns how many were removed.
std::size_t removeStaleTemporaries(std::string_view folder);

// Appends bytes to a regular file, creating it when missing (with its
// folder's owner and group when running as root). A FIFO, a device or a
// folder in its place is not opened: false.
bool appendToFile(std::string_view path, std::string_view bytes);

// The same for a file that takes what is appended only as itself: a
// symbolic link in its place, a file with a second (hard) name or anything
// but a regular file is not written (false), so that appending cannot be
// turned to another file.
bool appendToPlainFile(std::string_view path, std::string_view bytes);

bool removeFile(std::string_view path);

// Names of the plain, not hidden files in a folder (unsorted).
std::vector<std::string> listFiles(std::string_view folder);

} // namespace platform
