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
// Files are never rewritten in place: writeFileAtomically writes a temporary
// file beside the target and renames it over the target, so a crash leaves
// either the old or the new file, never a torn one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

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

// The whole file, or nothing when it is missing, a folder or unreadable.
std::optional<std::string> readFileBytes(std::string_view path);

// Size, modification time and identity of a file, to tell whether it changed.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t identity = 0;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

// Replaces the file with the given bytes: temporary file beside it, then
// rename. Fails (false) for a missing folder, a folder in its place or a file
// that is write-protected. The replaced file's permissions are kept.
bool writeFileAtomically(std::string_view path, std::string_view bytes);

// Whether writeFileAtomically could replace (or create) the file.
bool canReplaceFile(std::string_view path);

// Copies a file over another, atomically on the destination side.
bool copyFileAtomically(std::string_view from, std::string_view to);

// Appends bytes to a file, creating it when missing.
bool appendToFile(std::string_view path, std::string_view bytes);

bool removeFile(std::string_view path);

// Names of the plain, not hidden files in a folder (unsorted).
std::vector<std::string> listFiles(std::string_view folder);

} // namespace framework
