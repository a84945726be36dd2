#include "Startup.h"

#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <cstdlib>
#include <iostream>

namespace framework {

std::string joinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

ProgramStart startOf(int argc, char** argv) {
    ProgramStart start;
    start.commandLine = joinArguments(argc, argv);
    locateRunningProgram(start);
    return start;
}

bool displayAvailable() {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
#endif
}

void reportRefusedStart(ProgramState& program, std::string_view message) {
    std::cerr << program.executableBaseName << ": " << message << std::endl;
    LogFault(program, std::string(message));
}

} // namespace framework
