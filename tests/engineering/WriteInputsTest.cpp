#include "FunctionFilesFixture.h"

#include "engineering/FunctionSection.h"

#include "framework/EditInfo.h"
#include "framework/IniAccess.h"
#include "framework/IniDocument.h"
#include "framework/ProfileFiles.h"

#include <filesystem>

namespace enginetest {
namespace {

using engineering::EngineeringFunction;
using engineering::FunctionLists;
using framework::IniDocument;

EngineeringFunction edited(int key, std::string exe, bool enabled = true) {
    EngineeringFunction f;
    f.PEnabled = enabled;
    f.PWhereICome = "EngineeringPicture";
    f.PExeFunction = std::move(exe);
    f.PSymbolName = "Engineering\\Tank_800.gif";
    f.PSpecialKey = std::int16_t(key);
    f.PDescription = "Engineering." + std::to_string(key);
    f.PEndMode = 18;
    return f;
}

class WriteInputsTest : public FunctionFilesTest {
protected:
    IniDocument document(std::string_view relative) {
        return IniDocument::parse(install.read(relative));
    }
    std::string value(std::string_view relative, std::string_view section, std::string_view key) {
        return document(relative).value(section, key).value_or("<missing>");
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(install.componentFolder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(WriteInputsTest, StoredFileGetsOneSectionPerProgramAndRetiresTheRest) {
    std::string old;
    for (int n = 1; n <= 5; ++n)
        old += function("Function" + std::to_string(n), 20 + n, "old.exe", "Engineering\\Fan.gif",
                        "true", "EngineeringPicture");
    install.write(kInt, old);
    FunctionLists lists = read();
    ASSERT_EQ(lists.StoredCount, 5);
    lists = FunctionLists{};
    lists.StoredCount = 5;
    lists.button(3) = edited(3, "C:\\Tools\\three.exe");
    lists.button(7) = edited(7, "notepad.exe", false);
    lists.button(12) = edited(12, "http://localhost/help.html");
    lists.button(20) = edited(20, ""); // no program: not stored

    engineering::WriteInputs(lists);

    EXPECT_EQ(value(kInt, "Function1", "SpecialKey"), "3");
    EXPECT_EQ(value(kInt, "Function2", "SpecialKey"), "7");
    EXPECT_EQ(value(kInt, "Function2", "Enabled"), "false");
    EXPECT_EQ(value(kInt, "Function3", "SpecialKey"), "12");
    EXPECT_EQ(value(kInt, "Function3", "SymbolName"), "Engineering\\Tank.gif");
    EXPECT_EQ(value(kInt, "Function4", "WhereICome"), "");
    EXPECT_EQ(value(kInt, "Function4", "SpecialKey"), "24");
    EXPECT_EQ(value(kInt, "Function5", "WhereICome"), "");

    // The disabled function is stored but missing from the run-time file.
    const IniDocument cfg = document(kCfg);
    EXPECT_EQ(cfg.value("Function1", "SpecialKey"), "3");
    EXPECT_EQ(cfg.value("Function2", "SpecialKey"), "12");
    EXPECT_EQ(cfg.value("Function3", "SpecialKey"), "20");
    EXPECT_FALSE(cfg.hasSection("Function4"));
    EXPECT_EQ(cfg.value("Info", "S_Prog"), framework::programStamp(false));
    EXPECT_EQ(cfg.value("Project", "ValidMachines"), "ALL");

    // Read back: the stored file now decides buttons 3, 7 and 12.
    const FunctionLists back = read();
    EXPECT_EQ(back.StoredCount, 3);
    EXPECT_EQ(back.button(7).PExeFunction, "notepad.exe");
    EXPECT_EQ(back.button(3).PSymbolName, "Engineering\\Tank_800.gif");
}

TEST_F(WriteInputsTest, StoredFileBytesAreThoseOfSingleKeyWrites) {
    const std::string old =
        "; kept\r\n" +
        function("Function1", 4, "a.exe", "Engineering\\Fan.gif", "true", "EngineeringPicture") +
        "Extra=kept\r\n\r\n" +
        function("Function2", 9, "b.exe", "Engineering\\Oil.gif", "true", "EngineeringPicture");
    install.write(kInt, old);
    install.write("copy.int", old);
    FunctionLists lists = read();
    lists.button(4).PExeFunction = "C:\\Tools\\new.exe";
    lists.button(9) = EngineeringFunction{};
    lists.button(30) = edited(30, "calc.exe");

    engineering::WriteInputs(lists);

    const std::string copy = install.path("copy.int");
    using framework::SaveIni;
    for (int i = 1; i <= 2; ++i)
        SaveIni(std::string(), "Function" + std::to_string(i), "WhereICome", copy);
    int k = 0;
    for (int i = 1; i <= 48; ++i) {
        const EngineeringFunction& f = lists.button(i);
        if (f.PExeFunction.empty())
            continue;
        const std::string s = "Function" + std::to_string(++k);
        SaveIni(f.PEnabled, s, "Enabled", copy);
        SaveIni(std::string("EngineeringPicture"), s, "WhereICome", copy);
        SaveIni(f.PExeFunction, s, "ExeFunction", copy);
        SaveIni(f.PSymbolName.substr(0, f.PSymbolName.size() - 8) + ".gif", s, "SymbolName", copy);
        SaveIni(f.PSpecialKey, s, "SpecialKey", copy);
        SaveIni(f.PDescription, s, "Description", copy);
        SaveIni(f.PPosMode, s, "PosMode", copy);
        SaveIni(f.PPosLeft, s, "PosLeft", copy);
        SaveIni(f.PPosTop, s, "PosTop", copy);
        SaveIni(f.PPosWidth, s, "PosWidth", copy);
        SaveIni(f.PPosHeight, s, "PosHeight", copy);
        SaveIni(f.PRemoteDeskTop, s, "RemoteDeskTop", copy);
        SaveIni(f.PWaitBeforeLogin, s, "WaitBeforeLogin", copy);
        SaveIni(f.PLoginKey, s, "LoginKey", copy);
        SaveIni(f.PWindowName, s, "WindowName", copy);
        SaveIni(f.PWindowName2, s, "WindowName2", copy);
        SaveIni(f.PEndTime, s, "EndTime", copy);
        SaveIni(f.PEndMode, s, "EndMode", copy);
        SaveIni(f.PEndWhenExitWindow, s, "EndWhenExitWindow", copy);
    }
    EXPECT_EQ(install.read(kInt), install.read("copy.int"));
}

TEST_F(WriteInputsTest, UpperCaseGifNameIsWrittenBackInBaseForm) {
    install.write(kDat, function("All_Function_1", 1, "a.exe", "PUMP.GIF") +
                            function("All_Function_2", 2, "b.exe", "Engineering\\Valve.bmp"));
    engineering::WriteInputs(read());
    EXPECT_EQ(value(kInt, "Function1", "SymbolName"), "PUMP.gif");
    EXPECT_EQ(value(kInt, "Function2", "SymbolName"), "Engineering\\Valve.bmp");
    EXPECT_EQ(value(kCfg, "Function2", "SymbolName"), "Engineering\\Valve.bmp");
}

TEST_F(WriteInputsTest, MissingSymbolNameIsToldAndItsStaleKeyRemoved) {
    install.write(kInt, function("Function1", 4, "a.exe", "Engineering\\Fan.gif", "true",
                                 "EngineeringPicture"));
    FunctionLists lists = read();
    lists.button(4).PSymbolName.clear();

    engineering::WriteInputs(lists);

    EXPECT_EQ(value(kInt, "Function1", "SymbolName"), "<missing>");
    EXPECT_EQ(value(kInt, "Function1", "ExeFunction"), "a.exe");
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text, "Key 4 no symbol name");
    EXPECT_EQ(install.boxes.asked[0].title, "Engineering_Config");
    EXPECT_EQ(install.boxes.asked[0].icon, framework::MessageIcon::None);
    EXPECT_FALSE(install.boxes.asked[0].question);
}

TEST_F(WriteInputsTest, SilentRunLogsTheMissingSymbolName) {
    silent();
    FunctionLists lists;
    lists.button(6) = edited(6, "a.exe");
    lists.button(6).PSymbolName.clear();
    engineering::WriteInputs(lists);
    EXPECT_TRUE(install.boxes.asked.empty());
    EXPECT_EQ(faultLog(), "! Fault Engineering_Config: Key 6 no symbol name\r\n");
}

TEST_F(WriteInputsTest, MoreSectionsLocallyThanReadAreRetiredToo) {
    // An integrated run read two sections from the save-and-restore folder,
    // but the local file beside the .cfg holds five.
    std::string local;
    for (int n = 1; n <= 5; ++n)
        local += function("Function" + std::to_string(n), 40 + n, "old.exe", "Engineering\\Oil.gif",
                          "true", "EngineeringPicture");
    install.write(kInt, local);
    FunctionLists lists;
    lists.StoredCount = 2;
    for (const int key : {1, 2, 3})
        lists.button(key) = edited(key, "x.exe");

    engineering::WriteInputs(lists);

    EXPECT_EQ(value(kInt, "Function4", "WhereICome"), "");
    EXPECT_EQ(value(kInt, "Function5", "WhereICome"), "EngineeringPicture");
    const FunctionLists back = read();
    EXPECT_EQ(back.StoredCount, 3);
    EXPECT_TRUE(back.button(44).PExeFunction.empty());
}

TEST_F(WriteInputsTest, ManyEnabledButtonsSurviveTwoRuns) {
    install.write(kCfg, "[Project]\r\nValidMachines=ALL\r\n\r\n"
                        "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n"
                        "WindowName=Tool [Bearbeitung]\r\n\r\n"
                        "[Info]\r\nS_Prog=0.0.0 - Standalone\r\nS_Editor=\r\n");
    FunctionLists lists;
    for (int key = 1; key <= 30; ++key)
        lists.button(key) = edited(key, "tool" + std::to_string(key) + ".exe");
    engineering::WriteInputs(lists);
    const std::string first = install.read(kCfg);
    engineering::WriteInputs(read());
    EXPECT_EQ(install.read(kCfg), first);

    const IniDocument cfg = document(kCfg);
    EXPECT_EQ(cfg.value("Function1", "WindowName"), "Tool [Bearbeitung]");
    EXPECT_EQ(cfg.value("Function31", "SpecialKey"), "30");
    EXPECT_EQ(cfg.value("Info", "S_Editor"),
              framework::editorMark(framework::firstEnvironmentEntry()));
    // The stamp stays in its place before the function sections.
    EXPECT_LT(first.find("[Info]"), first.find("[Function1]"));

    const FunctionLists back = read();
    EXPECT_EQ(back.StoredCount, 30);
    for (int key = 1; key <= 30; ++key)
        EXPECT_EQ(back.button(key).PExeFunction, "tool" + std::to_string(key) + ".exe");
}

TEST_F(WriteInputsTest, UnwritableStoredFileKeepsItsContentAndIsReported) {
    silent();
    const std::string old = function("Function1", 2, "a.exe");
    install.write(kInt, old);
    std::filesystem::permissions(install.path(kInt), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read);
    FunctionLists lists = read();
    lists.button(2).PExeFunction = "b.exe";

    engineering::WriteInputs(lists);

    EXPECT_EQ(install.read(kInt), old);
    EXPECT_NE(errorLog().find("/ WriteInputs (Nr. 75)"), std::string::npos);
    // The run-time file is written all the same; no backup or temporary file is left.
    EXPECT_EQ(value(kCfg, "Function1", "ExeFunction"), "b.exe");
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Engineering.cfg", "Engineering.int"}));
}

TEST_F(WriteInputsTest, UnwritableCfgKeepsItsContentWithoutStamp) {
    silent();
    const std::string old = install.read(kCfg);
    std::filesystem::permissions(install.path(kCfg), std::filesystem::perms::owner_read);
    FunctionLists lists;
    lists.button(1) = edited(1, "a.exe");
    engineering::WriteInputs(lists);
    EXPECT_EQ(install.read(kCfg), old);
    EXPECT_EQ(value(kInt, "Function1", "ExeFunction"), "a.exe");
    EXPECT_FALSE(install.exists("Engineering/Engineering.bak"));
}

} // namespace
} // namespace enginetest
