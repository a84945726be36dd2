// The program's INI operations on real files: defaults, limits, reports,
// integer rules and atomic, byte-keeping writes.

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
    std::string file = inst.path("test.ini");
};

} // namespace

TEST_F(IniAccess, MissingFileSectionOrKeyReadsAsNothing) {
    EXPECT_EQ(LoadIniString("s", "k", file), "");
    EXPECT_EQ(LoadIniInteger("s", "k", file), -1);
    EXPECT_FALSE(LoadIniBoolean("s", "k", file));
    inst.write("test.ini", "[s]\r\nother=1\r\n");
    EXPECT_EQ(LoadIniString("s", "k", file), "");
    EXPECT_EQ(LoadIniString("t", "other", file), "");
    EXPECT_TRUE(inst.boxes.asked.empty());
}

TEST_F(IniAccess, AFileThatExistsButCannotBeReadReadsEmptyAndIsNeverWritten) {
    for (const auto kind : testsupport::kUnreadableKinds) {
        const auto name = testsupport::unreadableName(kind);
        const std::string path = inst.path(std::string(name) + ".ini");
        if (!testsupport::makeUnreadable(path, kind))
            continue; // no read permission cannot stop root
        EXPECT_EQ(LoadIniString("s", "k", path), "") << name;
        EXPECT_EQ(LoadIniInteger("s", "k", path), -1) << name;
        EXPECT_EQ(SaveIni(std::string("v"), "s", "k", path), 0) << name;
        EXPECT_FALSE(profileWriteString("s", "k", std::nullopt, path)) << name;
        EXPECT_FALSE(storeIniDocument(path, IniDocument::parse("[s]\r\nk=v\r\n"))) << name;
        EXPECT_TRUE(testsupport::isUnchangedUnreadable(path, kind)) << name;
        ASSERT_FALSE(inst.boxes.asked.empty()) << name;
        EXPECT_EQ(inst.boxes.asked.back().text,
                  "Ini Save:  '" + path + "' cannot be read and is left as it is");
        inst.boxes.asked.clear();
    }
}

TEST_F(IniAccess, MissingValuesAreReportedOnlyWhenAsked) {
    inst.write("test.ini", "[s]\r\nempty=\r\nflag=1\r\n");
    EXPECT_EQ(LoadIniString("s", "empty", file, true), "");
    EXPECT_EQ(LoadIniBoolean("s", "flag", file, true), false);
    EXPECT_EQ(LoadIniInteger("s", "none", file, true), -1);
    ASSERT_EQ(inst.boxes.asked.size(), 3u);
    EXPECT_EQ(inst.boxes.asked[0].text,
              "File '" + file + "' or Section [s] or Entry 'empty' not found");
}

TEST_F(IniAccess, LongValuesAreCutAt254Characters) {
    const std::string value(300, 'x');
    inst.write("test.ini", "[s]\r\nk=" + value + "\r\n");
    EXPECT_EQ(LoadIniString("s", "k", file), value.substr(0, 254));
    // Umlauts are single characters in the file, whatever their size in memory.
    inst.write("test.ini", "[s]\r\nk=" + std::string(300, '\xE4') + "\r\n");
    EXPECT_EQ(LoadIniString("s", "k", file).size(), 254u * 2);
}

TEST_F(IniAccess, BooleansReadTrueOnlyForTrue) {
    inst.write("test.ini", "[s]\r\na=true\r\nb=True\r\nc=TRUE\r\nd=1\r\ne=-1\r\nf=false\r\n");
    for (const char* key : {"a", "b", "c"})
        EXPECT_TRUE(LoadIniBoolean("s", key, file, true)) << key;
    for (const char* key : {"d", "e", "f"})
        EXPECT_FALSE(LoadIniBoolean("s", key, file, true)) << key;
    EXPECT_EQ(inst.boxes.asked.size(), 2u) << "1 and -1 are reported, false is not";
}

