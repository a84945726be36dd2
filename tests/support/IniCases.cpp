#include "IniCases.h"

#include "TestData.h"

#include <stdexcept>

namespace testsupport {

std::filesystem::path iniCaseFile(const std::string& name) {
    return testDataPath("ini") / name;
}

IniCases loadIniCases() {
    IniCases cases;
    for (const std::vector<std::string>& f : dataRows("ini-cases.txt")) {
        if ((f[0] == "read" || f[0] == "rules") && (f.size() == 6 || f.size() == 7))
            cases.reads.push_back({f[1], f[2], f[3], f[4], std::stoi(f[5]),
                                   f.size() == 7 ? std::stoul(f[6]) : 255, f[0] == "read"});
        else if (f[0] == "edit" && f.size() == 6)
            cases.edits.push_back({f[1], f[2], f[3],
                                   f[4] == "(remove)" ? std::nullopt : std::optional(f[4]),
                                   f[5] == "(refused)" ? std::nullopt : std::optional(f[5])});
        else
            throw std::runtime_error("ini-cases.txt: a row of " + std::to_string(f.size()) +
                                     " fields starting " + f[0]);
    }
    return cases;
}

} // namespace testsupport
