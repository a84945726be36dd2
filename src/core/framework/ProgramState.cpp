#include "ProgramState.h"

#include "CommandLine.h"

namespace framework {

ProgramState::ProgramState(ProgramStart start, Reporter* interactive)
    : commandLine(std::move(start.commandLine)),
      executableFolder(std::move(start.executableFolder)),
      executableBaseName(std::move(start.executableBaseName)) {
    const StartMode mode = GetStartModeIntegrated(commandLine);
    request = GetRunRequest(commandLine);
    const bool ownAction = request.action != RunAction::Edit;
    StartModeIntegrated = mode.StartModeIntegrated && !ownAction;
    SilentMode = mode.SilentMode || ownAction;
    reporter_ = SilentMode || interactive == nullptr ? &silent_ : interactive;
}

} // namespace framework
