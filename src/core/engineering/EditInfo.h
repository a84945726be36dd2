#pragma once
// The edit-info stamp in section "Info" of the component's .cfg file:
// "S_Prog" names the program version and start mode, "S_Editor" holds an
// encoded mark of the environment the program ran in. WriteInputs stamps the
// .cfg it rebuilds before it stores it, so the file is written once.

#include "ini/IniDocument.h"

#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace engineering {

// Sets both keys in the .cfg's document, which the caller stores, under the
// procedure "WriteEditInfo"; the start mode is the run's StartModeIntegrated.
void WriteEditInfo(run::ProgramState& program, ini::IniDocument& cfg);

// "major.minor.revision - Integrated" or "... - Standalone".
std::string programStamp(bool integrated);
// For each character of the text after the entry's first "=" (the whole entry
// if it has none), except "-" and "_": the hexadecimal of its Windows-1252
// code + 5, upper-case digits, no leading zeros, no separators.
std::string editorMark(std::string_view environmentEntry);

} // namespace engineering
