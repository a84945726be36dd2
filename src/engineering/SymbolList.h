#pragma once
// The symbol pictures available for the buttons: "Engineering\" + the file
// name of each picture in the program's folder whose name ends in "_800.gif".
// Filled once at start-up by the function-file reader, read by the dialogs.

#include <array>
#include <cstdint>
#include <string>

namespace engineering {

inline constexpr int kSymbolCapacity = 100;

struct Symbols {
    // SymbolList[0] is entry 1; entries past SymbolCount are empty.
    std::array<std::string, kSymbolCapacity> SymbolList;
    std::int16_t SymbolCount = 0;

    // Entry n (1-based), "" outside 1..SymbolCount.
    const std::string& entry(int n) const;
};

Symbols& programSymbols();
void resetProgramSymbols();

} // namespace engineering
