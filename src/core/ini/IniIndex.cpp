#include "IniIndex.h"

#include "platform/Windows1252Text.h"

namespace ini {
namespace {

// FNV-1a over the folded key, started from the section's number.
std::uint64_t hashOf(std::size_t section, std::string_view foldedKey) {
    std::uint64_t hash = 14695981039346656037ull ^ std::uint64_t(section);
    for (const char c : foldedKey)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

std::size_t tableSize(std::size_t lineCount) {
    std::size_t size = 16;
    while (size < 2 * lineCount)
        size *= 2;
    return size;
}

} // namespace

IniIndex::IniIndex(std::size_t lineCount) : slots_(tableSize(lineCount)) {}

void IniIndex::addHeader(std::string_view name1252, std::size_t line) {
    const bool first = sections_.emplace(platform::foldCase1252(name1252), headers_.size()).second;
    current_ = first ? std::optional(headers_.size()) : std::nullopt;
    headers_.push_back(line);
}

void IniIndex::addEntry(std::string_view key1252, std::size_t line) {
    if (current_)
        place(*current_, platform::foldCase1252(key1252), line);
}

// Adds the entry unless the section has that key already (the first wins).
void IniIndex::place(std::size_t section, std::string foldedKey, std::size_t line) {
    const std::uint64_t hash = hashOf(section, foldedKey);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.line == kNone) {
            slot = Slot{hash, line, section, std::move(foldedKey)};
            ++used_;
            return;
        }
        if (slot.hash == hash && slot.section == section && slot.foldedKey == foldedKey)
            return;
    }
}

std::optional<std::size_t> IniIndex::sectionNumber(std::string_view name1252) const {
    const auto found = sections_.find(platform::foldCase1252(name1252));
    if (found == sections_.end())
        return std::nullopt;
    return found->second;
}

std::optional<IniIndex::Range> IniIndex::section(std::string_view name1252) const {
    const auto number = sectionNumber(name1252);
    if (!number)
        return std::nullopt;
    const std::size_t next = *number + 1;
    return Range{headers_[*number], next < headers_.size() ? headers_[next] : kNone};
}

std::size_t IniIndex::entry(std::string_view section1252, std::string_view key1252) const {
    const auto section = sectionNumber(section1252);
    if (!section)
        return kNone;
    const std::string foldedKey = platform::foldCase1252(key1252);
    const std::uint64_t hash = hashOf(*section, foldedKey);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].line != kNone; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == hash && slot.section == *section && slot.foldedKey == foldedKey)
            return slot.line;
    }
    return kNone;
}

bool IniIndex::inserted(std::size_t line, std::string_view section1252, std::string_view key1252) {
    const auto section = sectionNumber(section1252);
    if (!section || 2 * (used_ + 1) > slots_.size())
        return false;
    for (std::size_t& header : headers_)
        header += header >= line ? 1 : 0;
    for (Slot& slot : slots_)
        if (slot.line != kNone && slot.line >= line)
            ++slot.line;
    place(*section, platform::foldCase1252(key1252), line);
    return true;
}

} // namespace ini
