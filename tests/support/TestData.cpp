#include "TestData.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace {

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

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) {
        const auto first = field.find_first_not_of(" \t");
        const auto last = field.find_last_not_of(" \t");
        fields.push_back(unescaped(
            first == std::string::npos ? std::string() : field.substr(first, last - first + 1)));
    }
    if (line.back() == '|')
        fields.emplace_back();
    return fields;
}

} // namespace

std::filesystem::path testDataPath(const std::string& name) {
    return std::filesystem::path(TEST_DATA_DIR) / name;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return (std::ostringstream() << in.rdbuf()).str();
}

Lines linesOf(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1);
        lines.push_back(bytes.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::vector<std::string>> dataRows(const std::string& table) {
    std::ifstream in(testDataPath(table));
    if (!in)
        throw std::runtime_error("cannot read " + testDataPath(table).string());
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            rows.push_back(fieldsOf(line));
    return rows;
}

std::vector<IniRead> iniReads() {
    std::vector<IniRead> reads;
    for (const auto& f : dataRows("ini-cases.txt"))
        if (f.at(0) != "edit")
            reads.push_back({f.at(1), f.at(2), f.at(3), f.at(4), std::stoi(f.at(5)),
                             f.size() > 6 ? std::stoul(f[6]) : 255, f[0] == "read"});
    return reads;
}

std::vector<IniEdit> iniEdits() {
    std::vector<IniEdit> edits;
    for (const auto& f : dataRows("ini-cases.txt"))
        if (f.at(0) == "edit")
            edits.push_back({f.at(1), f.at(2), f.at(3),
                             f.at(4) == "(remove)" ? std::nullopt : std::optional(f[4]),
                             f.at(5) == "(refused)" ? std::nullopt : std::optional(f[5])});
    return edits;
}

} // namespace testsupport
