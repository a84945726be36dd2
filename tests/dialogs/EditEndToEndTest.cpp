// One edit from end to end, through the windows: edit mode, the edit dialog
// for button 17 with a new program, a symbol from the picker and an end
// timeout, then OK in the main window, which writes the function files.

#include "dialogs/QtFunctionEditor.h"
#include "engineering/MainWindow.h"
#include "engineering/SymbolList.h"
#include "framework/ErrorProtocol.h"

#include "GuiTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <gtest/gtest.h>

using guitest::child;

namespace {

void clickOn(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton);
}

void typeInto(QLineEdit& box, const QString& text) {
    box.selectAll();
    QTest::keyClicks(&box, text);
}

} // namespace

TEST(EditEndToEnd, AnEditOfButton17IsWrittenOnOk) {
    testsupport::TestInstallation installation;
    std::filesystem::copy(SAMPLE_INSTALLATION_DIR, installation.root(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    engineering::MainWindow window(nullptr, nullptr);
    dialogs::QtFunctionEditor editor(&window);
    window.logic().setEditor(&editor);
    window.load();
    window.show();
    ASSERT_TRUE(window.logic().lists().button(17).PExeFunction.empty());
    const std::string chosenSymbol = engineering::programSymbols().entry(3);
    ASSERT_FALSE(chosenSymbol.empty());

    clickOn(child<QPushButton>(window, "CommandEdit"));
    guitest::whenModalOpens("Edit", [](QDialog& dialog) {
        QTest::keyClick(&child<QWidget>(dialog, "EinEnabled"), Qt::Key_Space);
        typeInto(child<QLineEdit>(dialog, "TextExe"), "C:\\Tools\\Oil\\OilCheck.exe");
        guitest::whenModalOpens("SymbolAuswahl",
                                [](QDialog& picker) { clickOn(child<QWidget>(picker, "Bild3")); });
        clickOn(child<QWidget>(dialog, "EinSymbol"));
        typeInto(child<QLineEdit>(dialog, "TextEndTime"), "45");
        clickOn(child<QPushButton>(dialog, "CommandOK"));
    });
    clickOn(*window.functionButton(17));

    const auto& edited = window.logic().lists().button(17);
    EXPECT_EQ(edited.PExeFunction, "C:\\Tools\\Oil\\OilCheck.exe");
    EXPECT_EQ(edited.PSymbolName, chosenSymbol);
    EXPECT_EQ(edited.PEndTime, 45);
    EXPECT_EQ(edited.PSpecialKey, 17);
    EXPECT_EQ(edited.PDescription, "Engineering.17");
    EXPECT_TRUE(edited.PEnabled);

    EXPECT_THROW(clickOn(child<QPushButton>(window, "CommandOK")), framework::ProgramEnded);
    const std::string stored = installation.read("Engineering/Engineering.int");
    const std::string cfg = installation.read("Engineering/Engineering.cfg");
    const std::string baseSymbol = chosenSymbol.substr(0, chosenSymbol.size() - 8) + ".gif";
    for (const std::string* file : {&stored, &cfg}) {
        EXPECT_NE(file->find("ExeFunction=C:\\Tools\\Oil\\OilCheck.exe\r\nSymbolName=" +
                             baseSymbol + "\r\nSpecialKey=17\r\nDescription=Engineering.17\r\n"),
                  std::string::npos)
            << *file;
        EXPECT_NE(file->find("EndTime=45\r\n"), std::string::npos);
    }
    EXPECT_NE(
        stored.find("Enabled=true\r\nWhereICome=EngineeringPicture\r\nExeFunction=C:\\Tools\\Oil"),
        std::string::npos);
}
