#pragma once
// The files of the installation a run works on, found once when the run
// loads and handed to whatever reads or replaces them.
//
// The component's files and the machine copy name where a file belongs,
// whether or not it is there: the update asks when it uses them, so that a
// file that appears or goes while a window is open counts as it is then.
// The INI files are "" when they were missing at load, as the machine list
// read them (InstallationPaths.h).

#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace installation {

struct InstallationFiles {
    std::string runtimeConfiguration; // <component>.cfg
    std::string sourceDatabase;       // <component>_Source.mdb, the templates
    std::string targetDatabase;       // <component>.mdb, the panel's database
    // The machine copy of the panel's database in the configuration manager's
    // save-and-restore folder (used in an integrated run).
    std::string machineCopyDatabase;
    std::string configurationIni; // parameter/q4mconfiguration.ini
    std::string programIni;       // program.ini of the run's start mode
};

// The component's files below an installation folder.
InstallationFiles componentFiles(std::string_view installationFolder, std::string_view component);

// The files of the run's installation. Reads the save-and-restore folder from
// q4mconfiguration.ini; takes program.ini as the machine list found it.
InstallationFiles findInstallationFiles(run::ProgramState& program);

} // namespace installation
