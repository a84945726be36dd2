#include "IniDocument.h"

#include "IniLines.h"
#include "platform/Windows1252Text.h"

namespace ini {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Names are compared as the file holds them: Windows-1252 bytes, case folded.
bool sameName(std::string_view a1252, std::string_view b1252) {
    return platform::equalsIgnoreCase1252(a1252, b1252);
}

bool isBlank(std::string_view line) {
    return platform::trimBlanksAndTabs(line).empty();
}

// A name as asked for, in the file's bytes.
std::string fileName(std::string_view name) {
    return std::string(platform::trimBlanksAndTabs(platform::toWindows1252(name)));
}

bool breaksLines(std::string_view bytes1252) {
    return bytes1252.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument document;
    for (const IniLine& line : splitIniLines(bytes))
        document.lines_.push_back(Line{std::string(line.text), std::string(line.end)});
    return document;
}

const std::vector<IniDocument::Header>& IniDocument::headers() const {
    if (!headersValid_) {
        headers_.clear();
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (const auto name = iniHeaderName(lines_[i].text))
                headers_.push_back(Header{platform::foldCase1252(*name), i});
        headersValid_ = true;
    }
    return headers_;
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view name1252) const {
    const std::string wanted = platform::foldCase1252(name1252);
    const auto& all = headers();
    for (std::size_t h = 0; h < all.size(); ++h) {
        if (all[h].foldedName != wanted)
            continue;
        const std::size_t end = h + 1 < all.size() ? all[h + 1].line : lines_.size();
        return SectionRange{all[h].line, end};
    }
    return std::nullopt;
}

std::size_t IniDocument::findEntry(const SectionRange& range, std::string_view key1252) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto key = iniEntryKey(lines_[i].text);
        if (key && sameName(*key, key1252))
            return i;
    }
    return kNone;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(fileName(section));
    if (!range)
        return std::nullopt;
    const std::size_t entry = findEntry(*range, fileName(key));
    if (entry == kNone)
        return std::nullopt;
    return platform::fromWindows1252(iniEntryValue(lines_[entry].text));
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(fileName(section)).has_value();
}

std::optional<std::string> IniDocument::refusal(std::string_view section, std::string_view key,
                                                std::optional<std::string_view> text) {
    const std::string section1252 = fileName(section);
    if (breaksLines(section1252) || section1252.find(']') != std::string::npos)
        return "invalid section name";
    const auto where = [&] { return "[" + platform::fromWindows1252(section1252) + "]"; };
    const std::string key1252 = fileName(key);
    if (key1252.empty() || key1252.front() == '[' || breaksLines(key1252) ||
        key1252.find('=') != std::string::npos)
        return "invalid key in section " + where();
    if (text && breaksLines(platform::toWindows1252(*text)))
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
    if (refusal(section, key, text))
        return false;
    const std::string section1252 = fileName(section);
    const std::string key1252 = fileName(key);
    const auto range = findSection(section1252);
    const std::size_t entry = range ? findEntry(*range, key1252) : kNone;

    if (!text) {
        if (entry == kNone)
            return false;
        removeLine(entry);
        return true;
    }

    const std::string value1252 = platform::toWindows1252(*text);
    if (entry != kNone) {
        Line& line = lines_[entry];
        std::string replaced = std::string(*iniEntryKey(line.text)) + "=" + value1252;
        if (replaced == line.text && line.end == kLineEnd)
            return false;
        line.text = std::move(replaced);
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
        linesMoved();
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
