#pragma once
// Copies a file into a new file, sharing its data blocks where the file
// system can (a reflink, FICLONE on Linux) or letting the kernel copy them
// (copy_file_range), so that a run's copy of a large database costs little.
// Windows has neither for an ordinary volume: there the caller writes the
// copy itself (FileClone_win.cpp says no).

#include <filesystem>

namespace platform {

// Creates `to` (which must not exist) with the content of the regular file
// `from` (not yet flushed to the disk). False, leaving no `to`, when the
// system cannot copy it this way.
bool cloneFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Gives a copy what belongs to its original besides the bytes: on Linux the
// owner and group (when running as root) and the mode bits. Nothing on
// Windows, where a new file takes its access list from its folder and the
// original's attributes (hidden, system) are not wanted on a backup copy.
void giveCopyOwnerAndMode(const std::filesystem::path& original, const std::filesystem::path& copy);

} // namespace platform
