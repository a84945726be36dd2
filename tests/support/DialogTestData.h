#pragma once
// Made-up data for the dialog tests: symbol lists and a function record.

#include "engineering/EngineeringFunction.h"
#include "engineering/SymbolList.h"

#include <algorithm>
#include <string>

namespace dialogtest {

// "Engineering\S<n>_800.gif", the name of entry n in the lists below.
inline std::string symbolName(int entry) {
    return "Engineering\\S" + std::to_string(entry) + "_800.gif";
}

// A list counting count symbols; it holds as many of them as fit.
inline engineering::Symbols symbolsOf(int count) {
    engineering::Symbols symbols;
    for (int entry = 1; entry <= std::min(count, engineering::kSymbolCapacity); ++entry)
        symbols.SymbolList[std::size_t(entry - 1)] = symbolName(entry);
    symbols.SymbolCount = std::int16_t(count);
    return symbols;
}

// Every field set to a value of its own.
inline engineering::EngineeringFunction sampleFunction() {
    return {.PEnabled = true,
            .PWhereICome = "Somewhere",
            .PExeFunction = "C:\\Tools\\run.bat",
            .PSymbolName = symbolName(2),
            .PSpecialKey = 5,
            .PDescription = "Engineering.5",
            .PStandard = true,
            .PPosMode = 3,
            .PPosLeft = -5,
            .PPosTop = 10,
            .PPosWidth = 640,
            .PPosHeight = 480,
            .PRemoteDeskTop = true,
            .PWaitBeforeLogin = 1500,
            .PLoginKey = " user{TAB}pw{ENTER} ",
            .PWindowName = "*Notepad*",
            .PWindowName2 = "Übersicht - Fenster",
            .PEndTime = 30,
            .PEndMode = 16,
            .PEndWhenExitWindow = true};
}

} // namespace dialogtest
