#pragma once
// What the symbol picker shows and returns, apart from its window.
//
// The picker shows 20 slots in 4 columns and 5 rows; slot s (1-based) stands
// in row (s - 1) / 4 and column (s - 1) % 4. A vertical scroll bar moves the
// slots row by row over the symbol list: with the first row r at the top,
// slot s shows entry 4r + s (entries past the symbol count are empty slots).
//
//  - The scroll bar is hidden while every symbol fits (20 or fewer). Beyond
//    that it runs from 0 to (count - 1) / 4 - 4 (whole part): the rows past
//    the five visible ones. 21 to 24 symbols give 1, 100 give 20.
//  - Every filling of the slots sets every slot's background: green for the
//    function's current symbol (letter case ignored; an empty name marks
//    nothing), light grey for all others, so the mark leaves a slot when the
//    current symbol scrolls out of it.
//  - A click on a slot returns the 1-based entry number it shows; a click on
//    an empty slot returns 0 and the picker stays open.

#include "engineering/SymbolList.h"
#include "texts/ControlGeometry.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace editing {

inline constexpr int kSlotCount = 20;
inline constexpr int kSlotColumns = 4;
inline constexpr int kSlotRows = kSlotCount / kSlotColumns;

// The largest first row of the scroll bar, 0 when it is hidden.
int symbolScrollMaximum(int symbolCount);
bool symbolScrollVisible(int symbolCount);

// The entry number slot s (1 to 20) shows for a first row.
int slotEntry(int firstRow, int slot);

struct SlotView {
    int entry = 0;      // 1-based entry of the symbol list the slot stands for
    std::string symbol; // its symbol name, "" for an empty slot
    std::uint32_t background = texts::kLightGrey; // 0xRRGGBB
};

class SymbolPickerSlots {
public:
    // The list is read, never kept beyond the slots' life.
    SymbolPickerSlots(const engineering::Symbols& symbols, std::string currentSymbol);

    bool scrollVisible() const { return symbolScrollVisible(count()); }
    int scrollMaximum() const { return symbolScrollMaximum(count()); }

    int firstRow() const { return firstRow_; }
    // Moves the first row, kept within 0 to scrollMaximum().
    void scrollTo(int row);

    // The slots as they show for the current first row. Slots are 1-based:
    // slots()[s - 1] is slot s.
    std::array<SlotView, kSlotCount> slots() const;

    // The entry number a click on slot s returns, 0 for an empty slot.
    std::int16_t clickedEntry(int slot) const;

private:
    int count() const;

    const engineering::Symbols& symbols_;
    std::string currentSymbol_;
    int firstRow_ = 0;
};

// The file to show for a symbol name (relative to the installation folder,
// e.g. "Engineering\Pump_800.gif"); empty for an empty name.
std::filesystem::path symbolPicturePath(std::string_view installationFolder,
                                        std::string_view symbolName);

} // namespace editing
