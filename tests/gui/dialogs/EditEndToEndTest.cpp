// One edit from end to end, through the windows: edit mode, the edit dialog
// for button 17 with a new program, a symbol from the picker and an end
// timeout, then OK in the main window, which updates the presets and writes
// the function files.

#include "dialogs/QtFunctionEditor.h"
#include "engineering/DatabaseUpdate.h"
#include "mainwindow/MainWindow.h"
#include "run/ErrorProtocol.h"

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
    testsupport::TestRun run(installation);
    std::optional<int> ended;
    guitest::endByRecording(run.program, ended);
    engineering::PresetDatabaseUpdate update(run);
    mainwindow::MainWindow window(run, nullptr, update);
    dialogs::QtFunctionEditor editor(run, &window);
    window.logic().setEditor(&editor);
    window.load();
    window.show();
    ASSERT_TRUE(run.lists.button(17).PExeFunction.empty());
    const std::string database = installation.read("Engineering/Engineering.mdb");
    const std::string chosenSymbol = run.symbols.entry(3);
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

    clickOn(child<QPushButton>(window, "CommandOK"));
    EXPECT_EQ(ended, run::ExitOk);
    EXPECT_NE(installation.read("Engineering/Engineering.mdb"), database) << "the preset update";
    // Both function files hold the edit; the stored file as enabled.
    const std::string baseSymbol = chosenSymbol.substr(0, chosenSymbol.size() - 8) + ".gif";
    const std::string fields =
        "ExeFunction=C:\\Tools\\Oil\\OilCheck.exe\r\nSymbolName=" + baseSymbol +
        "\r\nSpecialKey=17\r\nDescription=Engineering.17\r\n";
    for (const char* file : {"Engineering/Engineering.int", "Engineering/Engineering.cfg"}) {
        const std::string bytes = installation.read(file);
        EXPECT_NE(bytes.find(fields), std::string::npos) << bytes;
        EXPECT_NE(bytes.find("EndTime=45\r\n"), std::string::npos);
    }
    EXPECT_NE(installation.read("Engineering/Engineering.int")
                  .find("Enabled=true\r\nWhereICome=EngineeringPicture\r\n" + fields),
              std::string::npos);
}
