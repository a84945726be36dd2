#include "SymbolPickerSlots.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ProgramLocation.h"

#include <algorithm>
#include <utility>

namespace editing {

int symbolScrollMaximum(int symbolCount) {
    if (!symbolScrollVisible(symbolCount))
        return 0;
    return (symbolCount - 1) / kSlotColumns - (kSlotRows - 1);
}

bool symbolScrollVisible(int symbolCount) {
    return symbolCount > kSlotCount;
}

int slotEntry(int firstRow, int slot) {
    return firstRow * kSlotColumns + slot;
}

SymbolPickerSlots::SymbolPickerSlots(const engineering::Symbols& symbols, std::string currentSymbol)
    : symbols_(symbols), currentSymbol_(std::move(currentSymbol)) {}

int SymbolPickerSlots::count() const {
    // A count beyond the entries held must never be shown or returned.
    return std::clamp<int>(symbols_.SymbolCount, 0, engineering::kSymbolCapacity);
}

void SymbolPickerSlots::scrollTo(int row) {
    firstRow_ = std::clamp(row, 0, scrollMaximum());
}

std::array<SlotView, kSlotCount> SymbolPickerSlots::slots() const {
    std::array<SlotView, kSlotCount> views;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        SlotView& view = views[std::size_t(slot - 1)];
        view.entry = slotEntry(firstRow_, slot);
        view.symbol = view.entry <= count() ? symbols_.entry(view.entry) : std::string();
        const bool current = !currentSymbol_.empty() && !view.symbol.empty() &&
                             platform::equalsIgnoreCase(view.symbol, currentSymbol_);
        view.background = current ? texts::kGreen : texts::kLightGrey;
    }
    return views;
}

std::int16_t SymbolPickerSlots::clickedEntry(int slot) const {
    if (slot < 1 || slot > kSlotCount)
        return 0;
    const int entry = slotEntry(firstRow_, slot);
    return entry <= count() ? std::int16_t(entry) : 0;
}

std::filesystem::path symbolPicturePath(std::string_view installationFolder,
                                        std::string_view symbolName) {
    if (symbolName.empty())
        return {};
    std::string path(installationFolder);
    path += run::kSeparator;
    path += symbolName;
    return platform::nativePath(path);
}

} // namespace editing
