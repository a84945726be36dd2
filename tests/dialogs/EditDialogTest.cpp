#include "dialogs/Edit.h"
#include "dialogs/PictureBox.h"
#include "dialogs/TwipsLayout.h"

#include "engineering/SymbolList.h"
#include "GuiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using dialogs::Edit;
using dialogs::PictureBox;
using engineering::EngineeringFunction;
using guitest::child;

namespace {

EngineeringFunction sampleFunction() {
    EngineeringFunction f;
    f.PEnabled = true;
    f.PWhereICome = "Somewhere";
    f.PExeFunction = "C:\\Tools\\run.bat";
    f.PSymbolName = guitest::symbolName(2);
    f.PSpecialKey = 5;
    f.PDescription = "Engineering.5";
    f.PStandard = true;
    f.PPosMode = 3;
    f.PPosLeft = -5;
    f.PPosTop = 10;
    f.PPosWidth = 640;
    f.PPosHeight = 480;
    f.PRemoteDeskTop = true;
    f.PWaitBeforeLogin = 1500;
    f.PLoginKey = " user{TAB}pw{ENTER} ";
    f.PWindowName = "*Notepad*";
    f.PWindowName2 = "Übersicht - Fenster";
    f.PEndTime = 30;
    f.PEndMode = 16;
    f.PEndWhenExitWindow = true;
    return f;
}

class EditDialog : public ::testing::Test {
protected:
    void SetUp() override { guitest::fillSymbols(5); }
    void TearDown() override { engineering::resetProgramSymbols(); }

    // A shown dialog filled with the function.
    Edit& open(const EngineeringFunction& function) {
        edit.workingCopy() = function;
        edit.Aufbauen();
        edit.show();
        return edit;
    }

    QLineEdit& box(const char* name) { return child<QLineEdit>(edit, name); }

    testsupport::TestInstallation installation;
    guitest::FakeFileChooser files;
    Edit edit{nullptr, &files};
};

// Replaces the whole text as a paste does.
void paste(QLineEdit& box, const QString& text) {
    box.selectAll();
    box.insert(text);
}

void chooseEntry(QComboBox& list, int position) {
    QTest::keyClick(&list, Qt::Key_Home);
    for (int i = 0; i < position; ++i)
        QTest::keyClick(&list, Qt::Key_Down);
}

} // namespace

TEST_F(EditDialog, FillingShowsEveryFieldAndChangesNone) {
    const EngineeringFunction function = sampleFunction();
    edit.Status = Edit::StatusOk;
    open(function);

    EXPECT_EQ(edit.Status, Edit::StatusClosed);
    EXPECT_EQ(edit.workingCopy(), function);
    EXPECT_EQ(child<QCheckBox>(edit, "EinEnabled").checkState(), Qt::Checked);
    EXPECT_EQ(box("TextExe").text(), "C:\\Tools\\run.bat");
    EXPECT_EQ(box("TextWindow1").text(), "*Notepad*");
    EXPECT_EQ(box("TextWindow2").text(), QString::fromUtf8("Übersicht - Fenster"));
    EXPECT_EQ(child<QComboBox>(edit, "ComboPosModus").currentText(), "3 - Vollbild");
    EXPECT_EQ(box("TextPosition1").text(), "-5");
    EXPECT_EQ(box("TextPosition4").text(), "480");
    EXPECT_EQ(child<QCheckBox>(edit, "CheckRemoteDesktop").checkState(), Qt::Checked);
    EXPECT_EQ(box("TextRemote1").text(), "1500");
    EXPECT_EQ(box("TextRemote2").text(), " user{TAB}pw{ENTER} ");
    EXPECT_EQ(child<QComboBox>(edit, "ComboEndeMode").currentText(), "16 - Close");
    EXPECT_EQ(box("TextEndTime").text(), "30");
    EXPECT_EQ(child<QCheckBox>(edit, "CheckEndWhenExit").checkState(), Qt::Checked);

    // Filled again (a second opening): the lists hold their entries once.
    edit.Aufbauen();
    EXPECT_EQ(child<QComboBox>(edit, "ComboPosModus").count(), 5);
    EXPECT_EQ(child<QComboBox>(edit, "ComboEndeMode").count(), 3);
}

TEST_F(EditDialog, ListsHoldTheirEntriesInOrder) {
    open(sampleFunction());
    const QComboBox& positions = child<QComboBox>(edit, "ComboPosModus");
    const QStringList expectedPositions = {"0 - Zentriert", "1 - Position X/Y",
                                           "2 - Position X/Y/H/B", "3 - Vollbild",
                                           QString::fromUtf8("4 - Kopf- Fußzeile")};
    for (int i = 0; i < expectedPositions.size(); ++i)
        EXPECT_EQ(positions.itemText(i), expectedPositions[i]);
    const QComboBox& ends = child<QComboBox>(edit, "ComboEndeMode");
    EXPECT_EQ(ends.itemText(0), "2  - Destroy");
    EXPECT_EQ(ends.itemText(1), "16 - Close");
    EXPECT_EQ(ends.itemText(2), "18 - Quit (Standard)");
}

