#pragma once
// The choices the edit dialog offers, apart from its window.
//
//  - Position mode: the list position of the chosen entry is the mode, 0 to 4.
//    A stored mode outside 0 to 4 has no entry: the list shows none and the
//    mode stays as stored until the operator picks an entry.
//  - End mode: the window message that ends the started program, 2 (destroy),
//    16 (close) or 18 (quit), listed in that order. A stored mode that is none
//    of these has no entry and stays as stored until the operator picks one.
//  - Program file: the file chooser opened by a double-click on the program
//    box offers programs, batch files and web pages in one filter entry. It
//    starts at the program's path when the folder it names exists (the file
//    then stands chosen), else in the installation folder.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace editing {

inline constexpr std::array<std::string_view, 5> kPositionModeEntries = {
    "0 - Zentriert", "1 - Position X/Y", "2 - Position X/Y/H/B", "3 - Vollbild",
    "4 - Kopf- Fußzeile"};

inline constexpr std::array<std::string_view, 3> kEndModeEntries = {"2  - Destroy", "16 - Close",
                                                                    "18 - Quit (Standard)"};

// The list position showing a stored mode, -1 when no entry stands for it.
int positionModeListPosition(std::int16_t posMode);
int endModeListPosition(std::int16_t endMode);

// The mode stored for a chosen list position.
std::int16_t positionModeAt(int listPosition);
// 2 for position 0, 16 for position 1, 18 for any other.
std::int16_t endModeAt(int listPosition);

// The file chooser of the program box: its title and its filter, written as
// pairs of description and patterns ("description|patterns|..."; patterns
// separated by ";").
inline constexpr std::string_view kProgramChooserTitle = "Choose Exe or Bat";
inline constexpr std::string_view kProgramChooserFilter =
    "*.exe;*.bat;*.htm;*.html|*.exe;*.bat;*.htm;*.html";

// Where the program box's file chooser starts for a stored program path.
std::string programChooserStart(const std::string& programPath,
                                const std::string& installationFolder);

// A "description|patterns|..." filter in the form of a Qt file dialog:
// "description (pattern pattern)" entries joined by ";;". A description
// without patterns after it gets "*".
std::string nameFilters(std::string_view pairedFilter);

} // namespace editing
