#include "RuntimeConfiguration.h"

#include "SymbolNames.h"

#include "framework/IniAccess.h"
#include "framework/ProfileFiles.h"
#include "framework/Text.h"

#include <optional>
#include <vector>

namespace engineering {
namespace {

using framework::iniText;
using framework::trimBlanksAndTabs;

constexpr std::string_view kCrLf = "\r\n";
constexpr int kFirstForeignKey = 49;

struct Line {
    std::string_view text;
    std::string_view end; // "" for a last line without one
};

std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
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

std::optional<std::string_view> headerName(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != '[')
        return std::nullopt;
    const auto close = line.rfind(']');
    if (close == std::string_view::npos || close < first)
        return std::nullopt;
    return trimBlanksAndTabs(line.substr(first + 1, close - first - 1));
}

// The SpecialKey number of an entry line, or nothing when the line is no SpecialKey entry.
std::optional<int> specialKeyOf(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos ||
        !framework::equalsIgnoreCase1252(trimBlanksAndTabs(line.substr(0, equals)), "SpecialKey"))
        return std::nullopt;
    std::string_view value = trimBlanksAndTabs(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return framework::leadingProfileInteger(value).value_or(0);
}

void appendKept(std::string& out, const Line& line) {
    out += line.text;
    out += line.end.empty() ? kCrLf : line.end;
}

struct FunctionSection {
    int key = 0;
    bool keyFound = false;
    std::vector<Line> lines; // header first
};

void appendEntry(std::string& out, std::string_view key, const framework::IniValue& value) {
    out += key;
    out += '=';
    out += framework::toWindows1252(iniText(value));
    out += kCrLf;
}

} // namespace

bool isFunctionSectionName(std::string_view name) {
    constexpr std::string_view kPrefix = "Function";
    if (name.size() <= kPrefix.size() ||
        !framework::equalsIgnoreCase1252(name.substr(0, kPrefix.size()), kPrefix))
        return false;
    for (const char c : name.substr(kPrefix.size()))
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string runtimeFunctionSection(int sectionNumber, const EngineeringFunction& f) {
    std::string out = "[Function" + std::to_string(sectionNumber) + "]";
    out += kCrLf;
    appendEntry(out, "WhereICome", f.PWhereICome);
    appendEntry(out, "ExeFunction", f.PExeFunction);
    if (!f.PSymbolName.empty())
        appendEntry(out, "SymbolName", storedSymbolName(f.PSymbolName));
    appendEntry(out, "SpecialKey", f.PSpecialKey);
    appendEntry(out, "Description", f.PDescription);
    appendEntry(out, "PosMode", f.PPosMode);
    appendEntry(out, "PosLeft", f.PPosLeft);
    appendEntry(out, "PosTop", f.PPosTop);
    appendEntry(out, "PosWidth", f.PPosWidth);
    appendEntry(out, "PosHeight", f.PPosHeight);
    appendEntry(out, "RemoteDeskTop", f.PRemoteDeskTop);
    appendEntry(out, "WaitBeforeLogin", f.PWaitBeforeLogin);
    appendEntry(out, "LoginKey", f.PLoginKey);
    appendEntry(out, "WindowName", f.PWindowName);
    appendEntry(out, "WindowName2", f.PWindowName2);
    appendEntry(out, "EndTime", f.PEndTime);
    appendEntry(out, "EndMode", f.PEndMode);
    appendEntry(out, "EndWhenExitWindow", f.PEndWhenExitWindow);
    return out;
}

std::string
rebuildRuntimeConfiguration(std::string_view oldBytes,
                            const std::array<EngineeringFunction, kButtonCount>& buttons) {
    std::string out;
    out.reserve(oldBytes.size() + 512);
    std::vector<FunctionSection> sections;
    bool inFunctionSection = false;

    for (const Line& line : splitLines(oldBytes)) {
        if (const auto name = headerName(line.text)) {
            inFunctionSection = isFunctionSectionName(*name);
            if (inFunctionSection) {
                sections.emplace_back();
                sections.back().lines.push_back(line);
                continue;
            }
        }
        if (!inFunctionSection) {
            appendKept(out, line);
            continue;
        }
        FunctionSection& section = sections.back();
        section.lines.push_back(line);
        if (!section.keyFound) {
            if (const auto key = specialKeyOf(line.text)) {
                section.key = *key;
                section.keyFound = true;
            }
        }
    }

    int number = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const FunctionSection& section = sections[i];
        if (section.key < kFirstForeignKey)
            continue;
        ++number;
        if (i != 0)
            out += kCrLf;
        out += "[Function" + std::to_string(number) + "]";
        out += kCrLf;
        for (std::size_t j = 1; j < section.lines.size(); ++j)
            if (!trimBlanksAndTabs(section.lines[j].text).empty())
                appendKept(out, section.lines[j]);
    }

    for (const EngineeringFunction& function : buttons) {
        if (!function.PEnabled)
            continue;
        out += kCrLf;
        out += runtimeFunctionSection(++number, function);
    }
    return out;
}

} // namespace engineering
