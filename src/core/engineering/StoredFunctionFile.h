#pragma once
// The writes to the stored function file (Engineering.int), applied to the
// file's image in memory so that the file is replaced once.
//
//  1. The sections "Function1" up to the number read at start-up get an empty
//     WhereICome: sections past the new number end the list for the next
//     reading; their other keys stay.
//  2. Each button 1 to 48 with a program to start is written, in button
//     order, to section "Function" + k (k counting from 1): every stored
//     field, in the order of kStoredFunctionKeys below, with WhereICome =
//     "EngineeringPicture" whatever the record holds and SymbolName in its
//     stored form. Each key is set by itself, so keys and sections not named
//     here keep their values.
//  3. A button without a symbol name gets no SymbolName, and one the section
//     held before is removed: it named another function's picture.
//  4. When the section after the last one written still holds a WhereICome
//     (a file that had more sections than were read at start-up, as the local
//     file of an integrated run may), it gets an empty one, so that the next
//     reading stops there.
//
// A value holding a line break fails the writing (a Failure) before the
// document can be stored: the file keeps its old content.

#include "EngineeringFunction.h"

#include "ini/IniDocument.h"

#include <array>
#include <string_view>
#include <vector>

namespace engineering {

// The order of the keys in a written section (rule 2).
inline constexpr std::array<std::string_view, 19> kStoredFunctionKeys = {
    "Enabled",     "WhereICome",    "ExeFunction",     "SymbolName",       "SpecialKey",
    "Description", "PosMode",       "PosLeft",         "PosTop",           "PosWidth",
    "PosHeight",   "RemoteDeskTop", "WaitBeforeLogin", "LoginKey",         "WindowName",
    "WindowName2", "EndTime",       "EndMode",         "EndWhenExitWindow"};

struct StoredFunctionsWritten {
    int sectionCount = 0;
    // Buttons with a program but no symbol name, in button order.
    std::vector<int> buttonsWithoutSymbol;
};

StoredFunctionsWritten
writeStoredFunctions(ini::IniDocument& document,
                     const std::array<EngineeringFunction, kButtonCount>& buttons,
                     int sectionsReadAtStart);

} // namespace engineering
