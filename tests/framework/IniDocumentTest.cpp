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
        {"", ""}};
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

TEST(IniWriting, NullRemovesTheFirstEntryOnly) {
    EXPECT_EQ(afterSet("[a]\nk=1\nk=2\n", "a", "K", std::nullopt), "[a]\nk=2\n");
    auto document = IniDocument::parse("[a]\nx=1\n");
    EXPECT_FALSE(document.set("a", "missing", std::nullopt));
    EXPECT_FALSE(document.set("nosection", "k", std::nullopt));
    EXPECT_EQ(document.bytes(), "[a]\nx=1\n");
}

TEST(IniWriting, TextIsStoredAsWindows1252) {
    const std::string bytes = afterSet("", "Grüße", "Schlüssel", "Wert € ä ✓");
    EXPECT_EQ(bytes, "[Gr\xFC\xDF"
                     "e]\r\nSchl\xFCssel=Wert \x80 \xE4 ?\r\n");
    EXPECT_EQ(IniDocument::parse(bytes).value("GRÜSSE", "x"), std::nullopt);
    EXPECT_EQ(IniDocument::parse(bytes).value("grüße", "SCHLÜSSEL"), "Wert € ä ?");
}
