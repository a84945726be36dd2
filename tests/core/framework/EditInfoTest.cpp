// The edit-info stamp in section "Info" of the .cfg file.

#include "framework/EditInfo.h"
#include "framework/Version.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(EditInfo, ProgramStampAndEditorMarkEncodeVersionModeAndTheFirstEnvironmentValue) {
    const std::string version = std::to_string(kVersionMajor) + "." +
                                std::to_string(kVersionMinor) + "." +
                                std::to_string(kVersionRevision);
    EXPECT_EQ(programStamp(true), version + " - Integrated");
    EXPECT_EQ(programStamp(false), version + " - Standalone");
    EXPECT_EQ(editorMark("X=a-b_c"), "666768");
    EXPECT_EQ(editorMark("X="), "");
    EXPECT_EQ(editorMark("noequals"), "73746A767A667178");
    EXPECT_EQ(editorMark("=C:=C:\\"), "483F42483F61") << "only the first = separates";
    EXPECT_EQ(editorMark("X=\xC3\xA4"), "E9") << "ä is 0xE4 in the file's code page";
}
