#include "IniLines.h"

#include "platform/Windows1252Text.h"

namespace ini {

std::vector<IniLine> splitIniLines(std::string_view bytes) {
    std::vector<IniLine> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // A loop rather than find_first_of, which searches its set per byte.
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == bytes.size()) {
            lines.push_back({bytes.substr(pos), {}});
            break;
        }
        const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        const std::size_t endLength = crlf ? 2 : 1;
        lines.push_back({bytes.substr(pos, end - pos), bytes.substr(end, endLength)});
        pos = end + endLength;
    }
    return lines;
}

std::optional<std::string_view> iniHeaderName(std::string_view line) {
    std::size_t first = 0;
    while (first < line.size() && (line[first] == ' ' || line[first] == '\t'))
        ++first;
    if (first == line.size() || line[first] != '[')
        return std::nullopt;
    const auto close = line.rfind(']');
    if (close == std::string_view::npos || close < first)
        return std::nullopt;
    return platform::trimBlanksAndTabs(line.substr(first + 1, close - first - 1));
}

std::optional<std::string_view> iniEntryKey(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return platform::trimBlanksAndTabs(line.substr(0, equals));
}

std::string_view iniEntryValue(std::string_view line) {
    std::string_view value = line.substr(line.find('=') + 1);
    value = platform::trimBlanksAndTabs(value.substr(0, value.find('\0')));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace ini
