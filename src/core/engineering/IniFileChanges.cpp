#include "IniFileChanges.h"

#include "EngineeringFunction.h"
#include "ReportText.h"

#include "ini/IniLines.h"
#include "ini/ProfileFiles.h"
#include "platform/Windows1252Text.h"

#include <algorithm>
#include <optional>

namespace engineering {
namespace {

struct Entry {
    std::string_view key; // Windows-1252, as spelled
    std::string folded;
    std::string_view value;
};

struct Section {
    std::string_view name; // Windows-1252, as spelled
    std::string folded;
    std::vector<Entry> entries;
    std::string label;    // as the report names it
    std::string identity; // what names the same section in the other version
};

const Entry* findEntry(const Section& section, std::string_view folded) {
    const auto found = std::find_if(section.entries.begin(), section.entries.end(),
                                    [&](const Entry& entry) { return entry.folded == folded; });
    return found == section.entries.end() ? nullptr : &*found;
}

// The sections the reader sees: the first of equal sections, the first of
// equal keys in each.
std::vector<Section> sectionsOf(std::string_view bytes) {
    std::vector<Section> sections;
    Section* current = nullptr;
    for (const ini::IniLine& line : ini::splitIniLines(bytes)) {
        if (const auto name = ini::iniHeaderName(line.text)) {
            const std::string folded = platform::foldCase1252(*name);
            const bool seen = std::any_of(sections.begin(), sections.end(),
                                          [&](const Section& s) { return s.folded == folded; });
            current = seen ? nullptr : &sections.emplace_back(Section{*name, folded, {}, {}, {}});
            continue;
        }
        const auto key = ini::iniEntryKey(line.text);
        if (!current || !key)
            continue;
        std::string folded = platform::foldCase1252(*key);
        if (!findEntry(*current, folded))
            current->entries.push_back({*key, std::move(folded), ini::iniEntryValue(line.text)});
    }
    return sections;
}

bool isFunctionSectionName(std::string_view folded) {
    constexpr std::string_view kPrefix = "FUNCTION";
    return folded.size() > kPrefix.size() && folded.starts_with(kPrefix) &&
           std::all_of(folded.begin() + kPrefix.size(), folded.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The button a function section holds, by its SpecialKey.
std::optional<int> buttonOf(const Section& section) {
    if (!isFunctionSectionName(section.folded))
        return std::nullopt;
    const Entry* key = findEntry(section, platform::foldCase1252("SpecialKey"));
    const auto number = key ? ini::leadingProfileInteger(key->value) : std::nullopt;
    if (!number || *number < 1 || *number > int(kButtonCount))
        return std::nullopt;
    return *number;
}

void nameSections(std::vector<Section>& sections, bool functionFile) {
    std::vector<int> buttons;
    for (Section& section : sections) {
        const auto button = functionFile ? buttonOf(section) : std::nullopt;
        if (button && std::find(buttons.begin(), buttons.end(), *button) == buttons.end()) {
            buttons.push_back(*button);
            section.label = section.identity = "button " + std::to_string(*button);
        } else {
            section.label = "[" + reportText(platform::fromWindows1252(section.name)) + "]";
            section.identity = "[" + section.folded + "]";
        }
    }
}

std::string shownKey(const Entry& entry) {
    return reportText(platform::fromWindows1252(entry.key));
}

std::string shownValue(const Entry* entry) {
    return entry ? quotedReportText(platform::fromWindows1252(entry->value)) : "(none)";
}

void listEntries(const Section& section, std::vector<std::string>& lines) {
    for (const Entry& entry : section.entries)
        lines.push_back("  " + shownKey(entry) + ": " + shownValue(&entry));
}

std::vector<std::string> changedEntryLines(const Section& before, const Section& after) {
    std::vector<std::string> lines;
    for (const Entry& entry : after.entries) {
        const Entry* old = findEntry(before, entry.folded);
        if (!old || old->value != entry.value)
            lines.push_back("  " + shownKey(entry) + ": " + shownValue(old) + " -> " +
                            shownValue(&entry));
    }
    for (const Entry& entry : before.entries)
        if (!findEntry(after, entry.folded))
            lines.push_back("  " + shownKey(entry) + ": " + shownValue(&entry) + " -> (none)");
    return lines;
}

const Section* findSection(const std::vector<Section>& sections, const std::string& identity) {
    const auto found = std::find_if(sections.begin(), sections.end(),
                                    [&](const Section& s) { return s.identity == identity; });
    return found == sections.end() ? nullptr : &*found;
}

} // namespace

bool isReportedIniFile(std::string_view fileName) {
    return platform::endsWithIgnoreCase(fileName, ".int") ||
           platform::endsWithIgnoreCase(fileName, ".cfg") ||
           platform::endsWithIgnoreCase(fileName, ".ini");
}

std::vector<std::string> iniFileChangeLines(std::string_view fileName, std::string_view oldBytes,
                                            std::string_view newBytes) {
    const bool functionFile = platform::endsWithIgnoreCase(fileName, ".int") ||
                              platform::endsWithIgnoreCase(fileName, ".cfg");
    std::vector<Section> before = sectionsOf(oldBytes);
    std::vector<Section> after = sectionsOf(newBytes);
    nameSections(before, functionFile);
    nameSections(after, functionFile);

    const std::string file = reportText(fileName) + ", ";
    std::vector<std::string> lines;
    for (const Section& section : after) {
        const Section* old = findSection(before, section.identity);
        if (!old) {
            lines.push_back(file + section.label + " added:");
            listEntries(section, lines);
            continue;
        }
        const std::vector<std::string> changed = changedEntryLines(*old, section);
        if (changed.empty())
            continue;
        lines.push_back(file + section.label + " changed:");
        lines.insert(lines.end(), changed.begin(), changed.end());
    }
    for (const Section& section : before) {
        if (findSection(after, section.identity))
            continue;
        lines.push_back(file + section.label + " removed:");
        listEntries(section, lines);
    }
    return lines;
}

} // namespace engineering
