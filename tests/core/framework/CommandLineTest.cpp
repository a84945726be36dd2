// The argument list read into help, version, a refusal or a run and its start mode.

#include "framework/CommandLine.h"
#include "framework/CommandLineArguments.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"

#include <array>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

using namespace framework;

namespace {

std::vector<std::string> words(const char* line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// "help", "version", "" + the message, or the run: its action and
// restore value, "json", its start mode and "log=" + the LOGFILE value.
std::string outcome(const testsupport::TestInstallation& inst, const ParsedCommandLine& parsed) {
    if (std::holds_alternative<HelpRequested>(parsed))
        return "help";
    if (std::holds_alternative<VersionRequested>(parsed))
        return "version";
    if (const auto* error = std::get_if<CommandLineError>(&parsed))
        return "" + error->message;
    ProgramStart start = inst.start();
    takeRun(start, std::get<RunCommandLine>(parsed));
    ProgramState program(std::move(start), nullptr);
    const RunRequest& request = program.request;
    std::string text = std::array{"edit", "dryrun", "restore"}[int(request.action)];
    text += request.restoreValue.empty() ? "" : " " + request.restoreValue;
    text += request.json ? " json" : "";
    text += program.StartModeIntegrated ? " integrated" : program.SilentMode ? " silent" : "";
    if (const auto log = ReadCommand(program, program.commandLine, "LOGFILE"))
        text += " log=" + *log;
    return text;
}

} // namespace

TEST(CommandLine, ArgumentsReadAsHelpVersionRefusalOrRun) {
    testsupport::TestInstallation inst;
    for (const auto& row : testsupport::dataRows("command-lines.txt"))
        EXPECT_EQ(outcome(inst, parseCommandLine(words(row.at(0).c_str()))), row.at(1)) << row[0];
}
