#pragma once
// The list of installed machines, read once when the run loads: in an
// integrated run the names "NameM1" to "NameM5" of q4mconfiguration.ini's
// section "Common", up to the first "-" or empty one; otherwise
// "NumberOfMachines" of program.ini's section "Project" and each machine's
// "MachineName". A program.ini and, in an integrated run, a
// q4mconfiguration.ini that exists but cannot be read is reported through the
// error protocol.

#include "InstallationFiles.h"

#include <cstddef>
#include <string>

namespace run {
class ProgramState;
}

namespace installation {

// Fills the program state's ExistingMachines from the run's files.
void GetExistingMachines(run::ProgramState& program, const InstallationFiles& files);

// Name of machine i (from 1); a subscript failure when there is no such machine.
const std::string& existingMachine(const run::ProgramState& program, std::size_t i);

} // namespace installation
