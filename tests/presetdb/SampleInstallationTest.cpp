// The preset update on a copy of the sample installation's databases, run
// silently as the program's OK sequence runs it.

#include "PresetFixture.h"

#include "presetdb/PresetUpdate.h"

#include "framework/CommandLine.h"
#include "framework/InstallationPaths.h"
#include "framework/ProgramState.h"

#include <filesystem>

namespace {

using namespace presettest;
namespace fs = std::filesystem;

class SampleInstallationTest : public PresetFixture {
protected:
    SampleInstallationTest() {
        const fs::path sample = SAMPLE_INSTALLATION_DIR;
        for (const char* name : {"Engineering_Source.mdb", "Engineering.mdb"})
            fs::copy_file(sample / name, install.componentFolder() / name);
        // The entries the sample's Engineering.cfg and Program.ini hold for the update.
        writeCfg({"ForMachine1=true", "ValidMachines=M1", "DataBaseAdditionalFields=unit"});
        install.write("parameter/Program.ini",
                      "[Project]\r\nNumberOfMachines=1\r\nVWStudio=false\r\n"
                      "[Machine1]\r\nMachineName=M1\r\n");
        install.setCommandLine("/EXTERNAL SILENT");
        framework::GetStartModeIntegrated();
        framework::programState().ExistingMachines.clear();
        framework::GetExistingMachines(framework::GetQ4MConfigurationIniPath());
    }
};

TEST_F(SampleInstallationTest, ASilentRunRebuildsTheTargetWithTheMachinesValues) {
    presetdb::WorkOnMDB();
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
    EXPECT_FALSE(install.exists("HalvarServicePack.log"));

    EXPECT_EQ(query(targetPath(), "SELECT count(*), min(ID), max(ID) FROM PRESET_DEFS"),
              (Rows{{36, 1, 36}}));
    // Rows whose values were set on the machine.
    EXPECT_EQ(query(targetPath(), "SELECT var_name, offset_or_bitno, abs_min, abs_max, min, max, "
                                  "pass FROM PRESET_DEFS WHERE ID IN (1, 9, 21, 26, 29) "
                                  "ORDER BY ID"),
              (Rows{{"M1.PLC.CycleTime", 0, 0.0, 600.0, 10.0, 90.0, 1},
                    {"M1.PLC.Options", 1, nullptr, nullptr, nullptr, nullptr, 1},
                    {"M1.Drive.HomeOffset", 16, -100.0, 100.0, nullptr, 50.0, 3},
                    // these two carried VisiWin Studio names on the machine
                    {"M1.Heating.Zone2Temp", 2, 0.0, 400.0, 175.0, 255.0, 1},
                    {"M1.Heating.ToleranceHigh", 8, 0.0, 50.0, 1.0, 8.0, 2}}));
}

} // namespace
