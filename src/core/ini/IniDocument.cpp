#include "IniDocument.h"

#include "IniLines.h"
#include "platform/Windows1252Text.h"

namespace ini {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(std::string_view line) {
    return platform::trimBlanksAndTabs(line).empty();
}

// A name as asked for, in the file's bytes.
std::string fileName(std::string_view name) {
    return std::string(platform::trimBlanksAndTabs(platform::toWindows1252(name)));
}

bool breaksLines(std::string_view bytes1252) {
    for (const char c : bytes1252)
        if (c == '\r' || c == '\n' || c == '\0')
            return true;
    return false;
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument document;
    for (const IniLine& line : splitIniLines(bytes))
        document.lines_.push_back(Line{std::string(line.text), std::string(line.end)});
    return document;
}

namespace {

// The index's name of an entry: section and key in the file's bytes, folded.
std::string entryName(std::string_view section1252, std::string_view key1252) {
    std::string name;
    name.reserve(section1252.size() + 1 + key1252.size());
    platform::appendFoldedCase1252(name, section1252);
    name += '\n';
    platform::appendFoldedCase1252(name, key1252);
    return name;
}

// The same for a section and key as asked for (UTF-8, blanks around them).
std::string askedEntryName(std::string_view section, std::string_view key) {
    std::string name;
    name.reserve(section.size() + 1 + key.size());
    platform::appendFoldedCase1252(name, fileName(section));
    name += '\n';
    platform::appendFoldedCase1252(name, fileName(key));
    return name;
}

} // namespace

const IniDocument::Index& IniDocument::index() const {
    if (index_.index)
        return *index_.index;
    Index& built = index_.index.emplace();
    built.entries.reserve(lines_.size()); // at most one entry a line: no rehashing
    bool searched = false;                // whether the current section is the first of its name
    std::string_view section;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = iniHeaderName(lines_[i].text)) {
            section = *name;
            std::string folded = platform::foldCase1252(section);
            searched = built.sections.emplace(folded, built.headers.size()).second;
            built.headers.push_back(Header{std::move(folded), i});
        } else if (searched) {
            if (const auto key = iniEntryKey(lines_[i].text))
                built.entries.emplace(entryName(section, *key), i);
        }
    }
    return built;
}

void IniDocument::lineInserted(std::size_t line, std::string_view section1252,
                               std::string_view key1252) {
    if (!index_.index)
        return;
    for (Header& header : index_.index->headers)
        header.line += header.line >= line ? 1 : 0;
    for (auto& entry : index_.index->entries)
        entry.second += entry.second >= line ? 1 : 0;
    index_.index->entries.emplace(entryName(section1252, key1252), line);
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view name1252) const {
    const Index& all = index();
    const auto found = all.sections.find(platform::foldCase1252(name1252));
    if (found == all.sections.end())
        return std::nullopt;
    const std::size_t h = found->second;
    const std::size_t end = h + 1 < all.headers.size() ? all.headers[h + 1].line : lines_.size();
    return SectionRange{all.headers[h].line, end};
}

std::size_t IniDocument::findEntry(std::string_view section1252, std::string_view key1252) const {
    const Index& all = index();
    const auto found = all.entries.find(entryName(section1252, key1252));
    return found == all.entries.end() ? kNone : found->second;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Index& all = index();
    const auto found = all.entries.find(askedEntryName(section, key));
    if (found == all.entries.end())
        return std::nullopt;
    const std::size_t entry = found->second;
    return platform::fromWindows1252(iniEntryValue(lines_[entry].text));
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(fileName(section)).has_value();
}

std::optional<std::string> IniDocument::refusal(std::string_view section, std::string_view key,
                                                std::optional<std::string_view> text) {
    return refusalOf(fileName(section), fileName(key),
                     text ? std::optional(platform::toWindows1252(*text)) : std::nullopt);
}

