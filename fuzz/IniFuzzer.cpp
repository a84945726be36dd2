// Fuzzes the INI document: a file's bytes and up to three edits, each a
// section, a key and a text or a removal. Aborts when a property fails:
//
//  1. parsing the bytes and writing them back gives the same bytes;
//  2. an edit the document refuses leaves it as it was; any other edit leaves
//     a document that equals a fresh parse of its bytes (what a cache holds
//     is what a new read of the file gives);
//  3. a written entry reads back, from the document and from a fresh parse,
//     as the reader takes its line (trimmed, unquoted, cut at a NUL);
//  4. lines the edit did not touch keep their bytes: besides the entry
//     written or removed and the lines it adds (its section's header, the
//     entry), only line ends change, where a last line lacked one or a CR
//     and an LF came together when a line between them was removed.
//
// Input layout: the file's bytes, and where the input holds two NUL bytes in a
// row, up to three edits after them, separated by NUL bytes: "section \x1F
// key" removes the entry, "section \x1F key \x1F text" writes it. So the INI
// case files of tests/data/ini, the seed corpus, are inputs as they are.

#include "ini/IniDocument.h"
#include "ini/IniLines.h"
#include "platform/Windows1252Text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using ini::IniDocument;
using ini::IniLine;

struct Edit {
    std::string section;
    std::string key;
    std::optional<std::string> text;
};

[[noreturn]] void fail(const char* property) {
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

void require(bool holds, const char* property) {
    if (!holds)
        fail(property);
}

// A name as the document takes it: Windows-1252 bytes, blanks around removed.
std::string fileName(std::string_view name) {
    return std::string(platform::trimBlanksAndTabs(platform::toWindows1252(name)));
}

bool isEntryOf(const IniLine& line, std::string_view key1252) {
    const auto key = ini::iniEntryKey(line.text);
    return key && platform::equalsIgnoreCase1252(*key, key1252);
}

bool isHeaderOf(const IniLine& line, std::string_view section1252) {
    const auto name = ini::iniHeaderName(line.text);
    return name && platform::equalsIgnoreCase1252(*name, section1252);
}

bool sameLine(const IniLine& a, const IniLine& b) {
    return a.text == b.text && a.end == b.end;
}

// A line end that an edit may give a line it did not write.
bool endMayBecome(std::string_view before, std::string_view after) {
    return before == after || (after == "\r\n" && (before.empty() || before == "\r"));
}

void checkUntouchedLinesKept(const std::string& before, const std::string& after,
                             const Edit& edit) {
    const std::vector<IniLine> a = ini::splitIniLines(before);
    const std::vector<IniLine> b = ini::splitIniLines(after);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && sameLine(a[head], b[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           sameLine(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;

    const std::string section1252 = fileName(edit.section);
    const std::string key1252 = fileName(edit.key);
    std::size_t i = head;
    std::size_t j = head;
    int entriesGone = 0;
    int headersAdded = 0;
    int entriesAdded = 0;
    bool crJoined = false;
    while (i < a.size() - tail || j < b.size() - tail) {
        const bool oldLeft = i < a.size() - tail;
        const bool newLeft = j < b.size() - tail;
        if (oldLeft && newLeft && a[i].text == b[j].text && endMayBecome(a[i].end, b[j].end)) {
            crJoined = a[i].end == "\r" && b[j].end == "\r\n";
            ++i;
            ++j;
        } else if (oldLeft && entriesGone == 0 && isEntryOf(a[i], key1252)) {
            ++entriesGone;
            ++i;
        } else if (oldLeft && !edit.text && crJoined && a[i].text.empty() && a[i].end == "\n") {
            crJoined = false;
            ++i;
        } else if (newLeft && edit.text && b[j].end == "\r\n" && headersAdded == 0 &&
                   isHeaderOf(b[j], section1252)) {
            ++headersAdded;
            ++j;
        } else if (newLeft && edit.text && b[j].end == "\r\n" && entriesAdded == 0 &&
                   isEntryOf(b[j], key1252)) {
            ++entriesAdded;
            ++j;
        } else {
            fail("a line the edit did not touch changed");
        }
    }
}

void checkEdit(IniDocument& document, const Edit& edit) {
    const std::string before = document.bytes();
    const auto refusal = IniDocument::refusal(edit.section, edit.key, edit.text);
    const bool changed = document.set(edit.section, edit.key, edit.text);
    const std::string after = document.bytes();
    if (refusal) {
        require(!changed && after == before, "a refused edit changed the document");
        return;
    }
    require(changed == (after != before), "set() tells whether the bytes changed");

    const IniDocument fresh = IniDocument::parse(after);
    require(fresh == document, "the document equals a fresh parse of its bytes");
    if (edit.text) {
        const std::string line = "=" + platform::toWindows1252(*edit.text);
        const std::string expected = platform::fromWindows1252(ini::iniEntryValue(line));
        require(document.value(edit.section, edit.key) == expected,
                "a written entry reads back from the document");
        require(fresh.value(edit.section, edit.key) == expected,
                "a written entry reads back from a fresh parse");
    }
    checkUntouchedLinesKept(before, after, edit);
}

// The parts of text between separators.
std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t fileEnd = std::min(input.find(std::string_view("\0\0", 2)), size);
    std::vector<Edit> edits;
    if (fileEnd < size) {
        for (const std::string_view edit : split(input.substr(fileEnd + 2), '\0')) {
            const std::vector<std::string_view> parts = split(edit, '\x1F');
            if (edits.size() == 3 || parts.size() < 2)
                break;
            edits.push_back(
                {std::string(parts[0]), std::string(parts[1]),
                 parts.size() > 2 ? std::optional<std::string>(parts[2]) : std::nullopt});
        }
    }
    const std::string file(input.substr(0, fileEnd));

    IniDocument document = IniDocument::parse(file);
    require(document.bytes() == file, "parse then bytes() gives the same bytes");
    for (const Edit& edit : edits)
        checkEdit(document, edit);
    return 0;
}
