#include "FunctionSection.h"

#include "framework/IniAccess.h"

namespace engineering {

using framework::LoadIniBoolean;
using framework::LoadIniInteger;
using framework::LoadIniString;

EngineeringFunction withMendedValues(EngineeringFunction function) {
    if (function.PPosMode < 0)
        function.PPosMode = 3;
    if (function.PWaitBeforeLogin < 0)
        function.PWaitBeforeLogin = 0;
    if (function.PEndTime < 0)
        function.PEndTime = 3;
    if (function.PEndMode != 16 && function.PEndMode != 2)
        function.PEndMode = 18;
    return function;
}

std::optional<EngineeringFunction> readFunctionSection(framework::ProgramState& program,
                                                       std::string_view section,
                                                       std::string_view file, bool standard) {
    EngineeringFunction f;
    f.PWhereICome = LoadIniString(program, section, "WhereICome", file);
    if (f.PWhereICome.empty())
        return std::nullopt;

    f.PDescription = LoadIniString(program, section, "Description", file);
    f.PExeFunction = LoadIniString(program, section, "ExeFunction", file);
    f.PSymbolName = LoadIniString(program, section, "SymbolName", file);
    f.PLoginKey = LoadIniString(program, section, "LoginKey", file);
    f.PWindowName = LoadIniString(program, section, "WindowName", file);
    f.PWindowName2 = LoadIniString(program, section, "WindowName2", file);

    f.PEnabled = LoadIniBoolean(program, section, "Enabled", file);
    f.PRemoteDeskTop = LoadIniBoolean(program, section, "RemoteDeskTop", file);
    f.PEndWhenExitWindow = LoadIniBoolean(program, section, "EndWhenExitWindow", file);

    f.PSpecialKey = LoadIniInteger(program, section, "SpecialKey", file);
    f.PPosLeft = LoadIniInteger(program, section, "PosLeft", file);
    f.PPosTop = LoadIniInteger(program, section, "PosTop", file);
    f.PPosWidth = LoadIniInteger(program, section, "PosWidth", file);
    f.PPosHeight = LoadIniInteger(program, section, "PosHeight", file);

    f.PPosMode = LoadIniInteger(program, section, "PosMode", file);
    f.PWaitBeforeLogin = LoadIniInteger(program, section, "WaitBeforeLogin", file);
    f.PEndTime = LoadIniInteger(program, section, "EndTime", file);
    f.PEndMode = LoadIniInteger(program, section, "EndMode", file);

    f.PStandard = standard;
    return withMendedValues(std::move(f));
}

} // namespace engineering
