#include "ProgramState.h"

#include "CommandLine.h"

#include <cstdio>
#include <cstdlib>

namespace framework {
namespace {

void exitAtOnce(int status) {
    // Nothing but the standard streams may be flushed: files are only ever
    // replaced whole, so ending here never leaves one half-written.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

} // namespace

void takeRun(ProgramStart& start, RunCommandLine run) {
    start.commandLine = std::move(run.commandLine);
    start.request = std::move(run.request);
}

ProgramState::ProgramState(ProgramStart start, Reporter* interactive)
    : commandLine(std::move(start.commandLine)),
      executableFolder(std::move(start.executableFolder)),
      executableBaseName(std::move(start.executableBaseName)), terminate(exitAtOnce) {
    const StartMode mode = GetStartModeIntegrated(commandLine);
    request = std::move(start.request);
    // The program's own actions and the JSON summary never show a window.
    const bool ownAction = request.action != RunAction::Edit || request.json;
    StartModeIntegrated = mode.StartModeIntegrated && !ownAction;
    SilentMode = mode.SilentMode || ownAction;
    reporter_ = SilentMode || interactive == nullptr ? &silent_ : interactive;
}

} // namespace framework
