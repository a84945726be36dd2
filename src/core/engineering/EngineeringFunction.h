#pragma once
// One engineering function: a button of the panel's engineering screen that
// starts a program, batch file or web page, may log on to a remote desktop,
// places the started window and ends it again.
//
// Fields are P followed by the key under which they are stored. Integers are
// signed 16-bit. PStandard is never stored in a file.

#include <array>
#include <cstdint>
#include <string>

namespace engineering {

struct EngineeringFunction {
    bool PEnabled = false;
    std::string PWhereICome;
    std::string PExeFunction;
    std::string PSymbolName;
    std::int16_t PSpecialKey = 0;
    std::string PDescription;
    bool PStandard = false;
    std::int16_t PPosMode = 0;
    std::int16_t PPosLeft = 0;
    std::int16_t PPosTop = 0;
    std::int16_t PPosWidth = 0;
    std::int16_t PPosHeight = 0;
    bool PRemoteDeskTop = false;
    std::int16_t PWaitBeforeLogin = 0;
    std::string PLoginKey;
    std::string PWindowName;
    std::string PWindowName2;
    std::int16_t PEndTime = 0;
    std::int16_t PEndMode = 0;
    bool PEndWhenExitWindow = false;

    bool operator==(const EngineeringFunction&) const = default;
};

inline constexpr int kButtonCount = 48;

} // namespace engineering
