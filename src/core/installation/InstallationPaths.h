#pragma once
// The installation's INI files, found from the installation folder and the
// start mode, and the list of installed machines (the component's own files:
// InstallationFiles.h).
//
// Layout: <installation>/<component>/ holds the executable, <component>.cfg,
// .dat, .int, the symbol pictures and the databases; <installation>/parameter/
// holds q4mconfiguration.ini and program.ini. In an integrated run program.ini
// and the machine copy of the database come from the configuration manager's
// save-and-restore folder ("SaveAndRestore" in section "Common").
//
// A path is "" only when its file is missing. A file that exists but cannot be
// read (a folder, a FIFO, a dangling link, no permission) keeps its path and
// reads as empty; GetExistingMachines reports such a program.ini and, in an
// integrated run, such a q4mconfiguration.ini through the error protocol.

#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace installation {

// Ends the program with "File not found: " when the .cfg file is missing
// (one that exists but cannot be read is the caller's to report).
std::string GetCFGPath(run::ProgramState& program);
std::string GetQ4MConfigurationIniPath(run::ProgramState& program);
std::string GetProgramIniPath(run::ProgramState& program, int mode);
// Fills the program state's ProgramIniPath and ExistingMachines.
void GetExistingMachines(run::ProgramState& program, std::string_view iniFile);
std::string GetValidMachines(run::ProgramState& program);

// Name of machine i (from 1); a subscript failure when there is no such machine.
const std::string& existingMachine(const run::ProgramState& program, std::size_t i);

// base joined with a relative part, with one separator between them whether
// or not base ends with one ("\" or the platform's).
std::string joinFolder(std::string_view base, std::string_view relative);

} // namespace installation
