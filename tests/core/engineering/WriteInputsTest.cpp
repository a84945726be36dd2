// The function files as a run writes them: the stored file holds every button
// with a program, the .cfg every enabled one, each field under its key.

#include "DialogTestData.h"
#include "FunctionFilesFixture.h"

#include "framework/EditInfo.h"
#include "framework/IniDocument.h"

namespace enginetest {
namespace {

using engineering::EngineeringFunction;
using engineering::FunctionLists;
using framework::IniDocument;

class WriteInputsTest : public FunctionFilesTest {
protected:
    std::string value(std::string_view file, std::string_view section, std::string_view key) {
        return IniDocument::parse(install.read(file)).value(section, key).value_or("<missing>");
    }
};

// Every field set to a value of its own, so that a field written under
// another's key, or read back into another's member, shows.
TEST_F(WriteInputsTest, EveryFieldIsWrittenUnderItsKeyAndReadBackIntoItsMember) {
    FunctionLists lists;
    lists.button(5) = dialogtest::sampleFunction();
    engineering::WriteInputs(program(), lists);

    const std::string fields =
        "ExeFunction=C:\\Tools\\run.bat\r\nSymbolName=Engineering\\S2.gif\r\nSpecialKey=5\r\n"
        "Description=Engineering.5\r\nPosMode=3\r\nPosLeft=-5\r\nPosTop=10\r\nPosWidth=640\r\n"
        "PosHeight=480\r\nRemoteDeskTop=true\r\nWaitBeforeLogin=1500\r\n"
        "LoginKey= user{TAB}pw{ENTER} \r\nWindowName=*Notepad*\r\n"
        "WindowName2=\xDC"
        "bersicht - Fenster\r\nEndTime=30\r\nEndMode=16\r\nEndWhenExitWindow=true\r\n";
    EXPECT_EQ(install.read(kInt),
              "[Function1]\r\nEnabled=true\r\nWhereICome=EngineeringPicture\r\n" + fields);
    EXPECT_TRUE(install.read(kCfg).ends_with(
        "\r\n\r\n[Function1]\r\nWhereICome=EngineeringPicture\r\n" + fields));
    EngineeringFunction expected = dialogtest::sampleFunction();
    expected.PWhereICome = "EngineeringPicture";
    expected.PLoginKey = "user{TAB}pw{ENTER}"; // a value read is trimmed
    EXPECT_EQ(read().button(5), expected);
}

TEST_F(WriteInputsTest, StoredFileHoldsEveryProgramTheCfgEveryEnabledButtonAfterSpecialKeys) {
    install.write(kCfg, "[Project]\r\nValidMachines=ALL\r\n\r\n"
                        "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n\r\n"
                        "[Info]\r\nS_Prog=0.0.0 - Standalone\r\nS_Editor=\r\n");
    FunctionLists lists;
    for (int key = 1; key <= 30; ++key)
        lists.button(key) = edited(key, "tool" + std::to_string(key) + ".exe", key != 7);
    engineering::WriteInputs(program(), lists);

    EXPECT_EQ(value(kInt, "Function7", "Enabled"), "false");
    const IniDocument cfg = IniDocument::parse(install.read(kCfg));
    EXPECT_EQ(cfg.value("Function1", "SpecialKey"), "52");
    EXPECT_EQ(cfg.value("Function7", "SpecialKey"), "6");
    EXPECT_EQ(cfg.value("Function8", "SpecialKey"), "8");
    EXPECT_FALSE(cfg.hasSection("Function31"));
    // The stamp is renewed in its place before the function sections.
    EXPECT_EQ(cfg.value("Info", "S_Prog"), framework::programStamp(false));
    EXPECT_LT(install.read(kCfg).find("[Info]"), install.read(kCfg).find("[Function1]"));

    const FunctionLists back = read();
    EXPECT_EQ(back.StoredCount, 30);
    EXPECT_EQ(back.button(30).PExeFunction, "tool30.exe");
    EXPECT_FALSE(back.button(7).PEnabled);
}

// The sections read at start and the one after the last written lose their
// WhereICome (their other keys stay), so the next read stops there. In an
// integrated run fewer sections may have been read than the local file holds.
TEST_F(WriteInputsTest, RetiredSectionsEndTheStoredFamily) {
    using Case = std::pair<int, std::string_view>; // sections read at start, Function5 after
    for (const auto& [readAtStart, function5] : {Case{5, ""}, Case{2, "EngineeringPicture"}}) {
        SCOPED_TRACE(readAtStart);
        std::string local;
        for (int n = 1; n <= 5; ++n)
            local += function("Function" + std::to_string(n), 40 + n, "old.exe",
                              "Engineering\\Oil.gif", true, "EngineeringPicture");
        install.write(kInt, local);
        FunctionLists lists;
        lists.StoredCount = std::int16_t(readAtStart);
        for (const int key : {1, 2, 3})
            lists.button(key) = edited(key, "x.exe");
        lists.button(4) = edited(4, ""); // no program: not stored

        engineering::WriteInputs(program(), lists);

        EXPECT_EQ(value(kInt, "Function4", "WhereICome"), "");
        EXPECT_EQ(value(kInt, "Function4", "SpecialKey"), "44");
        EXPECT_EQ(value(kInt, "Function5", "WhereICome"), function5);
        EXPECT_EQ(read().StoredCount, 3);
    }
}

TEST_F(WriteInputsTest, OnlyGifNamesTakeThe800FormAndGoBackToTheirBaseForm) {
    install.write(kDat, function("All_Function_1", 1, "a.exe", "PUMP.GIF") +
                            function("All_Function_2", 2, "b.exe", "Engineering\\Valve.bmp") +
                            function("All_Function_3", 3, "c.exe", "Engineering\\x.gif.bak"));
    FunctionLists lists = read();
    EXPECT_EQ(lists.button(1).PSymbolName, "PUMP_800.gif");
    EXPECT_EQ(lists.button(2).PSymbolName, "Engineering\\Valve.bmp");
    lists.button(4) = edited(4, "d.exe");
    lists.button(4).PSymbolName = "Engineering\\ALARM_800.GIF"; // as the symbol list has it

    engineering::WriteInputs(program(), lists);

    for (const std::string_view file : {kInt, kCfg}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(value(file, "Function1", "SymbolName"), "PUMP.gif");
        EXPECT_EQ(value(file, "Function2", "SymbolName"), "Engineering\\Valve.bmp");
        EXPECT_EQ(value(file, "Function3", "SymbolName"), "Engineering\\x.gif.bak");
        EXPECT_EQ(value(file, "Function4", "SymbolName"), "Engineering\\ALARM.gif");
    }
}

TEST_F(WriteInputsTest, MissingSymbolNameIsToldOrLoggedAndItsStaleKeyRemoved) {
    install.write(kInt, function("Function1", 4, "a.exe", "Engineering\\Fan.gif", true,
                                 "EngineeringPicture"));
    FunctionLists lists = read();
    lists.button(4).PSymbolName.clear();

    engineering::WriteInputs(program(), lists);

    EXPECT_EQ(value(kInt, "Function1", "SymbolName"), "<missing>");
    EXPECT_EQ(value(kInt, "Function1", "ExeFunction"), "a.exe");
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text, "Key 4 no symbol name");
    silent();
    engineering::WriteInputs(program(), lists);
    EXPECT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.faultLog(), "! Fault Engineering_Config: Key 4 no symbol name\r\n");
}

} // namespace
} // namespace enginetest
