#include "TestInstallation.h"

#include "engineering/MainWindowControls.h"
#include "texts/LanguageTexts.h"

#include "framework/IniDocument.h"
#include "framework/ProgramState.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using dialogs::ControlTable;

const dialogs::ControlEntry& control(const ControlTable& controls, std::string_view name,
                                     int index = 0) {
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const auto& entry) {
        return entry.name == name && entry.index == index;
    });
    static const dialogs::ControlEntry none;
    if (found == controls.end()) {
        ADD_FAILURE() << "no control " << name << index;
        return none;
    }
    return *found;
}

constexpr std::string_view kLanguageFile = "Engineering/Engineering_Config.ini";

std::string expectedFile(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/language/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LanguageTextsTest : public ::testing::Test {
protected:
    ControlTable load() {
        ControlTable controls = engineering::mainWindowControls();
        dialogs::LoadToolTipTexts(install.program(), controls);
        return controls;
    }
    std::optional<std::string> value(std::string_view section, std::string_view key) {
        return framework::IniDocument::parse(install.read(kLanguageFile)).value(section, key);
    }
    const std::string& helpText(int number) {
        return install.program().HelpTexts[std::size_t(number - 1)];
    }

    testsupport::TestInstallation install;
};

// The walk writes every missing key in one replacement of the file. The
// expected files are what writing each key by itself, one replacement per key,
// gave: same keys, same order, same places.
TEST(LanguageTexts, WritesTheMissingKeysAsKeyByKeyWritingDid) {
    struct Case {
        const char* expected;
        std::string before;
    };
    const Case cases[] = {
        {"english.ini", "; Texts for the panel\n[1033]\nCaption_CommandEdit_=Bearbeiten\n"
                        "TTT_Pic12_=Twelve\n\n\n[Language]\nLanguage = 1033 \n[Other]\nx=1"},
        {"german-partial.ini", "[1031]\r\nCaption_CommandOK_=OK!\r\nHelp10=Hilfe<CRLF>Text\r\n"
                               "TTT_Pic3_=0\r\n\r\n"},
    };
    for (const Case& c : cases) {
        testsupport::TestInstallation install;
        install.write(kLanguageFile, c.before);
        ControlTable controls = engineering::mainWindowControls();
        dialogs::LoadToolTipTexts(install.program(), controls);
        EXPECT_EQ(install.read(kLanguageFile), expectedFile(c.expected)) << c.expected;
        EXPECT_TRUE(install.boxes.asked.empty()) << c.expected;
    }
}

TEST_F(LanguageTextsTest, AnotherLanguageGetsPlaceholdersAndItsTextsApplied) {
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033\r\n"
                                 "[1033]\r\nCaption_CommandEdit_=Bearbeiten\r\n"
                                 "Caption_Header_=0\r\nTTT_Pic12_=Zw\xF6lf\r\n"
                                 "Help10=Click<CRLF>a button\r\n");
    const ControlTable controls = load();
    EXPECT_EQ(control(controls, "CommandEdit").caption, "Bearbeiten");
    EXPECT_EQ(control(controls, "Pic", 12).toolTip, "Zw\u00f6lf");
    EXPECT_EQ(helpText(10), "Click<CRLF>a button");
    // The placeholder 0 keeps the built-in text.
    EXPECT_EQ(control(controls, "Header").caption, engineering::kHeaderText);
    EXPECT_EQ(control(controls, "Pic", 11).toolTip, "");
}

TEST_F(LanguageTextsTest, NotttTagKeepsTheToolTipAndABadHelpNumberOnlyStopsItsControl) {
    ControlTable controls(3);
    controls[0] = {"LabelInfo", 0, "Label", "nottt", 0, "Info", "built in", {}, "Form"};
    controls[1] = {"CheckWide", 0, "CheckBox", "", 101, "Wide", "", {}, "Form"};
    controls[2] = {"FrameBox", 0, "Frame", "NoTTT-x", 0, "Box", "frame tip", {}, "Form"};
    dialogs::LoadToolTipTexts(install.program(), controls);

    EXPECT_EQ(value("1031", "Caption_LabelInfo_nottt"), "Info");
    EXPECT_EQ(value("1031", "TTT_LabelInfo_nottt"), std::nullopt);
    EXPECT_EQ(controls[0].toolTip, "built in");
    // Help number 101 fails after the caption: its tool tip is not treated.
    EXPECT_EQ(value("1031", "Caption_CheckWide_"), "Wide");
    EXPECT_EQ(value("1031", "TTT_CheckWide_"), std::nullopt);
    EXPECT_EQ(value("1031", "Caption_FrameBox_NoTTT-x"), std::nullopt);
    EXPECT_EQ(controls[2].toolTip, "frame tip");
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

} // namespace
