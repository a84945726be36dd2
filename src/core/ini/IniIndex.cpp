#include "IniIndex.h"

#include "platform/Windows1252Text.h"

namespace ini {
namespace {

constexpr std::uint64_t kSectionSeed = 0x5EC7;
// Looked up once: every name hashed or compared goes through it byte by byte.
const std::array<unsigned char, 256>& kFold = platform::caseFoldTable1252();

std::size_t tableSize(std::size_t count) {
    std::size_t size = 16;
    while (size < 2 * count)
        size *= 2;
    return size;
}

} // namespace

IniIndex::IniIndex(std::size_t lineCount) : sections_(16), entries_(tableSize(lineCount)) {}

// FNV-1a over the folded name, started from the seed.
std::uint64_t IniIndex::hashOf(std::uint64_t seed, std::string_view name1252) {
    std::uint64_t hash = 14695981039346656037ull ^ seed;
    for (const char c : name1252)
        hash = (hash ^ kFold[static_cast<unsigned char>(c)]) * 1099511628211ull;
    return hash;
}

bool IniIndex::names(const Slot& slot, std::uint64_t hash, std::string_view name1252) const {
    if (slot.hash != hash || slot.nameSize != name1252.size())
        return false;
    const char* folded = names_.data() + slot.nameStart;
    for (std::size_t i = 0; i < name1252.size(); ++i)
        if (folded[i] != static_cast<char>(kFold[static_cast<unsigned char>(name1252[i])]))
            return false;
    return true;
}

std::uint32_t IniIndex::keep(std::string_view name1252) {
    const std::size_t start = names_.size();
    names_.resize(start + name1252.size());
    char* folded = names_.data() + start;
    for (std::size_t i = 0; i < name1252.size(); ++i)
        folded[i] = static_cast<char>(kFold[static_cast<unsigned char>(name1252[i])]);
    return std::uint32_t(start);
}

std::size_t IniIndex::slotFor(const std::vector<Slot>& table, std::uint64_t hash,
                              const auto& matches) {
    const std::size_t mask = table.size() - 1;
    std::size_t i = hash & mask;
    while (table[i].value != kFree && !matches(table[i]))
        i = (i + 1) & mask;
    return i;
}

void IniIndex::addHeader(std::string_view name1252, std::size_t line) {
    const std::uint64_t hash = hashOf(kSectionSeed, name1252);
    const auto matches = [&](const Slot& slot) { return names(slot, hash, name1252); };
    std::size_t i = slotFor(sections_, hash, matches);
    current_.reset();
    if (sections_[i].value == kFree) {
        if (2 * (sectionsUsed_ + 1) > sections_.size()) {
            std::vector<Slot> grown(2 * sections_.size());
            for (const Slot& slot : sections_)
                if (slot.value != kFree)
                    grown[slotFor(grown, slot.hash, [](const Slot&) { return false; })] = slot;
            sections_ = std::move(grown);
            i = slotFor(sections_, hash, matches);
        }
        sections_[i] = Slot{hash, keep(name1252), std::uint32_t(name1252.size()),
                            std::uint32_t(headers_.size()), 0};
        ++sectionsUsed_;
        current_ = headers_.size();
    }
    headers_.push_back(line);
}

void IniIndex::addEntry(std::string_view key1252, std::size_t line) {
    if (current_)
        placeEntry(*current_, key1252, line);
}

// Adds the entry unless the section has that key already (the first wins).
void IniIndex::placeEntry(std::size_t section, std::string_view key1252, std::size_t line) {
    const std::uint64_t hash = hashOf(section, key1252);
    const std::size_t i = slotFor(entries_, hash, [&](const Slot& slot) {
        return slot.section == section && names(slot, hash, key1252);
    });
    if (entries_[i].value != kFree)
        return;
    entries_[i] = Slot{hash, keep(key1252), std::uint32_t(key1252.size()), std::uint32_t(line),
                       std::uint32_t(section)};
    ++entriesUsed_;
}

std::optional<std::size_t> IniIndex::sectionNumber(std::string_view name1252) const {
    // Keys are mostly asked for section by section.
    if (lastSection_ && name1252 == lastSection_->name)
        return lastSection_->number;
    const std::uint64_t hash = hashOf(kSectionSeed, name1252);
    const Slot& slot = sections_[slotFor(
        sections_, hash, [&](const Slot& candidate) { return names(candidate, hash, name1252); })];
    if (slot.value == kFree)
        return std::nullopt;
    lastSection_ = LastSection{std::string(name1252), slot.value};
    return slot.value;
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
    const std::uint64_t hash = hashOf(*section, key1252);
    const Slot& slot = entries_[slotFor(entries_, hash, [&](const Slot& candidate) {
        return candidate.section == *section && names(candidate, hash, key1252);
    })];
    return slot.value == kFree ? kNone : slot.value;
}

bool IniIndex::inserted(std::size_t line, std::string_view section1252, std::string_view key1252) {
    const auto section = sectionNumber(section1252);
    if (!section || 2 * (entriesUsed_ + 1) > entries_.size())
        return false;
    for (std::size_t& header : headers_)
        header += header >= line ? 1 : 0;
    for (Slot& slot : entries_)
        if (slot.value != kFree && slot.value >= line)
            ++slot.value;
    placeEntry(*section, key1252, line);
    return true;
}

} // namespace ini