std::optional<std::string> IniDocument::refusalOf(std::string_view section1252,
                                                  std::string_view key1252,
                                                  const std::optional<std::string>& text1252) {
    if (breaksLines(section1252) || section1252.find(']') != std::string::npos)
        return "invalid section name";
    const auto where = [&] { return "[" + platform::fromWindows1252(section1252) + "]"; };
    if (key1252.empty() || key1252.front() == '[' || breaksLines(key1252) ||
        key1252.find('=') != std::string::npos)
        return "invalid key in section " + where();
    if (text1252 && breaksLines(*text1252))
        return "the value of " + where() + " " + platform::fromWindows1252(key1252) +
               " holds a line break";
    return std::nullopt;
}

void IniDocument::removeLine(std::size_t index) {
    lines_.erase(lines_.begin() + std::ptrdiff_t(index));
    // "\r" and a following "\n" would read as one line end.
    if (index > 0 && index < lines_.size() && lines_[index - 1].end == "\r" &&
        lines_[index].text.empty() && lines_[index].end == "\n") {
        lines_[index - 1].end = kLineEnd;
        lines_.erase(lines_.begin() + std::ptrdiff_t(index));
    }
    linesMoved();
}

bool IniDocument::set(std::string_view section, std::string_view key,
                      std::optional<std::string_view> text) {
    const std::string section1252 = fileName(section);
    const std::string key1252 = fileName(key);
    const std::optional<std::string> text1252 =
        text ? std::optional(platform::toWindows1252(*text)) : std::nullopt;
    if (refusalOf(section1252, key1252, text1252))
        return false;
    const std::size_t entry = findEntry(section1252, key1252);

    const auto range = entry == kNone ? findSection(section1252) : std::nullopt;
    if (!text) {
        if (entry == kNone)
            return false;
        removeLine(entry);
        return true;
    }

    const std::string& value1252 = *text1252;
    if (entry != kNone) {
        Line& line = lines_[entry];
        const std::string_view lineKey = *iniEntryKey(line.text);
        // Unchanged when the line already reads "Key=value" (compared in place:
        // most writes of a run store what the file holds).
        const std::string_view now = line.text;
        if (line.end == kLineEnd && now.starts_with(lineKey) && now.size() > lineKey.size() &&
            now[lineKey.size()] == '=' && now.substr(lineKey.size() + 1) == value1252)
            return false;
        line.text = std::string(lineKey) + "=" + value1252;
        line.end = kLineEnd;
        return true;
    }

    Line newEntry{key1252 + "=" + value1252, std::string(kLineEnd)};
    if (range) {
        std::size_t last = range->end - 1;
        while (last > range->header && isBlank(lines_[last].text))
            --last;
        if (lines_[last].end.empty())
            lines_[last].end = kLineEnd;
        lines_.insert(lines_.begin() + std::ptrdiff_t(last + 1), std::move(newEntry));
        lineInserted(last + 1, section1252, key1252);
        return true;
    }

    if (!lines_.empty() && lines_.back().end.empty())
        lines_.back().end = kLineEnd;
    lines_.push_back(Line{"[" + section1252 + "]", std::string(kLineEnd)});
    lines_.push_back(std::move(newEntry));
    linesMoved();
    return true;
}

bool IniDocument::appendLine(std::string_view text1252, std::string_view end) {
    if (text1252.find_first_of("\r\n") != std::string_view::npos ||
        (end != kLineEnd && end != "\n" && end != "\r"))
        return false;
    if (!lines_.empty()) {
        Line& last = lines_.back();
        if (last.end.empty() || (last.end == "\r" && text1252.empty() && end == "\n")) {
            const bool joined = !last.end.empty();
            last.end = kLineEnd;
            if (joined)
                return true;
        }
    }
    lines_.push_back(Line{std::string(text1252), std::string(end)});
    linesMoved();
    return true;
}

std::optional<std::string_view> IniDocument::lastLine() const {
    if (lines_.empty())
        return std::nullopt;
    return lines_.back().text;
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

} // namespace ini
