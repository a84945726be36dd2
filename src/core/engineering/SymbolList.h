#pragma once
// The symbol pictures available for the buttons: "Engineering\" + the file
// name of each picture in the program's folder whose name ends in "_800.gif".
// Filled once at start-up by the function-file reader, read by the dialogs;
// the run owns it.
//
// Listing rules: plain, not hidden files whose name ends in "_800.gif" in any
// letter case (Pump.gif beside Pump_800.gif is not listed; a name too short to
// end in "_800.gif", such as Fan.gif, simply does not qualify), in file-name
// order compared without regard to case. The list holds 100 pictures; further
// ones are left out and counted.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engineering {

inline constexpr int kSymbolCapacity = 100;

struct Symbols {
    // SymbolList[0] is entry 1; entries past SymbolCount are empty.
    std::array<std::string, kSymbolCapacity> SymbolList;
    std::int16_t SymbolCount = 0;

    // Entry n (1-based), "" outside 1..SymbolCount.
    const std::string& entry(int n) const;
};

// The qualifying picture files of a folder, in listing order.
std::vector<std::string> symbolPictureFiles(std::string_view folder);

// Refills the list from the folder; returns how many qualifying pictures did
// not fit.
int fillSymbolList(Symbols& symbols, std::string_view folder);

} // namespace engineering
