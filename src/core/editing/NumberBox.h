#pragma once
// A number box of the edit dialog at each change of its text: the number it
// stores and the text it is rewritten to (see NormalizeInteger.h).
//
// When the box is rewritten, the cursor goes behind the canonical form of the
// text in front of it, so typing goes on where it was: a digit typed behind
// "0" replaces it ("07" becomes "7", cursor at the end), a letter typed behind
// "12" drops out again ("12a" becomes "12", cursor at the end), and a lone
// minus sign or an emptied box becomes "0" with the cursor behind it.

#include "NormalizeInteger.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace editing {

struct NumberBoxChange {
    std::int16_t value = 0;
    // Whether the box's text must be replaced by canonicalText.
    bool rewrite = false;
    std::string canonicalText;
    // Cursor position in the canonical text, counted in characters.
    int cursor = 0;
};

// text: the box's text; textBeforeCursor: the part of it in front of the
// cursor (both UTF-8).
NumberBoxChange numberBoxChanged(std::string_view text, std::string_view textBeforeCursor);

} // namespace editing
