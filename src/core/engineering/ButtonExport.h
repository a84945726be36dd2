#pragma once
// The file /EXPORT writes and /IMPORT reads: the stored button set of one
// installation, the buttons whose function differs from what the catalogue
// puts there (ButtonOrigins.h), in the program's own INI format
// (Windows-1252, CR LF).
//
// The file starts with the section [Export]: Source (the component folder
// the buttons come from), Time, Version (of the program that wrote it) and
// Checksum, the SHA-256 (lower-case hex) of every byte after that section.
// The function sections follow, "Function1" on, exactly as the stored
// function file would hold them (StoredFunctionFile.h).
//
// Reading checks, and lists every reason to refuse the file: no [Export]
// section first or no checksum, a checksum the bytes do not match, a
// SpecialKey outside 1 to 48 or named twice, a symbol whose picture this
// installation lacks (unless the symbol is to be kept).

#include "FunctionLists.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace run {
class ProgramState;
}
namespace texts {
class ProgramMessages;
}

namespace engineering {

inline constexpr std::string_view kExportSection = "Export";

struct ExportSource {
    std::string folder;  // the component folder
    std::string time;    // when it was exported
    std::string version; // of the program
};

// The file's bytes for the buttons of lists that differ from the catalogue.
std::string exportFileBytes(const FunctionLists& lists, const ExportSource& source);

// The function sections of an export file (after its [Export] section);
// nothing when the file does not start with one.
std::optional<std::string_view> exportedSections(std::string_view bytes);

struct ImportedButtons {
    // Each function with its SpecialKey, symbol name in the button's form.
    std::vector<EngineeringFunction> functions;
    // Buttons whose symbol this installation lacks (with keepSymbols).
    std::vector<int> missingSymbols;
    std::vector<std::string> refusals; // empty: the file may be applied
};

// Reads and checks the export file at path for the installation of program.
// The refusals are worded in the program's messages.
ImportedButtons readExportFile(run::ProgramState& program, const texts::ProgramMessages& messages,
                               const std::string& path, bool keepSymbols);

} // namespace engineering
