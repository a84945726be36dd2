#include "engineering/RuntimeConfiguration.h"

#include "framework/IniDocument.h"

#include <gtest/gtest.h>

namespace {

using engineering::EngineeringFunction;
using engineering::rebuildRuntimeConfiguration;
using Buttons = std::array<EngineeringFunction, engineering::kButtonCount>;

EngineeringFunction button(int key, bool enabled = true) {
    EngineeringFunction f;
    f.PEnabled = enabled;
    f.PWhereICome = "EngineeringPicture";
    f.PExeFunction = "C:\\Tools\\tool" + std::to_string(key) + ".exe";
    f.PSymbolName = "Engineering\\Pump_800.gif";
    f.PSpecialKey = std::int16_t(key);
    f.PDescription = "Engineering." + std::to_string(key);
    f.PPosMode = 1;
    f.PWindowName = "*Tool*";
    f.PEndTime = 3;
    f.PEndMode = 18;
    return f;
}

Buttons buttons(std::initializer_list<int> enabled) {
    Buttons all{};
    for (const int key : enabled)
        all[std::size_t(key - 1)] = button(key);
    return all;
}

const std::string kButton1Body =
    "WhereICome=EngineeringPicture\r\n"
    "ExeFunction=C:\\Tools\\tool1.exe\r\n"
    "SymbolName=Engineering\\Pump.gif\r\n"
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
    const std::string rebuilt = rebuildRuntimeConfiguration(old, buttons({1}));
    EXPECT_EQ(rebuilt, expected);
    // Rebuilding again changes nothing.
    EXPECT_EQ(rebuildRuntimeConfiguration(rebuilt, buttons({1})), expected);
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

TEST(RuntimeConfiguration, ManyLongSectionsAreAllRebuilt) {
    std::string old = "[Function1]\r\nSpecialKey=70\r\n";
    for (int n = 0; n < 150; ++n)
        old += "Line" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    Buttons all{};
    for (int key = 1; key <= 48; ++key)
        all[std::size_t(key - 1)] = button(key, key % 4 != 0);
    const auto document = framework::IniDocument::parse(rebuildRuntimeConfiguration(old, all));
    EXPECT_EQ(document.value("Function1", "Line149"), "149");
    EXPECT_EQ(document.value("Function2", "SpecialKey"), "1");
    EXPECT_EQ(document.value("Function37", "SpecialKey"), "47");
    EXPECT_FALSE(document.hasSection("Function38"));
}

TEST(RuntimeConfiguration, SymbolNamesAreWrittenInTheirStoredForm) {
    EngineeringFunction f = button(5);
    f.PSymbolName = "ENGINEERING\\PUMP_800.GIF";
    EXPECT_NE(
        engineering::runtimeFunctionSection(1, f).find("SymbolName=ENGINEERING\\PUMP.gif\r\n"),
        std::string::npos);
    f.PSymbolName = "Oil.bmp";
    EXPECT_NE(engineering::runtimeFunctionSection(1, f).find("SymbolName=Oil.bmp\r\n"),
              std::string::npos);
    f.PSymbolName.clear();
    EXPECT_EQ(engineering::runtimeFunctionSection(1, f).find("SymbolName"), std::string::npos);
}

} // namespace
