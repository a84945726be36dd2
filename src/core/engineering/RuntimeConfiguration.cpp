#include "RuntimeConfiguration.h"

#include "FunctionFields.h"
#include "SymbolNames.h"

#include "ini/IniLines.h"
#include "ini/ProfileFiles.h"
#include "platform/Windows1252Text.h"
#include "run/IniAccess.h"

#include <optional>
#include <string>
#include <vector>

namespace engineering {
namespace {

using ini::IniDocument;
using ini::IniLine;

constexpr std::string_view kCrLf = "\r\n";
constexpr int kFirstForeignKey = 49;

// Whether a section name names a function section ("Function" + digits, any case).
bool isFunctionSectionName(std::string_view name) {
    constexpr std::string_view kPrefix = "Function";
    if (name.size() <= kPrefix.size() ||
        !platform::equalsIgnoreCase1252(name.substr(0, kPrefix.size()), kPrefix))
        return false;
    for (const char c : name.substr(kPrefix.size()))
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The SpecialKey number of an entry line, or nothing when the line is no SpecialKey entry.
std::optional<int> specialKeyOf(std::string_view line) {
    const auto key = ini::iniEntryKey(line);
    if (!key || !platform::equalsIgnoreCase1252(*key, "SpecialKey"))
        return std::nullopt;
    return ini::leadingProfileInteger(ini::iniEntryValue(line)).value_or(0);
}

bool isBlankLine(std::string_view text) {
    return platform::trimBlanksAndTabs(text).empty();
}

// A kept line keeps its end; a last line without one gets CR LF.
void appendKept(IniDocument& document, const IniLine& line) {
    document.appendLine(line.text, line.end.empty() ? kCrLf : line.end);
}

void appendHeader(IniDocument& document, int sectionNumber) {
    document.appendLine("[Function" + std::to_string(sectionNumber) + "]");
}

void appendEntry(IniDocument& document, int sectionNumber, std::string_view key,
                 const run::IniValue& value) {
    const std::string section = "Function" + std::to_string(sectionNumber);
    document.appendLine(std::string(key) + "=" +
                        platform::toWindows1252(writableText(section, key, value)));
}

void appendButtonSection(IniDocument& document, int sectionNumber, const EngineeringFunction& f) {
    appendHeader(document, sectionNumber);
    for (const std::string_view key : kRuntimeFunctionKeys) {
        if (key != "SymbolName")
            appendEntry(document, sectionNumber, key, fieldValue(f, functionField(key)));
        else if (!f.PSymbolName.empty())
            appendEntry(document, sectionNumber, key, storedSymbolName(f.PSymbolName));
    }
}

struct FunctionSection {
    int key = 0;
    bool keyFound = false;
    std::vector<IniLine> lines; // header first
};

} // namespace

IniDocument
rebuildRuntimeConfiguration(std::string_view oldBytes,
                            const std::array<EngineeringFunction, kButtonCount>& buttons,
                            const OtherContentEdit& editOtherContent) {
    IniDocument document;
    std::vector<FunctionSection> sections;
    bool inFunctionSection = false;

    for (const IniLine& line : ini::splitIniLines(oldBytes)) {
        if (const auto name = ini::iniHeaderName(line.text)) {
            inFunctionSection = isFunctionSectionName(*name);
            if (inFunctionSection) {
                sections.emplace_back();
                sections.back().lines.push_back(line);
                continue;
            }
        }
        if (!inFunctionSection) {
            appendKept(document, line);
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

    if (editOtherContent)
        editOtherContent(document);
    // The empty line before a section. A blank line that ends the other
    // content is that line already, so the next rebuild, which keeps it as
    // other content, adds no second one.
    const auto last = document.lastLine();
    bool blankBefore = last && isBlankLine(*last);
    const auto emptyLine = [&] {
        if (!blankBefore)
            document.appendLine("");
        blankBefore = false;
    };

    int number = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const FunctionSection& section = sections[i];
        if (section.key < kFirstForeignKey)
            continue;
        if (i != 0)
            emptyLine();
        blankBefore = false;
        appendHeader(document, ++number);
        for (std::size_t j = 1; j < section.lines.size(); ++j)
            if (!isBlankLine(section.lines[j].text))
                appendKept(document, section.lines[j]);
    }

    for (const EngineeringFunction& function : buttons) {
        if (!function.PEnabled)
            continue;
        emptyLine();
        appendButtonSection(document, ++number, function);
    }
    return document;
}

} // namespace engineering
