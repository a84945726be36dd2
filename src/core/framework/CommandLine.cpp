#include "CommandLine.h"

#include "ErrorProtocol.h"
#include "ProgramState.h"
#include "Text.h"

namespace framework {

std::optional<std::string> ReadCommand(std::string_view commandLine, std::string_view keyword) {
    Procedure procedure("ReadCommand");
    std::optional<std::string> result;
    procedure.step([&] {
        const std::string line = upperCase(commandLine);
        const auto found = line.find(upperCase(keyword));
        if (found == std::string::npos)
            return;
        // Skip the keyword and the one separator character after it, whatever it is.
        std::string_view rest = std::string_view(line).substr(found + keyword.size());
        if (!rest.empty())
            rest = rest.substr(leadingCodePoints(rest, 1).size());
        rest = trimBlanks(rest);
        if (const auto slash = rest.find('/'); slash != std::string_view::npos)
            rest = trimBlanks(rest.substr(0, slash));
        result = std::string(rest);
    });
    return result;
}

bool GetStartModeIntegrated() {
    Procedure procedure("GetStartModeIntegrated");
    ProgramState& state = programState();
    procedure.step([&] {
        const std::string value = ReadCommand(state.commandLine, "EXTERNAL").value_or("");
        state.StartModeIntegrated = value == "Q4MCFG";
        state.SilentMode = value == "SILENT";
    });
    return state.StartModeIntegrated;
}

std::string GetPathLogfile() {
    Procedure procedure("GetPathLogfile");
    std::string path;
    procedure.step([&] { path = ReadCommand(programState().commandLine, "LOGFILE").value_or(""); });
    return path;
}

} // namespace framework
