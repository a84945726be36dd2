#pragma once
// Where the program lives and what it is called.
//
// The executable sits in the component's own folder, one level below the
// installation folder. Its base name less the seven-character suffix
// "_Config" is the component name, which names the component's folder and files.

#include "platform/PathSeparator.h"

#include <string>
#include <string_view>

namespace run {

// The separator of the paths the program builds (platform::kPathSeparator).
inline constexpr std::string_view kSeparator = platform::kPathSeparator;

// Whether a character separates path components: the backslash of stored
// paths, or the platform's separator.
inline bool isPathSeparator(char c) {
    return c == '\\' || c == kSeparator[0];
}

class ProgramState;
struct ProgramStart;

// Sets the start's executable folder and base name from the running
// executable as the platform names it (on Linux /proc/self/exe), never from
// the working directory.
void locateRunningProgram(ProgramStart& start);

// The executable folder less its last component (empty at the file-system root).
std::string installationFolder(const ProgramState& program);

// The component name: the executable base name less its last 7 characters.
std::string GetOCXName(ProgramState& program);
// The same without the error protocol: "" when the base name is too short.
std::string GetOCXNameOrEmpty(const ProgramState& program);
// The part after the last separator ("\" or the platform's); the whole text if there is none.
std::string GetFileNameOnly(ProgramState& program, std::string_view path);

} // namespace run
