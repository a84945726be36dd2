// The INI reading and editing rules, on documents in memory.

#include "framework/IniDocument.h"

#include <gtest/gtest.h>

using framework::IniDocument;

namespace {

std::optional<std::string> valueIn(std::string_view bytes, std::string_view section,
                                   std::string_view key) {
    return IniDocument::parse(bytes).value(section, key);
}

std::string afterSet(std::string_view bytes, std::string_view section, std::string_view key,
                     std::optional<std::string_view> text) {
    auto document = IniDocument::parse(bytes);
    document.set(section, key, text);
    return document.bytes();
}

} // namespace

TEST(IniReading, NamesIgnoreCaseAndSurroundingBlanksAndHeadersRunToTheLastBracket) {
    const char* file = "  [ Sec Tion ]  \r\nKey One = v1\r\n\tkey2\t=\tv2\r\n";
    EXPECT_EQ(valueIn(file, "sec tion", "KEY ONE"), "v1");
    EXPECT_EQ(valueIn(file, "SEC TION", "key2"), "v2");
    // Blanks around the names asked for do not count either.
    EXPECT_EQ(valueIn(file, " Sec Tion\t", "\t key2 "), "v2");
    EXPECT_TRUE(IniDocument::parse(file).hasSection("  sec tion "));
    EXPECT_EQ(valueIn(file, "SecTion", "key2"), std::nullopt) << "blanks inside a name count";
    EXPECT_EQ(valueIn(file, "Sec Tion", "KeyOne"), std::nullopt);
    // A header runs to the last bracket.
    EXPECT_EQ(valueIn("[a]b]\nk=1\n", "a]b", "k"), "1");
    // "[" without "]" is no header: the entry still belongs to the section before.
    EXPECT_EQ(valueIn("[s]\n[broken\nk=2\n", "s", "k"), "2");
}

TEST(IniReading, ValueIsTrimmedAndLosesOnePairOfQuotes) {
    const std::pair<std::string, std::string> storedAndRead[] = {
        {"  spaced value  ", "spaced value"},
        {"\"quoted\"", "quoted"},
        {"'single'", "single"},
        {"\"unbalanced", "\"unbalanced"},
        {"\"mixed'", "\"mixed'"},
        {"\"\"inner\"\"", "\"inner\""},
        {" x=[y];#z ", "x=[y];#z"},
        {"", ""},
        // A NUL byte ends the value.
        {std::string("cut\0off", 7), "cut"},
        {std::string("\"quoted \0\"", 11), "\"quoted"},
        {std::string("\0", 1), ""}};
    for (const auto& [stored, read] : storedAndRead)
        EXPECT_EQ(valueIn("[s]\nk=" + stored + "\n", "s", "k"), read) << stored;
}

TEST(IniReading, CommentsLinesWithoutEqualsLinesBeforeTheFirstSectionAndDuplicates) {
    const char* file = "k=outside\n[s]\n;k=commented\n#k=hashed\nk\nk=real\n";
    EXPECT_EQ(valueIn(file, "s", "k"), "real");
    EXPECT_EQ(valueIn(file, "s", ";k"), "commented");
    EXPECT_EQ(valueIn(file, "", "k"), std::nullopt);
    // The first of duplicate keys wins; only the first of duplicate sections is searched.
    const char* twice = "[s]\nk=first\nk=second\n[S]\nk=third\nother=x\n";
    EXPECT_EQ(valueIn(twice, "s", "k"), "first");
    EXPECT_EQ(valueIn(twice, "s", "other"), std::nullopt);
}

TEST(IniReading, AllLineEndsAndAMissingLastEnd) {
    const char* file = "[a]\r\nk=1\r\n[b]\nk=2\n[c]\rk=3\r[d]\r\nk=4";
    EXPECT_EQ(valueIn(file, "a", "k"), "1");
    EXPECT_EQ(valueIn(file, "b", "k"), "2");
    EXPECT_EQ(valueIn(file, "c", "k"), "3");
    EXPECT_EQ(valueIn(file, "d", "k"), "4");
    // Windows-1252 bytes come back as text.
    EXPECT_EQ(valueIn("[s]\nk=Gr\xFC\xDF \x80\n", "s", "k"), "Grüß €");
    EXPECT_EQ(valueIn("[\xC4nderung]\n\xD6l=1\n", "äNDERUNG", "öl"), "1");
}

