#include "InstallationFiles.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/IniAccess.h"
#include "run/Logs.h"
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

// A file that exists but cannot be read is not missing: its path is kept,
// spelled as the folder holds it, so that later look-ups find it at once.
std::string unlessMissing(std::string path) {
    if (platform::probeFile(path) == platform::FileKind::Missing)
        return std::string();
    return platform::utf8Text(platform::nativePath(path));
}

std::string parameterFile(std::string_view folder, std::string_view name) {
    return joinFolder(folder, "parameter" + kSep + std::string(name));
}

} // namespace

std::string joinFolder(std::string_view base, std::string_view relative) {
    if (!base.empty() && (base.back() == '\\' || base.back() == run::kSeparator[0]))
        return std::string(base) + std::string(relative);
    return std::string(base) + kSep + std::string(relative);
}

InstallationFiles componentFiles(std::string_view installationFolder, std::string_view component) {
    InstallationFiles files;
    files.runtimeConfiguration = componentFile(installationFolder, component, ".cfg");
    files.catalogue = componentFile(installationFolder, component, ".dat");
    files.storedFunctions = componentFile(installationFolder, component, ".int");
    files.storedFunctionsToRead = files.storedFunctions;
    files.sourceDatabase = componentFile(installationFolder, component, "_Source.mdb");
    files.targetDatabase = componentFile(installationFolder, component, ".mdb");
    return files;
}

std::string languageFile(std::string_view executableFolder, std::string_view executableBaseName) {
    return std::string(executableFolder) + kSep + std::string(executableBaseName) + ".ini";
}

void requireRuntimeConfiguration(run::ProgramState& program, std::string_view path) {
    if (platform::probeFile(path) != platform::FileKind::Missing)
        return;
    run::ReportFault(program,
                     "File not found: " + std::string(run::kLfCr) + platform::displayedPath(path));
    run::EndProgram(program);
}

InstallationFiles findInstallationFiles(run::ProgramState& program) {
    const std::string installation = run::installationFolder(program);
    const std::string component = run::GetOCXName(program);
    InstallationFiles files = componentFiles(installation, component);
    requireRuntimeConfiguration(program, files.runtimeConfiguration);
    files.componentFolder = program.executableFolder;
    files.languageFile = languageFile(program.executableFolder, program.executableBaseName);
    // The standalone paths are built as they always were, the integrated ones
    // from the folder as the configuration manager wrote it.
    files.configurationIni =
        unlessMissing(installation + kSep + "parameter" + kSep + "q4mconfiguration.ini");
    files.saveAndRestoreFolder =
        run::LoadIniString(program, "Common", "SaveAndRestore", files.configurationIni);
    files.machineCopyDatabase =
        joinFolder(files.saveAndRestoreFolder, component + kSep + component + ".mdb");
    if (program.StartModeIntegrated) {
        files.programIni = unlessMissing(parameterFile(files.saveAndRestoreFolder, "program.ini"));
        files.storedFunctionsToRead = unlessMissing(
            joinFolder(files.saveAndRestoreFolder, "Engineering" + kSep + "Engineering.int"));
    } else {
        files.programIni = unlessMissing(installation + kSep + "parameter" + kSep + "Program.ini");
    }
    return files;
}

} // namespace installation
