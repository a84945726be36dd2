// The configuration program of the Engineering component.

#include "framework/CommandLine.h"
#include "framework/InstallationPaths.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Startup.h"
#include "framework/Version.h"

#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

void printUsage() {
    std::cout << "Usage: Engineering_Config [/EXTERNAL Q4MCFG | /EXTERNAL SILENT] [/LOGFILE path]\n"
                 "\n"
                 "Edits the 48 engineering-function buttons of the operator panel and writes\n"
                 "the component's function files. The program works on the installation it\n"
                 "lives in: its own folder is the component folder.\n"
                 "\n"
                 "  (no arguments)     standalone, with a window\n"
                 "  /EXTERNAL Q4MCFG   integrated: started by the configuration manager\n"
                 "  /EXTERNAL SILENT   no window: load, write the files and end\n"
                 "  /LOGFILE path      error log of an integrated run\n"
                 "  --help, --version  this text, the version\n";
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "Engineering_Config " << framework::kVersionText << "\n";
            return 0;
        }
    }
    using namespace framework;
    initialiseProgram(argc, argv);
    const bool integrated = GetStartModeIntegrated();
    const ProgramState& state = programState();
    std::cout << "Start mode: "
              << (integrated         ? "integrated"
                  : state.SilentMode ? "silent"
                                     : "standalone")
              << "\n"
              << "Program folder: " << executableFolder() << "\n"
              << "Installation folder: " << installationFolder() << "\n"
              << "Component: " << GetOCXName() << "\n";
    const std::string iniPath = GetQ4MConfigurationIniPath();
    GetExistingMachines(iniPath);
    std::cout << "Configuration manager INI: " << (iniPath.empty() ? "(none)" : iniPath) << "\n"
              << "program.ini: " << (state.ProgramIniPath.empty() ? "(none)" : state.ProgramIniPath)
              << "\n"
              << "Machines:";
    for (const auto& machine : state.ExistingMachines)
        std::cout << " " << machine;
    std::cout << "\n.cfg: " << GetCFGPath() << "\n";
    return 0;
}
