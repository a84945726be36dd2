#include "IniCases.h"

namespace testsupport {

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
