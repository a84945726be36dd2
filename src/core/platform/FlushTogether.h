#pragma once
// Writes several files (and folders) through to the disk at once. Each
// flush waits for the file system's journal to commit; issued one after the
// other, five files wait five commits, issued together they share one or two
// (Linux's journalling file systems and NTFS both group them). A run flushes
// its new versions, its journal copies and the manifest this way, once,
// before it replaces the first file.

#include <filesystem>
#include <vector>

namespace platform {

// False when one of them could not be flushed. Folders are flushed where the
// system can (Linux); elsewhere they are left out.
bool flushTogether(const std::vector<std::filesystem::path>& paths);

} // namespace platform
