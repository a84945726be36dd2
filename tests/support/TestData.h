#pragma once
// The tables of tests/data: one row a line, fields separated by "|" with the
// blanks around each dropped, "#" lines and empty lines skipped. Escapes in a
// field: \r \n \t \0 \\ and \xHH.

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

std::filesystem::path testDataPath(const std::string& name);
// A file's bytes; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);
std::vector<std::vector<std::string>> dataRows(const std::string& table);

} // namespace testsupport
