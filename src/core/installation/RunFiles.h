#pragma once
// Replacing a file of the installation from inside a run. A run that has a
// transaction (ProgramState::transaction, RunTransaction.h) only stages the
// new version there, to be replaced with the run's other files at its end;
// without one (a tool, a test of one step) the file is replaced at once.

#include "RunTransaction.h"

#include <string>
#include <string_view>

namespace ini {
class IniDocument;
}
namespace run {
class ProgramState;
}

namespace installation {

// False when the file could not be replaced (or will not be able to be): a
// folder, FIFO or unreadable file in its place, a missing folder, a
// write-protected file.
// A file the content rule `same` finds equal to the new version is left as
// it is; keepFileTimes gives the new version the old one's times.
bool replaceRunFile(run::ProgramState& program, std::string_view path, std::string bytes,
                    SameContent same = {}, bool keepFileTimes = false);
bool storeRunIniDocument(run::ProgramState& program, std::string_view path,
                         const ini::IniDocument& document);

} // namespace installation
