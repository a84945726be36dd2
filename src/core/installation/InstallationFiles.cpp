#include "InstallationFiles.h"

#include "InstallationPaths.h"

#include "run/IniAccess.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

namespace installation {
namespace {

const std::string kSep(run::kSeparator);

std::string componentFile(std::string_view folder, std::string_view component,
                          std::string_view suffix) {
    return std::string(folder) + kSep + std::string(component) + kSep + std::string(component) +
           std::string(suffix);
}

} // namespace

InstallationFiles componentFiles(std::string_view installationFolder, std::string_view component) {
    InstallationFiles files;
    files.runtimeConfiguration = componentFile(installationFolder, component, ".cfg");
    files.sourceDatabase = componentFile(installationFolder, component, "_Source.mdb");
    files.targetDatabase = componentFile(installationFolder, component, ".mdb");
    return files;
}

InstallationFiles findInstallationFiles(run::ProgramState& program) {
    const std::string component = run::GetOCXName(program);
    InstallationFiles files = componentFiles(run::installationFolder(program), component);
    files.configurationIni = GetQ4MConfigurationIniPath(program);
    const std::string saveAndRestore =
        run::LoadIniString(program, "Common", "SaveAndRestore", files.configurationIni);
    files.machineCopyDatabase = joinFolder(saveAndRestore, component + kSep + component + ".mdb");
    files.programIni = program.ProgramIniPath;
    return files;
}

} // namespace installation
