// The program's INI operations on real files: defaults, limits, reports,
// integer rules and byte-keeping writes.

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

TEST_F(IniAccess, MissingValuesReadAsNothingAndAreReportedOnlyWhenAsked) {
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "");
    EXPECT_EQ(LoadIniInteger(program, "s", "k", file), -1);
    EXPECT_FALSE(LoadIniBoolean(program, "s", "k", file));
    EXPECT_TRUE(inst.boxes.asked.empty());
    inst.write("test.ini", "[s]\r\nempty=\r\nflag=1\r\n");
    EXPECT_EQ(LoadIniString(program, "t", "flag", file), "");
    EXPECT_EQ(LoadIniString(program, "s", "empty", file, true), "");
    EXPECT_EQ(LoadIniInteger(program, "s", "none", file, true), -1);
    ASSERT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_EQ(inst.boxes.asked[0].text,
              "File '" + file + "' or Section [s] or Entry 'empty' not found");
}

TEST_F(IniAccess, AFileThatExistsButCannotBeReadReadsEmptyAndIsNeverWritten) {
    for (const auto kind : testsupport::kUnreadableKinds) {
        const auto name = testsupport::unreadableName(kind);
        const std::string path = inst.path(std::string(name) + ".ini");
        if (!testsupport::makeUnreadable(path, kind))
            continue; // no read permission cannot stop root
        EXPECT_EQ(LoadIniString(program, "s", "k", path), "") << name;
        EXPECT_EQ(LoadIniInteger(program, "s", "k", path), -1) << name;
        EXPECT_EQ(SaveIni(program, std::string("v"), "s", "k", path), 0) << name;
        EXPECT_FALSE(profileWriteString("s", "k", std::nullopt, path)) << name;
        EXPECT_FALSE(storeIniDocument(path, IniDocument::parse("[s]\r\nk=v\r\n"))) << name;
        EXPECT_TRUE(testsupport::isUnchangedUnreadable(path, kind)) << name;
        ASSERT_FALSE(inst.boxes.asked.empty()) << name;
        EXPECT_EQ(inst.boxes.asked.back().text,
                  "Ini Save:  '" + path + "' cannot be read and is left as it is");
        inst.boxes.asked.clear();
    }
}

TEST_F(IniAccess, LongValuesAreCutAt254CharactersOfTheFile) {
    inst.write("test.ini",
               "[s]\r\nk=" + std::string(300, 'x') + "\r\nu=" + std::string(300, '\xE4') + "\r\n");
    EXPECT_EQ(LoadIniString(program, "s", "k", file), std::string(254, 'x'));
    // Umlauts are single characters in the file, whatever their size in memory.
    EXPECT_EQ(LoadIniString(program, "s", "u", file).size(), 254u * 2);
}

TEST_F(IniAccess, BooleansReadTrueOnlyForTrueAndOtherTextIsReported) {
    inst.write("test.ini", "[s]\r\na=true\r\nb=TRUE\r\nc=1\r\nd=-1\r\ne=False\r\n");
    for (const auto& [key, value] :
         {std::pair("a", true), {"b", true}, {"c", false}, {"d", false}, {"e", false}})
        EXPECT_EQ(LoadIniBoolean(program, "s", key, file, true), value) << key;
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
        EXPECT_EQ(LoadIniInteger(program, "s", std::to_string(n), file), cases[n].second)
            << cases[n].first;
    EXPECT_EQ(LoadIniInteger(program, "s", "minus1", file, true), -1);
    ASSERT_EQ(inst.boxes.asked.size(), 1u) << "a stored -1 is reported as missing";
    EXPECT_EQ(leadingProfileInteger("4294967296"), 0);
    EXPECT_EQ(leadingProfileInteger("-"), 0);
}

TEST_F(IniAccess, IntegersOutside16BitsAreAnOverflowFailure) {
    inst.write("test.ini", "[s]\r\nbig=32768\r\nsmall=-32769\r\nmax=32767\r\n");
    EXPECT_EQ(LoadIniInteger(program, "s", "max", file), 32767);
    inst.boxes.answer(true); // resume
    EXPECT_EQ(LoadIniInteger(program, "s", "big", file), 0);
    EXPECT_NE(inst.errorLog().find("/ LoadIniInteger (Nr. 6) :Overflow\r\n"), std::string::npos);
    inst.boxes.answer(false); // end
    EXPECT_EQ(testsupport::endStatus([&] { LoadIniInteger(program, "s", "small", file); }),
              ExitEndedByFailure);
}

