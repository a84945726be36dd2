#pragma once
// How an Access (Jet) file stores the values the program reads, decoded into
// what an SQLite database of the program holds: text as UTF-8, dates as ISO
// text, Currency and Single as double-precision numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace presetdb {

// Jet 4 and ACE text: UTF-16 (little endian), or, when it begins with the
// bytes FF FE, "Unicode compression": one byte a character (U+0000..U+00FF)
// until a zero byte switches to two bytes a character and the next one back.
// An odd byte at the end and unpaired surrogates become U+FFFD.
std::string utf8FromJetUnicode(std::string_view stored);
// Jet 3 text, in the Windows code page 1252 of Western European systems.
std::string utf8FromWindows1252(std::string_view stored);

// A Date/Time value (days since 1899-12-30, the fraction the time of day;
// before that day the whole days count back and the fraction still forward)
// as "YYYY-MM-DD HH:MM:SS", to the nearest second. Nothing for a value
// outside the years 100 to 9999, which no Access date holds.
std::optional<std::string> accessDateTimeText(double days);

// Currency: a 64-bit integer of ten-thousandths.
double currencyValue(std::int64_t tenThousandths);
// Single: the double nearest to the shortest decimal that reads back as the
// same single, so 0.1 stays 0.1 rather than 0.100000001490116.
double singleValue(float value);

} // namespace presetdb
