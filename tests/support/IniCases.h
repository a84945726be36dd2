#pragma once
// The INI cases: the files of tests/data/ini (also the INI fuzzer's seeds) and
// the table tests/data/ini-cases.txt of what reading and editing them gives.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A value read from a case file; names and texts are UTF-8.
struct IniRead {
    std::string file, section, key;
    std::string text;    // with the default "default", at most size - 1 characters
    std::int32_t number; // with the default -1
    std::size_t size;    // the reader's buffer
    bool platformAgrees; // false where the platform reads otherwise (the table says why)
};

// An edit of a copy of a case file; the edits of one file follow each other.
struct IniEdit {
    std::string file, section, key;
    std::optional<std::string> text;  // nothing: remove the entry
    std::optional<std::string> after; // the copy's bytes after it; nothing: refused
};

struct IniCases {
    std::vector<IniRead> reads;
    std::vector<IniEdit> edits;
};

std::filesystem::path iniCaseFile(const std::string& name);
IniCases loadIniCases();

} // namespace testsupport
