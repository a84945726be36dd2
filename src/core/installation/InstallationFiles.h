#pragma once
// The files of the installation a run works on, found once when the run
// loads and handed to whatever reads or replaces them.
//
// Layout: <installation>/<component>/ holds the executable, its language file
// (<executable>.ini), <component>.cfg, .dat, .int, the symbol pictures and the
// databases; <installation>/parameter/ holds q4mconfiguration.ini and
// program.ini. In an integrated run program.ini, the stored function file read
// and the machine copy of the database come from the configuration manager's
// save-and-restore folder ("SaveAndRestore" in q4mconfiguration.ini's section
// "Common").
//
// The component's files and the machine copy name where a file belongs,
// whether or not it is there: whoever uses them asks then, so that a file that
// appears or goes while a window is open counts as it is then. The INI files
// and the stored function file read in an integrated run are "" when they
// were missing at load. A file that exists but cannot be read (a folder, a
// FIFO, a dangling link, no permission) keeps its path and reads as empty; it
// is reported where it is read.

#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace installation {

struct InstallationFiles {
    std::string componentFolder;      // the executable's folder
    std::string languageFile;         // <executable>.ini, the captions and tool tips
    std::string runtimeConfiguration; // <component>.cfg
    std::string catalogue;            // <component>.dat, the functions offered
    std::string storedFunctions;      // <component>.int, the functions as last set
    // Where the stored functions are read from: the .int above, or in an
    // integrated run the save-and-restore folder's "Engineering\Engineering.int".
    std::string storedFunctionsToRead;
    std::string sourceDatabase; // <component>_Source.mdb, the templates
    std::string targetDatabase; // <component>.mdb, the panel's database
    std::string saveAndRestoreFolder;
    // The machine copy of the panel's database in the save-and-restore folder
    // (used in an integrated run).
    std::string machineCopyDatabase;
    std::string configurationIni; // parameter/q4mconfiguration.ini
    std::string programIni;       // program.ini of the run's start mode
};

// The component's files below an installation folder (.cfg, .dat, .int and
// the two databases).
InstallationFiles componentFiles(std::string_view installationFolder, std::string_view component);

// The language file of an executable: its base name with ".ini", beside it.
std::string languageFile(std::string_view executableFolder, std::string_view executableBaseName);

// The files of the run's installation. Ends the program with "File not
// found: " when the .cfg is missing (requireRuntimeConfiguration); reads the
// save-and-restore folder from q4mconfiguration.ini.
InstallationFiles findInstallationFiles(run::ProgramState& program);

// Ends the program with "File not found: " + the path when the .cfg is
// missing (one that exists but cannot be read is the caller's to report).
void requireRuntimeConfiguration(run::ProgramState& program, std::string_view path);

// base joined with a relative part, with one separator between them whether
// or not base ends with one ("\" or the platform's).
std::string joinFolder(std::string_view base, std::string_view relative);

} // namespace installation
