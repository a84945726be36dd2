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

std::optional<EngineeringFunction> readFunctionSection(std::string_view section,
                                                       std::string_view file, bool standard) {
    EngineeringFunction f;
    f.PWhereICome = LoadIniString(section, "WhereICome", file);
    if (f.PWhereICome.empty())
        return std::nullopt;

    f.PDescription = LoadIniString(section, "Description", file);
    f.PExeFunction = LoadIniString(section, "ExeFunction", file);
    f.PSymbolName = LoadIniString(section, "SymbolName", file);
    f.PLoginKey = LoadIniString(section, "LoginKey", file);
    f.PWindowName = LoadIniString(section, "WindowName", file);
    f.PWindowName2 = LoadIniString(section, "WindowName2", file);

    f.PEnabled = LoadIniBoolean(section, "Enabled", file);
    f.PRemoteDeskTop = LoadIniBoolean(section, "RemoteDeskTop", file);
    f.PEndWhenExitWindow = LoadIniBoolean(section, "EndWhenExitWindow", file);

    f.PSpecialKey = LoadIniInteger(section, "SpecialKey", file);
    f.PPosLeft = LoadIniInteger(section, "PosLeft", file);
    f.PPosTop = LoadIniInteger(section, "PosTop", file);
    f.PPosWidth = LoadIniInteger(section, "PosWidth", file);
    f.PPosHeight = LoadIniInteger(section, "PosHeight", file);

    f.PPosMode = LoadIniInteger(section, "PosMode", file);
    f.PWaitBeforeLogin = LoadIniInteger(section, "WaitBeforeLogin", file);
    f.PEndTime = LoadIniInteger(section, "EndTime", file);
    f.PEndMode = LoadIniInteger(section, "EndMode", file);

    f.PStandard = standard;
    return withMendedValues(std::move(f));
}

} // namespace engineering
