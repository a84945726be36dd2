#pragma once
// What the system tells the running process about itself: the arguments it
// was started with, its executable, its environment and whether it has a
// display to show a window on.

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// The arguments after the program's own name, in UTF-8. On Linux they are
// argv's. On Windows they come from the process's command line
// (GetCommandLineW) instead, since argv holds them in the ANSI code page,
// where a path such as C:\Prüfung\log.txt may not fit.
std::vector<std::string> processArguments(int argc, char** argv);

#ifdef _WIN32
// The arguments in a command line after the program's own name, split by the
// system's rules (CommandLineToArgvW), in UTF-8.
std::vector<std::string> argumentsOfCommandLine(const std::wstring& line);
#endif

// The running executable as the system names it (on Linux /proc/self/exe,
// on Windows GetModuleFileNameW), never found from the working directory;
// empty when the system does not tell.
std::filesystem::path executablePath();

// The first entry of the process environment block, "NAME=value" in UTF-8
// ("" when the block is empty). On Windows the block is read in the ANSI code
// page and taken as Windows-1252.
std::string firstEnvironmentEntry();

// Whether a window could be shown, decided before any window-system library
// is loaded. On Linux a display is named by DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM (which also names Qt's offscreen platform); Windows and
// macOS always have one.
bool displayAvailable();

} // namespace platform
