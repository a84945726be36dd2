#include "SymbolList.h"

namespace engineering {

const std::string& Symbols::entry(int n) const {
    static const std::string kEmpty;
    if (n < 1 || n > SymbolCount || n > kSymbolCapacity)
        return kEmpty;
    return SymbolList[std::size_t(n - 1)];
}

Symbols& programSymbols() {
    static Symbols symbols;
    return symbols;
}

void resetProgramSymbols() {
    programSymbols() = Symbols{};
}

} // namespace engineering
