#pragma once
// The separator of the paths the program builds: the backslash on Windows,
// the slash elsewhere. Stored paths keep their backslashes as data
// (FileSystem.h converts them when a file is opened).

#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
#else
inline constexpr std::string_view kPathSeparator = "/";
#endif

} // namespace platform
