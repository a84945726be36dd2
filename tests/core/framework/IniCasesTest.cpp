// The INI layer on the case files of tests/data: every read and every edit of
// the table, on files.

#include "framework/IniDocument.h"
#include "framework/ProfileFiles.h"

#include "IniCases.h"
#include "TestData.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace framework;
namespace fs = std::filesystem;

TEST(IniCases, EveryFileReadsAsTheTableSaysAndParsesBackToItsBytes) {
    testsupport::TestInstallation inst; // clears the profile cache before and after
    for (const testsupport::IniRead& read : testsupport::loadIniCases().reads) {
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

// What the program caches after a write is what a fresh read of the file gives.
TEST(IniCases, EveryEditLeavesTheBytesTheTableSays) {
    testsupport::TestInstallation inst;
    std::set<std::string> copied;
    for (const testsupport::IniEdit& edit : testsupport::loadIniCases().edits) {
        SCOPED_TRACE(edit.file + " [" + edit.section + "] " + edit.key);
        const std::string copy = inst.path(edit.file);
        if (copied.insert(edit.file).second && fs::exists(testsupport::iniCaseFile(edit.file)))
            fs::copy_file(testsupport::iniCaseFile(edit.file), copy);
        const std::string before = inst.read(edit.file);
        EXPECT_EQ(profileWriteString(edit.section, edit.key, edit.text, copy),
                  edit.after.has_value());
        EXPECT_EQ(inst.read(edit.file), edit.after.value_or(before));
        EXPECT_EQ(loadIniDocument(copy), IniDocument::parse(inst.read(edit.file)));
    }
}
