#pragma once
// One INI file held in memory, read and edited by the rules of the original
// platform's profile functions. These are the rules, all in one place:
//
// Lines
//  - Lines end with CR LF, LF or CR alone; the last line may lack an end.
//  - Every byte of a line that is not written stays exactly as it was: an
//    edit never rewrites the file in a canonical form.
//  - Lines written by an edit end with CR LF.
//
// Names asked for
//  - The section and key handed to value(), hasSection() and set() are taken
//    with blanks and tabs at both ends removed: " Pad " is section "Pad".
//
// Sections
//  - A header is a line whose first character other than blanks and tabs is
//    "[" and that has a "]" after it. The name runs from the "[" to the last
//    "]" on the line, with blanks and tabs at both ends removed; blanks inside
//    the name count. A line with "[" but no "]" is no header.
//  - Lines before the first header belong to no section and are never found.
//  - Names are compared without regard to letter case. Of two equal headers
//    only the first section is searched and written.
//
// Entries
//  - An entry is a line of a section that holds "="; a line without one is no
//    entry. Its key is the text before the first "=" with blanks and tabs at
//    both ends removed, compared without regard to letter case.
//  - Lines starting with ";" or "#" have no special meaning: they are ordinary
//    lines, entries only if they hold "=" (under a key nobody asks for).
//  - The value is everything after the first "=" up to a NUL byte (a NUL ends
//    the value), with blanks and tabs at both ends removed, then one pair of
//    matching enclosing quotes ("..." or '...') removed; an unbalanced quote
//    stays. "=", "[", "]", ";" and "#" inside a
//    value are literal.
//  - Of two equal keys in a section the first wins for reading, replacing and
//    deleting.
//
// Writing (set)
//  - An existing entry gets its value replaced in place: the line keeps its
//    position and the key its spelling ("Key=value").
//  - A new entry is added as "key=value" right after the last non-blank line
//    of its section; blank lines before the next section stay where they are.
//  - A new section is appended at the end of the file as "[Name]" and the
//    entry, with no blank line before it (and a line break first when the last
//    line lacked one).
//  - A missing text (std::nullopt) removes the entry; an absent entry is no
//    error. An empty text writes "key=". Removing a line never lets the bytes
//    around it read as other lines (a line ended by CR alone followed by an
//    empty line ended by LF become one line ended by CR LF).
//  - An edit that would add or break lines is refused: the document stays as
//    it is. Refused are a section name holding "]", CR, LF or NUL; a key that
//    is empty, starts with "[", or holds "=", CR, LF or NUL; a text holding
//    CR, LF or NUL. The test is made on the Windows-1252 bytes, after the
//    blanks around the names are removed.
//
// Building (appendLine)
//  - A line is appended with its own end ("\r\n", "\n" or "\r"), for a
//    writer that produces a whole file line by line. A line before it that
//    had no end gets "\r\n". A text holding CR or LF is refused. An empty
//    line ended by LF after a line ended by CR alone would read as that
//    line's end: that line gets "\r\n" instead.
//
//  - So a document always equals what a fresh parse of its bytes gives, and
//    an entry written reads back as the reader takes its line (trimmed,
//    unquoted).
//
// The document keeps the file's 8-bit Windows-1252 bytes; its interface takes
// and gives UTF-8 text and converts at this boundary.

#include "IniIndex.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

class IniDocument {
public:
    IniDocument() = default;
    static IniDocument parse(std::string_view bytes);

    // The value of an entry (UTF-8, whole length), or nothing when the
    // section or the entry does not exist.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;

    // Sets (or with std::nullopt removes) an entry. Returns true when the
    // document changed; false also for a refused edit.
    bool set(std::string_view section, std::string_view key, std::optional<std::string_view> text);

    // Why set() refuses an edit, in a few words naming section and key where
    // they are valid; nothing when the edit can be made.
    static std::optional<std::string> refusal(std::string_view section, std::string_view key,
                                              std::optional<std::string_view> text);

    // Appends a line (Windows-1252 bytes) by the building rules above.
    // Returns false, changing nothing, for a refused line.
    bool appendLine(std::string_view text1252, std::string_view end = "\r\n");
    // The text of the last line, without its end; nothing for an empty document.
    std::optional<std::string_view> lastLine() const;

    // The file's bytes.
    std::string bytes() const;
    bool empty() const { return lines_.empty(); }
    // Line by line, with every line's end.
    bool operator==(const IniDocument& other) const { return lines_ == other.lines_; }

private:
    struct Line {
        std::string text; // Windows-1252 bytes without the line end
        std::string end;  // "\r\n", "\n", "\r" or "" for a last line without one
        bool operator==(const Line&) const = default;
    };
    struct SectionRange {
        std::size_t header; // index of the header line
        std::size_t end;    // index after the section's last line
    };

    static std::optional<std::string> refusalOf(std::string_view section1252,
                                                std::string_view key1252,
                                                const std::optional<std::string>& text1252);
    std::optional<SectionRange> findSection(std::string_view name1252) const;
    // Index of the entry's line in the section's first header, or kNone.
    std::size_t findEntry(std::string_view section1252, std::string_view key1252) const;
    static constexpr std::size_t kNone = std::size_t(-1);

    // Built on first use after a change of the line structure, and kept
    // when an entry is added to a section. Held so that a copy of the
    // document starts without one: most copies are kept only to be compared
    // or written back.
    struct IndexSlot {
        std::optional<IniIndex> index;
        IndexSlot() = default;
        IndexSlot(const IndexSlot&) {}
        IndexSlot(IndexSlot&&) = default;
        IndexSlot& operator=(const IndexSlot&) {
            index.reset();
            return *this;
        }
        IndexSlot& operator=(IndexSlot&&) = default;
    };
    const IniIndex& index() const;
    void linesMoved() { index_.index.reset(); }
    void lineInserted(std::size_t line, std::string_view section1252, std::string_view key1252);
    void removeLine(std::size_t index);

    std::vector<Line> lines_;
    mutable IndexSlot index_;
};

} // namespace ini
