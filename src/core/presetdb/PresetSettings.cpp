#include "PresetSettings.h"

#include "ini/ProfileFiles.h"
#include "run/IniAccess.h"
#include "run/ProgramState.h"

namespace presetdb {

std::vector<std::string> GetAdditionalFieldsMDB(std::string list) {
    std::vector<std::string> names{""};
    list = list.empty() ? "part" : "part," + list;
    for (;;) {
        const auto comma = list.find(',');
        names.push_back(list.substr(0, comma));
        if (comma == std::string::npos)
            return names;
        list.erase(0, comma + 1);
    }
}

PresetSettings readPresetSettings(run::ProgramState& program,
                                  const installation::InstallationFiles& files) {
    PresetSettings settings;
    settings.integrated = program.StartModeIntegrated;
    settings.VWStudioProject =
        !program.StartModeIntegrated &&
                run::LoadIniBoolean(program, "Project", "VWStudio", files.programIni)
            ? 1
            : 0;
    const std::string& cfg = files.runtimeConfiguration;
    settings.runtimeConfiguration = cfg;
    const ini::IniDocument* cfgDocument = program.profiles.document(cfg);
    settings.hasProjectSection = cfgDocument && cfgDocument->hasSection("Project");
    settings.validMachines = run::LoadIniString(program, "Project", "ValidMachines", cfg);
    settings.forMachine1 = run::LoadIniBoolean(program, "Project", "ForMachine1", cfg);
    settings.machines = program.ExistingMachines;
    settings.AdditionalFields = GetAdditionalFieldsMDB(
        run::LoadIniString(program, "Project", "DataBaseAdditionalFields", cfg));
    return settings;
}

} // namespace presetdb
