#pragma once
// The INI cases: the files of tests/data/ini (also the INI fuzzer's seeds) and
// the table tests/data/ini-cases.txt of what reading and editing them gives,
// which explains the fields.

#include "TestData.h"

#include <optional>

namespace testsupport {

struct IniRead {
    std::string file, section, key, text;
    int number;
    std::size_t size;
    bool platformAgrees;
};

struct IniEdit {
    std::string file, section, key;
    std::optional<std::string> text;  // nothing: remove the entry
    std::optional<std::string> after; // nothing: refused
};

inline std::filesystem::path iniCaseFile(const std::string& name) {
    return testDataPath("ini") / name;
}
std::vector<IniRead> iniReads();
std::vector<IniEdit> iniEdits();

} // namespace testsupport
