#pragma once
// Reading a file that must be a plain file of its own: a symbolic link (or,
// on Windows, any reparse point) in its place is refused, not followed, and
// so is anything but a regular file. For the copies in a backup folder,
// which anyone who can write that folder could have swapped for a link to a
// file the program's user may read and the installation's owner may not.

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

std::optional<std::string> readRegularFileNoFollow(const std::filesystem::path& path);

} // namespace platform
