#include "dialogs/NormalizeInteger.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using dialogs::NormalizedInteger;
using dialogs::NormalizeInteger;
using dialogs::readLenientNumber;

namespace {

void expectNormalized(std::string_view text, std::int16_t value) {
    const NormalizedInteger result = NormalizeInteger(text);
    EXPECT_EQ(result.value, value) << '"' << text << '"';
    EXPECT_EQ(result.text, std::to_string(value)) << '"' << text << '"';
}

} // namespace

TEST(NormalizeInteger, TypedTextIsReadUpToTheFirstCharacterThatCannotContinue) {
    expectNormalized("", 0);
    expectNormalized("007", 7);
    expectNormalized("12abc", 12);
    expectNormalized("1.2.3", 1);
    expectNormalized("-", 0);
    expectNormalized("+", 0);
    expectNormalized("+-1", 0);
    expectNormalized("abc", 0);
    expectNormalized(".", 0);
    expectNormalized("+5", 5);
    expectNormalized("-17", -17);
    expectNormalized("1,5", 1);
}

TEST(NormalizeInteger, BlanksTabsAndLineFeedsAnywhereAreIgnored) {
    expectNormalized("1 2", 12);
    expectNormalized("  - 4 2  ", -42);
    expectNormalized("1\t2\n3", 123);
    expectNormalized("\n\t", 0);
    expectNormalized("1 e 2", 100);
    // A carriage return is not white space to the reader.
    expectNormalized("1\r2", 1);
}

TEST(NormalizeInteger, DecimalFractionsRoundHalvesToEven) {
    expectNormalized("2.5", 2);
    expectNormalized("3.5", 4);
    expectNormalized("-2.5", -2);
    expectNormalized("-3.5", -4);
    expectNormalized("0.5", 0);
    expectNormalized(".5", 0);
    expectNormalized("1.5", 2);
    expectNormalized("2.51", 3);
    expectNormalized("-0.4", 0);
    expectNormalized("5.", 5);
}

TEST(NormalizeInteger, ExponentsWithEOrD) {
    expectNormalized("1e3", 1000);
    expectNormalized("1E3", 1000);
    expectNormalized("1d3", 1000);
    expectNormalized("1D+3", 1000);
    expectNormalized("25e-1", 2);
    expectNormalized("1.5e1", 15);
    expectNormalized("1e", 1);
    expectNormalized("1e+", 1);
    expectNormalized("1ex", 1);
    expectNormalized("3e0000000000000000000001", 30);
    expectNormalized("1e5", 0);
    expectNormalized("1e400", 0);
    expectNormalized("1e-400", 0);
}

TEST(NormalizeInteger, HexadecimalAndOctalLiterals) {
    expectNormalized("&H10", 16);
    expectNormalized("&h1f", 31);
    expectNormalized("&O17", 15);
    expectNormalized("&o17", 15);
    expectNormalized("&O18", 1);
    expectNormalized("&H1G", 1);
    expectNormalized("&H 1 0", 16);
    expectNormalized("&H", 0);
    expectNormalized("&X1", 0);
    expectNormalized("&", 0);
    expectNormalized("-&H10", 0);
}

TEST(NormalizeInteger, LiteralsUpToFourHexDigitsAreSixteenBitTwosComplement) {
    expectNormalized("&H7FFF", 32767);
    expectNormalized("&H8000", -32768);
    expectNormalized("&HFFFF", -1);
    expectNormalized("&H0000FFFF", -1);
    expectNormalized("&O177777", -1);
    // Wider literals are 32-bit; the 16-bit range still applies.
    expectNormalized("&H10000", 0);
    expectNormalized("&HFFFFFFFF", -1);
    expectNormalized("&HFFFF8000", -32768);
    expectNormalized("&O37777777777", -1);
    expectNormalized("&H100000000", 0);
}

TEST(NormalizeInteger, OutsideTheSixteenBitRangeGivesZero) {
    expectNormalized("32767", 32767);
    expectNormalized("-32768", -32768);
    expectNormalized("32768", 0);
    expectNormalized("-32769", 0);
    expectNormalized("32767.4", 32767);
    expectNormalized("32767.5", 0);
    expectNormalized("-32768.5", -32768);
    expectNormalized("99999999999999999999999999", 0);
}

TEST(NormalizeInteger, CanonicalTextNormalizesToItself) {
    for (std::string_view text : {"", "007", "1 2", "-2.5", "&HFFFF", "1e3", "40000", "-0", "x"}) {
        const NormalizedInteger first = NormalizeInteger(text);
        EXPECT_EQ(NormalizeInteger(first.text), first) << text;
    }
}

TEST(ReadLenientNumber, KeepsTheFractionAndReportsWhatCannotBeRepresented) {
    EXPECT_EQ(readLenientNumber("1.25x"), 1.25);
    EXPECT_EQ(readLenientNumber("-.5"), -0.5);
    EXPECT_EQ(readLenientNumber("&H10000"), 65536.0);
    EXPECT_EQ(readLenientNumber("nothing"), 0.0);
    EXPECT_EQ(readLenientNumber("inf"), 0.0);
    EXPECT_EQ(readLenientNumber("1e400"), std::nullopt);
    EXPECT_EQ(readLenientNumber("&H123456789"), std::nullopt);
}
