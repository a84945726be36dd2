#include "dialogs/Edit.h"
#include "dialogs/QtFunctionEditor.h"
#include "editing/FileChooser.h"

#include "GuiTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using dialogs::Edit;
using dialogtest::sampleFunction;
using engineering::EngineeringFunction;
using guitest::child;

namespace {

// A file chooser told its next answer; it records what it was asked.
class FakeFileChooser final : public editing::FileChooser {
public:
    std::optional<std::string> nextAnswer;
    std::vector<editing::FileChoice> asked;

    std::optional<std::string> chooseFileToOpen(const editing::FileChoice& choice) override {
        asked.push_back(choice);
        return nextAnswer;
    }
};

// The boxes and check boxes with the field each one edits.
using Record = EngineeringFunction;
template <typename Value> using Controls = std::pair<const char*, Value Record::*>[];
const Controls<std::string> kTextBoxes = {{"TextExe", &Record::PExeFunction},
                                          {"TextWindow1", &Record::PWindowName},
                                          {"TextWindow2", &Record::PWindowName2},
                                          {"TextRemote2", &Record::PLoginKey}};
const Controls<std::int16_t> kNumberBoxes = {
    {"TextPosition1", &Record::PPosLeft},       {"TextPosition2", &Record::PPosTop},
    {"TextPosition3", &Record::PPosWidth},      {"TextPosition4", &Record::PPosHeight},
    {"TextRemote1", &Record::PWaitBeforeLogin}, {"TextEndTime", &Record::PEndTime}};
const Controls<bool> kCheckBoxes = {{"EinEnabled", &Record::PEnabled},
                                    {"CheckRemoteDesktop", &Record::PRemoteDeskTop},
                                    {"CheckEndWhenExit", &Record::PEndWhenExitWindow}};

class EditDialog : public ::testing::Test {
protected:
    // Shows the dialog filled with the function.
    void open(const EngineeringFunction& function) {
        edit.function() = function;
        edit.Aufbauen();
        edit.show();
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    }
    QLineEdit& box(const char* name) { return child<QLineEdit>(edit, name); }
    QComboBox& list(const char* name) { return child<QComboBox>(edit, name); }

    testsupport::TestInstallation installation;
    testsupport::TestRun run{installation};
    FakeFileChooser files;
    Edit edit{run, nullptr, &files};
};

} // namespace

TEST_F(EditDialog, FillingShowsEveryFieldAndChangesNone) {
    std::vector<EngineeringFunction> functions(3, sampleFunction());
    std::tie(functions[1].PPosMode, functions[1].PEndMode) = std::pair(-1, 17);
    std::tie(functions[2].PPosMode, functions[2].PEndMode) = std::pair(5, -2);
    for (const EngineeringFunction& function : functions) {
        edit.Status = Edit::kStatusOk;
        open(function);
        EXPECT_EQ(edit.Status, Edit::kStatusClosed);
        EXPECT_EQ(edit.function(), function);
        for (const auto& [name, field] : kTextBoxes)
            EXPECT_EQ(box(name).text().toStdString(), function.*field) << name;
        for (const auto& [name, field] : kNumberBoxes)
            EXPECT_EQ(box(name).text(), QString::number(function.*field)) << name;
        for (const auto& [name, field] : kCheckBoxes)
            EXPECT_EQ(child<QCheckBox>(edit, name).checkState(), Qt::Checked) << name;
        // A list shows no entry for a mode it has none for, and such a mode
        // comes back as it went in. Filled again, a list holds its entries once.
        const bool listed = function.PPosMode == 3;
        EXPECT_EQ(list("ComboPosModus").currentText(), listed ? "3 - Vollbild" : "");
        EXPECT_EQ(list("ComboEndeMode").count(), 3);
        QTest::keyClicks(&box("TextWindow1"), "x");
        child<QPushButton>(edit, "CommandOK").click();
        EXPECT_EQ(edit.function().PPosMode, function.PPosMode);
        EXPECT_EQ(edit.function().PEndMode, function.PEndMode);
    }
}

// Typed key by key or pasted, a number box keeps what is typed and stores its
// number at once; Return or leaving the box shows the number.
TEST_F(EditDialog, NumberBoxesStoreTheNumberAtOnceAndShowItWhenLeft) {
    const std::tuple<std::string, bool, std::string> entries[] = {
        {"-5", false, "-5"},   {"3.5", false, "4"}, {"&H10", false, "16"}, {"-2.5", true, "-2"},
        {"1 2x", false, "12"}, {"", false, "0"},    {"99999", true, "0"}};
    int leftByReturn = 0;
    for (const auto& [name, field] : kNumberBoxes)
        for (const auto& [typed, pasted, shown] : entries) {
            open(sampleFunction());
            QLineEdit& number = box(name);
            number.setFocus();
            number.clear();
            const QString text = QString::fromStdString(typed);
            QGuiApplication::clipboard()->setText(text);
            pasted ? QTest::keyClick(&number, Qt::Key_V, Qt::ControlModifier)
                   : QTest::keyClicks(&number, text);
            EXPECT_EQ(number.text().toStdString(), typed) << name;
            EXPECT_EQ(edit.function().*field, std::stoi(shown)) << name;
            if (++leftByReturn % 2)
                QTest::keyClick(&number, Qt::Key_Return);
            else
                box("TextWindow1").setFocus();
            EXPECT_EQ(number.text().toStdString(), shown) << name << " " << typed;
        }
}

