// The edit dialog's value rules: file filters and number normalisation.

#include "editing/EditChoices.h"
#include "editing/NormalizeInteger.h"

#include "TestData.h"

#include <gtest/gtest.h>

using namespace editing;

TEST(EditChoices, PairedFiltersBecomeQtNameFilters) {
    EXPECT_EQ(nameFilters(kProgramChooserFilter),
              "*.exe;*.bat;*.htm;*.html (*.exe *.bat *.htm *.html)");
    EXPECT_EQ(nameFilters("Programs|*.exe|All files|*.*"), "Programs (*.exe);;All files (*.*)");
    EXPECT_EQ(nameFilters("Anything"), "Anything (*)");
    EXPECT_EQ(nameFilters("Odd|;*.txt;;"), "Odd (*.txt)");
}

// The rewritten box must not be rewritten again. Typing into a box is
// EditDialogTest's.
TEST(NormalizeInteger, ReadsTheLeadingNumberRoundsItAndKeepsItToSixteenBits) {
    for (const auto& row : testsupport::dataRows("normalize-integer.txt")) {
        const NormalizedInteger result = NormalizeInteger(row.at(0));
        EXPECT_EQ(result.value, std::stoi(row.at(1))) << '"' << row[0] << '"';
        EXPECT_EQ(result.text, row[1]) << '"' << row[0] << '"';
        EXPECT_EQ(NormalizeInteger(result.text), result) << '"' << row[0] << '"';
    }
}
