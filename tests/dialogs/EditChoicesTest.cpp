#include "dialogs/EditChoices.h"
#include "dialogs/NumberBox.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(EditChoices, PairedFiltersBecomeQtNameFilters) {
    EXPECT_EQ(nameFilters(kProgramChooserFilter),
              "*.exe;*.bat;*.htm;*.html (*.exe *.bat *.htm *.html)");
    EXPECT_EQ(nameFilters("Programs|*.exe|All files|*.*"), "Programs (*.exe);;All files (*.*)");
    EXPECT_EQ(nameFilters("Anything"), "Anything (*)");
    EXPECT_EQ(nameFilters("Odd|;*.txt;;"), "Odd (*.txt)");
}

TEST(NumberBox, RewritesToTheCanonicalTextWithTheCursorBehindWhatStoodInFrontOfIt) {
    struct Case {
        std::string_view text, beforeCursor, canonical;
        bool rewrite;
        int cursor;
        std::int16_t value;
    };
    const Case cases[] = {{"-12", "-1", "-12", false, 2, -12},
                          // An emptied box and a lone minus sign: 0 with the cursor behind it.
                          {"", "", "0", true, 1, 0},
                          {"-", "-", "0", true, 1, 0},
                          // A digit typed behind a lone 0 replaces it.
                          {"07", "07", "7", true, 1, 7},
                          // A letter typed behind 12 drops out; one typed inside ends the number.
                          {"12a", "12a", "12", true, 2, 12},
                          {"1a2", "1a", "1", true, 1, 1},
                          // A blank typed after the minus sign of -12.
                          {"- 12", "- ", "-12", true, 1, -12},
                          // The part in front reads larger than the whole: kept within the text.
                          {"99999", "999", "0", true, 1, 0}};
    for (const Case& c : cases) {
        const NumberBoxChange change = numberBoxChanged(c.text, c.beforeCursor);
        EXPECT_EQ(change.canonicalText, c.canonical) << c.text;
        EXPECT_EQ(change.rewrite, c.rewrite) << c.text;
        EXPECT_EQ(change.cursor, c.cursor) << c.text;
        EXPECT_EQ(change.value, c.value) << c.text;
    }
}
