#include "Startup.h"

#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <iostream>

namespace run {

ProgramStart startOf(int argc, char** argv) {
    ProgramStart start;
    start.arguments = platform::processArguments(argc, argv);
    locateRunningProgram(start);
    return start;
}

void reportRefusedStart(ProgramState& program, std::string_view message) {
    std::cerr << program.executableBaseName << ": " << message << std::endl;
    LogFault(program, std::string(message));
}

} // namespace run
