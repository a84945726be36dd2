// The main window's texts and the language file they are written into.

#include "TestData.h"
#include "TestInstallation.h"

#include "engineering/MainWindowControls.h"
#include "texts/LanguageTexts.h"
#include "texts/ProgramMessages.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using texts::ControlTable;

constexpr std::string_view kLanguageFile = "Engineering/Engineering_Config.ini";

// The walk writes every missing key in one replacement of the file. The
// expected files are what writing each key by itself, one replacement per key,
// gave: same keys, same order, same places.
TEST(LanguageTexts, WritesTheMissingKeysAsKeyByKeyWritingDid) {
    for (const auto& [expected, before] :
         {std::pair("english.ini",
                    "; Texts for the panel\n[1033]\nCaption_CommandEdit_=Bearbeiten\n"
                    "TTT_Pic12_=Twelve\n\n\n[Language]\nLanguage = 1033 \n[Other]\nx=1"),
          {"german-partial.ini", "[1031]\r\nCaption_CommandOK_=OK!\r\nHelp10=Hilfe<CRLF>Text\r\n"
                                 "TTT_Pic3_=0\r\n\r\n"}}) {
        testsupport::TestInstallation install;
        install.write(kLanguageFile, before);
        ControlTable controls = engineering::mainWindowControls();
        texts::LoadToolTipTexts(install.program(), controls);
        EXPECT_EQ(install.read(kLanguageFile),
                  testsupport::readFile(testsupport::testDataPath("language") / expected))
            << expected;
        EXPECT_TRUE(install.boxes.asked.empty()) << expected;
    }
}

// The placeholder 0 keeps the built-in text.
TEST(LanguageTexts, AnotherLanguageGetsPlaceholdersAndItsTextsApplied) {
    testsupport::TestInstallation install;
    install.write(kLanguageFile, "[Language]\r\nLanguage=1033\r\n"
                                 "[1033]\r\nCaption_CommandEdit_=Bearbeiten\r\n"
                                 "Caption_Header_=0\r\nTTT_Pic12_=Zw\xF6lf\r\n"
                                 "Help10=Click<CRLF>a button\r\n");
    ControlTable controls = engineering::mainWindowControls();
    texts::LoadToolTipTexts(install.program(), controls);
    const auto control = [&](std::string_view name, int index = 0) {
        return *std::find_if(controls.begin(), controls.end(), [&](const auto& entry) {
            return entry.name == name && entry.index == index;
        });
    };
    EXPECT_EQ(control("CommandEdit").caption, "Bearbeiten");
    EXPECT_EQ(control("Pic", 12).toolTip, "Zw\u00f6lf");
    EXPECT_EQ(install.program().HelpTexts[9], "Click<CRLF>a button");
    EXPECT_EQ(control("Header").caption, engineering::kHeaderText);
    EXPECT_EQ(control("Pic", 11).toolTip, "");
}

// The program's own messages: German for 1031, English otherwise, a key of
// that language's section replacing the text; the file is only read.
TEST(LanguageTexts, ProgramMessagesFollowTheLanguageAndTheFilesKeys) {
    using texts::Message;
    struct Case {
        const char* file; // nullptr: none
        Message message;
        std::string expected;
    };
    const Case cases[] = {
        {nullptr, Message::NoHelp, "There is no help for this control."},
        {"[Language]\nLanguage=1031\n", Message::NoHelp,
         "F\u00fcr dieses Element gibt es keine Hilfe."},
        {"[Language]\nLanguage=1033\n[1031]\nMsgNoHelp=x\n", Message::NoHelp,
         "There is no help for this control."},
        {"[Language]\nLanguage=1040\n", Message::LockBusy,
         "another run is editing this installation"},
        {"[Language]\nLanguage=1033\n[1033]\nMsgLockBusy=Busy\xE9\n", Message::LockBusy,
         "Busy\u00e9"},
        {"[Language]\nLanguage=1031\n[1031]\nMsgLockBusy=0\n", Message::LockBusy,
         "ein anderer Programmlauf bearbeitet diese Installation"},
        {nullptr, Message::CannotImport, "Cannot import a%2.ini: %1; nothing was changed"},
        {"[Language]\nLanguage=1031\n[1031]\nMsgCannotImport=%2 %3 %1\n", Message::CannotImport,
         "%1 %3 a%2.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        testsupport::TestInstallation install;
        if (c.file)
            install.write(kLanguageFile, c.file);
        ini::ProfileCache profiles;
        const auto messages = texts::readProgramMessages(
            install.program().executableFolder, install.program().executableBaseName, profiles);
        EXPECT_EQ(messages.text(c.message, {"a%2.ini", "%1"}), c.expected);
        EXPECT_EQ(install.exists(kLanguageFile), c.file != nullptr);
        if (c.file) {
            EXPECT_EQ(install.read(kLanguageFile), c.file);
        }
    }
    EXPECT_EQ(texts::lockWaitMessage(texts::ProgramMessages(), "process 7",
                                     std::chrono::milliseconds(29500)),
              "waiting up to 30 s for another run of this installation (process 7)");
}

} // namespace
