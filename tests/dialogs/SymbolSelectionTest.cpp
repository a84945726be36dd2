#include "dialogs/SymbolSelection.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using dialogs::kGreen;
using dialogs::kLightGrey;
using dialogs::SymbolSelection;

namespace {

std::string nameOf(int entry) {
    return "Engineering\\S" + std::to_string(entry) + "_800.gif";
}

engineering::Symbols symbolsOf(int count) {
    engineering::Symbols symbols;
    for (int entry = 1; entry <= count; ++entry)
        symbols.SymbolList[std::size_t(entry - 1)] = nameOf(entry);
    symbols.SymbolCount = std::int16_t(count);
    return symbols;
}

const dialogs::SlotView& slot(const std::array<dialogs::SlotView, dialogs::kSlotCount>& slots,
                              int s) {
    return slots[std::size_t(s - 1)];
}

int greenSlotCount(const SymbolSelection& selection) {
    int green = 0;
    for (const auto& view : selection.slots())
        green += view.background == kGreen ? 1 : 0;
    return green;
}

} // namespace

TEST(SymbolSelection, ScrollBarCoversTheRowsBeyondTheVisibleFive) {
    struct Case {
        int count;
        bool visible;
        int maximum;
        int slot17AtTop;
        int slot17AtBottom;
    };
    for (const Case c :
         {Case{0, false, 0, 17, 17}, Case{20, false, 0, 17, 17}, Case{21, true, 1, 17, 21},
          Case{24, true, 1, 17, 21}, Case{25, true, 2, 17, 25}, Case{28, true, 2, 17, 25},
          Case{100, true, 20, 17, 97}}) {
        const engineering::Symbols symbols = symbolsOf(c.count);
        SymbolSelection selection(symbols, "");
        EXPECT_EQ(selection.scrollVisible(), c.visible) << c.count;
        EXPECT_EQ(selection.scrollMaximum(), c.maximum) << c.count;
        EXPECT_EQ(slot(selection.slots(), 17).entry, c.slot17AtTop) << c.count;
        selection.scrollTo(selection.scrollMaximum());
        EXPECT_EQ(slot(selection.slots(), 17).entry, c.slot17AtBottom) << c.count;
    }
}

TEST(SymbolSelection, SlotsShowTheRowsFromTheFirstRowOn) {
    const engineering::Symbols symbols = symbolsOf(100);
    SymbolSelection selection(symbols, "");
    selection.scrollTo(20);
    const auto slots = selection.slots();
    for (int s = 1; s <= dialogs::kSlotCount; ++s)
        EXPECT_EQ(slot(slots, s).symbol, nameOf(80 + s));

    selection.scrollTo(99);
    EXPECT_EQ(selection.firstRow(), 20);
    selection.scrollTo(-1);
    EXPECT_EQ(selection.firstRow(), 0);
}

TEST(SymbolSelection, ClickReturnsTheEntryShownOrZeroForAnEmptySlot) {
    const engineering::Symbols five = symbolsOf(5);
    const SymbolSelection few(five, "");
    EXPECT_EQ(few.clickedEntry(1), 1);
    EXPECT_EQ(few.clickedEntry(5), 5);
    EXPECT_EQ(few.clickedEntry(6), 0);
    EXPECT_EQ(slot(few.slots(), 6).symbol, "");
    EXPECT_EQ(few.clickedEntry(0), 0);
    EXPECT_EQ(few.clickedEntry(21), 0);

    const engineering::Symbols twentyOne = symbolsOf(21);
    SymbolSelection scrolled(twentyOne, "");
    scrolled.scrollTo(1);
    EXPECT_EQ(scrolled.clickedEntry(1), 5);
    EXPECT_EQ(scrolled.clickedEntry(17), 21);
    EXPECT_EQ(scrolled.clickedEntry(18), 0);
}

TEST(SymbolSelection, ACountBeyondTheEntriesHeldIsNeverShownOrReturned) {
    engineering::Symbols symbols = symbolsOf(100);
    symbols.SymbolCount = 150;
    SymbolSelection selection(symbols, "");
    EXPECT_EQ(selection.scrollMaximum(), 20);
    selection.scrollTo(30);
    EXPECT_EQ(selection.clickedEntry(20), 100);
}

TEST(SymbolSelection, CurrentSymbolIsGreenIgnoringLetterCase) {
    engineering::Symbols symbols = symbolsOf(3);
    symbols.SymbolList[1] = "Engineering\\Pump_800.gif";
    const SymbolSelection selection(symbols, "Engineering\\PUMP_800.GIF");
    const auto slots = selection.slots();
    EXPECT_EQ(slot(slots, 2).background, kGreen);
    EXPECT_EQ(slot(slots, 1).background, kLightGrey);
    EXPECT_EQ(greenSlotCount(selection), 1);
}

TEST(SymbolSelection, NoSymbolMarksNothingNotEvenEmptySlots) {
    const engineering::Symbols symbols = symbolsOf(3);
    EXPECT_EQ(greenSlotCount(SymbolSelection(symbols, "")), 0);
    EXPECT_EQ(greenSlotCount(SymbolSelection(symbols, "Engineering\\Gone_800.gif")), 0);
}

TEST(SymbolSelection, MarkFollowsTheCurrentSymbolWhenScrolling) {
    const engineering::Symbols symbols = symbolsOf(30);
    SymbolSelection selection(symbols, nameOf(3));
    EXPECT_EQ(slot(selection.slots(), 3).background, kGreen);
    selection.scrollTo(1);
    EXPECT_EQ(greenSlotCount(selection), 0);

    SymbolSelection lower(symbols, nameOf(25));
    EXPECT_EQ(greenSlotCount(lower), 0);
    lower.scrollTo(2);
    EXPECT_EQ(slot(lower.slots(), 17).background, kGreen);
    EXPECT_EQ(greenSlotCount(lower), 1);
}

TEST(SymbolPicturePath, JoinsTheNameToTheInstallationFolder) {
    testsupport::TestInstallation installation;
    installation.write("Engineering/Pump_800.gif", "GIF89a");
    EXPECT_TRUE(dialogs::symbolPicturePath("").empty());
    const std::filesystem::path path = dialogs::symbolPicturePath("Engineering\\PUMP_800.GIF");
    EXPECT_TRUE(
        std::filesystem::equivalent(path, installation.root() / "Engineering" / "Pump_800.gif"));
}
