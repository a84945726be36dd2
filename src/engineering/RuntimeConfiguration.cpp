#include "RuntimeConfiguration.h"

#include "SymbolNames.h"

#include "framework/IniAccess.h"
#include "framework/IniLines.h"
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

using Line = framework::IniLine;

// The SpecialKey number of an entry line, or nothing when the line is no SpecialKey entry.
std::optional<int> specialKeyOf(std::string_view line) {
    const auto key = framework::iniEntryKey(line);
    if (!key || !framework::equalsIgnoreCase1252(*key, "SpecialKey"))
        return std::nullopt;
    return framework::leadingProfileInteger(framework::iniEntryValue(line)).value_or(0);
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

    for (const Line& line : framework::splitIniLines(oldBytes)) {
        if (const auto name = framework::iniHeaderName(line.text)) {
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
