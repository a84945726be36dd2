#include "editing/SymbolPickerSlots.h"

#include "DialogTestData.h"

#include <gtest/gtest.h>

#include <vector>

using dialogs::SymbolPickerSlots;
using dialogtest::symbolName;
using dialogtest::symbolsOf;

namespace {

dialogs::SlotView slot(const SymbolPickerSlots& slots, int s) {
    return slots.slots()[std::size_t(s - 1)];
}

// The green slots; every other one must be light grey.
std::vector<int> greenSlots(const SymbolPickerSlots& slots) {
    std::vector<int> green;
    for (int s = 1; s <= dialogs::kSlotCount; ++s)
        if (slot(slots, s).background == framework::kGreen)
            green.push_back(s);
        else
            EXPECT_EQ(slot(slots, s).background, framework::kLightGrey) << s;
    return green;
}

} // namespace

TEST(SymbolPickerSlots, ScrollingCoversTheRowsBeyondTheVisibleFiveAndAClickReturnsTheEntryShown) {
    struct Case {
        int count;
        bool visible;
        int maximum;
        int slot17AtBottom;
    };
    // 150 counted but only 100 held: nothing past the 100th is shown or returned.
    for (const Case c : {Case{0, false, 0, 17}, Case{20, false, 0, 17}, Case{21, true, 1, 21},
                         Case{24, true, 1, 21}, Case{25, true, 2, 25}, Case{28, true, 2, 25},
                         Case{100, true, 20, 97}, Case{150, true, 20, 97}}) {
        const engineering::Symbols symbols = symbolsOf(c.count);
        SymbolPickerSlots slots(symbols, "");
        EXPECT_EQ(slots.scrollVisible(), c.visible) << c.count;
        EXPECT_EQ(slots.scrollMaximum(), c.maximum) << c.count;
        EXPECT_EQ(slot(slots, 17).entry, 17) << c.count;
        slots.scrollTo(c.maximum + 5);
        EXPECT_EQ(slots.firstRow(), c.maximum) << c.count;
        // A click returns the entry the slot shows, 0 for an empty slot or none.
        const auto held = [&](int entry) { return entry <= std::min(c.count, 100) ? entry : 0; };
        EXPECT_EQ(slot(slots, 17).entry, c.slot17AtBottom) << c.count;
        EXPECT_EQ(slot(slots, 17).symbol,
                  held(c.slot17AtBottom) ? symbolName(c.slot17AtBottom) : "");
        EXPECT_EQ(slots.clickedEntry(17), held(c.slot17AtBottom)) << c.count;
        EXPECT_EQ(slots.clickedEntry(20), held(c.slot17AtBottom + 3)) << c.count;
        EXPECT_EQ(slots.clickedEntry(0), 0);
        EXPECT_EQ(slots.clickedEntry(21), 0);
        slots.scrollTo(-1);
        EXPECT_EQ(slots.firstRow(), 0) << c.count;
    }
}

TEST(SymbolPickerSlots, TheCurrentSymbolIsGreenIgnoringLetterCaseWhereverItIsShown) {
    const engineering::Symbols symbols = symbolsOf(30);
    SymbolPickerSlots upper(symbols, "ENGINEERING\\s3_800.GIF");
    EXPECT_EQ(greenSlots(upper), std::vector<int>{3});
    upper.scrollTo(1);
    EXPECT_EQ(greenSlots(upper), std::vector<int>{});

    SymbolPickerSlots lower(symbols, symbolName(25));
    EXPECT_EQ(greenSlots(lower), std::vector<int>{});
    lower.scrollTo(2);
    EXPECT_EQ(greenSlots(lower), std::vector<int>{17});

    // No symbol or one not in the list marks nothing, not even the empty slots.
    const engineering::Symbols three = symbolsOf(3);
    EXPECT_EQ(greenSlots(SymbolPickerSlots(three, "")), std::vector<int>{});
    EXPECT_EQ(greenSlots(SymbolPickerSlots(three, "Engineering\\Gone_800.gif")),
              std::vector<int>{});
}
