#include "MachineList.h"

#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"
#include "run/IniAccess.h"
#include "run/ProgramState.h"

namespace installation {
namespace {

void reportIfUnreadable(std::string_view path) {
    if (platform::probeFile(path) == platform::FileKind::Unreadable)
        throw run::Failure(run::ErrPathFileAccess, platform::cannotReadMessage(path));
}

} // namespace

void GetExistingMachines(run::ProgramState& state, const InstallationFiles& files) {
    run::Procedure procedure(state, "GetExistingMachines");
    const std::string& programIni = files.programIni;
    procedure.step([&] { reportIfUnreadable(programIni); });
    procedure.step([&] {
        if (state.StartModeIntegrated) {
            const std::string& iniFile = files.configurationIni;
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
        const int count = run::LoadIniInteger(state, "Project", "NumberOfMachines", programIni);
        for (int i = 1; i <= count; ++i) {
            state.ExistingMachines.resize(std::size_t(i));
            state.ExistingMachines[std::size_t(i - 1)] =
                run::LoadIniString(state, "Machine" + std::to_string(i), "MachineName", programIni);
        }
    });
}

const std::string& existingMachine(const run::ProgramState& program, std::size_t i) {
    const auto& machines = program.ExistingMachines;
    if (i < 1 || i > machines.size())
        throw run::Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
    return machines[i - 1];
}

} // namespace installation