TEST_F(EditDialog, ModesWithoutAnEntryShowNoneAndComeBackUnchanged) {
    for (const auto& [posMode, endMode] :
         {std::pair<std::int16_t, std::int16_t>{7, 17}, {-1, 0}, {5, -2}}) {
        EngineeringFunction function = sampleFunction();
        function.PPosMode = posMode;
        function.PEndMode = endMode;
        open(function);
        EXPECT_EQ(child<QComboBox>(edit, "ComboPosModus").currentIndex(), -1) << posMode;
        EXPECT_EQ(child<QComboBox>(edit, "ComboEndeMode").currentIndex(), -1) << endMode;
        QTest::keyClicks(&box("TextWindow1"), "x");
        child<QPushButton>(edit, "CommandOK").click();
        EXPECT_EQ(edit.Status, Edit::StatusOk);
        EXPECT_EQ(edit.PPosMode, posMode);
        EXPECT_EQ(edit.PEndMode, endMode);
    }
}

TEST_F(EditDialog, OnlyAnEntryTheOperatorPicksChangesAMode) {
    open(sampleFunction());
    QComboBox& positions = child<QComboBox>(edit, "ComboPosModus");
    for (int position = 0; position < 5; ++position) {
        chooseEntry(positions, position);
        EXPECT_EQ(edit.PPosMode, position);
    }
    QComboBox& ends = child<QComboBox>(edit, "ComboEndeMode");
    const std::array<std::int16_t, 3> endModes = {2, 16, 18};
    for (int position = 0; position < 3; ++position) {
        chooseEntry(ends, position);
        EXPECT_EQ(edit.PEndMode, endModes[std::size_t(position)]);
    }

    positions.setCurrentIndex(1);
    ends.setCurrentIndex(0);
    EXPECT_EQ(edit.PPosMode, 4);
    EXPECT_EQ(edit.PEndMode, 18);
}

TEST_F(EditDialog, EveryNumberBoxNormalisesAsItIsTypedAndStoresAtOnce) {
    using Field = std::int16_t EngineeringFunction::*;
    const std::vector<std::pair<const char*, Field>> boxes = {
        {"TextPosition1", &EngineeringFunction::PPosLeft},
        {"TextPosition2", &EngineeringFunction::PPosTop},
        {"TextPosition3", &EngineeringFunction::PPosWidth},
        {"TextPosition4", &EngineeringFunction::PPosHeight},
        {"TextRemote1", &EngineeringFunction::PWaitBeforeLogin},
        {"TextEndTime", &EngineeringFunction::PEndTime}};
    open(sampleFunction());
    for (const auto& [name, field] : boxes) {
        QLineEdit& number = box(name);
        const auto typed = [&](const char* keys, const char* shown, int value) {
            number.selectAll();
            QTest::keyClicks(&number, QString::fromLatin1(keys));
            EXPECT_EQ(number.text(), QString::fromLatin1(shown)) << name << " typed " << keys;
            EXPECT_EQ(edit.workingCopy().*field, value) << name << " typed " << keys;
        };
        const auto pasted = [&](const char* text, const char* shown, int value) {
            paste(number, QString::fromLatin1(text));
            EXPECT_EQ(number.text(), QString::fromLatin1(shown)) << name << " pasted " << text;
            EXPECT_EQ(edit.workingCopy().*field, value) << name << " pasted " << text;
        };
        typed("007", "7", 7);
        typed("12abc", "12", 12);
        typed("1 2", "12", 12);
        typed("-", "0", 0);
        typed("345", "345", 345);
        pasted("&H10", "16", 16);
        pasted("2.5", "2", 2);
        pasted("3.5", "4", 4);
        pasted("-32768", "-32768", -32768);
        pasted("32768", "0", 0);
        pasted("-40000", "0", 0);

        // Emptied, the box shows 0 and a digit typed then replaces it.
        paste(number, "5");
        number.end(false);
        QTest::keyClick(&number, Qt::Key_Backspace);
        EXPECT_EQ(number.text(), "0") << name;
        EXPECT_EQ(edit.workingCopy().*field, 0) << name;
        QTest::keyClicks(&number, "8");
        EXPECT_EQ(number.text(), "8") << name;

        // A letter typed behind the number drops out; typing goes on there.
        paste(number, "12");
        QTest::keyClicks(&number, "x5");
        EXPECT_EQ(number.text(), "125") << name;
        EXPECT_EQ(edit.workingCopy().*field, 125) << name;
        // A minus sign typed in front of a number makes it negative.
        number.home(false);
        QTest::keyClicks(&number, "-");
        EXPECT_EQ(number.text(), "-125") << name;
        EXPECT_EQ(edit.workingCopy().*field, -125) << name;
    }
}

