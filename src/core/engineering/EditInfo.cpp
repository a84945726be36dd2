#include "EditInfo.h"

#include "platform/RunningProcess.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/IniAccess.h"
#include "run/ProgramState.h"
#include "run/Version.h"

#include <cstdio>

namespace engineering {

std::string programStamp(bool integrated) {
    return std::to_string(run::kVersionMajor) + "." + std::to_string(run::kVersionMinor) + "." +
           std::to_string(run::kVersionRevision) + (integrated ? " - Integrated" : " - Standalone");
}

std::string editorMark(std::string_view environmentEntry) {
    const std::string entry = platform::toWindows1252(environmentEntry);
    std::string_view value = entry;
    if (const auto equals = value.find('='); equals != std::string_view::npos)
        value = value.substr(equals + 1);
    std::string mark;
    for (const char c : value) {
        if (c == '-' || c == '_')
            continue;
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", unsigned(static_cast<unsigned char>(c)) + 5u);
        mark += hex;
    }
    return mark;
}

void WriteEditInfo(run::ProgramState& program, ini::IniDocument& cfg) {
    run::Procedure procedure(program, "WriteEditInfo");
    procedure.step([&] {
        run::SaveIni(program, programStamp(program.StartModeIntegrated), "Info", "S_Prog", cfg);
    });
    std::string mark;
    procedure.step([&] { mark = editorMark(platform::firstEnvironmentEntry()); });
    procedure.step([&] { run::SaveIni(program, mark, "Info", "S_Editor", cfg); });
}

} // namespace engineering
