#include "CommandLine.h"

#include "ErrorProtocol.h"
#include "platform/Windows1252Text.h"
#include "ProgramState.h"

namespace run {
namespace {

std::optional<std::string> keywordValue(std::string_view commandLine, std::string_view keyword) {
    const std::string line = platform::upperCase(commandLine);
    const auto found = line.find(platform::upperCase(keyword));
    if (found == std::string::npos)
        return std::nullopt;
    // Skip the keyword and the one separator character after it, whatever it is.
    std::string_view rest = std::string_view(line).substr(found + keyword.size());
    if (!rest.empty())
        rest = rest.substr(platform::leadingCodePoints(rest, 1).size());
    rest = platform::trimBlanks(rest);
    if (const auto slash = rest.find('/'); slash != std::string_view::npos)
        rest = platform::trimBlanks(rest.substr(0, slash));
    return std::string(rest);
}

} // namespace

std::optional<std::string> ReadCommand(ProgramState& program, std::string_view commandLine,
                                       std::string_view keyword) {
    Procedure procedure(program, "ReadCommand");
    std::optional<std::string> result;
    procedure.step([&] { result = keywordValue(commandLine, keyword); });
    return result;
}

StartMode GetStartModeIntegrated(std::string_view commandLine) {
    // Decided before the run can report anything; reading a keyword cannot fail.
    const std::string value = keywordValue(commandLine, "EXTERNAL").value_or("");
    return {.StartModeIntegrated = value == "Q4MCFG", .SilentMode = value == "SILENT"};
}

std::string GetPathLogfile(ProgramState& program) {
    Procedure procedure(program, "GetPathLogfile");
    std::string path;
    procedure.step(
        [&] { path = ReadCommand(program, program.commandLine, "LOGFILE").value_or(""); });
    return path;
}

} // namespace run
