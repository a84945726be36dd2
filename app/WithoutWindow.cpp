// The windows of a program built without them (-DENGINEERING_WINDOW=OFF):
// only /EXTERNAL SILENT can run; every report goes to the logs.

#include "WindowRun.h"

#include "engineering/ConfigurationRun.h"
#include "framework/ErrorProtocol.h"
#include "framework/InstallationLock.h"
#include "framework/ProgramState.h"
#include "framework/Startup.h"

#include <thread>

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

bool ProgramWindows::waitForLock(engineering::ConfigurationRun&, framework::InstallationLock& lock,
                                 std::chrono::milliseconds wait, int, char**) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!lock.tryAgain() && lock.state() == framework::InstallationLock::State::Busy &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(framework::kInstallationLockPoll);
    return true;
}

void ProgramWindows::reportFault(engineering::ConfigurationRun&, int, char**, const std::string&) {}
