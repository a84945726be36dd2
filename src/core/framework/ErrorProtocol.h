#pragma once
// The error protocol every named procedure of the program runs under.
//
// A procedure creates a Procedure scope with its own name and runs each of its
// steps through step(). A step that fails (throws a Failure or any standard
// exception) is handed to ErrorSub, which logs it and asks whether to resume
// (in a silent run it logs and resumes by itself). On "end" the program ends
// through EndProgram; on "resume" the procedure goes on with its next step.
//
// A helper without a scope of its own simply throws: the failure then reaches
// the step of the nearest caller that has one, and that caller goes on after
// the call.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace framework {

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

// A run-time failure: number, source (the component that raised it) and description.
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

// Thrown by a test's terminate function so that an ended program can be
// observed. Deliberately not a std::exception: no step ever catches it.
struct ProgramEnded {
    int status;
};

// Logs the failure and decides: 1 = end the program, 2 = continue.
int ErrorSub(std::int32_t number, const std::string& source, const std::string& description,
             const std::string& procedureName, bool fatal);

// Ends the program at once because of a failure. Writes nothing more.
[[noreturn]] void EndProgram();
// Ends the program at once with the given status (a normal end).
[[noreturn]] void QuitProgram(int status);
// The status a normal end reports: failures reported along the way make it non-zero.
int completionStatus();

class Procedure {
public:
    enum class OnFailure {
        Report,      // ErrorSub, then end or go on
        SkipSilently // go on with the next step without a report
    };

    explicit Procedure(std::string_view name, OnFailure mode = OnFailure::Report)
        : name_(name), mode_(mode) {}
    Procedure(const Procedure&) = delete;
    Procedure& operator=(const Procedure&) = delete;

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
    static Failure translate(const std::exception& error);

    std::string name_;
    OnFailure mode_;
};

} // namespace framework
