// The program's INI operations above the profile functions (IniCasesTest):
// reports, booleans, 16-bit integers, typed writes and files that cannot be
// read or replaced.

#include "framework/IniAccess.h"
#include "framework/ErrorProtocol.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"
#include "UnreadableFile.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace framework;
using testsupport::TestInstallation;

namespace {

class IniAccess : public ::testing::Test {
protected:
    TestInstallation inst;
    ProgramState& program = inst.program();
    std::string file = inst.path("test.ini");
};

} // namespace

TEST_F(IniAccess, MissingValuesAreReportedOnlyWhenAskedAndAStoredMinusOneCountsAsMissing) {
    inst.write("test.ini", "[s]\r\nempty=\r\nminus1=-1\r\nflag=1\r\n");
    EXPECT_EQ(LoadIniString(program, "t", "flag", file), "");
    EXPECT_EQ(LoadIniInteger(program, "s", "k", file), -1);
    EXPECT_TRUE(inst.boxes.asked.empty());
    EXPECT_EQ(LoadIniString(program, "s", "empty", file, true), "");
    EXPECT_EQ(LoadIniInteger(program, "s", "minus1", file, true), -1);
    ASSERT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_EQ(inst.boxes.asked[0].text,
              "File '" + file + "' or Section [s] or Entry 'empty' not found");
}

TEST_F(IniAccess, BooleansReadTrueOnlyForTrueAndIntegersOutside16BitsAreAnOverflow) {
    inst.write("test.ini", "[s]\r\na=true\r\nb=TRUE\r\nc=1\r\nd=-1\r\ne=False\r\n"
                           "big=32768\r\nsmall=-32769\r\nmax=32767\r\n");
    for (const auto& [key, value] :
         {std::pair("a", true), {"b", true}, {"c", false}, {"d", false}, {"e", false}})
        EXPECT_EQ(LoadIniBoolean(program, "s", key, file, true), value) << key;
    EXPECT_EQ(inst.boxes.asked.size(), 2u) << "1 and -1 are reported, false is not";

    EXPECT_EQ(LoadIniInteger(program, "s", "max", file), 32767);
    inst.boxes.answer(true); // resume
    EXPECT_EQ(LoadIniInteger(program, "s", "big", file), 0);
    EXPECT_NE(inst.errorLog().find("/ LoadIniInteger (Nr. 6) :Overflow\r\n"), std::string::npos);
    inst.boxes.answer(false); // end
    EXPECT_EQ(testsupport::endStatus([&] { LoadIniInteger(program, "s", "small", file); }),
              ExitEndedByFailure);
}

// Numbers and truth values are formatted as the function files show them
// (WriteInputsTest); a text keeps its blanks.
TEST_F(IniAccess, SaveIniReportsWhatItCannotWrite) {
    SaveIni(program, std::string("  Ölpumpe  "), "s", "text", file);
    const std::string expected = "[s]\r\ntext=  \xD6lpumpe  \r\n";
    EXPECT_EQ(inst.read("test.ini"), expected);
    EXPECT_EQ(SaveIni(program, IniEmpty{}, "s", "text", file), 0);
    EXPECT_EQ(SaveIni(program, IniNull{}, "s", "text", file), 0);
    for (const auto& [section, key] : {std::pair("s", "k"), {"s", "[b"}, {"a]b", "k"}})
        EXPECT_EQ(SaveIni(program, std::string("a\r\nb=c"), section, key, file), 0) << key;
    EXPECT_EQ(inst.read("test.ini"), expected);
    std::vector<std::string> reasons;
    for (const auto& box : inst.boxes.asked)
        reasons.push_back(box.text);
    EXPECT_EQ(reasons,
              (std::vector<std::string>{"Ini Save:  wrong data type", "Ini Save:  wrong data type",
                                        "Ini Save:  the value of [s] k holds a line break",
                                        "Ini Save:  invalid key in section [s]",
                                        "Ini Save:  invalid section name"}));
}

TEST_F(IniAccess, AFileThatCannotBeReadReadsEmptyAndIsNeverWritten) {
    for (const auto kind : testsupport::kUnreadableKinds) {
        const auto name = testsupport::unreadableName(kind);
        const std::string path = inst.path(std::string(name) + ".ini");
        if (!testsupport::makeUnreadable(path, kind))
            continue; // no read permission cannot stop root
        EXPECT_EQ(LoadIniString(program, "s", "k", path), "") << name;
        EXPECT_EQ(SaveIni(program, std::string("v"), "s", "k", path), 0) << name;
        EXPECT_FALSE(storeIniDocument(path, IniDocument::parse("[s]\r\nk=v\r\n"))) << name;
        EXPECT_TRUE(testsupport::isUnchangedUnreadable(path, kind)) << name;
        ASSERT_FALSE(inst.boxes.asked.empty()) << name;
        EXPECT_EQ(inst.boxes.asked.back().text,
                  "Ini Save:  '" + path + "' cannot be read and is left as it is");
    }
}

TEST_F(IniAccess, WritesFailWhereTheFileCannotBeReplacedAndChangesBehindTheCacheAreSeen) {
    EXPECT_EQ(SaveIni(program, std::string("v"), "s", "k", inst.path("missing/test.ini")), 0);
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "1");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(SaveIni(program, std::string("1"), "s", "k", file), 0)
        << "also when nothing would change";
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    inst.write("test.ini", "[s]\r\nk=22\r\n"); // another size: another program wrote it
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "22");
    std::filesystem::remove(file);
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "");
}
