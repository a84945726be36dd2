// The INI cases against the platform's own profile functions, on Windows
// only: the platform reads every case file as the table says, and every edit
// of the table, made by the program on one copy and by the platform on
// another, reads back the same from both copies by both.
//
// Only what is read is compared, not the bytes written: the platform (as Wine
// has it) rewrites the whole file, dropping blank lines, ending every line with
// CR LF and dropping the blanks before a written value, where the program keeps
// every line it does not write.

#include "ini/ProfileFiles.h"
#include "platform/Windows1252Text.h"

#include "TestData.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <set>
#include <vector>

using namespace platform;
using namespace ini;
using testsupport::IniRead;

namespace {

// Both readers' results in UTF-8, for one query of one file: text and number.
using Reading = std::pair<std::string, std::int32_t>;

Reading platformReading(const IniRead& query, const std::string& file) {
    const std::string section = toWindows1252(query.section);
    const std::string key = toWindows1252(query.key);
    std::vector<char> buffer(query.size + 1, '\x7f');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "default   ",
                                                  buffer.data(), DWORD(query.size), file.c_str());
    return {fromWindows1252(std::string(buffer.data(), length)),
            std::int32_t(GetPrivateProfileIntA(section.c_str(), key.c_str(), -1, file.c_str()))};
}

Reading programReading(const IniRead& query, const std::string& file) {
    return {profileReadString(query.section, query.key, "default   ", query.size, file),
            profileReadInt(query.section, query.key, -1, file)};
}

} // namespace

TEST(IniOracle, ThePlatformReadsEveryCaseFileAsTheTableSays) {
    for (const IniRead& read : testsupport::iniReads()) {
        if (!read.platformAgrees)
            continue;
        EXPECT_EQ(platformReading(read, testsupport::iniCaseFile(read.file).string()),
                  Reading(read.text, read.number))
            << read.file << " [" << read.section << "] " << read.key;
    }
}

TEST(IniOracle, EditsByEitherSideReadTheSameByBoth) {
    testsupport::TestInstallation inst;
    std::set<std::string> copied;
    std::vector<IniRead> written; // every entry edited so far, per file
    for (const testsupport::IniEdit& edit : testsupport::iniEdits()) {
        if (!edit.after)
            continue; // the platform writes what the program refuses
        SCOPED_TRACE(edit.file + " [" + edit.section + "] " + edit.key);
        const std::string byProgram = inst.path(edit.file + "-program");
        const std::string byPlatform = inst.path(edit.file + "-platform");
        if (copied.insert(edit.file).second &&
            std::filesystem::exists(testsupport::iniCaseFile(edit.file))) {
            std::filesystem::copy_file(testsupport::iniCaseFile(edit.file), byProgram);
            std::filesystem::copy_file(testsupport::iniCaseFile(edit.file), byPlatform);
        }
        EXPECT_TRUE(profileWriteString(edit.section, edit.key, edit.text, byProgram));
        const std::string text = toWindows1252(edit.text.value_or(""));
        EXPECT_TRUE(WritePrivateProfileStringA(
            toWindows1252(edit.section).c_str(), toWindows1252(edit.key).c_str(),
            edit.text ? text.c_str() : nullptr, byPlatform.c_str()));
        written.push_back({edit.file, edit.section, edit.key, "", 0, 255, true});
        for (const IniRead& query : written) {
            if (query.file != edit.file)
                continue;
            const Reading expected = platformReading(query, byPlatform);
            EXPECT_EQ(programReading(query, byPlatform), expected)
                << query.key << " by the platform";
            EXPECT_EQ(platformReading(query, byProgram), expected)
                << query.key << " by the program";
            EXPECT_EQ(programReading(query, byProgram), expected) << query.key << " by the program";
        }
    }
}
