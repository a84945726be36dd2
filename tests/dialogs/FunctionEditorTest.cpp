#include "dialogs/Edit.h"
#include "dialogs/QtFunctionEditor.h"

#include "GuiTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using dialogtest::sampleFunction;
using engineering::EngineeringFunction;
using guitest::child;

namespace {

class FunctionEditor : public ::testing::Test {
protected:
    FunctionEditor() {
        mainWindow.setGeometry(0, 0, 800, 600);
        mainWindow.show();
    }

    testsupport::TestInstallation installation;
    QWidget mainWindow;
    dialogs::QtFunctionEditor editor{&mainWindow};
};

} // namespace

TEST_F(FunctionEditor, ConfirmingReturnsTheEditedFieldsAndPassesTheOthersThrough) {
    guitest::whenModalOpens("Edit", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &mainWindow);
        for (const auto& [name, text] : {std::pair("TextExe", "new.exe"), {"TextEndTime", "60"}}) {
            child<QLineEdit>(dialog, name).selectAll();
            QTest::keyClicks(&child<QLineEdit>(dialog, name), text);
        }
        QTest::keyClick(&child<QComboBox>(dialog, "ComboEndeMode"), Qt::Key_Home);
        // Return in a box confirms the dialog as OK does.
        QTest::keyClick(&child<QLineEdit>(dialog, "TextWindow1"), Qt::Key_Return);
    });
    const std::optional<EngineeringFunction> edited = editor.edit(sampleFunction());
    EngineeringFunction expected = sampleFunction();
    expected.PExeFunction = "new.exe";
    expected.PEndTime = 60;
    expected.PEndMode = 2;
    EXPECT_EQ(edited, expected);
}

TEST_F(FunctionEditor, CancelEscapeAndTheCloseBoxDiscardTheEdit) {
    const std::function<void(QDialog&)> closings[] = {
        [](QDialog& dialog) { child<QPushButton>(dialog, "CommandCancel").click(); },
        [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](QDialog& dialog) { guitest::pressCloseBox(dialog); }};
    for (const auto& closing : closings) {
        guitest::whenModalOpens("Edit", [&](QDialog& dialog) {
            QTest::keyClicks(&child<QLineEdit>(dialog, "TextExe"), "changed");
            closing(dialog);
        });
        EXPECT_EQ(editor.edit(sampleFunction()), std::nullopt);
    }
}
