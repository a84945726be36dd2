#pragma once
// /LIST: the 48 buttons as the next run shows them, one row each, with where
// the function comes from (ButtonOrigins.h).
//
// Columns: button number, enabled ("yes"/"no"), symbol (as stored), program,
// window placement (mode and the numbers it uses), log-on ("no", or the wait
// before it), end (mode and time) and origin. A button nothing names has its
// number and "-" as origin only. Values are shown by ReportText.h, so a value
// can never break a row.
//
// As text: the columns aligned by characters, two blanks apart, blanks at
// the line's end left out, lines ending in "\n". As CSV: UTF-8 with a byte
// order mark (so that a spreadsheet takes it as UTF-8), fields separated by
// "," and quoted when they hold a comma, a quote or a blank at an end, lines
// ending in CR LF.

#include "FunctionLists.h"

#include <array>
#include <string>
#include <vector>

namespace engineering {

inline constexpr std::size_t kButtonTableColumns = 8;
using ButtonTableRow = std::array<std::string, kButtonTableColumns>;

// The heading row, then one row per button, 1 to 48.
std::vector<ButtonTableRow> buttonTable(const FunctionLists& lists);

std::string buttonTableText(const std::vector<ButtonTableRow>& rows);
std::string buttonTableCsv(const std::vector<ButtonTableRow>& rows);

} // namespace engineering
