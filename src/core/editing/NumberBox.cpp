#include "NumberBox.h"

#include <algorithm>
#include <utility>

namespace editing {

NumberBoxChange numberBoxChanged(std::string_view text, std::string_view textBeforeCursor) {
    NormalizedInteger normalized = NormalizeInteger(text);
    NumberBoxChange change;
    change.value = normalized.value;
    change.rewrite = normalized.text != text;
    // The canonical text is plain ASCII: one byte is one character.
    const int length = int(normalized.text.size());
    const int before = int(NormalizeInteger(textBeforeCursor).text.size());
    change.cursor = std::clamp(before, 0, length);
    change.canonicalText = std::move(normalized.text);
    return change;
}

} // namespace editing
