// The built program run with /EXTERNAL SILENT on a copy of the sample
// installation, with no display in its environment at all.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class SilentRun : public ::testing::Test {
protected:
    SilentRun() {
        root = fs::temp_directory_path() / ("eng-e2e-" + std::to_string(std::random_device{}()));
        fs::copy(EXAMPLES_DIR, root, fs::copy_options::recursive);
        fs::copy_file(PROGRAM_PATH, root / "Engineering" / "Engineering_Config");
    }
    ~SilentRun() override { fs::remove_all(root); }

    // Runs the program with an environment that names no display; its standard
    // error is kept in `errors`.
    int run(const std::string& arguments) {
        const fs::path errorFile = root.string() + ".stderr";
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                    (root / "Engineering" / "Engineering_Config").string() + "' " +
                                    arguments + " >/dev/null 2>'" + errorFile.string() + "'";
        const int status = std::system(command.c_str());
        errors = readFile(errorFile);
        fs::remove(errorFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path root;
    std::string errors;
};

} // namespace

TEST_F(SilentRun, WritesTheFunctionFilesWithoutADisplay) {
    const std::string cfgBefore = readFile(root / "Engineering" / "Engineering.cfg");
    ASSERT_EQ(run("/EXTERNAL SILENT"), 0)
        << readFile(root / "HalvarServicePack.log") << readFile(root / "Q4Mcfglog.txt");
    const std::string cfg = readFile(root / "Engineering" / "Engineering.cfg");
    const std::string stored = readFile(root / "Engineering" / "Engineering.int");
    EXPECT_NE(cfg, cfgBefore);
    EXPECT_NE(cfg.find("[Function1]\r\n"), std::string::npos);
    EXPECT_NE(cfg.find("S_Prog="), std::string::npos);
    EXPECT_NE(cfg.find("- Standalone"), std::string::npos);
    EXPECT_NE(stored.find("WhereICome=EngineeringPicture\r\n"), std::string::npos);
    EXPECT_EQ(cfg.find("\n\n"), std::string::npos) << "every line ends CR LF";
    EXPECT_FALSE(fs::exists(root / "Engineering" / "Engineering.bak"));
    EXPECT_FALSE(fs::exists(root / "HalvarServicePack.log"));
    EXPECT_FALSE(fs::exists(root / "Q4Mcfglog.txt"));
}

TEST_F(SilentRun, ASecondRunChangesNothingTheFirstWrote) {
    const fs::path component = root / "Engineering";
    const auto written = [&] {
        return std::vector<std::string>{readFile(component / "Engineering.cfg"),
                                        readFile(component / "Engineering.int"),
                                        readFile(component / "Engineering_Config.ini")};
    };
    ASSERT_EQ(run("/EXTERNAL SILENT"), 0);
    const auto first = written();
    ASSERT_EQ(run("/external silent"), 0);
    EXPECT_TRUE(written() == first);
}

TEST_F(SilentRun, MissingCfgEndsWithAFailureStatusAndAFaultLogLine) {
    fs::remove(root / "Engineering" / "Engineering.cfg");
    const std::string stored = readFile(root / "Engineering" / "Engineering.int");
    EXPECT_EQ(run("/EXTERNAL SILENT"), 1);
    EXPECT_NE(readFile(root / "HalvarServicePack.log").find("File not found: "), std::string::npos);
    EXPECT_EQ(readFile(root / "Engineering" / "Engineering.int"), stored);
}

// A FIFO in place of the stored file, folders in place of both logs: the run
// neither waits nor writes, and says why on standard error.
TEST_F(SilentRun, UnreadableStoredFileAndUnwritableLogsEndWithAReportOnStandardError) {
    const fs::path stored = root / "Engineering" / "Engineering.int";
    fs::remove(stored);
    ASSERT_EQ(::mkfifo(stored.c_str(), 0666), 0);
    fs::create_directory(root / "Q4Mcfglog.txt");
    fs::create_directory(root / "HalvarServicePack.log");
    const std::string cfg = readFile(root / "Engineering" / "Engineering.cfg");
    const std::string database = readFile(root / "Engineering" / "Engineering.mdb");

    EXPECT_EQ(run("/EXTERNAL SILENT"), 1);
    EXPECT_NE(errors.find("Cannot read " + stored.string()), std::string::npos) << errors;
    EXPECT_EQ(readFile(root / "Engineering" / "Engineering.cfg"), cfg);
    EXPECT_EQ(readFile(root / "Engineering" / "Engineering.mdb"), database);
    EXPECT_TRUE(fs::is_fifo(stored));
}

TEST_F(SilentRun, HelpAndVersionNeedNoInstallationAndTakeNoLock) {
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(run("--version /EXTERNAL SILENT"), 0);
    EXPECT_FALSE(fs::exists(root / "Engineering" / "Engineering_Config.lock"));
    EXPECT_EQ(run("/EXTERNAL SILENT"), 0);
    EXPECT_TRUE(fs::exists(root / "Engineering" / "Engineering_Config.lock"));
}
