#include "IniDocument.h"

#include "IniLines.h"
#include "Text.h"

namespace framework {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Names are compared as the file holds them: Windows-1252 bytes, case folded.
bool sameName(std::string_view a1252, std::string_view b1252) {
    return equalsIgnoreCase1252(a1252, b1252);
}

bool isBlank(std::string_view line) {
    return trimBlanksAndTabs(line).empty();
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
                headers_.push_back(Header{foldCase1252(*name), i});
        headersValid_ = true;
    }
    return headers_;
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view name1252) const {
    const std::string wanted = foldCase1252(name1252);
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
    const auto range = findSection(toWindows1252(section));
    if (!range)
        return std::nullopt;
    const std::size_t entry = findEntry(*range, toWindows1252(key));
    if (entry == kNone)
        return std::nullopt;
    return fromWindows1252(iniEntryValue(lines_[entry].text));
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(toWindows1252(section)).has_value();
}

bool IniDocument::set(std::string_view section, std::string_view key,
                      std::optional<std::string_view> text) {
    const std::string section1252 = toWindows1252(section);
    const std::string key1252 = toWindows1252(key);
    const auto range = findSection(section1252);
    const std::size_t entry = range ? findEntry(*range, key1252) : kNone;

    if (!text) {
        if (entry == kNone)
            return false;
        lines_.erase(lines_.begin() + std::ptrdiff_t(entry));
        linesMoved();
        return true;
    }

    const std::string value1252 = toWindows1252(*text);
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

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

} // namespace framework