TEST(IniWriting, ReplacesInPlaceKeepingSpellingAndOtherBytes) {
    const std::string file = "; head\n[Sec]\n  MyKey = old ; x\nnext=1\r\n";
    EXPECT_EQ(afterSet(file, "SEC", "mykey", "new"), "; head\n[Sec]\nMyKey=new\r\nnext=1\r\n");
    // Of two equal sections, the first is written.
    EXPECT_EQ(afterSet("[a]\nk=1\n[A]\nk=2\n", "a", "k", "9"), "[a]\nk=9\r\n[A]\nk=2\n");
}

TEST(IniWriting, AppendsAfterTheLastNonBlankLineOfTheSectionOrInANewSectionAtTheEnd) {
    EXPECT_EQ(afterSet("[a]\nx=1\n\n\n[b]\ny=2\n", "a", "z", "3"),
              "[a]\nx=1\nz=3\r\n\n\n[b]\ny=2\n");
    EXPECT_EQ(afterSet("[a]\n\n[b]\n", "a", "z", "3"), "[a]\nz=3\r\n\n[b]\n");
    EXPECT_EQ(afterSet("[a]\nx=1", "a", "z", "3"), "[a]\nx=1\r\nz=3\r\n");
    // A new section goes to the end.
    EXPECT_EQ(afterSet("", "New", "k", "v"), "[New]\r\nk=v\r\n");
    EXPECT_EQ(afterSet("[a]\nx=1\n\n", "New", "k", "v"), "[a]\nx=1\n\n[New]\r\nk=v\r\n");
    EXPECT_EQ(afterSet("[a]\nx=1", "New", "k", ""), "[a]\nx=1\r\n[New]\r\nk=\r\n");
}

TEST(IniWriting, NullRemovesTheFirstEntryOnlyAndTheDocumentEqualsAFreshParse) {
    EXPECT_EQ(afterSet("[a]\nk=1\nk=2\n", "a", "K", std::nullopt), "[a]\nk=2\n");
    EXPECT_FALSE(IniDocument::parse("[a]\nx=1\n").set("a", "missing", std::nullopt));
    EXPECT_FALSE(IniDocument::parse("[a]\nx=1\n").set("nosection", "k", std::nullopt));

    // Removing the entry joins a CR-ended line and an empty LF-ended one into
    // one CR LF line end; an edit after that must place lines as in the file.
    auto document = IniDocument::parse("[a]\nx\rk=1\n\n[b]\n");
    ASSERT_TRUE(document.set("a", "k", std::nullopt));
    EXPECT_EQ(document.bytes(), "[a]\nx\r\n[b]\n");
    EXPECT_EQ(IniDocument::parse(document.bytes()), document);
    document.set("a", "new", "1");
    EXPECT_EQ(document.bytes(), "[a]\nx\r\nnew=1\r\n[b]\n");
    EXPECT_EQ(IniDocument::parse(document.bytes()), document);
}

