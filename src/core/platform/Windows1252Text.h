#pragma once
// Text helpers shared by the whole program.
//
// Strings are UTF-8 in memory. Every file the program reads or writes is 8-bit
// Windows-1252 text; the conversion happens only at the file boundary
// (toWindows1252 / fromWindows1252). Each Windows-1252 byte is one code point,
// so character counts and the 254-character read limit are the same on both
// sides. A code point that Windows-1252 cannot hold is written as "?".
//
// Upper case follows the original platform for the characters that
// Windows-1252 holds: ASCII, the Latin-1 letters (except the sharp s, which has
// no single capital) and the pairs S/s, Z/z, OE/oe and Y/y with their marks.
// Case mapping keeps the byte length, so positions found in an upper-cased text
// are valid in the original text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

std::string toWindows1252(std::string_view utf8);
// Whether every byte is below 0x80: such a text reads the same in both.
bool isAscii(std::string_view text);
std::string fromWindows1252(std::string_view bytes);

std::string upperCase(std::string_view utf8);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// The same for Windows-1252 bytes, without conversion.
bool equalsIgnoreCase1252(std::string_view a, std::string_view b);
// Windows-1252 bytes with every letter in upper case (for case-blind lookups).
std::string foldCase1252(std::string_view bytes);
// The same byte by byte: the byte each Windows-1252 byte folds to.
const std::array<unsigned char, 256>& caseFoldTable1252();
// Byte position of the first occurrence of needle in haystack, ignoring case.
std::string_view::size_type findIgnoreCase(std::string_view haystack, std::string_view needle);

// Removes blanks (spaces) at both ends, as the platform's trim functions do.
std::string_view trimBlanks(std::string_view text);
// Removes blanks and tabs at both ends (the INI reader's white space).
std::string_view trimBlanksAndTabs(std::string_view text);
std::string_view trimTrailingBlanks(std::string_view text);

// Number of code points in a UTF-8 text.
std::size_t codePointCount(std::string_view utf8);
// The first count code points of a UTF-8 text.
std::string_view leadingCodePoints(std::string_view utf8, std::size_t count);

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

} // namespace platform
