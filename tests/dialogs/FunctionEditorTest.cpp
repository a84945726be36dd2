#include "dialogs/Edit.h"
#include "dialogs/QtFunctionEditor.h"

#include "GuiTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using engineering::EngineeringFunction;
using guitest::child;

namespace {

EngineeringFunction storedFunction() {
    EngineeringFunction f;
    f.PEnabled = false;
    f.PWhereICome = "EngineeringPicture";
    f.PExeFunction = "old.exe";
    f.PSpecialKey = 17;
    f.PDescription = "Engineering.17";
    f.PStandard = true;
    f.PPosMode = 1;
    f.PEndMode = 18;
    f.PEndTime = 5;
    return f;
}

class FunctionEditor : public ::testing::Test {
protected:
    FunctionEditor() {
        mainWindow.setGeometry(0, 0, 800, 600);
        mainWindow.show();
    }

    testsupport::TestInstallation installation;
    QWidget mainWindow;
    guitest::FakeFileChooser files;
    dialogs::QtFunctionEditor editor{&mainWindow, &files};
};

} // namespace

TEST_F(FunctionEditor, AcceptingReturnsTheEditedFieldsAndPassesTheOthersThrough) {
    guitest::whenModalOpens("Edit", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &mainWindow);
        QLineEdit& program = child<QLineEdit>(dialog, "TextExe");
        program.selectAll();
        QTest::keyClicks(&program, "new.exe");
        QLineEdit& timeout = child<QLineEdit>(dialog, "TextEndTime");
        timeout.selectAll();
        QTest::keyClicks(&timeout, "60");
        QTest::keyClick(&child<QComboBox>(dialog, "ComboEndeMode"), Qt::Key_Home);
        QTest::mouseClick(&child<QPushButton>(dialog, "CommandOK"), Qt::LeftButton);
    });
    const std::optional<EngineeringFunction> edited = editor.edit(storedFunction());
    ASSERT_TRUE(edited.has_value());
    EngineeringFunction expected = storedFunction();
    expected.PExeFunction = "new.exe";
    expected.PEndTime = 60;
    expected.PEndMode = 2;
    EXPECT_EQ(*edited, expected);
}

TEST_F(FunctionEditor, ReturnConfirmsTheDialog) {
    guitest::whenModalOpens("Edit", [](QDialog& dialog) {
        QLineEdit& window = child<QLineEdit>(dialog, "TextWindow1");
        QTest::keyClicks(&window, "Panel");
        QTest::keyClick(&window, Qt::Key_Return);
    });
    const auto edited = editor.edit(storedFunction());
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->PWindowName, "Panel");
}

TEST_F(FunctionEditor, CancelEscapeAndTheCloseBoxDiscardTheEdit) {
    const std::vector<std::function<void(QDialog&)>> closings = {
        [](QDialog& dialog) { child<QPushButton>(dialog, "CommandCancel").click(); },
        [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](QDialog& dialog) { guitest::pressCloseBox(dialog); }};
    for (const auto& closing : closings) {
        guitest::whenModalOpens("Edit", [&](QDialog& dialog) {
            QTest::keyClicks(&child<QLineEdit>(dialog, "TextExe"), "changed");
            closing(dialog);
        });
        EXPECT_FALSE(editor.edit(storedFunction()).has_value());
    }
}
