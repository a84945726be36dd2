// The edit dialog's value rules: file filters, number boxes and their normalisation.

#include "editing/EditChoices.h"
#include "editing/NormalizeInteger.h"
#include "editing/NumberBox.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

using namespace dialogs;

TEST(EditChoices, PairedFiltersBecomeQtNameFilters) {
    EXPECT_EQ(nameFilters(kProgramChooserFilter),
              "*.exe;*.bat;*.htm;*.html (*.exe *.bat *.htm *.html)");
    EXPECT_EQ(nameFilters("Programs|*.exe|All files|*.*"), "Programs (*.exe);;All files (*.*)");
    EXPECT_EQ(nameFilters("Anything"), "Anything (*)");
    EXPECT_EQ(nameFilters("Odd|;*.txt;;"), "Odd (*.txt)");
}

TEST(NumberBox, RewritesToTheCanonicalTextWithTheCursorBehindWhatStoodInFrontOfIt) {
    struct Case {
        std::string_view text, beforeCursor, canonical;
        bool rewrite;
        int cursor;
        std::int16_t value;
    };
    const Case cases[] = {{"-12", "-1", "-12", false, 2, -12},
                          // An emptied box and a lone minus sign: 0 with the cursor behind it.
                          {"", "", "0", true, 1, 0},
                          {"-", "-", "0", true, 1, 0},
                          // A digit typed behind a lone 0 replaces it.
                          {"07", "07", "7", true, 1, 7},
                          // A letter typed behind 12 drops out; one typed inside ends the number.
                          {"12a", "12a", "12", true, 2, 12},
                          {"1a2", "1a", "1", true, 1, 1},
                          // A blank typed after the minus sign of -12.
                          {"- 12", "- ", "-12", true, 1, -12},
                          // The part in front reads larger than the whole: kept within the text.
                          {"99999", "999", "0", true, 1, 0}};
    for (const Case& c : cases) {
        const NumberBoxChange change = numberBoxChanged(c.text, c.beforeCursor);
        EXPECT_EQ(change.canonicalText, c.canonical) << c.text;
        EXPECT_EQ(change.rewrite, c.rewrite) << c.text;
        EXPECT_EQ(change.cursor, c.cursor) << c.text;
        EXPECT_EQ(change.value, c.value) << c.text;
    }
}

namespace {

struct Case {
    std::string_view text;
    std::int16_t value;
};

void expectNormalized(std::span<const Case> cases) {
    for (const Case& c : cases) {
        const NormalizedInteger result = NormalizeInteger(c.text);
        EXPECT_EQ(result.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(result.text, std::to_string(c.value)) << '"' << c.text << '"';
        // The rewritten box must not be rewritten again.
        EXPECT_EQ(NormalizeInteger(result.text), result) << '"' << c.text << '"';
    }
}

} // namespace

TEST(NormalizeInteger, ReadsTheLeadingNumberRoundsItAndKeepsItToSixteenBits) {
    // Reading stops at the first character that cannot continue the number.
    const Case leading[] = {{"", 0},    {"007", 7},   {"12abc", 12}, {"1.2.3", 1}, {"-", 0},
                            {"+", 0},   {"+-1", 0},   {"abc", 0},    {".", 0},     {"+5", 5},
                            {"1,5", 1}, {"-17", -17}, {"-0", 0}};
    expectNormalized(leading);
    // Blanks, tabs and line feeds anywhere are ignored; a carriage return is not.
    const Case blanks[] = {{"1 2", 12}, {"  - 4 2  ", -42}, {"1\t2\n3", 123},
                           {"\n\t", 0}, {"1 e 2", 100},     {"1\r2", 1}};
    expectNormalized(blanks);
    // Halves round to the even neighbour.
    const Case fractions[] = {{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0},
                              {".5", 0},  {"1.5", 2}, {"2.51", 3},  {"-0.4", 0},  {"5.", 5}};
    expectNormalized(fractions);
    // E or D; a letter without digits after it is not part of the number.
    const Case exponents[] = {{"1e3", 1000}, {"1E3", 1000}, {"1d3", 1000}, {"1D+3", 1000},
                              {"25e-1", 2},  {"1.5e1", 15}, {"1e", 1},     {"1e+", 1},
                              {"1ex", 1},    {"1e5", 0},    {"1e400", 0},  {"1e-400", 0}};
    expectNormalized(exponents);
    // Literals take no sign; up to four hex digits they are 16-bit two's
    // complement, beyond that 32-bit.
    const Case literals[] = {
        {"&H10", 16},       {"&h1f", 31},       {"&O17", 15},           {"&o17", 15},
        {"&O18", 1},        {"&H1G", 1},        {"&H 1 0", 16},         {"&H", 0},
        {"&X1", 0},         {"&", 0},           {"-&H10", 0},           {"&H7FFF", 32767},
        {"&H8000", -32768}, {"&HFFFF", -1},     {"&H0000FFFF", -1},     {"&O177777", -1},
        {"&H10000", 0},     {"&HFFFFFFFF", -1}, {"&HFFFF8000", -32768}, {"&O37777777777", -1},
        {"&H100000000", 0}, {"&H123456789", 0}};
    expectNormalized(literals);
    // Outside -32768..32767 after rounding: 0.
    const Case range[] = {{"32767", 32767},    {"-32768", -32768}, {"32768", 0},
                          {"-32769", 0},       {"32767.4", 32767}, {"32767.5", 0},
                          {"-32768.5", -32768}};
    expectNormalized(range);
    // Digit strings longer than any integer type.
    const Case longDigits[] = {{"3e0000000000000000000001", 30}, {"99999999999999999999999999", 0}};
    expectNormalized(longDigits);
}