TEST_F(IniAccess, SaveIniFormatsByTypeAndReportsAValueOfNoType) {
    SaveIni(program, std::int16_t(5), "s", "int16", file);
    SaveIni(program, std::int32_t(-70000), "s", "int32", file);
    SaveIni(program, std::uint8_t(200), "s", "byte", file);
    SaveIni(program, std::string("  Ölpumpe  "), "s", "text", file);
    SaveIni(program, true, "s", "yes", file);
    SaveIni(program, false, "s", "no", file);
    SaveIni(program, 2.5, "s", "double", file);
    SaveIni(program, 0.1f, "s", "single", file);
    const std::string sep(1, localeDecimalSeparator());
    const std::string expected = "[s]\r\nint16=5\r\nint32=-70000\r\nbyte=200\r\n"
                                 "text=  \xD6lpumpe  \r\nyes=true\r\nno=false\r\n"
                                 "double=2" +
                                 sep + "5\r\nsingle=0" + sep + "1\r\n";
    EXPECT_EQ(inst.read("test.ini"), expected);
    EXPECT_EQ(LoadIniString(program, "s", "text", file), "Ölpumpe");
    EXPECT_EQ(SaveIni(program, IniEmpty{}, "s", "text", file), 0);
    EXPECT_EQ(SaveIni(program, IniNull{}, "s", "text", file), 0);
    EXPECT_EQ(inst.read("test.ini"), expected);
    ASSERT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_EQ(inst.boxes.asked[0].text, "Ini Save:  wrong data type");
}

TEST_F(IniAccess, RefusedWritesAreReportedAndLeaveFileAndCacheInAgreement) {
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"s", "k", "the value of [s] k holds a line break"},
        {"s", "[b", "invalid key in section [s]"},
        {"a]b", "k", "invalid section name"}};
    for (const auto& [section, key, reason] : cases) {
        EXPECT_EQ(SaveIni(program, std::string("a\r\nb=c"), section, key, file), 0) << key;
        EXPECT_EQ(inst.read("test.ini"), "[s]\r\nk=1\r\n") << key;
        EXPECT_EQ(inst.boxes.asked.back().text, "Ini Save:  " + reason);
    }

    // Writes through the cache give the bytes that writes each starting from a
    // fresh read of the file give; untouched lines keep their line ends.
    const auto writeAll = [&](bool freshRead) {
        inst.write("test.ini", "[s]\rx\rk=1\n\n[t]\n");
        const auto fresh = [&] {
            if (freshRead)
                clearProfileCache();
        };
        fresh();
        profileWriteString("s", "k", std::nullopt, file);
        fresh();
        SaveIni(program, std::string("3"), " S ", "c", file);
        fresh();
        SaveIni(program, std::string("4"), "s", "c", file);
        return inst.read("test.ini");
    };
    EXPECT_EQ(writeAll(false), "[s]\rx\r\nc=4\r\n[t]\n");
    EXPECT_EQ(writeAll(true), "[s]\rx\r\nc=4\r\n[t]\n");
}

TEST_F(IniAccess, WritesFailWhereTheFileCannotBeReplaced) {
    EXPECT_EQ(SaveIni(program, std::string("v"), "s", "k", inst.path("missing/test.ini")), 0);
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    EXPECT_EQ(SaveIni(program, std::string("2"), "s", "k", file), 0);
    EXPECT_EQ(SaveIni(program, std::string("1"), "s", "k", file), 0)
        << "also when nothing would change";
    EXPECT_EQ(inst.read("test.ini"), "[s]\r\nk=1\r\n");
    // Removing an absent entry succeeds and creates nothing.
    EXPECT_TRUE(profileWriteString("s", "k", std::nullopt, inst.path("new.ini")));
    EXPECT_FALSE(inst.exists("new.ini"));
}

TEST_F(IniAccess, ChangesMadeBehindTheCacheAreSeen) {
    inst.write("test.ini", "[s]\r\nk=1\r\n");
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "1");
    inst.write("test.ini", "[s]\r\nk=22\r\n"); // a different size
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "22");
    std::filesystem::remove(file);
    EXPECT_EQ(LoadIniString(program, "s", "k", file), "");
}
