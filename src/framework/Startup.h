#pragma once
// What every start of the program does first, before any window exists.

#include <string>

namespace framework {

// The program's arguments (argv[1..]) joined by one blank.
std::string joinArguments(int argc, char** argv);

// Records the command line and the program's location.
void initialiseProgram(int argc, char** argv);

} // namespace framework
