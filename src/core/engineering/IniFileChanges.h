#pragma once
// What changed between two versions of an INI file, key by key, as the
// change report lists it. Both versions are read by the INI reader's rules
// (ini/IniDocument.h): sections and keys compared without regard to
// letter case, the first of two equal sections or keys counts, values as the
// reader gives them (trimmed, unquoted), lines before the first section not
// at all.
//
// A section is named by its own name ("[Info]"), except in the function
// files (.int and .cfg): there a function section ("Function" + digits) is
// named by the button it holds, "button " + its SpecialKey (1 to 48), so that
// a button is followed wherever its section moved. Of two sections with the
// same button the first is the button's; the other is named by its name, as
// is a function section of any other key (a panel function of the .cfg).
//
// Per section, in the new file's order, then the sections only the old file
// has:
//   <file>, <section> added:      then "  Key: \"value\"" for each entry
//   <file>, <section> removed:    the same, with the old values
//   <file>, <section> changed:    then a line for each key added, removed or
//                                 changed: "  Key: \"old\" -> \"new\"", with
//                                 (none) for the side that lacks the key
// Names and values are shown by ReportText.h: one value, one line.

#include <string>
#include <string_view>
#include <vector>

namespace engineering {

// The change lines for the file (old and new Windows-1252 bytes; an empty
// old version for a file that did not exist); none when nothing a reader
// sees changed.
std::vector<std::string> iniFileChangeLines(std::string_view fileName, std::string_view oldBytes,
                                            std::string_view newBytes);

// Whether the file is one the report diffs key by key (.int, .cfg, .ini).
bool isReportedIniFile(std::string_view fileName);

} // namespace engineering