TEST(IniWriting, EditsThatWouldAddOrBreakLinesAreRefused) {
    struct Case {
        std::string section, key, text;
    };
    const Case refused[] = {{"s", "k", "a\r\nb=c"},
                            {"s", "k", "a\rb"},
                            {"s", "k", "a\nb"},
                            {"s", "k", std::string("a\0b", 3)},
                            {"s", "k", "\xC0\x8A"}, // an overlong UTF-8 line feed
                            {"s", "[x", "y]"},
                            {"s", " [x", "1"},
                            {"s", "a=b", "1"},
                            {"s", "", "1"},
                            {"s", " \t", "1"},
                            {"s", "a\nb", "1"},
                            {"s", std::string("k\0", 2), "1"},
                            {"a]b", "k", "1"},
                            {"a\r\n[b", "k", "1"},
                            {"x\n", "k", "1"}};
    const std::string before = "[s]\r\nk=old\r\n";
    for (const Case& c : refused) {
        auto document = IniDocument::parse(before);
        EXPECT_TRUE(IniDocument::refusal(c.section, c.key, c.text)) << c.section << "|" << c.key;
        EXPECT_FALSE(document.set(c.section, c.key, c.text)) << c.section << "|" << c.key;
        EXPECT_EQ(document.bytes(), before) << c.section << "|" << c.key;
    }
    // Brackets, "=" and quotes elsewhere are text; blanks around names are dropped.
    const Case accepted[] = {{"s", "k]", "[x]"},
                             {"a[b", "k", "v=w"},
                             {"", "k", "1"},
                             {"s", "\";", "\"q\""},
                             {" Pad ", " key ", "x"}};
    for (const Case& c : accepted) {
        auto document = IniDocument::parse(before);
        EXPECT_FALSE(IniDocument::refusal(c.section, c.key, c.text)) << c.section << "|" << c.key;
        EXPECT_TRUE(document.set(c.section, c.key, c.text)) << c.section << "|" << c.key;
        const auto fresh = IniDocument::parse(document.bytes());
        EXPECT_EQ(fresh.value(c.section, c.key), document.value(c.section, c.key));
        EXPECT_EQ(fresh.value("s", "k"), "old") << c.section << "|" << c.key;
    }
    EXPECT_EQ(afterSet("", " Pad ", " key ", "x"), "[Pad]\r\nkey=x\r\n");
    EXPECT_EQ(IniDocument::refusal("s", "k", "a\nb"), "the value of [s] k holds a line break");
}

TEST(IniWriting, TextIsStoredAsWindows1252) {
    const std::string bytes = afterSet("", "Grüße", "Schlüssel", "Wert € ä ✓");
    EXPECT_EQ(bytes, "[Gr\xFC\xDF"
                     "e]\r\nSchl\xFCssel=Wert \x80 \xE4 ?\r\n");
    EXPECT_EQ(IniDocument::parse(bytes).value("GRÜSSE", "x"), std::nullopt);
    EXPECT_EQ(IniDocument::parse(bytes).value("grüße", "SCHLÜSSEL"), "Wert € ä ?");
}

// A document built line by line equals a fresh parse of its bytes.
TEST(IniBuilding, AppendedLinesReadAsTheirBytesDo) {
    struct Line {
        std::string_view text, end;
    };
    struct Case {
        std::vector<Line> lines;
        std::string_view bytes;
    };
    const Case cases[] = {
        {{{"[s]", "\r\n"}, {"k=v", "\n"}, {"", "\r"}}, "[s]\r\nk=v\n\r"},
        // CR, then an empty line ended by LF, would read as one CR LF.
        {{{"k=v", "\r"}, {"", "\n"}, {"x", "\n"}}, "k=v\r\nx\n"},
        {{{"k=v", "\r"}, {"", "\r\n"}}, "k=v\r\r\n"},
    };
    for (const auto& [lines, bytes] : cases) {
        IniDocument document;
        for (const Line& line : lines)
            EXPECT_TRUE(document.appendLine(line.text, line.end)) << bytes;
        EXPECT_EQ(document.bytes(), bytes);
        EXPECT_TRUE(document == IniDocument::parse(bytes)) << bytes;
    }
    // A last line without an end gets CR LF.
    IniDocument document = IniDocument::parse("[s]");
    EXPECT_TRUE(document.appendLine("k=v"));
    EXPECT_EQ(document.bytes(), "[s]\r\nk=v\r\n");
    for (const auto& [text, end] : {Line{"a\rb", "\r\n"}, Line{"a\n", "\r\n"}, Line{"a", ""}})
        EXPECT_FALSE(document.appendLine(text, end)) << text;
    EXPECT_EQ(document.bytes(), "[s]\r\nk=v\r\n");
}
