#pragma once
// What every start of the program does first, before any window exists.

#include <string>
#include <string_view>
#include <vector>

namespace run {

class ProgramState;
struct ProgramStart;

#ifdef _WIN32
// The arguments in the process's command line after the program's own name,
// split by the system's rules (CommandLineToArgvW), in UTF-8. On Windows the
// program takes its arguments from here, since argv holds them in the ANSI
// code page, where a path such as C:\Prüfung\log.txt may not fit.
std::vector<std::string> argumentsOfCommandLine(const std::wstring& line);
#endif

// How this process was started: its arguments and where the program lives.
// What the arguments ask for is read from them afterwards
// (CommandLineArguments.h).
ProgramStart startOf(int argc, char** argv);

// Whether a window could be shown, decided before any window-system library
// is loaded. On Linux a display is named by DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM (which also names Qt's offscreen platform); Windows always
// has one.
bool displayAvailable();

// Reports why a start cannot go on before any window exists: on standard
// error and in the fault log.
void reportRefusedStart(ProgramState& program, std::string_view message);

} // namespace run
