// Start modes and keyword values read from the command line.

#include "framework/CommandLine.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

using namespace framework;
using testsupport::TestInstallation;

TEST(CommandLine, StartModesFollowTheExternalKeyword) {
    struct Case {
        const char* commandLine;
        bool integrated, silent;
    };
    for (const auto& [line, integrated, silent] :
         {Case{"", false, false}, Case{"/external q4mcfg", true, false},
          Case{"/EXTERNAL=SILENT", false, true}, Case{"/EXTERNAL  SILENT /LOGFILE x", false, true},
          Case{"/EXTERNAL SILENTX", false, false}, Case{"/EXTERNAL", false, false}}) {
        TestInstallation inst;
        inst.setCommandLine(line);
        EXPECT_EQ(GetStartModeIntegrated(), integrated) << line;
        EXPECT_EQ(programState().SilentMode, silent) << line;
    }
}

TEST(CommandLine, ValuesAreUpperCasedAndEndAtTheNextSlash) {
    TestInstallation inst;
    EXPECT_EQ(ReadCommand("/EXTERNAL silent /LOGFILE c:\\Temp\\log.txt", "LOGFILE"),
              "C:\\TEMP\\LOG.TXT");
    EXPECT_EQ(ReadCommand("/LOGFILE /tmp/log.txt", "LOGFILE"), "");
    EXPECT_EQ(ReadCommand("/EXTERNAL SILENT", "LOGFILE"), std::nullopt);
    EXPECT_EQ(ReadCommand("/logfile", "LOGFILE"), "") << "a keyword at the end reads as empty";
    // The first occurrence counts, even inside a folder name.
    EXPECT_EQ(ReadCommand("/LOGFILE d:\\EXTERNALS\\log /EXTERNAL SILENT", "EXTERNAL"), "\\LOG");
    inst.setCommandLine("/EXTERNAL Q4MCFG /LOGFILE d:\\logs\\cfg.txt");
    EXPECT_EQ(GetPathLogfile(), "D:\\LOGS\\CFG.TXT");
}
