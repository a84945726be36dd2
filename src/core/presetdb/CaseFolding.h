#pragma once
// Upper-casing for the preset tables' texts, which are compared without
// regard to letter case on every row: platform::upperCase, without its
// character decoding where a text is plain ASCII (as nearly all are).

#include "platform/Windows1252Text.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace presetdb {

// Upper-cases ASCII text in place; false, with the text left as it was,
// for any other.
template <class Byte> bool upperCaseAscii(std::span<Byte> text) {
    if (std::any_of(text.begin(), text.end(), [](Byte c) { return (c & 0x80) != 0; }))
        return false;
    for (Byte& c : text)
        if (c >= 'a' && c <= 'z')
            c = Byte(c - 'a' + 'A');
    return true;
}

// Into a string whose room is reused.
inline void upperCaseInto(std::string& upper, std::string_view text) {
    upper.assign(text);
    if (!upperCaseAscii(std::span(upper)))
        upper = platform::upperCase(text);
}

inline std::string upperCased(std::string_view text) {
    std::string upper;
    upperCaseInto(upper, text);
    return upper;
}

} // namespace presetdb
