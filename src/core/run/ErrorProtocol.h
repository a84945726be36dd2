#pragma once
// The error protocol every named procedure of the program runs under.
//
// A procedure creates a Procedure scope with the run's program state and its
// own name and runs each of its steps through step(). A step that fails
// (throws a Failure or any standard exception) is handed to ErrorSub, which
// logs it and asks the run's reporter whether to resume (a silent run's logs
// and resumes by itself). On "end" the program ends through EndProgram; on
// "resume" the procedure goes on with its next step.
//
// A helper without a scope of its own simply throws: the failure then reaches
// the step of the nearest caller that has one, and that caller goes on after
// the call.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace run {

class ProgramState;

// Run-time error numbers, as the program reports them.
enum ErrorNumber : std::int32_t {
    ErrInvalidProcedureCall = 5,
    ErrOverflow = 6,
    ErrSubscriptOutOfRange = 9,
    ErrTypeMismatch = 13,
    ErrFileNotFound = 53,
    ErrPathFileAccess = 75,
    ErrInvalidUseOfNull = 94,
    ErrDatabase = 3000,
    ErrDatabaseContactAdministrator = 9999,
};

// A run-time failure: number, source (the component that raised it; left
// empty, the report names the executable) and description.
class Failure : public std::runtime_error {
public:
    Failure(std::int32_t number, std::string description, std::string source = {});
    std::int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// Thrown when the program ends because of a failure: it unwinds to main(),
// which ends the run there (databases closed, scratch folders removed, the
// lock released, nothing staged replaced). In the window it is caught where
// an event handler returns to the event loop. Deliberately not a
// std::exception: no step ever catches it.
struct ProgramEnded {
    int status;
};

// Logs the failure and decides: 1 = end the program, 2 = continue.
int ErrorSub(ProgramState& program, std::int32_t number, const std::string& source,
             const std::string& description, const std::string& procedureName, bool fatal);

// Ends the program because of a failure (throws ProgramEnded). Writes
// nothing more.
[[noreturn]] void EndProgram(ProgramState& program);
// Tells the run that the program ends with the given status (a normal end):
// the caller does nothing more.
void QuitProgram(ProgramState& program, int status);
// The status a normal end reports: failures reported along the way make it non-zero.
int completionStatus(const ProgramState& program);

class Procedure {
public:
    enum class OnFailure {
        Report,      // ErrorSub, then end or go on
        SkipSilently // go on with the next step without a report
    };

    Procedure(ProgramState& program, std::string_view name, OnFailure mode = OnFailure::Report)
        : program_(program), name_(name), mode_(mode) {}
    Procedure(const Procedure&) = delete;
    Procedure& operator=(const Procedure&) = delete;

    ProgramState& program() const { return program_; }
    const std::string& name() const { return name_; }

    // Runs one step; returns false when it failed and the procedure goes on.
    template <class Step> bool step(Step&& body) {
        try {
            body();
            return true;
        } catch (const Failure& failure) {
            handle(failure);
        } catch (const std::exception& error) {
            handle(translate(error));
        }
        return false;
    }

    // Reports a failure under fatal handling and ends the program, whatever
    // ErrorSub answers.
    [[noreturn]] void fatal(const Failure& failure);

private:
    void handle(const Failure& failure);
    const std::string& sourceOf(const Failure& failure) const;
    static Failure translate(const std::exception& error);

    ProgramState& program_;
    std::string name_;
    OnFailure mode_;
};

} // namespace run
