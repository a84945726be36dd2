#pragma once
// The two forms of a symbol picture's name.
//
// Files store a picture under its base name, a path relative to the
// installation folder such as "Engineering\Pump.gif". In memory a function
// names the 800-pixel variant of the picture, "Engineering\Pump_800.gif".
//
//  - Reading: a name that ends in ".gif" (any case) gets its last four
//    characters replaced by "_800.gif"; PUMP.GIF becomes PUMP_800.gif.
//  - Writing: a name that ends in "_800.gif" (any case) gets its last eight
//    characters replaced by ".gif". Any other name is written as it is, so a
//    name that is no GIF picture (Engineering\Valve.bmp) or too short to hold
//    the suffix survives a read and a write unchanged.

#include <string>
#include <string_view>

namespace engineering {

std::string memorySymbolName(std::string_view storedName);
std::string storedSymbolName(std::string_view memoryName);

} // namespace engineering
