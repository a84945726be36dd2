// The edit-info stamp in section "Info" of the .cfg file.

#include "framework/EditInfo.h"
#include "framework/Version.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(EditInfo, EditorMarkEncodesTheFirstEnvironmentValue) {
    EXPECT_EQ(editorMark("X=a-b_c"), "666768");
    EXPECT_EQ(editorMark("X="), "");
    EXPECT_EQ(editorMark("noequals"), "73746A767A667178");
    EXPECT_EQ(editorMark("=C:=C:\\"), "483F42483F61") << "only the first = separates";
    EXPECT_EQ(editorMark("X=\xC3\xA4"), "E9") << "ä is 0xE4 in the file's code page";
}

// An existing stamp is renewed in its place; a missing Info section is added.
TEST(EditInfo, StampsVersionModeAndEditorIntoTheCfgDocument) {
    testsupport::TestInstallation inst;
    const std::string version = std::to_string(kVersionMajor) + "." +
                                std::to_string(kVersionMinor) + "." +
                                std::to_string(kVersionRevision);
    const std::string mark = editorMark(firstEnvironmentEntry());
    struct Case {
        const char* old;
        const char* commandLine;
        std::string stamped;
    };
    for (const auto& [old, commandLine, stamped] :
         {Case{"[Project]\r\nValidMachines=ALL\r\n", "",
               "[Project]\r\nValidMachines=ALL\r\n[Info]\r\nS_Prog=" + version +
                   " - Standalone\r\nS_Editor=" + mark + "\r\n"},
          Case{"[Info]\r\nS_Editor=old\r\nS_Prog=old\r\n\r\n[Project]\r\n", "/EXTERNAL Q4MCFG",
               "[Info]\r\nS_Editor=" + mark + "\r\nS_Prog=" + version +
                   " - Integrated\r\n\r\n[Project]\r\n"}}) {
        IniDocument cfg = IniDocument::parse(old);
        WriteEditInfo(inst.restart(commandLine), cfg);
        EXPECT_EQ(cfg.bytes(), stamped) << old;
    }
}