TEST_F(IniAccess, IntegersFollowTheProfileRules) {
    // Key n holds the text of case n.
    const std::pair<std::string, int> cases[] = {
        {"42", 42},    {" -17 ", -17},  {"+5", 5},     {"12abc", 12},
        {"abc", 0},    {"", -1},        {"\"7\"", 7},  {"4294967295", -1},
        {"\" 8\"", 8}, {"'\t-3 '", -3}, {"\"  \"", 0}, {"\"+ 1\"", 0}};
    std::string ini = "[s]\r\n";
    for (std::size_t n = 0; n < std::size(cases); ++n)
        ini += std::to_string(n) + "=" + cases[n].first + "\r\n";
    inst.write("test.ini", ini + "minus1=-1\r\n");
    for (std::size_t n = 0; n < std::size(cases); ++n)
        EXPECT_EQ(LoadIniInteger("s", std::to_string(n), file), cases[n].second) << cases[n].first;
    EXPECT_EQ(LoadIniInteger("s", "minus1", file, true), -1);
    ASSERT_EQ(inst.boxes.asked.size(), 1u) << "a stored -1 is reported as missing";
    EXPECT_EQ(profileReadInt("s", "7", 0, file), -1);
    EXPECT_EQ(leadingProfileInteger("4294967296"), 0);
    EXPECT_EQ(leadingProfileInteger("-"), 0);
}

TEST_F(IniAccess, IntegersOutside16BitsAreAnOverflowFailure) {
    inst.write("test.ini", "[s]\r\nbig=32768\r\nsmall=-32769\r\nmax=32767\r\n");
    EXPECT_EQ(LoadIniInteger("s", "max", file), 32767);
    inst.boxes.answer(true); // resume
    EXPECT_EQ(LoadIniInteger("s", "big", file), 0);
    EXPECT_NE(inst.errorLog().find("/ LoadIniInteger (Nr. 6) :Overflow\r\n"), std::string::npos);
    inst.boxes.answer(false); // end
    EXPECT_EQ(testsupport::endStatus([&] { LoadIniInteger("s", "small", file); }),
              ExitEndedByFailure);
}

TEST_F(IniAccess, SaveIniFormatsByTypeAndReportsAValueOfNoType) {
    SaveIni(std::int16_t(5), "s", "int16", file);
    SaveIni(std::int32_t(-70000), "s", "int32", file);
    SaveIni(std::uint8_t(200), "s", "byte", file);
    SaveIni(std::string("  padded  "), "s", "text", file);
    SaveIni(true, "s", "yes", file);
    SaveIni(false, "s", "no", file);
    SaveIni(2.5, "s", "double", file);
    SaveIni(0.1f, "s", "single", file);
    const std::string sep(1, localeDecimalSeparator());
    EXPECT_EQ(inst.read("test.ini"), "[s]\r\nint16=5\r\nint32=-70000\r\nbyte=200\r\n"
                                     "text=  padded  \r\nyes=true\r\nno=false\r\n"
                                     "double=2" +
                                         sep + "5\r\nsingle=0" + sep + "1\r\n");
    EXPECT_EQ(LoadIniString("s", "text", file), "padded");
    EXPECT_TRUE(LoadIniBoolean("s", "yes", file));
    // A value of no type it writes is reported and keeps the entry.
    const std::string before = inst.read("test.ini");
    EXPECT_EQ(SaveIni(IniEmpty{}, "s", "text", file), 0);
    EXPECT_EQ(SaveIni(IniNull{}, "s", "text", file), 0);
    EXPECT_EQ(inst.read("test.ini"), before);
    ASSERT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_EQ(inst.boxes.asked[0].text, "Ini Save:  wrong data type");
}

