#pragma once
// Where the sections and entries of an INI document are, for look-ups
// without regard to letter case (the rules are in IniDocument.h): the first
// section of each name, and in it the first entry of each key. Names are
// given in the file's Windows-1252 bytes, blanks around them removed.
//
// A run asks for about 1,200 keys, hundreds of them in one section of the
// language file, so sections and entries sit in two tables that a look-up
// hashes into, folding the letter case byte by byte as it goes: a look-up
// allocates nothing. The folded names lie end to end in one string.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

class IniIndex {
public:
    static constexpr std::size_t kNone = std::size_t(-1);

    // Room for the entries of a document of that many lines.
    explicit IniIndex(std::size_t lineCount);

    // A header line, in file order; the entries of the first section of a
    // name are indexed, those of a later one are not.
    void addHeader(std::string_view name1252, std::size_t line);
    // An entry line of the section of the last header added.
    void addEntry(std::string_view key1252, std::size_t line);

    // The section's header line and the line after its last one (kNone:
    // the end of the document).
    struct Range {
        std::size_t header;
        std::size_t end;
    };
    std::optional<Range> section(std::string_view name1252) const;
    // The entry's line, or kNone.
    std::size_t entry(std::string_view section1252, std::string_view key1252) const;

    // A line inserted at `line` for a new entry of the section: the lines
    // from there on move down one. False, changing nothing, when the table
    // is full: the document builds a new index then.
    bool inserted(std::size_t line, std::string_view section1252, std::string_view key1252);

private:
    static constexpr std::uint32_t kFree = std::uint32_t(-1);

    // A section (value: its position in headers_) or an entry (value: its
    // line; section: its section's position), named by a stretch of names_.
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t nameStart = 0;
        std::uint32_t nameSize = 0;
        std::uint32_t value = kFree;
        std::uint32_t section = 0;
    };

    static std::uint64_t hashOf(std::uint64_t seed, std::string_view name1252);
    bool names(const Slot& slot, std::uint64_t hash, std::string_view name1252) const;
    std::uint32_t keep(std::string_view name1252);
    // The slot that holds the name, or the free slot where it would go.
    static std::size_t slotFor(const std::vector<Slot>& table, std::uint64_t hash,
                               const auto& matches);
    std::optional<std::size_t> sectionNumber(std::string_view name1252) const;
    void placeEntry(std::size_t section, std::string_view key1252, std::size_t line);

    std::string names_;                // folded names, end to end
    std::vector<std::size_t> headers_; // header lines, in file order
    std::vector<Slot> sections_;       // a power of two, at most half used
    std::size_t sectionsUsed_ = 0;
    std::optional<std::size_t> current_; // the section entries are added to, if indexed
    std::vector<Slot> entries_;          // a power of two, at most half used
    std::size_t entriesUsed_ = 0;
    // The section found last, as it was asked for.
    struct LastSection {
        std::string name;
        std::size_t number;
    };
    mutable std::optional<LastSection> lastSection_;
};

} // namespace ini
