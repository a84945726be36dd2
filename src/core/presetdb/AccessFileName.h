#pragma once
// The name libmdb is to open an Access file by. It takes a narrow name and
// hands it to the C library's fopen, which on Windows reads it in the
// system's ANSI code page, not as UTF-8.

#include <filesystem>
#include <optional>
#include <string>

namespace presetdb {

// Nothing when the file has no narrow name that names it (on Windows, a path
// outside the ANSI code page on a volume without short names).
std::optional<std::string> narrowFileName(const std::filesystem::path& file);

} // namespace presetdb
