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
    const std::pair<const char*, const char*> cases[] = {
        {"/external q4mcfg /LOGFILE c:\\Temp\\log.txt", "edit integrated log=C:\\TEMP\\LOG.TXT"},
        {"/EXTERNAL=SILENT", "edit silent"},
        {"/EXTERNAL SILENT /logfile", "edit silent log="},
        // Own keywords are whole arguments, never part of another one.
        {"/LOGFILE \\logs\\before_restore", "edit log=\\LOGS\\BEFORE_RESTORE"},
        {"/LOGFILE \\dryrun\\SaveAndRestore", "edit log=\\DRYRUN\\SAVEANDRESTORE"},
        {"/LOGFILE /dryrun", "edit log="},
        {"/LOGFILE \\x /RESTORE", "restore silent log=\\X"},
        {"/DRYRUN /EXTERNAL SILENT", "dryrun silent"},
        {"/EXTERNAL Q4MCFG -DryRun", "dryrun silent"},
        {"--json", "edit json silent"},
        {"/restore list /Json", "restore LIST json silent"},
        {"--RESTORE 2025-03-01_14-22-05 /EXTERNAL SILENT", "restore 2025-03-01_14-22-05 silent"},
        {"-h", "help"},
        {"/?", "help"},
        {"--version /EXTERNAL SILENT", "version"},
        {"--x -h", "unknown option '--x'"},
        {"--dry-run", "unknown option '--dry-run'; did you mean --dryrun?"},
        {"/Dry_", "unknown option '/Dry_'; did you mean /DRYRUN?"},
        {"/restroe", "unknown option '/restroe'; did you mean /RESTORE?"},
        {"/RESTOREX", "unknown option '/RESTOREX'; did you mean /RESTORE?"},
        {"/RESTORE /etc", "'/RESTORE' takes LIST or a name yyyy-mm-dd_hh-mm-ss, not '/etc'"},
        {"/dryrun /RESTORE", "one action per run: '/dryrun' and '/RESTORE'"},
    };
    testsupport::TestInstallation inst;
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(outcome(inst, parseCommandLine(words(arguments))), expected) << arguments;
}
