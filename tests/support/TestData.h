#pragma once
// The tables of tests/data: one row a line, fields separated by "|" with the
// blanks around each dropped, "#" lines and empty lines skipped. Escapes in a
// field: \r \n \t \0 \\ and \xHH.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

std::filesystem::path testDataPath(const std::string& name);
// A file's bytes; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

using Lines = std::vector<std::string>;

// A text file's lines, each with its line end: equal lines, equal bytes.
Lines linesOf(const std::string& bytes);
std::vector<std::vector<std::string>> dataRows(const std::string& table);

// The INI cases: the files of tests/data/ini (also the INI fuzzer's seeds) and
// the table tests/data/ini-cases.txt of what reading and editing them gives,
// which explains the fields.
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
