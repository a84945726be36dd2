#pragma once
// A file the program hands out (/LIST's table, /EXPORT's file): written whole
// through the platform's replacement (platform/FileSystem.h), so that a
// reader finds the old file or the new one, never part of it. A link in the
// file's place is refused rather than followed: the program writes the file
// that was named, nothing it points to.

#include <optional>
#include <string>
#include <string_view>

namespace texts {
class ProgramMessages;
}

namespace engineering {

// Why the file could not be written; nothing when it was.
std::optional<std::string> writeOutputFile(std::string_view path, std::string_view bytes,
                                           const texts::ProgramMessages& messages);

} // namespace engineering
