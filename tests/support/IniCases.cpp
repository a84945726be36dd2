#include "IniCases.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace {

// \r \n \t \0 \\ and \xHH stand for their bytes.
std::string unescaped(const std::string& field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            bytes += field[i];
            continue;
        }
        const char c = field[++i];
        if (c == 'x') {
            bytes += char(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    return bytes;
}

// The fields of a row, blanks around each dropped.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) {
        const auto first = field.find_first_not_of(" \t");
        const auto last = field.find_last_not_of(" \t");
        fields.push_back(unescaped(
            first == std::string::npos ? std::string() : field.substr(first, last - first + 1)));
    }
    if (!line.empty() && line.back() == '|')
        fields.emplace_back();
    return fields;
}

} // namespace

std::filesystem::path iniCaseFile(const std::string& name) {
    return std::filesystem::path(TEST_DATA_DIR) / "ini" / name;
}

IniCases loadIniCases() {
    std::ifstream in(std::filesystem::path(TEST_DATA_DIR) / "ini-cases.txt");
    IniCases cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = fieldsOf(line);
        if ((f[0] == "read" || f[0] == "rules") && (f.size() == 6 || f.size() == 7))
            cases.reads.push_back({f[1], f[2], f[3], f[4], std::stoi(f[5]),
                                   f.size() == 7 ? std::stoul(f[6]) : 255, f[0] == "read"});
        else if (f[0] == "edit" && f.size() == 6)
            cases.edits.push_back({f[1], f[2], f[3],
                                   f[4] == "(remove)" ? std::nullopt : std::optional(f[4]),
                                   f[5] == "(refused)" ? std::nullopt : std::optional(f[5])});
        else
            throw std::runtime_error("ini-cases.txt: cannot read the row " + line);
    }
    return cases;
}

} // namespace testsupport
