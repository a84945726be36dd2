#include "InstallationPaths.h"

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

std::string saveAndRestoreFolder(run::ProgramState& program, std::string_view iniFile) {
    return run::LoadIniString(program, "Common", "SaveAndRestore", iniFile);
}

// A file that exists but cannot be read is not missing: its path is kept (it
// reads as a file without sections) and it is reported where it is read.
std::string unlessMissing(std::string path) {
    return platform::probeFile(path) == platform::FileKind::Missing ? std::string() : path;
}

void reportIfUnreadable(std::string_view path) {
    if (platform::probeFile(path) == platform::FileKind::Unreadable)
        throw run::Failure(run::ErrPathFileAccess, platform::cannotReadMessage(path));
}

} // namespace

std::string joinFolder(std::string_view base, std::string_view relative) {
    if (!base.empty() && (base.back() == '\\' || base.back() == run::kSeparator[0]))
        return std::string(base) + std::string(relative);
    return std::string(base) + kSep + std::string(relative);
}

std::string GetCFGPath(run::ProgramState& program) {
    run::Procedure procedure(program, "GetCFGPath");
    std::string path;
    procedure.step([&] {
        path = componentFiles(run::installationFolder(program), run::GetOCXName(program))
                   .runtimeConfiguration;
    });
    if (platform::probeFile(path) == platform::FileKind::Missing) {
        run::ReportFault(program, "File not found: " + std::string(run::kLfCr) +
                                      platform::displayedPath(path));
        run::EndProgram(program);
    }
    return path;
}

std::string GetQ4MConfigurationIniPath(run::ProgramState& program) {
    run::Procedure procedure(program, "GetQ4MConfigurationIniPath");
    std::string path;
    procedure.step([&] {
        path = unlessMissing(run::installationFolder(program) + kSep + "parameter" + kSep +
                             "q4mconfiguration.ini");
    });
    return path;
}

std::string GetProgramIniPath(run::ProgramState& program, int mode) {
    run::Procedure procedure(program, "GetProgramIniPath");
    std::string path;
    procedure.step([&] {
        if (mode == 1 && program.StartModeIntegrated)
            path = joinFolder(saveAndRestoreFolder(program, GetQ4MConfigurationIniPath(program)),
                              "parameter" + kSep + "program.ini");
        else
            path = run::installationFolder(program) + kSep + "parameter" + kSep + "Program.ini";
        path = unlessMissing(std::move(path));
    });
    return path;
}

void GetExistingMachines(run::ProgramState& state, std::string_view iniFile) {
    run::Procedure procedure(state, "GetExistingMachines");
    procedure.step([&] { state.ProgramIniPath = GetProgramIniPath(state, 1); });
    procedure.step([&] { reportIfUnreadable(state.ProgramIniPath); });
    procedure.step([&] {
        if (state.StartModeIntegrated) {
            reportIfUnreadable(iniFile);
            if (!platform::fileExists(iniFile))
                return;
            for (int i = 1; i <= 5; ++i) {
                std::string name =
                    run::LoadIniString(state, "Common", "NameM" + std::to_string(i), iniFile);
                if (name == "-" || name.empty())
                    return;
                state.ExistingMachines.resize(std::size_t(i));
                state.ExistingMachines[std::size_t(i - 1)] = std::move(name);
            }
            return;
        }
        const int count =
            run::LoadIniInteger(state, "Project", "NumberOfMachines", state.ProgramIniPath);
        for (int i = 1; i <= count; ++i) {
            state.ExistingMachines.resize(std::size_t(i));
            state.ExistingMachines[std::size_t(i - 1)] = run::LoadIniString(
                state, "Machine" + std::to_string(i), "MachineName", state.ProgramIniPath);
        }
    });
}

std::string GetValidMachines(run::ProgramState& program) {
    // No handler of its own: a failure goes to the caller's.
    return run::LoadIniString(program, "Project", "ValidMachines", GetCFGPath(program));
}

const std::string& existingMachine(const run::ProgramState& program, std::size_t i) {
    const auto& machines = program.ExistingMachines;
    if (i < 1 || i > machines.size())
        throw run::Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
    return machines[i - 1];
}

} // namespace installation
