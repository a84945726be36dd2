#pragma once
// The line-level rules of INI files, shared by every reader and writer of the
// program (the rules themselves are written down in IniDocument.h):
// splitting into lines with their own ends, recognising a header and its
// name, and an entry's key and value. All work on Windows-1252 bytes.

#include <optional>
#include <string_view>
#include <vector>

namespace ini {

struct IniLine {
    std::string_view text; // without the line end
    std::string_view end;  // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<IniLine> splitIniLines(std::string_view bytes);

// The header name of a line, or nothing when the line is no header.
std::optional<std::string_view> iniHeaderName(std::string_view line);
// The key of an entry line, or nothing when the line holds no "=".
std::optional<std::string_view> iniEntryKey(std::string_view line);
// The value of an entry line: cut at a NUL byte, trimmed, one pair of
// enclosing quotes removed.
std::string_view iniEntryValue(std::string_view line);

} // namespace ini
