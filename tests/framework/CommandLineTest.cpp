// Start modes and keyword values read from the command line.

#include "framework/CommandLine.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

using namespace framework;
using testsupport::TestInstallation;

namespace {

struct StartMode {
    const char* commandLine;
    bool integrated;
    bool silent;
};

class StartModes : public ::testing::TestWithParam<StartMode> {};

} // namespace

TEST_P(StartModes, FollowTheExternalKeyword) {
    TestInstallation inst;
    inst.setCommandLine(GetParam().commandLine);
    EXPECT_EQ(GetStartModeIntegrated(), GetParam().integrated);
    EXPECT_EQ(programState().StartModeIntegrated, GetParam().integrated);
    EXPECT_EQ(programState().SilentMode, GetParam().silent);
    EXPECT_TRUE(inst.boxes.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLine, StartModes,
                         ::testing::Values(StartMode{"", false, false},
                                           StartMode{"/EXTERNAL Q4MCFG", true, false},
                                           StartMode{"/external q4mcfg", true, false},
                                           StartMode{"/EXTERNAL SILENT", false, true},
                                           StartMode{"/EXTERNAL=SILENT", false, true},
                                           StartMode{"/EXTERNAL  SILENT", false, true},
                                           StartMode{"/EXTERNAL OTHER", false, false},
                                           StartMode{"/EXTERNAL", false, false},
                                           StartMode{"/EXTERNAL SILENT /LOGFILE x", false, true}));

TEST(CommandLine, ValuesAreUpperCasedAndEndAtTheNextSlash) {
    TestInstallation inst;
    EXPECT_EQ(ReadCommand("/EXTERNAL silent /LOGFILE c:\\Temp\\log.txt", "LOGFILE"),
              "C:\\TEMP\\LOG.TXT");
    EXPECT_EQ(ReadCommand("/LOGFILE /tmp/log.txt", "LOGFILE"), "");
    EXPECT_EQ(ReadCommand("/LOGFILE c:\\a/b", "LOGFILE"), "C:\\A");
    EXPECT_EQ(ReadCommand("/EXTERNAL SILENT", "LOGFILE"), std::nullopt);
    EXPECT_EQ(ReadCommand("/logfile", "LOGFILE"), "") << "a keyword at the end reads as empty";
    // The first occurrence counts, even inside a folder name.
    EXPECT_EQ(ReadCommand("/LOGFILE d:\\EXTERNALS\\log /EXTERNAL SILENT", "EXTERNAL"), "\\LOG");
    EXPECT_EQ(GetPathLogfile(), "");
    inst.setCommandLine("/EXTERNAL Q4MCFG /LOGFILE d:\\logs\\cfg.txt");
    EXPECT_EQ(GetPathLogfile(), "D:\\LOGS\\CFG.TXT");
    EXPECT_TRUE(inst.boxes.asked.empty());
    EXPECT_FALSE(programState().failureReported);
}

TEST(CommandLine, ReplaceSearchItemReplacesTheFirstOccurrenceOnly) {
    TestInstallation inst;
    EXPECT_EQ(ReplaceSearchItem("A.###Machine.b.###machine", "###MACHINE", "M1"),
              "A.M1.b.###machine");
    EXPECT_EQ(ReplaceSearchItem("Keep Case", "xyz", "q"), "Keep Case");
    EXPECT_EQ(ReplaceSearchItem("text", "", "R"), "Rtext");
    EXPECT_EQ(ReplaceSearchItem("Ölstand ÖL", "öl", "Wasser"), "Wasserstand ÖL");
}
