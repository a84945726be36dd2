#pragma once
// The main window's captions, tool tips and help texts by language.
//
// The language file is the program's own INI file: executable folder +
// separator + executable base name + ".ini". Its section "Language", key
// "Language", holds the language code, a Windows locale number as text; when
// it is missing or empty "1031" (German) is written and used. The section
// named by the code holds, per control (text key as in ControlTable.h):
//
//   "Caption_" + text key   caption of a label, command button or check box
//   "TTT_" + text key       tool tip of any control
//   "Help" + help number    help text of the controls with that help number
//
// The values "0" and "" mean that there is no text yet: the control keeps its
// built-in text. Where the file has no text the walk writes a placeholder, so
// that the file lists every key a translator has to fill:
//
//  - caption: "0" in a language other than 1031; in 1031 the built-in caption;
//  - help text: "0" (the value read, whatever it is, becomes the help text);
//  - tool tip: "0" in every language; a control whose tag holds "NOTTT" (any
//    case) keeps its tool tip and gets no key.
//
// The walk collects its writes in the file's document and replaces the file
// once at its end (or not at all when no key changed), so the file converges
// after the first start. A failure while treating one control (a help number
// outside 1 to 100) abandons the rest of that control without a report; the
// walk goes on with the next one.
//
// A language file that exists but cannot be read (a folder, FIFO, dangling
// link, no read permission) is reported once; the controls keep their
// built-in texts and the file is not written. A file that cannot be written
// is reported once.

#include "ControlTable.h"

#include <string>

namespace run {
class ProgramState;
}

namespace texts {

inline constexpr const char* kDefaultLanguage = "1031";

std::string languageFilePath(const run::ProgramState& program);
std::string languageFilePath(std::string_view executableFolder,
                             std::string_view executableBaseName);

// The language code, exactly as stored; "1031" written and returned when none is.
std::string GetLanguage(run::ProgramState& program);

// Applies the language file to the controls, in table order: sets their
// captions and tool tips, fills the program's HelpTexts and writes the
// missing keys (the language code included), replacing the file once.
void LoadToolTipTexts(run::ProgramState& program, ControlTable& controls);

} // namespace texts
