// The INI layer: the profile functions on the case files of tests/data (every
// read and every edit of the table), and the program's INI operations above
// them: reports, booleans, 16-bit integers and files that cannot be replaced.
// Written values are the function files' tests' (FunctionFilesTest).

#include "ini/IniDocument.h"
#include "ini/ProfileFiles.h"
#include "run/ErrorProtocol.h"
#include "run/IniAccess.h"
#include "run/ProgramState.h"

#include "TestData.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace ini;
using namespace run;
namespace fs = std::filesystem;
using testsupport::TestInstallation;

TEST(IniCases, EveryFileReadsAsTheTableSaysAndParsesBackToItsBytes) {
    testsupport::TestInstallation inst; // clears the profile cache before and after
    for (const testsupport::IniRead& read : testsupport::iniReads()) {
        const std::string file = testsupport::iniCaseFile(read.file).string();
        SCOPED_TRACE(read.file + " [" + read.section + "] " + read.key);
        EXPECT_EQ(profileReadString(read.section, read.key, "default   ", read.size, file),
                  read.text);
        EXPECT_EQ(profileReadInt(read.section, read.key, -1, file), read.number);
    }
    for (const auto& entry : fs::directory_iterator(testsupport::iniCaseFile(""))) {
        const std::string bytes = testsupport::readFile(entry.path());
        EXPECT_EQ(IniDocument::parse(bytes).bytes(), bytes) << entry.path();
    }
}

// Each file's edits are made twice: through the profile functions on a copy
// of the file, which cache what a fresh read of it gives, and on one document
// in memory, as the writer of the stored file edits it.
TEST(IniCases, EveryEditLeavesTheBytesTheTableSays) {
    testsupport::TestInstallation inst;
    std::map<std::string, IniDocument> documents;
    for (const testsupport::IniEdit& edit : testsupport::iniEdits()) {
        SCOPED_TRACE(edit.file + " [" + edit.section + "] " + edit.key);
        const std::string copy = inst.path(edit.file);
        if (!documents.contains(edit.file) && fs::exists(testsupport::iniCaseFile(edit.file)))
            fs::copy_file(testsupport::iniCaseFile(edit.file), copy);
        const std::string before = inst.read(edit.file);
        IniDocument& document =
            documents.try_emplace(edit.file, IniDocument::parse(before)).first->second;
        EXPECT_EQ(profileWriteString(edit.section, edit.key, edit.text, copy),
                  edit.after.has_value());
        EXPECT_EQ(inst.read(edit.file), edit.after.value_or(before));
        EXPECT_EQ(loadIniDocument(copy), IniDocument::parse(inst.read(edit.file)));
        document.set(edit.section, edit.key, edit.text);
        EXPECT_EQ(document.bytes(), edit.after.value_or(before)) << "edited in memory";
    }
}

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

TEST_F(IniAccess, InASteadyPeriodAFileIsReadOnceButTheRunsOwnWritesAreSeen) {
    {
        ProfileCache::Steady steady(program.profiles);
        EXPECT_EQ(LoadIniString(program, "s", "k", file), "") << "missing";
        EXPECT_EQ(SaveIni(program, std::string("1"), "s", "k", file), 1);
        EXPECT_EQ(LoadIniString(program, "s", "k", file), "1");
        inst.write("test.ini", "[s]\r\nk=22\r\n");
        EXPECT_EQ(LoadIniString(program, "s", "k", file), "1") << "taken as read";
    }
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "22");
}
