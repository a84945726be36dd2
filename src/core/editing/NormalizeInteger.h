#pragma once
// The number boxes of the edit dialog (the four position boxes, the log-on
// wait and the end timeout) accept whatever the operator types and turn it
// into a signed 16-bit number, the way the original platform reads numbers
// out of text.
//
// Reading a number out of text (readLenientNumber):
//  1. Blanks, tabs and line feeds are ignored wherever they stand ("1 2" is
//     12, "- 5" is -5, "&H 1 0" is 16). Every other character counts,
//     carriage returns and non-breaking spaces included.
//  2. A text whose first character is "&" is a radix literal: "&H" (or "&h")
//     followed by hexadecimal digits, "&O" (or "&o") followed by octal
//     digits. Reading stops at the first character that is not a digit of
//     that radix. A literal takes no sign: "-&H10" has no leading number.
//  3. A literal's value is read as the platform reads its integer literals:
//     up to &HFFFF it is a 16-bit two's-complement number (&H7FFF is 32767,
//     &H8000 is -32768, &HFFFF is -1), up to &HFFFFFFFF a 32-bit one
//     (&H10000 is 65536, &HFFFFFFFF is -1, &HFFFF8000 is -32768). Leading
//     zeros do not count. A larger value cannot be read. The same holds for
//     octal (&O177777 is -1).
//  4. Any other text is a decimal number: an optional sign ("+" or "-"),
//     digits with at most one decimal point (a period, whatever the locale),
//     then an optional exponent: "E" or "D" in either case, an optional sign
//     and digits ("1e3" and "1D3" are 1000). At least one digit must stand
//     before or after the point (".5" is 0.5, "5." is 5, "." has no number).
//     An exponent letter without digits after it is not part of the number
//     ("1e" and "1e+" are 1).
//  5. Reading stops at the first character that cannot continue the number
//     ("12abc" is 12, "1.2.3" is 1.2, "+-1" has no number).
//  6. A text without a leading number reads as 0 (empty text, "-", "abc",
//     "&X1", "&H" without digits).
//  7. A decimal number too large or too small in magnitude for a double
//     ("1e400", "1e-400") cannot be read.
//
// Normalizing (NormalizeInteger):
//  1. Read the text as above.
//  2. Round to the nearest whole number, halves to the even neighbour (2.5
//     gives 2, 3.5 gives 4, -2.5 gives -2).
//  3. If the rounded number lies outside -32768..32767, or the text could not
//     be read, the result is 0 (32767.5 rounds to 32768 and gives 0;
//     -32768.5 rounds to -32768 and stays).
//  4. The canonical text is the decimal form of the result: no blanks, a
//     minus sign for negative numbers, no leading zeros ("-0.4" gives "0").
//
// A box stores the number at every change and is rewritten to the canonical
// text when the operator is done with it. Normalizing a canonical text gives
// that text again, so the change handler that runs after the rewrite stores
// the same value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace editing {

// The number at the start of the text (0 when there is none), or nothing when
// it cannot be represented.
std::optional<double> readLenientNumber(std::string_view text);

struct NormalizedInteger {
    std::int16_t value = 0;
    std::string text = "0";

    bool operator==(const NormalizedInteger&) const = default;
};

NormalizedInteger NormalizeInteger(std::string_view boxText);

} // namespace editing
