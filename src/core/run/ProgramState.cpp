#include "ProgramState.h"

#include "CommandLine.h"

namespace run {

void takeRun(ProgramStart& start, RunCommandLine run) {
    start.commandLine = std::move(run.commandLine);
    start.request = std::move(run.request);
}

bool startsSilently(const ProgramStart& start) {
    const RunRequest& request = start.request;
    return GetStartModeIntegrated(start.commandLine).SilentMode ||
           request.action != RunAction::Edit || request.json;
}

ProgramState::ProgramState(ProgramStart start, Reporter* interactive)
    : commandLine(std::move(start.commandLine)),
      executableFolder(std::move(start.executableFolder)),
      executableBaseName(std::move(start.executableBaseName)) {
    const StartMode mode = GetStartModeIntegrated(commandLine);
    request = std::move(start.request);
    // The program's own actions and the JSON summary never show a window.
    const bool ownAction = request.action != RunAction::Edit || request.json;
    StartModeIntegrated = mode.StartModeIntegrated && !ownAction;
    SilentMode = mode.SilentMode || ownAction;
    reporter_ = SilentMode || interactive == nullptr ? &silent_ : interactive;
}

} // namespace run
