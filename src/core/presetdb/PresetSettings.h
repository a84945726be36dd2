#pragma once
// What the preset update reads from the installation's INI files, read once
// when the run loads.
//
//  - VWStudioProject: "VWStudio" of program.ini's section "Project" reads
//    true in a run that is not integrated (integrated runs never use
//    VisiWin Studio).
//  - hasProjectSection: the .cfg has a section "Project". Without it (an
//    empty, damaged or foreign .cfg) no machine is selected, by accident
//    rather than by the engineer's choice, which the update reports.
//  - validMachines, forMachine1: "ValidMachines" and "ForMachine1" of the
//    .cfg's section "Project", which select machine 1 (PresetRecords.h).
//  - AdditionalFields: "DataBaseAdditionalFields" of the .cfg's section
//    "Project", a comma-separated list of column names (blanks are part of a
//    name, an empty piece is an empty name), as "" at index 0, then "part",
//    then the listed names.

#include "installation/InstallationFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace run {
class ProgramState;
}

namespace presetdb {

struct PresetSettings {
    bool integrated = false; // started by the configuration manager
    // 1 for a VisiWin Studio project, else 0; used directly as the system index.
    std::int16_t VWStudioProject = 0;
    // The .cfg the settings come from, named in reports.
    std::string runtimeConfiguration;
    bool hasProjectSection = false;
    std::string validMachines;
    bool forMachine1 = false;
    // Machine names; machines[0] is machine 1.
    std::vector<std::string> machines;
    // Further preset columns the component demands; element 0 is "" and never
    // used. Empty: none configured (the lost-columns warning applies).
    std::vector<std::string> AdditionalFields;
    // What a run that meets an Access source database says, in the run's
    // language; %1 stands for the file. Empty: the English text.
    std::string accessSourceText;
};

// The "DataBaseAdditionalFields" list as AdditionalFields holds it.
std::vector<std::string> GetAdditionalFieldsMDB(std::string list);

// Reads the settings from the run's files; the machine names come from the
// program state's machine list.
PresetSettings readPresetSettings(run::ProgramState& program,
                                  const installation::InstallationFiles& files);

} // namespace presetdb