TEST_F(EditDialog, TextsAndCheckBoxesStoreEveryChange) {
    open(EngineeringFunction{});
    QTest::keyClicks(&box("TextExe"), "notepad.exe");
    QTest::keyClicks(&box("TextWindow1"), "* Editor");
    QTest::keyClicks(&box("TextWindow2"), "Dialog ");
    QTest::keyClicks(&box("TextRemote2"), " {S-TAB}x ");
    EXPECT_EQ(edit.PExeFunction, "notepad.exe");
    EXPECT_EQ(edit.PWindowName, "* Editor");
    EXPECT_EQ(edit.PWindowName2, "Dialog ");
    EXPECT_EQ(edit.PLoginKey, " {S-TAB}x ");

    for (const auto& [name, field] :
         {std::pair<const char*, bool EngineeringFunction::*>{"EinEnabled",
                                                              &EngineeringFunction::PEnabled},
          {"CheckRemoteDesktop", &EngineeringFunction::PRemoteDeskTop},
          {"CheckEndWhenExit", &EngineeringFunction::PEndWhenExitWindow}}) {
        QCheckBox& check = child<QCheckBox>(edit, name);
        QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
        EXPECT_TRUE(edit.workingCopy().*field) << name;
        // Grey counts as clear.
        check.setTristate(true);
        check.setCheckState(Qt::PartiallyChecked);
        EXPECT_FALSE(edit.workingCopy().*field) << name;
        check.setCheckState(Qt::Checked);
        QTest::keyClick(&check, Qt::Key_Space);
        EXPECT_FALSE(edit.workingCopy().*field) << name;
    }
}

TEST_F(EditDialog, ADoubleClickOnTheProgramBoxOpensTheFileChooser) {
    open(sampleFunction());
    QLineEdit& program = box("TextExe");

    files.nextAnswer.reset();
    QTest::mouseDClick(&program, Qt::LeftButton);
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, "Choose Exe or Bat");
    EXPECT_EQ(files.asked[0].filter, "*.exe;*.bat;*.htm;*.html|*.exe;*.bat;*.htm;*.html");
    EXPECT_EQ(files.asked[0].initialName, "C:\\Tools\\run.bat");
    EXPECT_EQ(edit.PExeFunction, "C:\\Tools\\run.bat");
    EXPECT_EQ(program.text(), "C:\\Tools\\run.bat");

    files.nextAnswer = "/opt/panel/start.sh";
    QTest::mouseDClick(&program, Qt::LeftButton);
    EXPECT_EQ(edit.PExeFunction, "/opt/panel/start.sh");
    EXPECT_EQ(program.text(), "/opt/panel/start.sh");
    ASSERT_EQ(files.asked.size(), 2u);
}

