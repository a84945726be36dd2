// The windows of a program built without them (-DENGINEERING_WINDOW=OFF):
// only /EXTERNAL SILENT can run; every report goes to the logs.

#include "WindowRun.h"

#include "engineering/ConfigurationRun.h"
#include "framework/ErrorProtocol.h"
#include "framework/ProgramState.h"
#include "framework/Startup.h"

struct ProgramWindows::Boxes {};

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;

framework::Reporter* ProgramWindows::reporter() {
    return nullptr;
}

int ProgramWindows::show(engineering::ConfigurationRun& run, int, char**) {
    framework::reportRefusedStart(run.program, framework::kNoWindowBuiltMessage);
    return framework::ExitEndedByFailure;
}

void ProgramWindows::reportFault(engineering::ConfigurationRun&, int, char**, const std::string&) {}
