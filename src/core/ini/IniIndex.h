#pragma once
// Where the sections and entries of an INI document are, for look-ups
// without regard to letter case (the rules are in IniDocument.h): the first
// section of each name, and in it the first entry of each key. Names are
// given in the file's Windows-1252 bytes, blanks around them removed.
//
// A run asks for about 1,200 keys, hundreds of them in one section of the
// language file, so the entries sit in one table that a look-up hashes into:
// building it takes one pass over the lines and one allocation.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t line = kNone; // kNone: a free slot
        std::size_t section = 0;  // position in headers_
        std::string foldedKey;
    };

    std::optional<std::size_t> sectionNumber(std::string_view name1252) const;
    void place(std::size_t section, std::string foldedKey, std::size_t line);

    std::vector<std::size_t> headers_;                      // header lines, in file order
    std::unordered_map<std::string, std::size_t> sections_; // folded name -> first header
    std::optional<std::size_t> current_; // the section entries are added to, if indexed
    std::vector<Slot> slots_;            // a power of two, at most half used
    std::size_t used_ = 0;
};

} // namespace ini