TEST_F(EditDialog, ThePickerChoosesTheSymbolAndItsPictureIsShown) {
    guitest::copySamplePicture(installation, "Pump_800.gif", "S3_800.gif");
    EngineeringFunction function = sampleFunction();
    function.PSymbolName = "engineering\\s2_800.GIF";
    open(function);
    PictureBox& symbol = child<PictureBox>(edit, "EinSymbol");
    EXPECT_TRUE(symbol.picture().isNull()); // S2 has no file

    bool opened = false;
    guitest::whenModalOpens("SymbolAuswahl", [&](QDialog& picker) {
        opened = true;
        EXPECT_EQ(child<PictureBox>(picker, "Bild2").background(), QColor(0, 255, 0));
        QTest::mouseClick(&child<PictureBox>(picker, "Bild3"), Qt::LeftButton);
    });
    QTest::mouseClick(&symbol, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(edit.PSymbolName, guitest::symbolName(3));
    EXPECT_EQ(symbol.picture().size(), QSize(60, 56));
}

TEST_F(EditDialog, APickerClosedWithoutAChoiceKeepsTheSymbol) {
    guitest::copySamplePicture(installation, "Pump_800.gif", "S2_800.gif");
    open(sampleFunction());
    PictureBox& symbol = child<PictureBox>(edit, "EinSymbol");
    const qint64 shown = symbol.picture().cacheKey();
    ASSERT_FALSE(symbol.picture().isNull());

    const std::vector<std::function<void(QDialog&)>> closings = {
        [](QDialog& picker) { child<QPushButton>(picker, "CommandEsc").click(); },
        [](QDialog& picker) { QTest::keyClick(&picker, Qt::Key_Escape); },
        [](QDialog& picker) { guitest::pressCloseBox(picker); }};
    for (const auto& closing : closings) {
        guitest::whenModalOpens("SymbolAuswahl", closing);
        QTest::keyClick(&symbol, Qt::Key_Space);
        EXPECT_EQ(edit.PSymbolName, guitest::symbolName(2));
        EXPECT_EQ(symbol.picture().cacheKey(), shown);
    }
}

TEST_F(EditDialog, AMissingOrBrokenSymbolPictureShowsAnEmptyPictureWithoutAMessage) {
    installation.write("Engineering/S2_800.gif", "GIF89a but not really a picture");
    for (const std::string& name :
         {guitest::symbolName(2), guitest::symbolName(4), std::string()}) {
        EngineeringFunction function = sampleFunction();
        function.PSymbolName = name;
        open(function);
        EXPECT_TRUE(child<PictureBox>(edit, "EinSymbol").picture().isNull()) << name;
        EXPECT_EQ(edit.PSymbolName, name);
    }
    EXPECT_TRUE(installation.boxes.asked.empty());
}

TEST_F(EditDialog, OkCancelEscapeAndTheCloseBoxSetTheStatus) {
    const std::vector<std::pair<std::function<void()>, std::int16_t>> closings = {
        {[this] { child<QPushButton>(edit, "CommandOK").click(); }, Edit::StatusOk},
        {[this] { child<QPushButton>(edit, "CommandCancel").click(); }, Edit::StatusCancel},
        {[this] { QTest::keyClick(&edit, Qt::Key_Escape); }, Edit::StatusClosed},
        {[this] { guitest::pressCloseBox(edit); }, Edit::StatusClosed}};
    for (const auto& [close, status] : closings) {
        open(sampleFunction());
        close();
        EXPECT_FALSE(edit.isVisible());
        EXPECT_EQ(edit.Status, status);
    }
}

TEST_F(EditDialog, TabWalksTheControlsAsTheyStand) {
    open(sampleFunction());
    const QStringList expected = {
        "EinEnabled",    "EinSymbol",     "CheckRemoteDesktop", "TextRemote1",   "TextRemote2",
        "ComboPosModus", "TextPosition1", "TextPosition2",      "TextPosition3", "TextPosition4",
        "ComboEndeMode", "TextEndTime",   "CheckEndWhenExit",   "TextExe",       "TextWindow1",
        "TextWindow2",   "CommandOK",     "CommandCancel",      "EinEnabled"};
    QStringList walked;
    QWidget* widget = &child<QCheckBox>(edit, "EinEnabled");
    walked << widget->objectName();
    while (walked.size() < expected.size()) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible());
        walked << widget->objectName();
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(EditDialog, ControlsStandWhereTheFormPutsThem) {
    const int dpiX = edit.logicalDpiX();
    const int dpiY = edit.logicalDpiY();
    const auto px = [](int twips, int dpi) { return dialogs::twipsToPixels(twips, dpi); };
    EXPECT_EQ(edit.size(), QSize(px(11880, dpiX), px(8595, dpiY)));
    EXPECT_EQ(edit.windowTitle(), "Edit");
    const QLineEdit& program = box("TextExe");
    EXPECT_EQ(program.geometry(),
              QRect(px(105, dpiX), px(540, dpiY), px(11550, dpiX), px(300, dpiY)));
    EXPECT_EQ(program.parentWidget()->pos(), QPoint(px(75, dpiX), px(4710, dpiY)));
    EXPECT_DOUBLE_EQ(child<QLabel>(edit, "LabelExe").font().pointSizeF(), 9.75);
    EXPECT_EQ(child<QLabel>(edit, "LabelPosition4").text(), QString::fromUtf8("Höhe"));

    EXPECT_EQ(dialogs::twipsToPixels(1440, 96), 96);
    EXPECT_EQ(dialogs::twipsToPixels(15, 96), 1);
    EXPECT_EQ(dialogs::twipsToPixels(1695, 144), 170);

    for (const char* name : {"CommandOK", "CommandCancel"}) {
        const QPushButton& button = child<QPushButton>(edit, name);
        EXPECT_TRUE(button.text().isEmpty()) << name;
        EXPECT_FALSE(button.icon().isNull()) << name;
        EXPECT_FALSE(button.accessibleName().isEmpty()) << name;
    }
    EXPECT_FALSE(child<PictureBox>(edit, "EinSymbol").accessibleName().isEmpty());
}
