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
    const auto sourceTime = fs::file_time_type::clock::now() - std::chrono::hours(1000);
    fs::last_write_time(sourcePath(), sourceTime);
    presetdb::WorkOnMDB();

    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
    EXPECT_FALSE(install.exists("HalvarServicePack.log"));
    EXPECT_EQ(fs::last_write_time(sourcePath()), sourceTime);
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"),
              install.read("Engineering/Engineering_Source.mdb"));

    EXPECT_EQ(query(targetPath(), "SELECT count(*), min(ID), max(ID) FROM PRESET_DEFS"),
              (std::vector<Row>{{Value(36), Value(1), Value(36)}}));
    EXPECT_EQ(query(targetPath(), "SELECT var_name, text FROM PRESET_DEFS WHERE ID IN (1, 8)"),
              (std::vector<Row>{{Value("M1.PLC.CycleTime"), Value("Cycle time M1")},
                                {Value("M1.PLC.Options"), Value("Option: automatic start M1")}}));
    // The rows whose values were set on the machine, and one that was not.
    EXPECT_EQ(query(targetPath(), "SELECT var_name, offset_or_bitno, abs_min, abs_max, min, max, "
                                  "pass FROM PRESET_DEFS WHERE ID IN (1, 2, 9, 13, 21, 26, 29, 36) "
                                  "ORDER BY ID"),
              (std::vector<Row>{
                  {Value("M1.PLC.CycleTime"), Value(0), Value(0.0), Value(600.0), Value(10.0),
                   Value(90.0), Value(1)},
                  {Value("M1.PLC.StartDelay"), Value(2), Value(0.0), Value(60.0), Value(0.0),
                   Value(10.0), Value(1)},
                  {Value("M1.PLC.Options"), Value(1), Value(), Value(), Value(), Value(), Value(1)},
                  {Value("M1.Drive.SpeedMax"), Value(0), Value(0.0), Value(2800.0), Value(100.0),
                   Value(2200.0), Value(1)},
                  {Value("M1.Drive.HomeOffset"), Value(16), Value(-100.0), Value(100.0), Value(),
                   Value(50.0), Value(3)},
                  // these two carried VisiWin Studio names on the machine
                  {Value("M1.Heating.Zone2Temp"), Value(2), Value(0.0), Value(400.0), Value(175.0),
                   Value(255.0), Value(1)},
                  {Value("M1.Heating.ToleranceHigh"), Value(8), Value(0.0), Value(50.0), Value(1.0),
                   Value(8.0), Value(2)},
                  {Value("M1.Heating.FanStages"), Value(22), Value(2.0), Value(4.0), Value(2.0),
                   Value(4.0), Value(2)}}));
    EXPECT_TRUE(
        query(targetPath(), "SELECT ID FROM PRESET_DEFS WHERE var_name LIKE '%Zone5%'").empty());
}

} // namespace
