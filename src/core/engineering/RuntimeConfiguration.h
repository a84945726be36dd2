#pragma once
// The rebuild of the component's run-time configuration (the .cfg file).
//
// The file is any INI content of the component plus function sections. The
// rebuild keeps every other line and renews the function sections:
//
//  - Lines end with CR LF, LF or CR alone. A kept line keeps its bytes and its
//    line end; a last line without one gets CR LF. Written lines end with CR LF.
//  - A section header is a line whose first character other than blanks and
//    tabs is "[" with a "]" after it; its name runs from that "[" to the last
//    "]", blanks and tabs at both ends removed (as the INI reader sees it). A
//    key line whose value holds "[" (a window title) is no header and stays in
//    its section.
//  - A function section is one whose name, without regard to case, is
//    "Function" followed by digits ([Function3], [function3]). Any other
//    section ([Project], [Info], [UserFunctions]) and any line before the
//    first header is other content.
//  - The key of a function section is the number its first SpecialKey entry
//    begins with (the entry name compared as the INI reader compares names,
//    the value trimmed and unquoted as the reader gives it); 0 without one.
//
// The new file holds, in this order:
//
//  1. all other content, in the order it had, each line unchanged, then
//     changed by the caller's edits (the edit-info stamp), so that a section
//     they add stands before the function sections as the next rebuild would
//     put it;
//  2. the function sections with a key of 49 or more, which belong to other
//     functions of the panel: in file order, with their lines that are not
//     blank, and their header renumbered "[Function" + n + "]"; an empty line
//     before each one unless it was the first function section of the file;
//  3. for each enabled button 1 to 48, an empty line and its section:
//     "[Function" + n + "]", then every stored field but Enabled in the order
//     of kRuntimeFunctionKeys below, SymbolName in its stored form and left
//     out when the name is empty. No Enabled key: only enabled functions are
//     written.
//
// An empty line is not written where the content before ends with a blank
// line: the next rebuild keeps that line as other content, so a second
// rebuild of its own result gives the same bytes.
//
// Sections with a key below 49 belonged to buttons and are replaced by 3; a
// disabled button has no section. Sections are numbered from 1 without gaps.
// A button value holding a line break fails the rebuild (a Failure).
//
// The rebuild produces the new file as a document, line by line, without
// parsing anything it wrote; the caller stores it once.

#include "EngineeringFunction.h"

#include "ini/IniDocument.h"

#include <array>
#include <functional>
#include <string_view>

namespace engineering {

// The order of the keys in a button's section (rule 3).
inline constexpr std::array<std::string_view, 18> kRuntimeFunctionKeys = {
    "WhereICome", "ExeFunction", "SymbolName",  "SpecialKey", "Description",   "PosMode",
    "PosLeft",    "PosTop",      "PosWidth",    "PosHeight",  "RemoteDeskTop", "WaitBeforeLogin",
    "LoginKey",   "WindowName",  "WindowName2", "EndTime",    "EndMode",       "EndWhenExitWindow"};

// Edits applied to the other content before the function sections follow.
using OtherContentEdit = std::function<void(ini::IniDocument&)>;

// The new content for the old content (Windows-1252 bytes).
ini::IniDocument
rebuildRuntimeConfiguration(std::string_view oldBytes,
                            const std::array<EngineeringFunction, kButtonCount>& buttons,
                            const OtherContentEdit& editOtherContent = {});

} // namespace engineering
