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

TEST(NumberBox, ACanonicalTextIsKeptAndAnyOtherRewritten) {
    const NumberBoxChange kept = numberBoxChanged("-12", "-1");
    EXPECT_FALSE(kept.rewrite);
    EXPECT_EQ(kept.value, -12);

    const NumberBoxChange emptied = numberBoxChanged("", "");
    EXPECT_TRUE(emptied.rewrite);
    EXPECT_EQ(emptied.canonicalText, "0");
    EXPECT_EQ(emptied.value, 0);
}

TEST(NumberBox, TheCursorGoesBehindWhatStoodInFrontOfIt) {
    // A digit typed behind a lone 0 replaces it.
    EXPECT_EQ(numberBoxChanged("07", "07").cursor, 1);
    // A letter typed behind 12 drops out; one typed inside ends the number.
    EXPECT_EQ(numberBoxChanged("12a", "12a").cursor, 2);
    EXPECT_EQ(numberBoxChanged("1a2", "1a").canonicalText, "1");
    EXPECT_EQ(numberBoxChanged("1a2", "1a").cursor, 1);
    // A blank typed after the minus sign of -12.
    EXPECT_EQ(numberBoxChanged("- 12", "- ").cursor, 1);
    // An emptied box and a lone minus sign: the cursor behind the 0.
    EXPECT_EQ(numberBoxChanged("", "").cursor, 1);
    EXPECT_EQ(numberBoxChanged("-", "-").cursor, 1);
    // The part in front reads larger than the whole: kept within the text.
    EXPECT_EQ(numberBoxChanged("99999", "999").cursor, 1);
}
