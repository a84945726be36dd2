#pragma once
// One function section of the catalogue or the stored function file, read
// key by key through the field table (FunctionFields.h) with the program's
// INI operations: a missing string is "", a missing integer -1, a missing
// Boolean false. A section whose WhereICome is empty does not exist for the
// readers; nothing else of it is read. Out-of-range values are mended as the
// run time expects them:
//
//  - PosMode below 0 becomes 3 (full screen);
//  - WaitBeforeLogin below 0 becomes 0;
//  - EndTime below 0 becomes 3 seconds;
//  - EndMode other than 2 (destroy) or 16 (close) becomes 18 (quit).
//
// SpecialKey and the four placement numbers are taken as read.

#include "EngineeringFunction.h"

#include <optional>
#include <string_view>

namespace run {
class ProgramState;
}

namespace engineering {

// The record of the section, or nothing when its WhereICome is empty. The
// symbol name is kept as stored; `standard` becomes the record's PStandard.
std::optional<EngineeringFunction> readFunctionSection(run::ProgramState& program,
                                                       std::string_view section,
                                                       std::string_view file, bool standard);

} // namespace engineering
