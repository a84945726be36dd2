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
    load();
    EXPECT_EQ(dialogs::languageFilePath(), install.path(kLanguageFile));
    EXPECT_EQ(value("Language", "Language"), "1031");
    // German captions are written as built in; tool tips and help texts get 0.
    EXPECT_EQ(value("1031", "Caption_CommandEdit_"), "Edit");
    EXPECT_EQ(value("1031", "Caption_Header_"), engineering::kHeaderText);
    EXPECT_EQ(value("1031", "Caption_Pic48_"), "");
    EXPECT_EQ(value("1031", "TTT_Pic1_"), "0");
    EXPECT_EQ(value("1031", "TTT_MainFrame_"), "0");
    EXPECT_EQ(value("1031", "Help11"), "0");
    // A frame has no caption key, and there is no key for help number 0 or for
    // the button array as a whole.
    for (const char* absent : {"Caption_MainFrame_", "Help0", "Caption_Pic_"})
        EXPECT_EQ(value("1031", absent), std::nullopt) << absent;
    // Help10 is shared by the 48 buttons: only the first of them read it empty.
    EXPECT_EQ(helpText(11), "");
    EXPECT_EQ(helpText(10), "0");

    const std::string first = install.read(kLanguageFile);
    load();
    EXPECT_EQ(install.read(kLanguageFile), first);
    EXPECT_EQ(helpText(11), "0");
}

TEST_F(LanguageTextsTest, AnotherLanguageGetsPlaceholdersAndItsTextsApplied) {
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033\r\n"
                                 "[1033]\r\nCaption_CommandEdit_=Bearbeiten\r\n"
                                 "Caption_Header_=0\r\nTTT_Pic12_=Zw\xF6lf\r\n"
                                 "Help10=Click<CRLF>a button\r\n");
    const ControlTable controls = load();
    EXPECT_EQ(findControl(controls, "CommandEdit")->caption, "Bearbeiten");
    EXPECT_EQ(findControl(controls, "Pic", 12)->toolTip, "Zw\u00f6lf");
    EXPECT_EQ(helpText(10), "Click<CRLF>a button");
    EXPECT_EQ(value("1033", "Caption_CommandEdit_"), "Bearbeiten");
    // Every missing key gets the placeholder 0, which keeps the built-in text.
    for (const char* key : {"Caption_CommandOK_", "TTT_CommandOK_", "Help11"})
        EXPECT_EQ(value("1033", key), "0") << key;
    EXPECT_EQ(findControl(controls, "Header")->caption, engineering::kHeaderText);
    EXPECT_EQ(findControl(controls, "Pic", 11)->toolTip, "");
    EXPECT_FALSE(framework::IniDocument::parse(install.read(kLanguageFile)).hasSection("1031"));
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

} // namespace
