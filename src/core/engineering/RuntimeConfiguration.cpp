#include "RuntimeConfiguration.h"

#include "SymbolNames.h"

#include "framework/ErrorProtocol.h"
#include "framework/IniAccess.h"
#include "framework/IniDocument.h"
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

// A value with a line break would add lines to the section: the rebuild fails
// rather than write it.
void appendEntryLine(std::string& out, int sectionNumber, std::string_view key,
                     const framework::IniValue& value) {
    const std::string text = iniText(value);
    const std::string section = "Function" + std::to_string(sectionNumber);
    if (const auto refusal = framework::IniDocument::refusal(section, key, text))
        throw framework::Failure(framework::ErrInvalidProcedureCall, *refusal);
    out += key;
    out += '=';
    out += framework::toWindows1252(text);
    out += kCrLf;
}

bool isBlankLine(std::string_view text) {
    return trimBlanksAndTabs(text).empty();
}

// Whether the last line of the bytes is blank (false for no line at all).
bool endsWithBlankLine(std::string_view bytes) {
    if (bytes.empty())
        return false;
    const auto lines = framework::splitIniLines(bytes);
    return isBlankLine(lines.back().text);
}

// The other content after the edits, its last line ended.
std::string editedOtherContent(std::string other, const OtherContentEdit& edit) {
    if (!edit)
        return other;
    framework::IniDocument document = framework::IniDocument::parse(other);
    edit(document);
    other = document.bytes();
    if (!other.empty() && other.back() != '\n' && other.back() != '\r')
        other += kCrLf;
    return other;
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
    const auto appendEntry = [&](std::string_view key, const framework::IniValue& value) {
        appendEntryLine(out, sectionNumber, key, value);
    };
    appendEntry("WhereICome", f.PWhereICome);
    appendEntry("ExeFunction", f.PExeFunction);
    if (!f.PSymbolName.empty())
        appendEntry("SymbolName", storedSymbolName(f.PSymbolName));
    appendEntry("SpecialKey", f.PSpecialKey);
    appendEntry("Description", f.PDescription);
    appendEntry("PosMode", f.PPosMode);
    appendEntry("PosLeft", f.PPosLeft);
    appendEntry("PosTop", f.PPosTop);
    appendEntry("PosWidth", f.PPosWidth);
    appendEntry("PosHeight", f.PPosHeight);
    appendEntry("RemoteDeskTop", f.PRemoteDeskTop);
    appendEntry("WaitBeforeLogin", f.PWaitBeforeLogin);
    appendEntry("LoginKey", f.PLoginKey);
    appendEntry("WindowName", f.PWindowName);
    appendEntry("WindowName2", f.PWindowName2);
    appendEntry("EndTime", f.PEndTime);
    appendEntry("EndMode", f.PEndMode);
    appendEntry("EndWhenExitWindow", f.PEndWhenExitWindow);
    return out;
}

std::string
rebuildRuntimeConfiguration(std::string_view oldBytes,
                            const std::array<EngineeringFunction, kButtonCount>& buttons,
                            const OtherContentEdit& editOtherContent) {
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

    out = editedOtherContent(std::move(out), editOtherContent);
    // The empty line before a section. A blank line that ends the other
    // content is that line already, so the next rebuild, which keeps it as
    // other content, adds no second one.
    bool blankBefore = endsWithBlankLine(out);
    const auto emptyLine = [&] {
        if (!blankBefore)
            out += kCrLf;
    };

    int number = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const FunctionSection& section = sections[i];
        if (section.key < kFirstForeignKey)
            continue;
        ++number;
        if (i != 0)
            emptyLine();
        blankBefore = false;
        out += "[Function" + std::to_string(number) + "]";
        out += kCrLf;
        for (std::size_t j = 1; j < section.lines.size(); ++j)
            if (!isBlankLine(section.lines[j].text))
                appendKept(out, section.lines[j]);
    }

    for (const EngineeringFunction& function : buttons) {
        if (!function.PEnabled)
            continue;
        emptyLine();
        blankBefore = false;
        out += runtimeFunctionSection(++number, function);
    }
    return out;
}

} // namespace engineering
