#pragma once
// The program's four INI operations on top of the profile functions
// (ProfileFiles.h). Values are read through a 255-character buffer, so a value
// comes back with at most 254 characters; the default handed to the reader is
// 255 blanks, which reads as "" for a missing file, section or entry.
//
//  - LoadIniString: the value as read. With reportMissing, an empty result
//    (missing, or present but empty) is reported through ReportFault.
//  - LoadIniInteger: the profile integer, -1 when missing, then narrowed to a
//    signed 16-bit number; a number outside -32768..32767 is an overflow
//    failure (returns 0 when resumed). With reportMissing, -1 is reported.
//  - LoadIniBoolean: true only for TRUE in any letter case. With
//    reportMissing, anything but TRUE or FALSE is reported.
//  - SaveIni: numbers as the user's locale formats them (its decimal
//    separator included), strings unchanged, Booleans "true"/"false". Any
//    other value is reported as "Ini Save:  wrong data type" and nothing is
//    written. An edit the document refuses (a line break in the value, a key
//    starting with "[" or holding "=", see IniDocument.h) is reported as
//    "Ini Save:  " + the reason and nothing is written. A write that fails is
//    reported too, an unreadable file as "cannot be read and is left as it
//    is". The result is non-zero on success.
//
// LoadIniString and SaveIni also work on a document held in memory, for
// callers that collect their edits and replace the file once
// (storeIniDocument): same limits, same reports.

#include "ini/IniDocument.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace run {

class ProgramState;

std::string LoadIniString(ProgramState& program, std::string_view section, std::string_view key,
                          std::string_view file, bool reportMissing = false);
std::int16_t LoadIniInteger(ProgramState& program, std::string_view section, std::string_view key,
                            std::string_view file, bool reportMissing = false);
bool LoadIniBoolean(ProgramState& program, std::string_view section, std::string_view key,
                    std::string_view file, bool reportMissing = false);

// The kinds of value SaveIni is handed. Empty and Null stand for the values it
// cannot write.
struct IniEmpty {};
struct IniNull {};
using IniValue = std::variant<std::int16_t, std::int32_t, float, double, std::uint8_t, std::string,
                              bool, IniEmpty, IniNull>;

std::int16_t SaveIni(ProgramState& program, const IniValue& value, std::string_view section,
                     std::string_view key, std::string_view file);

std::string LoadIniString(std::string_view section, std::string_view key,
                          const ini::IniDocument& document);
std::int16_t SaveIni(ProgramState& program, const IniValue& value, std::string_view section,
                     std::string_view key, ini::IniDocument& document);

// The text SaveIni writes for a value (nothing for Empty and Null).
std::string iniText(const IniValue& value);
// The decimal separator of the user's locale.
char localeDecimalSeparator();

std::string missingEntryMessage(std::string_view file, std::string_view section,
                                std::string_view key);

} // namespace run
