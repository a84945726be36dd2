#include "Startup.h"

#include "ProgramLocation.h"
#include "ProgramState.h"

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

void initialiseProgram(int argc, char** argv) {
    programState().commandLine = joinArguments(argc, argv);
    detectProgramLocation();
}

} // namespace framework
