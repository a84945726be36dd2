#pragma once
// The stored fields of a function record: the key each is stored under, its
// member and, by the member's type, how its value is written and read. Every
// reader and writer of function sections goes through this table.
//
//  - Strings are stored as they are, unquoted.
//  - Integers (signed 16-bit) in decimal, without blanks.
//  - Booleans as "true" or "false"; read as true only for TRUE in any case.
//
// The table lists the nineteen keys in the order of the catalogue's sections.
// A writer with an order of its own (StoredFunctionFile.h,
// RuntimeConfiguration.h) lists that order by key beside its rule. PStandard
// is never stored.

#include "EngineeringFunction.h"

#include "run/IniAccess.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace engineering {

using StringMember = std::string EngineeringFunction::*;
using IntegerMember = std::int16_t EngineeringFunction::*;
using BooleanMember = bool EngineeringFunction::*;

struct FunctionField {
    std::string_view key;
    std::variant<StringMember, IntegerMember, BooleanMember> member;
};

// Each field is the key with P before it, so a key cannot name another member.
#define ENGINEERING_FUNCTION_FIELD(key)                                                            \
    FunctionField {                                                                                \
#key, &EngineeringFunction::P##key                                                         \
    }
inline constexpr std::array<FunctionField, 19> kFunctionFields = {
    ENGINEERING_FUNCTION_FIELD(WhereICome),
    ENGINEERING_FUNCTION_FIELD(Description),
    ENGINEERING_FUNCTION_FIELD(Enabled),
    ENGINEERING_FUNCTION_FIELD(ExeFunction),
    ENGINEERING_FUNCTION_FIELD(SpecialKey),
    ENGINEERING_FUNCTION_FIELD(SymbolName),
    ENGINEERING_FUNCTION_FIELD(PosMode),
    ENGINEERING_FUNCTION_FIELD(PosLeft),
    ENGINEERING_FUNCTION_FIELD(PosTop),
    ENGINEERING_FUNCTION_FIELD(PosWidth),
    ENGINEERING_FUNCTION_FIELD(PosHeight),
    ENGINEERING_FUNCTION_FIELD(RemoteDeskTop),
    ENGINEERING_FUNCTION_FIELD(WaitBeforeLogin),
    ENGINEERING_FUNCTION_FIELD(LoginKey),
    ENGINEERING_FUNCTION_FIELD(WindowName),
    ENGINEERING_FUNCTION_FIELD(WindowName2),
    ENGINEERING_FUNCTION_FIELD(EndTime),
    ENGINEERING_FUNCTION_FIELD(EndMode),
    ENGINEERING_FUNCTION_FIELD(EndWhenExitWindow),
};
#undef ENGINEERING_FUNCTION_FIELD

// The field stored under a key (spelled as in the table); a failure when
// there is none.
const FunctionField& functionField(std::string_view key);

// The field's value in the record, as SaveIni takes it.
run::IniValue fieldValue(const EngineeringFunction& function, const FunctionField& field);

// The text written for a value under section and key. A value the INI rules
// refuse (a line break would add lines to the section) fails the writing: a
// Failure, so that nothing of it is stored.
std::string writableText(std::string_view section, std::string_view key,
                         const run::IniValue& value);

} // namespace engineering
