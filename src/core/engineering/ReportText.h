#pragma once
// Text taken from files and databases as the change report shows it: one
// value always stays on one line. Control characters (below 0x20, and 0x7F)
// are written as \r, \n, \t or \xNN (two upper-case hex digits); every other
// character, a backslash included, is shown as it is, so a path such as
// "Engineering\Pump.gif" reads as the file holds it.

#include <string>
#include <string_view>

namespace engineering {

// The UTF-8 text with its control characters escaped.
std::string reportText(std::string_view utf8);
// The same in double quotes, as the report shows a value.
std::string quotedReportText(std::string_view utf8);

} // namespace engineering
