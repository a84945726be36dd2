#pragma once
// The main window's controls as data, in the window's control order:
// CommandQuest, CommandCancel, CommandOK, MainFrame, CommandEdit, Pic(1) to
// Pic(48), Header. The window is built from this table, and the language
// texts read and update the same table, whether or not a window exists.
//
// The window's client area is 11880 x 8595 twips, fixed; it and every control
// are light grey. The 48 function buttons stand in MainFrame in 8 columns of
// 6, numbered down the columns: for button n, column c = (n - 1) div 6 and
// row r = (n - 1) mod 6, left = 120 + 1020 c, top = 210 + 960 r, each
// 990 x 930. OK, Cancel and the help button show pictures, not captions.

#include "texts/ControlTable.h"

#include <string>

namespace run {
class ProgramState;
}

namespace engineering {

inline constexpr const char* kMainWindowName = "Tessaron";
inline constexpr int kMainWindowWidth = 11880;
inline constexpr int kMainWindowHeight = 8595;
inline constexpr const char* kHeaderText = "Engineering - Konfiguration Engineeringfunktionen";

// Help numbers of the main window's controls.
inline constexpr int kHelpCommandOK = 1;
inline constexpr int kHelpCommandCancel = 2;
inline constexpr int kHelpPic = 10;
inline constexpr int kHelpCommandEdit = 11;

// Position of function button n (1 to 48) in MainFrame.
texts::TwipsRect picGeometry(int n);

// The table with the built-in captions and tool tips.
texts::ControlTable mainWindowControls();

// "Erweiterte Konfiguration " + the program folder's name + " - integriert"
// or " - standalone", as the start mode is.
std::string mainWindowCaption(run::ProgramState& program);

} // namespace engineering
