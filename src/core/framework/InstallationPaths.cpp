#include "InstallationPaths.h"

#include "ErrorProtocol.h"
#include "FileSystem.h"
#include "IniAccess.h"
#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"
#include "Text.h"

namespace framework {
namespace {

const std::string kSep(kSeparator);

std::string componentFile(std::string_view suffix) {
    const std::string component = GetOCXName();
    return installationFolder() + kSep + component + kSep + component + std::string(suffix);
}

std::string saveAndRestoreFolder(std::string_view iniFile) {
    return LoadIniString("Common", "SaveAndRestore", iniFile);
}

// A file that exists but cannot be read is not missing: its path is kept (it
// reads as a file without sections) and it is reported where it is read.
std::string unlessMissing(std::string path) {
    return probeFile(path) == FileKind::Missing ? std::string() : path;
}

void reportIfUnreadable(std::string_view path) {
    if (probeFile(path) == FileKind::Unreadable)
        throw Failure(ErrPathFileAccess, cannotReadMessage(path));
}

} // namespace

std::string joinFolder(std::string_view base, std::string_view relative) {
    if (!base.empty() && (base.back() == '\\' || base.back() == kSeparator[0]))
        return std::string(base) + std::string(relative);
    return std::string(base) + kSep + std::string(relative);
}

std::string GetPathOCXMDB() {
    Procedure procedure("GetPathOCXMDB");
    std::string path;
    procedure.step([&] { path = componentFile(".mdb"); });
    return path;
}

std::string GetPathSourceOCXMDB() {
    Procedure procedure("GetPathSourceOCXMDB");
    std::string path;
    procedure.step([&] { path = unlessMissing(componentFile("_Source.mdb")); });
    return path;
}

std::string GetCFGPath() {
    Procedure procedure("GetCFGPath");
    std::string path;
    procedure.step([&] { path = componentFile(".cfg"); });
    if (probeFile(path) == FileKind::Missing) {
        ReportFault("File not found: " + std::string(kLfCr) + upperCase(path));
        EndProgram();
    }
    return path;
}

std::string GetQ4MConfigurationIniPath() {
    Procedure procedure("GetQ4MConfigurationIniPath");
    std::string path;
    procedure.step([&] {
        path = unlessMissing(installationFolder() + kSep + "parameter" + kSep +
                             "q4mconfiguration.ini");
    });
    return path;
}

std::string GetProgramIniPath(int mode) {
    Procedure procedure("GetProgramIniPath");
    std::string path;
    procedure.step([&] {
        if (mode == 1 && programState().StartModeIntegrated)
            path = joinFolder(saveAndRestoreFolder(GetQ4MConfigurationIniPath()),
                              "parameter" + kSep + "program.ini");
        else
            path = installationFolder() + kSep + "parameter" + kSep + "Program.ini";
        path = unlessMissing(std::move(path));
    });
    return path;
}

std::string GetPathMachineCopyMDB(std::string_view iniFile) {
    Procedure procedure("GetPathMachineCopyMDB");
    std::string path;
    procedure.step([&] {
        const std::string component = GetOCXName();
        path = unlessMissing(
            joinFolder(saveAndRestoreFolder(iniFile), component + kSep + component + ".mdb"));
    });
    return path;
}

void GetExistingMachines(std::string_view iniFile) {
    Procedure procedure("GetExistingMachines");
    ProgramState& state = programState();
    procedure.step([&] { state.ProgramIniPath = GetProgramIniPath(1); });
    procedure.step([&] { reportIfUnreadable(state.ProgramIniPath); });
    procedure.step([&] {
        if (state.StartModeIntegrated) {
            reportIfUnreadable(iniFile);
            if (!fileExists(iniFile))
                return;
            for (int i = 1; i <= 5; ++i) {
                std::string name = LoadIniString("Common", "NameM" + std::to_string(i), iniFile);
                if (name == "-" || name.empty())
                    return;
                state.ExistingMachines.resize(std::size_t(i));
                state.ExistingMachines[std::size_t(i - 1)] = std::move(name);
            }
            return;
        }
        const int count = LoadIniInteger("Project", "NumberOfMachines", state.ProgramIniPath);
        for (int i = 1; i <= count; ++i) {
            state.ExistingMachines.resize(std::size_t(i));
            state.ExistingMachines[std::size_t(i - 1)] =
                LoadIniString("Machine" + std::to_string(i), "MachineName", state.ProgramIniPath);
        }
    });
}

std::string GetValidMachines() {
    // No handler of its own: a failure goes to the caller's.
    return LoadIniString("Project", "ValidMachines", GetCFGPath());
}

const std::string& existingMachine(std::size_t i) {
    const auto& machines = programState().ExistingMachines;
    if (i < 1 || i > machines.size())
        throw Failure(ErrSubscriptOutOfRange, "Subscript out of range");
    return machines[i - 1];
}

} // namespace framework
