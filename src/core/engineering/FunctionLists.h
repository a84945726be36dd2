#pragma once
// The lists of engineering functions, owned by the run (ConfigurationRun.h).
//
// The three source lists are filled once at start-up from the catalogue (its
// general and its machine part) and the stored function file; each holds at
// most 100 records, entry 1 first, with its count beside it. ButtonFunctions
// holds the 48 records shown on the buttons, placed by their SpecialKey; it is
// the only list that changes later (through the edit dialog) and the only one
// that is written.

#include "EngineeringFunction.h"

#include <array>
#include <cstdint>

namespace engineering {

inline constexpr int kFunctionListCapacity = 100;
using FunctionList = std::array<EngineeringFunction, kFunctionListCapacity>;
using ButtonArray = std::array<EngineeringFunction, kButtonCount>;

struct FunctionLists {
    // StandardFunctions[0] is entry 1; entries past the count are empty.
    FunctionList StandardFunctions{};
    std::int16_t StandardCount = 0;
    FunctionList MachineFunctions{};
    std::int16_t MachineCount = 0;
    FunctionList StoredFunctions{};
    std::int16_t StoredCount = 0;
    // ButtonFunctions[0] belongs to button 1.
    ButtonArray ButtonFunctions{};

    // Button n (1 to 48); a subscript failure outside that range.
    EngineeringFunction& button(int n);
    const EngineeringFunction& button(int n) const;
};

// The description a function edited in this program gets: "Engineering." + n.
std::string editedDescription(int buttonNumber);

// Takes an accepted edit of button n back into ButtonFunctions: everything the
// dialog edits, with SpecialKey n, WhereICome "EngineeringPicture" and the
// description "Engineering." + n. PStandard keeps its value; the dialog's
// WhereICome, SpecialKey and Description are not read.
void storeEditedFunction(FunctionLists& lists, int buttonNumber, const EngineeringFunction& edited);

inline constexpr const char* kWhereIComeEngineeringPicture = "EngineeringPicture";

} // namespace engineering
