#include "SymbolList.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"

#include <algorithm>

namespace engineering {

const std::string& Symbols::entry(int n) const {
    static const std::string kEmpty;
    if (n < 1 || n > SymbolCount || n > kSymbolCapacity)
        return kEmpty;
    return SymbolList[std::size_t(n - 1)];
}

std::vector<std::string> symbolPictureFiles(std::string_view folder) {
    std::vector<std::string> names = platform::listFiles(folder);
    std::erase_if(names, [](const std::string& name) {
        return !platform::endsWithIgnoreCase(name, "_800.gif");
    });
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names)
        keyed.emplace_back(platform::upperCase(name), std::move(name));
    // Names equal without regard to case keep a fixed order by their bytes.
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [key, name] : keyed)
        names.push_back(std::move(name));
    return names;
}

int fillSymbolList(Symbols& symbols, std::string_view folder) {
    symbols = Symbols{};
    const std::vector<std::string> names = symbolPictureFiles(folder);
    int surplus = 0;
    for (const std::string& name : names) {
        if (symbols.SymbolCount == kSymbolCapacity) {
            ++surplus;
            continue;
        }
        symbols.SymbolList[std::size_t(symbols.SymbolCount)] = "Engineering\\" + name;
        ++symbols.SymbolCount;
    }
    return surplus;
}

} // namespace engineering