// A list changes its mode only when the operator picks an entry.
TEST_F(EditDialog, TextsCheckBoxesAndListsStoreEveryChange) {
    open(EngineeringFunction{});
    for (const auto& [name, field] : kTextBoxes) {
        const std::string typed = " {S-TAB}" + std::string(name) + " ";
        QTest::keyClicks(&box(name), QString::fromStdString(typed));
        EXPECT_EQ(edit.function().*field, typed);
    }
    for (const auto& [name, field] : kCheckBoxes) {
        QCheckBox& check = child<QCheckBox>(edit, name);
        QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
        EXPECT_TRUE(edit.function().*field) << name;
        QTest::keyClick(&check, Qt::Key_Space);
        EXPECT_FALSE(edit.function().*field) << name;
    }
    const std::int16_t endModes[] = {2, 16, 18};
    for (int position = 0; position < 5; ++position) {
        QTest::keyClick(&list("ComboPosModus"), Qt::Key_Home);
        QTest::keyClick(&list("ComboEndeMode"), Qt::Key_Home);
        for (int i = 0; i < position; ++i) {
            QTest::keyClick(&list("ComboPosModus"), Qt::Key_Down);
            QTest::keyClick(&list("ComboEndeMode"), Qt::Key_Down);
        }
        EXPECT_EQ(edit.function().PPosMode, position);
        EXPECT_EQ(edit.function().PEndMode, endModes[std::min(position, 2)]);
    }
}

// It starts at the program when its folder exists, else in the installation.
TEST_F(EditDialog, ADoubleClickOnTheProgramBoxOpensTheFileChooser) {
    const std::string inComponent = installation.path("Engineering/tool.exe");
    const std::pair<std::string, std::string> starts[] = {
        {inComponent, inComponent},
        {"C:\\No such folder\\run.bat", installation.root().string()},
        {"run.bat", installation.root().string()}};
    for (const auto& [program, start] : starts) {
        EngineeringFunction function = sampleFunction();
        function.PExeFunction = program;
        open(function);
        files.asked.clear();
        QTest::mouseDClick(&box("TextExe"), Qt::LeftButton); // cancelled: changes nothing
        ASSERT_EQ(files.asked.size(), 1u);
        EXPECT_EQ(files.asked[0].initialName, start);
        EXPECT_EQ(edit.function().PExeFunction, program);
    }
    files.nextAnswer = "/opt/panel/start.sh";
    QTest::mouseDClick(&box("TextExe"), Qt::LeftButton);
    EXPECT_EQ(edit.function().PExeFunction, "/opt/panel/start.sh");
    EXPECT_EQ(box("TextExe").text(), "/opt/panel/start.sh");
}

// The dialog as the main window opens it, modal over the window.
TEST(FunctionEditor, ConfirmingReturnsTheEditedFieldsAndPassesTheOthersThroughClosingNothing) {
    testsupport::TestInstallation installation;
    const testsupport::TestRun run(installation);
    QWidget mainWindow;
    mainWindow.show();
    dialogs::QtFunctionEditor editor{run, &mainWindow};
    guitest::whenModalOpens("Edit", [&](QDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &mainWindow);
        child<QLineEdit>(dialog, "TextExe").selectAll();
        QTest::keyClicks(&child<QLineEdit>(dialog, "TextExe"), "new.exe");
        child<QLineEdit>(dialog, "TextEndTime").selectAll();
        QTest::keyClicks(&child<QLineEdit>(dialog, "TextEndTime"), "-2.5");
        // Return in a box confirms the dialog as OK does.
        QTest::keyClick(&child<QLineEdit>(dialog, "TextWindow1"), Qt::Key_Return);
    });
    EngineeringFunction expected = sampleFunction();
    expected.PExeFunction = "new.exe";
    expected.PEndTime = -2;
    EXPECT_EQ(editor.edit(sampleFunction()), expected);

    // Cancel, Escape and the close box discard the edit.
    const std::function<void(QDialog&)> closings[] = {
        [](QDialog& dialog) { child<QPushButton>(dialog, "CommandCancel").click(); },
        [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](QDialog& dialog) { dialog.close(); }};
    for (const auto& closing : closings) {
        guitest::whenModalOpens("Edit", [&](QDialog& dialog) {
            QTest::keyClicks(&child<QLineEdit>(dialog, "TextExe"), "changed");
            closing(dialog);
        });
        EXPECT_EQ(editor.edit(sampleFunction()), std::nullopt);
    }
}
