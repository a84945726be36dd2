#pragma once
// What every start of the program does first, before any window exists.

#include "platform/RunningProcess.h"

#include <string_view>

namespace run {

class ProgramState;
struct ProgramStart;

// How this process was started: its arguments and where the program lives.
// What the arguments ask for is read from them afterwards
// (CommandLineArguments.h).
ProgramStart startOf(int argc, char** argv);

// Whether a window could be shown, decided before any window-system library
// is loaded (platform/RunningProcess.h).
using platform::displayAvailable;

// Reports why a start cannot go on before any window exists: on standard
// error and in the fault log.
void reportRefusedStart(ProgramState& program, std::string_view message);

} // namespace run
