#include "FunctionFilesFixture.h"

#include "engineering/RuntimeConfiguration.h"

namespace {

using engineering::EngineeringFunction;
using engineering::rebuildRuntimeConfiguration;
using Buttons = std::array<EngineeringFunction, engineering::kButtonCount>;

Buttons onlyButton1() {
    Buttons all{};
    all[0] = enginetest::edited(1, "C:\\Tools\\tool1.exe");
    return all;
}

const std::string kButton1Body =
    "WhereICome=EngineeringPicture\r\n"
    "ExeFunction=C:\\Tools\\tool1.exe\r\n"
    "SymbolName=Engineering\\Tank.gif\r\n"
    "SpecialKey=1\r\n"
    "Description=Engineering.1\r\n"
    "PosMode=1\r\nPosLeft=0\r\nPosTop=0\r\nPosWidth=0\r\nPosHeight=0\r\n"
    "RemoteDeskTop=false\r\n"
    "WaitBeforeLogin=0\r\n"
    "LoginKey=\r\nWindowName=*Tool*\r\nWindowName2=\r\n"
    "EndTime=3\r\nEndMode=18\r\n"
    "EndWhenExitWindow=false\r\n";

TEST(RuntimeConfiguration, SpecialKeySectionsStayBeforeTheButtons) {
    const std::string old = "[Project]\r\nValidMachines=ALL\r\n\r\n"
                            "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n\r\n"
                            "[Function2]\r\nWhereICome=x\r\nSpecialKey=1\r\n\r\n"
                            "[Function3]\r\nWhereICome=x\r\nSpecialKey=2\r\n";
    const std::string expected = "[Project]\r\nValidMachines=ALL\r\n\r\n"
                                 "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n"
                                 "\r\n[Function2]\r\n" +
                                 kButton1Body;
    const std::string rebuilt = rebuildRuntimeConfiguration(old, onlyButton1());
    EXPECT_EQ(rebuilt, expected);
    // Rebuilding again changes nothing.
    EXPECT_EQ(rebuildRuntimeConfiguration(rebuilt, onlyButton1()), expected);
}

TEST(RuntimeConfiguration, KeyLinesHoldingBracketsStayWithTheirSection) {
    const std::string old = "[Project]\r\nX=1\r\n"
                            "[Function1]\r\nWhereICome=x\r\nSpecialKey=2\r\n"
                            "[Function2]\r\nWindowName=[Function9] SpecialKey=3\r\n"
                            "WindowName2=[Editor]\r\nSpecialKey=60\r\n";
    const std::string rebuilt = rebuildRuntimeConfiguration(old, Buttons{});
    EXPECT_EQ(rebuilt, "[Project]\r\nX=1\r\n"
                       "\r\n[Function1]\r\nWindowName=[Function9] SpecialKey=3\r\n"
                       "WindowName2=[Editor]\r\nSpecialKey=60\r\n");
}

TEST(RuntimeConfiguration, OtherContentIsKeptByteForByte) {
    const std::string other = "; comment line\n"
                              "[Project]  \r\n"
                              "  ValidMachines = ALL ; \r"
                              "broken [line\r\n"
                              "\t\r\n"
                              "[UserFunctions]\r\nFunction1=notepad.exe\r\n"
                              "[Info]\r\nS_Prog=old";
    const std::string old =
        other.substr(0, other.find("[UserFunctions]")) +
        "[function3]\r\nSpecialKey=2\r\n[FUNCTION7]\r\nspecialkey = \"61\"\r\n" +
        other.substr(other.find("[UserFunctions]"));
    const std::string rebuilt = rebuildRuntimeConfiguration(old, Buttons{});
    EXPECT_EQ(rebuilt, other + "\r\n\r\n[Function1]\r\nspecialkey = \"61\"\r\n");
}

} // namespace
