#pragma once
// The texts the preset update shows and logs. Line breaks inside the
// program's other messages are LF CR; the message about a missing machine copy
// uses CR LF.

#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace presetdb {

// The description of error 9999.
inline constexpr std::string_view kContactAdministrator = "Database-Error - Contact Administrator!";

// Integrated run without a machine copy; targetPath names the component's database.
std::string missingMachineCopyMessage(run::ProgramState& program, std::string_view targetPath);

// A source database that is an Access file: the run rebuilds nothing.
std::string accessSourceMessage(std::string_view sourcePath, std::string_view text = {});

// The machine copy has columns that no configured column takes over: the
// question, and the same text on one line for the log of a run that cannot ask.
struct LostColumnsWarning {
    std::string question;
    std::string unattended;
};
LostColumnsWarning lostColumnsWarning(run::ProgramState& program);
// Logged when the user stops at the lost-columns warning.
std::string lostColumnsStopText(run::ProgramState& program);
// Logged when a configured column is missing from the rebuilt table.
std::string columnConflictText(run::ProgramState& program, std::string_view missingColumn);

} // namespace presetdb
