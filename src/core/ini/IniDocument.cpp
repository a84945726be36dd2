#include "IniDocument.h"

#include "IniLines.h"
#include "platform/Windows1252Text.h"

namespace ini {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(std::string_view line) {
    return platform::trimBlanksAndTabs(line).empty();
}

// A name as asked for, in the file's bytes: most names are ASCII, which are
// their own bytes and are not copied.
class FileName {
public:
    explicit FileName(std::string_view name) {
        if (!platform::isAscii(name)) {
            converted_ = platform::toWindows1252(name);
            name = converted_;
        }
        bytes_ = platform::trimBlanksAndTabs(name);
    }
    FileName(const FileName&) = delete;
    FileName& operator=(const FileName&) = delete;
    operator std::string_view() const { return bytes_; }
    std::string text() const { return std::string(bytes_); }

private:
    std::string converted_;
    std::string_view bytes_;
};

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

const IniIndex& IniDocument::index() const {
    if (index_.index)
        return *index_.index;
    IniIndex& built = index_.index.emplace(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = iniHeaderName(lines_[i].text))
            built.addHeader(*name, i);
        else if (const auto key = iniEntryKey(lines_[i].text))
            built.addEntry(*key, i);
    }
    return built;
}

void IniDocument::lineInserted(std::size_t line, std::string_view section1252,
                               std::string_view key1252) {
    if (index_.index && !index_.index->inserted(line, section1252, key1252))
        linesMoved();
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view name1252) const {
    const auto range = index().section(name1252);
    if (!range)
        return std::nullopt;
    return SectionRange{range->header, range->end == IniIndex::kNone ? lines_.size() : range->end};
}

std::size_t IniDocument::findEntry(std::string_view section1252, std::string_view key1252) const {
    return index().entry(section1252, key1252);
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const std::size_t entry = findEntry(FileName(section), FileName(key));
    if (entry == kNone)
        return std::nullopt;
    return platform::fromWindows1252(iniEntryValue(lines_[entry].text));
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(FileName(section)).has_value();
}

std::optional<std::string> IniDocument::refusal(std::string_view section, std::string_view key,
                                                std::optional<std::string_view> text) {
    return refusalOf(FileName(section), FileName(key),
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
    const FileName section1252(section);
    const FileName key1252(key);
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

    Line newEntry{key1252.text() + "=" + value1252, std::string(kLineEnd)};
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
    lines_.push_back(Line{"[" + section1252.text() + "]", std::string(kLineEnd)});
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
