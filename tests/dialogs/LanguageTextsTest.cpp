#include "TestInstallation.h"

#include "dialogs/LanguageTexts.h"
#include "engineering/MainWindowControls.h"

#include "framework/IniDocument.h"
#include "framework/ProgramState.h"

#include <gtest/gtest.h>

namespace {

using dialogs::ControlTable;
using dialogs::findControl;

constexpr std::string_view kLanguageFile = "Engineering/Engineering_Config.ini";

class LanguageTextsTest : public ::testing::Test {
protected:
    ControlTable load() {
        ControlTable controls = engineering::mainWindowControls();
        dialogs::LoadToolTipTexts(controls);
        return controls;
    }
    std::optional<std::string> value(std::string_view section, std::string_view key) {
        return framework::IniDocument::parse(install.read(kLanguageFile)).value(section, key);
    }
    const std::string& helpText(int number) {
        return framework::programState().HelpTexts[std::size_t(number - 1)];
    }

    testsupport::TestInstallation install;
};

TEST_F(LanguageTextsTest, FirstStartWritesEveryKeyAndTheSecondChangesNothing) {
    const ControlTable controls = load();
    EXPECT_EQ(dialogs::languageFilePath(), install.path(kLanguageFile));
    EXPECT_EQ(value("Language", "Language"), "1031");
    EXPECT_EQ(value("1031", "Caption_CommandEdit_"), "Edit");
    EXPECT_EQ(value("1031", "Caption_Header_"), engineering::kHeaderText);
    EXPECT_EQ(value("1031", "Caption_CommandOK_"), "");
    EXPECT_EQ(value("1031", "Caption_Pic48_"), "");
    EXPECT_EQ(value("1031", "TTT_Pic1_"), "0");
    EXPECT_EQ(value("1031", "TTT_MainFrame_"), "0");
    EXPECT_EQ(value("1031", "Caption_MainFrame_"), std::nullopt);
    for (const char* help : {"Help1", "Help2", "Help10", "Help11"})
        EXPECT_EQ(value("1031", help), "0") << help;
    EXPECT_EQ(value("1031", "Help0"), std::nullopt);
    EXPECT_EQ(value("1031", "Caption_Pic_"), std::nullopt);
    // Help10 is shared by the 48 buttons: only the first of them read it empty.
    EXPECT_EQ(helpText(11), "");
    EXPECT_EQ(helpText(10), "0");
    EXPECT_EQ(findControl(controls, "CommandEdit")->caption, "Edit");

    const std::string first = install.read(kLanguageFile);
    load();
    EXPECT_EQ(install.read(kLanguageFile), first);
    EXPECT_EQ(helpText(11), "0");
}

TEST_F(LanguageTextsTest, OtherLanguageGetsPlaceholdersForEveryKey) {
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033\r\n[1033]\r\n");
    const ControlTable controls = load();
    EXPECT_EQ(value("1033", "Caption_CommandEdit_"), "0");
    EXPECT_EQ(value("1033", "Caption_Header_"), "0");
    EXPECT_EQ(value("1033", "TTT_CommandOK_"), "0");
    EXPECT_EQ(value("1033", "Help11"), "0");
    EXPECT_FALSE(framework::IniDocument::parse(install.read(kLanguageFile)).hasSection("1031"));
    EXPECT_EQ(findControl(controls, "CommandEdit")->caption, "Edit");
    EXPECT_EQ(findControl(controls, "Header")->caption, engineering::kHeaderText);
}

TEST_F(LanguageTextsTest, TextsOfTheCurrentLanguageAreApplied) {
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033\r\n"
                                 "[1033]\r\nCaption_CommandEdit_=Bearbeiten\r\n"
                                 "Caption_Header_=0\r\nTTT_Pic12_=Zw\xF6lf\r\n"
                                 "Help10=Click<CRLF>a button\r\n");
    const ControlTable controls = load();
    EXPECT_EQ(findControl(controls, "CommandEdit")->caption, "Bearbeiten");
    EXPECT_EQ(findControl(controls, "Header")->caption, engineering::kHeaderText);
    EXPECT_EQ(findControl(controls, "Pic", 12)->toolTip, "Zw\u00f6lf");
    EXPECT_EQ(findControl(controls, "Pic", 11)->toolTip, "");
    EXPECT_EQ(helpText(10), "Click<CRLF>a button");
    EXPECT_EQ(value("1033", "Caption_CommandEdit_"), "Bearbeiten");
}

TEST_F(LanguageTextsTest, NotttTagKeepsTheToolTipAndABadHelpNumberOnlyStopsItsControl) {
    ControlTable controls(3);
    controls[0] = {"LabelInfo", 0, "Label", "nottt", 0, "Info", "built in", {}, "Form"};
    controls[1] = {"CheckWide", 0, "CheckBox", "", 101, "Wide", "", {}, "Form"};
    controls[2] = {"FrameBox", 0, "Frame", "NoTTT-x", 0, "Box", "frame tip", {}, "Form"};
    dialogs::LoadToolTipTexts(controls);

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

TEST_F(LanguageTextsTest, LanguageIsReturnedExactlyAsStored) {
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033x\r\n");
    EXPECT_EQ(dialogs::GetLanguage(), "1033x");
}

} // namespace
