#include "FunctionFilesFixture.h"

#include "engineering/FunctionFields.h"
#include "engineering/StoredFunctionFile.h"

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

class WriteInputsTest : public FunctionFilesTest {
protected:
    IniDocument document(std::string_view relative) {
        return IniDocument::parse(install.read(relative));
    }
    std::string value(std::string_view relative, std::string_view section, std::string_view key) {
        return document(relative).value(section, key).value_or("<missing>");
    }
};

TEST_F(WriteInputsTest, StoredFileHoldsEveryProgramRunTimeFileEveryEnabledButton) {
    install.write(kCfg, "[Project]\r\nValidMachines=ALL\r\n\r\n"
                        "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n\r\n"
                        "[Info]\r\nS_Prog=0.0.0 - Standalone\r\nS_Editor=\r\n");
    FunctionLists lists;
    for (int key = 1; key <= 30; ++key)
        lists.button(key) = edited(key, "tool" + std::to_string(key) + ".exe", key != 7);
    engineering::WriteInputs(program(), lists);

    // The disabled button is stored but has no run-time section.
    EXPECT_EQ(value(kInt, "Function7", "Enabled"), "false");
    const IniDocument cfg = document(kCfg);
    EXPECT_EQ(cfg.value("Function1", "SpecialKey"), "52");
    EXPECT_EQ(cfg.value("Function7", "SpecialKey"), "6");
    EXPECT_EQ(cfg.value("Function8", "SpecialKey"), "8");
    EXPECT_EQ(cfg.value("Function30", "SpecialKey"), "30");
    EXPECT_FALSE(cfg.hasSection("Function31"));
    // The stamp is renewed in its place before the function sections.
    EXPECT_EQ(cfg.value("Info", "S_Prog"), framework::programStamp(false));
    EXPECT_LT(install.read(kCfg).find("[Info]"), install.read(kCfg).find("[Function1]"));

    const FunctionLists back = read();
    EXPECT_EQ(back.StoredCount, 30);
    for (int key = 1; key <= 30; ++key)
        EXPECT_EQ(back.button(key).PExeFunction, "tool" + std::to_string(key) + ".exe");
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
        const FunctionLists back = read();
        EXPECT_EQ(back.StoredCount, 3);
        EXPECT_TRUE(back.button(44).PExeFunction.empty());
    }
}

TEST_F(WriteInputsTest, StoredFileBytesAreThoseOfSingleKeyWrites) {
    const std::string old =
        "; kept\r\n" +
        function("Function1", 4, "a.exe", "Engineering\\Fan.gif", true, "EngineeringPicture") +
        "Extra=kept\r\n\r\n" +
        function("Function2", 9, "b.exe", "Engineering\\Oil.gif", true, "EngineeringPicture");
    install.write(kInt, old);
    install.write("copy.int", old);
    FunctionLists lists = read();
    lists.button(4).PExeFunction = "C:\\Tools\\new.exe";
    lists.button(9) = EngineeringFunction{};
    lists.button(30) = edited(30, "calc.exe");

    engineering::WriteInputs(program(), lists);

    const std::string copy = install.path("copy.int");
    using framework::SaveIni;
    for (int i = 1; i <= 2; ++i)
        SaveIni(program(), std::string(), "Function" + std::to_string(i), "WhereICome", copy);
    int k = 0;
    for (int i = 1; i <= 48; ++i) {
        const EngineeringFunction& f = lists.button(i);
        if (f.PExeFunction.empty())
            continue;
        const std::string s = "Function" + std::to_string(++k);
        for (const std::string_view key : engineering::kStoredFunctionKeys) {
            framework::IniValue value = engineering::fieldValue(f, engineering::functionField(key));
            if (key == "WhereICome")
                value = std::string("EngineeringPicture");
            if (key == "SymbolName")
                value = f.PSymbolName.substr(0, f.PSymbolName.size() - 8) + ".gif";
            SaveIni(program(), value, s, key, copy);
        }
    }
    EXPECT_EQ(install.read(kInt), install.read("copy.int"));
}

TEST_F(WriteInputsTest, OnlyGifNamesTakeThe800FormAndGoBackToTheirBaseForm) {
    install.write(kDat, function("All_Function_1", 1, "a.exe", "PUMP.GIF") +
                            function("All_Function_2", 2, "b.exe", "Engineering\\Valve.bmp") +
                            function("All_Function_3", 3, "c.exe", "Engineering\\x.gif.bak"));
    FunctionLists lists = read();
    EXPECT_EQ(lists.button(1).PSymbolName, "PUMP_800.gif");
    EXPECT_EQ(lists.button(2).PSymbolName, "Engineering\\Valve.bmp");
    EXPECT_EQ(lists.button(3).PSymbolName, "Engineering\\x.gif.bak");
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

    // A silent run puts the message in the fault log instead.
    silent();
    engineering::WriteInputs(program(), lists);
    EXPECT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.faultLog(), "! Fault Engineering_Config: Key 4 no symbol name\r\n");
}

// A function file that can no longer be read ends the run before either file
// is written.
TEST_F(WriteInputsTest, AFileThatBecameUnreadableEndsTheRunBeforeAnythingIsWritten) {
    silent();
    FunctionLists lists = read();
    lists.button(1) = edited(1, "a.exe");
    const std::string cfg = install.read(kCfg);
    std::filesystem::create_directory(install.path(kInt));

    EXPECT_EQ(testsupport::endStatus([&] { engineering::WriteInputs(program(), lists); }),
              framework::ExitEndedByFailure);
    EXPECT_EQ(install.read(kCfg), cfg);
    EXPECT_TRUE(std::filesystem::is_directory(install.path(kInt)));
    EXPECT_NE(install.errorLog().find("(Nr. 75) :Cannot read " + install.path(kInt)),
              std::string::npos);
}

// Each file is replaced as a whole or not at all; the other one is written all
// the same, and no backup or temporary file is left behind.
TEST_F(WriteInputsTest, AFileThatCannotBeReplacedKeepsItsBytesAndIsReported) {
    silent();
    install.write(kInt, function("Function1", 2, "a.exe"));
    for (const auto& [readOnly, other] : {std::pair(kInt, kCfg), std::pair(kCfg, kInt)}) {
        SCOPED_TRACE(readOnly);
        const std::string old = install.read(readOnly);
        std::filesystem::permissions(install.path(readOnly), std::filesystem::perms::owner_read);
        FunctionLists lists = read();
        lists.button(2).PExeFunction = std::string(readOnly) + ".exe";

        engineering::WriteInputs(program(), lists);

        EXPECT_EQ(install.read(readOnly), old);
        EXPECT_EQ(value(other, "Function1", "ExeFunction"), lists.button(2).PExeFunction);
        EXPECT_NE(install.errorLog().find("/ WriteInputs (Nr. 75)"), std::string::npos);
        EXPECT_EQ(install.fileNames("Engineering"),
                  (std::vector<std::string>{"Engineering.cfg", "Engineering.int"}));
        std::filesystem::permissions(install.path(readOnly), std::filesystem::perms::owner_all);
        std::filesystem::remove(install.path("Q4Mcfglog.txt"));
    }
}

} // namespace
} // namespace enginetest
