#include "ErrorProtocol.h"

#include "Logs.h"
#include "MessageBoxes.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <new>

namespace framework {

Failure::Failure(std::int32_t number, std::string description, std::string source)
    : std::runtime_error(description), number_(number), source_(std::move(source)),
      description_(std::move(description)) {
    if (source_.empty())
        source_ = programState().executableBaseName;
}

int ErrorSub(std::int32_t number, const std::string& source, const std::string& description,
             const std::string& procedureName, bool fatal) {
    ProgramState& state = programState();
    state.failureReported = true;

    const std::string line = "Fehler in " + GetOCXNameOrEmpty() + " / " + source + " / " +
                             procedureName + " (Nr. " + std::to_string(number) +
                             ") :" + description;
    const std::string logged = LogError(line, false);
    const std::string message =
        "Unexpected error!" + std::string(kLfCr) + description + std::string(kLfCr) + logged;

    if (state.SilentMode) {
        LogFault(message);
        return 2;
    }
    if (state.messageBoxes == nullptr)
        return fatal ? 1 : 2;
    if (!fatal) {
        const bool resume = state.messageBoxes->askYesNo("Unexpected error",
                                                         message + std::string(kLfCr) + "Resume?",
                                                         MessageIcon::Critical, DefaultButton::Yes);
        return resume ? 2 : 1;
    }
    state.messageBoxes->inform("Fatal error", message, MessageIcon::Critical);
    return 1;
}

void QuitProgram(int status) {
    programState().terminate(status);
    // A terminate function must not return; make sure the program ends anyway.
    throw ProgramEnded{status};
}

void EndProgram() {
    QuitProgram(ExitEndedByFailure);
}

int completionStatus() {
    return programState().failureReported ? ExitFailuresReported : ExitOk;
}

void Procedure::handle(const Failure& failure) {
    if (mode_ == OnFailure::SkipSilently)
        return;
    if (ErrorSub(failure.number(), failure.source(), failure.description(), name_, false) == 1)
        EndProgram();
}

void Procedure::fatal(const Failure& failure) {
    ErrorSub(failure.number(), failure.source(), failure.description(), name_, true);
    EndProgram();
}

Failure Procedure::translate(const std::exception& error) {
    if (dynamic_cast<const std::out_of_range*>(&error) != nullptr)
        return Failure(ErrSubscriptOutOfRange, "Subscript out of range");
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return Failure(7, "Out of memory");
    return Failure(ErrInvalidProcedureCall, error.what());
}

} // namespace framework
