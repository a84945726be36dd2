// Windows-1252 conversion and letter case.

#include "framework/Text.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(Text, EveryWindows1252ByteSurvivesARoundTripAndOtherTextBecomesQuestionMarks) {
    std::string all;
    for (int i = 1; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(codePointCount(fromWindows1252(all)), all.size());
    EXPECT_EQ(fromWindows1252("Gr\xFC\xDF"
                              "e \x80 \x96"),
              "Grüße € –");
    EXPECT_EQ(toWindows1252("Grüße € –"), "Gr\xFC\xDF"
                                          "e \x80 \x96");
    EXPECT_EQ(toWindows1252("日本"), "??");
}

TEST(Text, CaseMappingKeepsPositions) {
    EXPECT_EQ(upperCase("straße öl šœžÿ"), "STRAßE ÖL ŠŒŽŸ");
    EXPECT_TRUE(equalsIgnoreCase("Pump_800.GIF", "pump_800.gif"));
    EXPECT_TRUE(equalsIgnoreCase1252("\xC4x", "\xE4X"));
    EXPECT_EQ(findIgnoreCase("aaÖlbb", "öL"), 2u);
}
