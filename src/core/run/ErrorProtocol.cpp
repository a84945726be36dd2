#include "ErrorProtocol.h"

#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <new>

namespace run {

Failure::Failure(std::int32_t number, std::string description, std::string source)
    : std::runtime_error(description), number_(number), source_(std::move(source)),
      description_(std::move(description)) {}

int ErrorSub(ProgramState& program, std::int32_t number, const std::string& source,
             const std::string& description, const std::string& procedureName, bool fatal) {
    program.failureReported = true;
    program.lastFailure = procedureName + ": " + description;

    const std::string line = "Fehler in " + GetOCXNameOrEmpty(program) + " / " + source + " / " +
                             procedureName + " (Nr. " + std::to_string(number) +
                             ") :" + description;
    const std::string logged = LogError(program, line, false);
    const std::string message =
        "Unexpected error!" + std::string(kLfCr) + description + std::string(kLfCr) + logged;

    if (fatal) {
        program.reporter().tell({"Fatal error", message, MessageIcon::Critical});
        return 1;
    }
    const bool resume = program.reporter().ask(
        {"Unexpected error", message + std::string(kLfCr) + "Resume?", MessageIcon::Critical},
        DefaultButton::Yes, message);
    return resume ? 2 : 1;
}

void QuitProgram(ProgramState& program, int status) {
    program.terminate(status);
}

void EndProgram(ProgramState& program) {
    QuitProgram(program, ExitEndedByFailure);
    throw ProgramEnded{ExitEndedByFailure};
}

int completionStatus(const ProgramState& program) {
    return program.failureReported ? ExitFailuresReported : ExitOk;
}

void Procedure::handle(const Failure& failure) {
    if (mode_ == OnFailure::SkipSilently)
        return;
    if (ErrorSub(program_, failure.number(), sourceOf(failure), failure.description(), name_,
                 false) == 1)
        EndProgram(program_);
}

void Procedure::fatal(const Failure& failure) {
    ErrorSub(program_, failure.number(), sourceOf(failure), failure.description(), name_, true);
    EndProgram(program_);
}

const std::string& Procedure::sourceOf(const Failure& failure) const {
    return failure.source().empty() ? program_.executableBaseName : failure.source();
}

Failure Procedure::translate(const std::exception& error) {
    if (dynamic_cast<const std::out_of_range*>(&error) != nullptr)
        return Failure(ErrSubscriptOutOfRange, "Subscript out of range");
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return Failure(7, "Out of memory");
    return Failure(ErrInvalidProcedureCall, error.what());
}

} // namespace run
