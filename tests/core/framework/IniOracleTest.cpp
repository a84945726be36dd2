// The program's INI layer against the platform's own profile functions, on
// Windows only: every file is read by both, and every edit is made by both on
// two copies of a file, each copy then read back by both. They must agree on
// the rules ProfileFiles.h and IniDocument.h write down.
//
// Only what is read is compared, not the bytes written: the platform (as Wine
// has it) rewrites the whole file, dropping blank lines, ending every line with
// CR LF and dropping the blanks before a written value, where the program keeps
// every line it does not write. Where the platform reads differently from the
// rules, the case is left out below with the difference named.

#include "framework/ProfileFiles.h"
#include "framework/Text.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using namespace framework;
using namespace std::string_literals;
using testsupport::TestInstallation;

namespace {

// A default with trailing blanks, which both readers drop.
constexpr const char* kDefault = "default   ";
constexpr std::size_t kSize = 255;

struct Query {
    std::string section;
    std::string key;
    std::size_t size = kSize;
};

// Both readers' results as Windows-1252 bytes, for one query of one file.
struct Reading {
    std::string text;
    std::int32_t number = 0;
    bool operator==(const Reading&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reading& reading) {
    return out << "\"" << reading.text << "\" / " << reading.number;
}

Reading platformReading(const Query& query, const std::string& file) {
    std::vector<char> buffer(query.size + 1, '\x7f');
    const DWORD length =
        GetPrivateProfileStringA(query.section.c_str(), query.key.c_str(), kDefault, buffer.data(),
                                 DWORD(query.size), file.c_str());
    const UINT number =
        GetPrivateProfileIntA(query.section.c_str(), query.key.c_str(), -1, file.c_str());
    return {std::string(buffer.data(), length), std::int32_t(number)};
}

Reading programReading(const Query& query, const std::string& file) {
    return {
        toWindows1252(profileReadString(fromWindows1252(query.section), fromWindows1252(query.key),
                                        kDefault, query.size, file)),
        profileReadInt(fromWindows1252(query.section), fromWindows1252(query.key), -1, file)};
}

struct FileCase {
    const char* name;
    std::optional<std::string> bytes; // nothing: no file
    std::vector<Query> queries;
};

const std::string kLong(300, 'x');

// Files as a person or another program writes them, in Windows-1252.
const std::vector<FileCase> kFiles = {
    {"missing file", std::nullopt, {{"s", "k"}}},
    {"plain values and numbers",
     "[s]\r\nk=v\r\nn=42\r\nneg=-7\r\nplus=+5\r\nlead=42abc\r\nword=abc\r\nempty=\r\n",
     {{"s", "k"},
      {"s", "n"},
      {"s", "neg"},
      {"s", "plus"},
      {"s", "lead"},
      {"s", "word"},
      {"s", "empty"},
      {"s", "missing"},
      {"other", "k"}}},
    {"blanks and tabs around names and values",
     "[s]\r\n  k  =   v w  \r\n\tt\t=\tx\t\r\nn =  8 \r\n",
     {{"s", "k"}, {"s", "t"}, {"s", "n"}, {" s ", " k "}}},
    {"quotes",
     "[s]\r\nd=\"a b\"\r\nq='c d'\r\nopen=\"e\r\nmixed=\"f'\r\ninner=g\"h\"\r\nnum=\"8\"\r\n"
     "both= \" i \" \r\n",
     {{"s", "d"},
      {"s", "q"},
      {"s", "open"},
      {"s", "mixed"},
      {"s", "inner"},
      {"s", "num"},
      {"s", "both"}}},
    {"letter case of sections and keys",
     "[SeCtIoN]\r\nKeY=v\r\n[\xC4rger]\r\nSch\xFC=\xE4\r\n",
     {{"section", "key"}, {"SECTION", "KEY"}, {"\xC4rger", "Sch\xFC"}}},
    {"duplicate keys and sections",
     "[s]\r\nk=first\r\nK=second\r\n[S]\r\nk=third\r\nj=only\r\n",
     {{"s", "k"}, {"s", "j"}}},
    {"Windows-1252 bytes", "[s]\r\nk=\xE4\xF6\xFC\xDF \x80 \x9C\xFF\r\n", {{"s", "k"}}},
    {"line ends",
     "[a]\r\nk=crlf\r\n[b]\nk=lf\n[c]\rk=cr\r[d]\r\nk=last",
     {{"a", "k"}, {"b", "k"}, {"c", "k"}, {"d", "k"}}},
    {"specials in values",
     "[s]\r\neq=a=b\r\nbr=[x]\r\nsemi=a;b\r\nhash=a#b\r\n",
     {{"s", "eq"}, {"s", "br"}, {"s", "semi"}, {"s", "hash"}}},
    {"headers",
     "[ padded ]\r\nk=1\r\n[in ner]\r\nk=2\r\n[t] after\r\nk=3\r\n[open\r\nk=4\r\n",
     {{"padded", "k"}, {"in ner", "k"}, {"t", "k"}, {"open", "k"}}},
    {"lines without =", "[s]\r\njust text\r\nk=v\r\n", {{"s", "just text"}, {"s", "k"}}},
    {"long value and a small buffer",
     "[s]\r\nlong=" + kLong + "\r\nshort=abcdefghij\r\n",
     {{"s", "long"}, {"s", "short", 5}, {"s", "short", 11}}},
    {"numbers beyond 32 bits",
     "[s]\r\nbig=4294967295\r\nbigger=4294967296\r\n",
     {{"s", "big"}, {"s", "bigger"}}},
    {"comment lines are ordinary lines", "[s]\r\n;k=v\r\n#h=w\r\n", {{"s", ";k"}, {"s", "#h"}}},
    {"a NUL byte ends the value", "[s]\r\nk=ab\0cd\r\nj=after\r\n"s, {{"s", "k"}, {"s", "j"}}},
    {"tabs in names", "[\tt\t]\r\nk=1\r\n[u]\r\n k \t= v\r\n", {{"t", "k"}, {"u", "k"}}},
    {"empty values as numbers",
     "[s]\r\nk=\r\nb= \r\nq=\"\"\r\n",
     {{"s", "k"}, {"s", "b"}, {"s", "q"}}},
    {"bytes Windows-1252 leaves undefined", "[s]\r\nk=\x81\x8D\x8F\x90\x9D\r\n", {{"s", "k"}}},
    {"blanks inside a key", "[s]\r\na b=1\r\n", {{"s", "a b"}}},
    {"the smallest buffers",
     "[s]\r\nk=abc\r\n",
     {{"s", "k", 1}, {"s", "k", 2}, {"s", "missing", 3}}},
    {"the last ] ends a header", "[a]b]\r\nk=1\r\n", {{"a]b", "k"}, {"a", "k"}}},
    {"a lone quote", "[s]\r\nk=\"\r\nj='\r\n", {{"s", "k"}, {"s", "j"}}},
    {"signs and no digits",
     "[s]\r\nk=- 5\r\nj=--5\r\nh=x10\r\n",
     {{"s", "k"}, {"s", "j"}, {"s", "h"}}},
};

// Left out, where the platform's functions (as Wine has them) differ from the
// rules; the program never asks for what they differ on:
//  - Lines before the first header: the platform finds them under the section
//    name "" (and then no "[]" section after them); the rules say they belong
//    to no section. Every section the program reads has a name.
//  - GetPrivateProfileIntA reads "0x10" as 16 (a C-style prefix); the rules,
//    as the profile reader's documented contract, take the decimal number the
//    value begins with: 0. No file of the installation holds such a number.

struct Edit {
    std::string section;
    std::string key;
    std::optional<std::string> text; // nothing: remove the entry
};

struct EditCase {
    const char* name;
    std::optional<std::string> bytes; // the file before the edits; nothing: no file
    std::vector<Edit> edits;
    std::vector<Query> queries;
};

const std::vector<EditCase> kEdits = {
    {"a new file, sections and keys",
     std::nullopt,
     {{"s", "k", "v"}, {"s", "n", "5"}, {"t", "k", "other"}, {"s", "k", "changed"}},
     {{"s", "k"}, {"s", "n"}, {"t", "k"}}},
    {"replacing and removing in another letter case",
     "[Sec]\r\nKey=old\r\nOther=1\r\n\r\n[Next]\r\nk=2\r\n",
     {{"SEC", "KEY", "new"},
      {"sec", "other", std::nullopt},
      {"next", "added", "3"},
      {"sec", "missing", std::nullopt}},
     {{"Sec", "Key"}, {"Sec", "Other"}, {"Next", "k"}, {"Next", "added"}}},
    {"values with blanks, quotes and Windows-1252 bytes",
     "[s]\r\n",
     {{"s", "pad", "  padded  "},
      {"s", "quoted", "\"a b\""},
      {"s", "umlaut", "\xE4\xF6\xFC \x80"},
      {"s", "empty", ""}},
     {{"s", "pad"}, {"s", "quoted"}, {"s", "umlaut"}, {"s", "empty"}}},
    {"a file with LF line ends and no end on its last line",
     "[a]\nk=1\n[b]\nk=2",
     {{"a", "k", "one"}, {"b", "j", "new"}, {"c", "k", "3"}},
     {{"a", "k"}, {"b", "k"}, {"b", "j"}, {"c", "k"}}},
    {"duplicates: the first is replaced and removed",
     "[s]\r\nk=first\r\nk=second\r\n[s]\r\nj=later\r\n",
     {{"s", "k", "new"}, {"s", "j", "added"}},
     {{"s", "k"}, {"s", "j"}}},
    {"lines before the first header stay",
     "k=before\r\n[s]\r\nk=v\r\n",
     {{"s", "k", "new"}, {"t", "k", "x"}},
     {{"s", "k"}, {"t", "k"}}},
    {"blank lines at a section's end; names with blanks around",
     "[s]\r\nk=v\r\n\r\n\r\n[t]\r\nk=w\r\n",
     {{"s", "j", "new"}, {" t ", " k ", "  x  "}},
     {{"s", "k"}, {"s", "j"}, {"t", "k"}}},
    {"a comment line removed as the entry it is",
     "[s]\r\n;k=v\r\n",
     {{"s", "k", "new"}, {"s", ";k", std::nullopt}},
     {{"s", "k"}, {"s", ";k"}}},
    {"the last entry removed, another added",
     "[s]\r\nk=v\r\n",
     {{"s", "k", std::nullopt}, {"s", "j", "1"}},
     {{"s", "k"}, {"s", "j"}}},
};

} // namespace

TEST(IniOracle, EveryFileReadsAsThePlatformReadsIt) {
    TestInstallation inst;
    int number = 0;
    for (const FileCase& c : kFiles) {
        SCOPED_TRACE(c.name);
        // A file name of its own per case: both sides cache parsed files.
        const std::string file = inst.path("read" + std::to_string(number++) + ".ini");
        if (c.bytes)
            inst.write(std::filesystem::path(file).filename().string(), *c.bytes);
        for (const Query& query : c.queries)
            EXPECT_EQ(programReading(query, file), platformReading(query, file))
                << "[" << query.section << "] " << query.key << " (size " << query.size << ")";
    }
}

TEST(IniOracle, EditsByEitherSideReadTheSameByBoth) {
    TestInstallation inst;
    int number = 0;
    for (const EditCase& c : kEdits) {
        SCOPED_TRACE(c.name);
        const std::string name = "edit" + std::to_string(number++);
        const std::string byProgram = inst.path(name + "-program.ini");
        const std::string byPlatform = inst.path(name + "-platform.ini");
        if (c.bytes) {
            inst.write(name + "-program.ini", *c.bytes);
            inst.write(name + "-platform.ini", *c.bytes);
        }
        for (const Edit& edit : c.edits) {
            SCOPED_TRACE("[" + edit.section + "] " + edit.key);
            const std::optional<std::string> text =
                edit.text ? std::optional<std::string>(fromWindows1252(*edit.text)) : std::nullopt;
            EXPECT_TRUE(profileWriteString(fromWindows1252(edit.section), fromWindows1252(edit.key),
                                           text, byProgram));
            EXPECT_TRUE(WritePrivateProfileStringA(edit.section.c_str(), edit.key.c_str(),
                                                   edit.text ? edit.text->c_str() : nullptr,
                                                   byPlatform.c_str()));
            for (const Query& query : c.queries) {
                SCOPED_TRACE("read [" + query.section + "] " + query.key);
                const Reading expected = platformReading(query, byPlatform);
                EXPECT_EQ(programReading(query, byPlatform), expected) << "written by the platform";
                EXPECT_EQ(platformReading(query, byProgram), expected) << "written by the program";
                EXPECT_EQ(programReading(query, byProgram), expected) << "written by the program";
            }
        }
    }
}
