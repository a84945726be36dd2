// The window entries of a program built without a window
// (-DENGINEERING_WINDOW=OFF): only /EXTERNAL SILENT can run.

#include "WindowRun.h"

#include "framework/ErrorProtocol.h"
#include "framework/ProgramState.h"
#include "framework/Startup.h"

int runWithWindow(int, char**) {
    framework::reportRefusedStart(framework::kNoWindowBuiltMessage);
    return framework::ExitEndedByFailure;
}

void reportFaultInWindow(int, char**, const char*) {}
