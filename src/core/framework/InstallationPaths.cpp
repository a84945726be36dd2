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

std::string componentFile(ProgramState& program, std::string_view suffix) {
    const std::string component = GetOCXName(program);
    return installationFolder(program) + kSep + component + kSep + component + std::string(suffix);
}

std::string saveAndRestoreFolder(ProgramState& program, std::string_view iniFile) {
    return LoadIniString(program, "Common", "SaveAndRestore", iniFile);
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

std::string GetPathOCXMDB(ProgramState& program) {
    Procedure procedure(program, "GetPathOCXMDB");
    std::string path;
    procedure.step([&] { path = componentFile(program, ".mdb"); });
    return path;
}

std::string GetPathSourceOCXMDB(ProgramState& program) {
    Procedure procedure(program, "GetPathSourceOCXMDB");
    std::string path;
    procedure.step([&] { path = unlessMissing(componentFile(program, "_Source.mdb")); });
    return path;
}

std::string GetCFGPath(ProgramState& program) {
    Procedure procedure(program, "GetCFGPath");
    std::string path;
    procedure.step([&] { path = componentFile(program, ".cfg"); });
    if (probeFile(path) == FileKind::Missing) {
        ReportFault(program, "File not found: " + std::string(kLfCr) + displayedPath(path));
        EndProgram(program);
    }
    return path;
}

std::string GetQ4MConfigurationIniPath(ProgramState& program) {
    Procedure procedure(program, "GetQ4MConfigurationIniPath");
    std::string path;
    procedure.step([&] {
        path = unlessMissing(installationFolder(program) + kSep + "parameter" + kSep +
                             "q4mconfiguration.ini");
    });
    return path;
}

std::string GetProgramIniPath(ProgramState& program, int mode) {
    Procedure procedure(program, "GetProgramIniPath");
    std::string path;
    procedure.step([&] {
        if (mode == 1 && program.StartModeIntegrated)
            path = joinFolder(saveAndRestoreFolder(program, GetQ4MConfigurationIniPath(program)),
                              "parameter" + kSep + "program.ini");
        else
            path = installationFolder(program) + kSep + "parameter" + kSep + "Program.ini";
        path = unlessMissing(std::move(path));
    });
    return path;
}

std::string GetPathMachineCopyMDB(ProgramState& program, std::string_view iniFile) {
    Procedure procedure(program, "GetPathMachineCopyMDB");
    std::string path;
    procedure.step([&] {
        const std::string component = GetOCXName(program);
        path = unlessMissing(joinFolder(saveAndRestoreFolder(program, iniFile),
                                        component + kSep + component + ".mdb"));
    });
    return path;
}

void GetExistingMachines(ProgramState& state, std::string_view iniFile) {
    Procedure procedure(state, "GetExistingMachines");
    procedure.step([&] { state.ProgramIniPath = GetProgramIniPath(state, 1); });
    procedure.step([&] { reportIfUnreadable(state.ProgramIniPath); });
    procedure.step([&] {
        if (state.StartModeIntegrated) {
            reportIfUnreadable(iniFile);
            if (!fileExists(iniFile))
                return;
            for (int i = 1; i <= 5; ++i) {
                std::string name =
                    LoadIniString(state, "Common", "NameM" + std::to_string(i), iniFile);
                if (name == "-" || name.empty())
                    return;
                state.ExistingMachines.resize(std::size_t(i));
                state.ExistingMachines[std::size_t(i - 1)] = std::move(name);
            }
            return;
        }
        const int count =
            LoadIniInteger(state, "Project", "NumberOfMachines", state.ProgramIniPath);
        for (int i = 1; i <= count; ++i) {
            state.ExistingMachines.resize(std::size_t(i));
            state.ExistingMachines[std::size_t(i - 1)] = LoadIniString(
                state, "Machine" + std::to_string(i), "MachineName", state.ProgramIniPath);
        }
    });
}

std::string GetValidMachines(ProgramState& program) {
    // No handler of its own: a failure goes to the caller's.
    return LoadIniString(program, "Project", "ValidMachines", GetCFGPath(program));
}

const std::string& existingMachine(const ProgramState& program, std::size_t i) {
    const auto& machines = program.ExistingMachines;
    if (i < 1 || i > machines.size())
        throw Failure(ErrSubscriptOutOfRange, "Subscript out of range");
    return machines[i - 1];
}

} // namespace framework