TEST_F(IniAccess, RefusedWritesAreReportedAndLeaveFileAndCacheInAgreement) {
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    const std::pair<std::string, std::string> cases[] = {
        {"k", "a\r\nb=c"}, {"[b", "c]"}, {"b=c", "1"}, {"", "1"}};
    for (const auto& [key, text] : cases) {
        EXPECT_EQ(SaveIni(text, "s", key, file), 0) << key;
        EXPECT_EQ(inst.read("test.ini"), "[s]\r\nk=1\r\n") << key;
    }
    ASSERT_EQ(inst.boxes.asked.size(), std::size(cases));
    EXPECT_EQ(inst.boxes.asked[0].text, "Ini Save:  the value of [s] k holds a line break");
    EXPECT_EQ(inst.boxes.asked[1].text, "Ini Save:  invalid key in section [s]");
    EXPECT_EQ(SaveIni(std::string("1"), "a]b", "k", file), 0);
    EXPECT_EQ(inst.boxes.asked.back().text, "Ini Save:  invalid section name");

    // Writes through the cache give the bytes that writes each starting from a
    // fresh read of the file give.
    const auto writeAll = [&](bool freshRead) {
        inst.write("test.ini", "[s]\rx\rk=1\n\n[t]\n");
        const auto fresh = [&] {
            if (freshRead)
                clearProfileCache();
        };
        fresh();
        profileWriteString("s", "k", std::nullopt, file);
        fresh();
        SaveIni(std::string("3"), " S ", "c", file);
        fresh();
        SaveIni(std::string("4"), "s", "c", file);
        return inst.read("test.ini");
    };
    EXPECT_EQ(writeAll(false), "[s]\rx\r\nc=4\r\n[t]\n");
    EXPECT_EQ(writeAll(true), "[s]\rx\r\nc=4\r\n[t]\n");
}

TEST_F(IniAccess, WritesKeepEveryUntouchedByte) {
    const std::string original = "; comment \xE4\n[A]\r\nx = 1 \r\n\r\n[B]\rk=old\ry=2";
    inst.write("test.ini", original);
    EXPECT_NE(SaveIni(std::string("new"), "b", "K", file), 0);
    EXPECT_EQ(inst.read("test.ini"), "; comment \xE4\n[A]\r\nx = 1 \r\n\r\n[B]\rk=new\r\ny=2");
    EXPECT_NE(SaveIni(std::string("Ölpumpe"), "A", "name", file), 0);
    EXPECT_EQ(inst.read("test.ini"),
              "; comment \xE4\n[A]\r\nx = 1 \r\nname=\xD6lpumpe\r\n\r\n[B]\rk=new\r\ny=2");
    EXPECT_EQ(LoadIniString("a", "NAME", file), "Ölpumpe");
}

TEST_F(IniAccess, WritesFailWhereTheFileCannotBeReplaced) {
    EXPECT_EQ(SaveIni(std::string("v"), "s", "k", inst.path("missing/test.ini")), 0);
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    EXPECT_EQ(SaveIni(std::string("2"), "s", "k", file), 0);
    EXPECT_EQ(SaveIni(std::string("1"), "s", "k", file), 0) << "also when nothing would change";
    EXPECT_EQ(inst.read("test.ini"), "[s]\r\nk=1\r\n");
    // Removing an absent entry succeeds and creates nothing.
    EXPECT_TRUE(profileWriteString("s", "k", std::nullopt, inst.path("new.ini")));
    EXPECT_FALSE(inst.exists("new.ini"));
}

TEST_F(IniAccess, AWriteLeavesNoTemporaryFileBehindAndKeepsPermissions) {
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    SaveIni(std::string("2"), "s", "k", file);
    EXPECT_EQ(inst.fileNames(""),
              (std::vector<std::string>{"Engineering", "parameter", "test.ini"}));
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
}

TEST_F(IniAccess, ChangesMadeBehindTheCacheAreSeen) {
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    EXPECT_EQ(LoadIniString("s", "k", file), "1");
    inst.write("test.ini", "[s]\r\nk=22\r\n"); // a different size
    EXPECT_EQ(LoadIniString("s", "k", file), "22");
    std::filesystem::remove(file);
    EXPECT_EQ(LoadIniString("s", "k", file), "");
}
