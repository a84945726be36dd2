// The Qt main window under the offscreen platform: layout, tab order, help
// mode and the cancel question, driven by clicks.

#include "FunctionFilesFixture.h"
#include "GuiTestSupport.h"

#include "engineering/DatabaseUpdate.h"
#include "framework/ErrorProtocol.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>

using namespace engineering;

namespace {

// Button 1 holds a function, button 7 a disabled one; neither has a picture.
class MainWindowGui : public enginetest::FunctionFilesTest {
protected:
    MainWindowGui() {
        using enginetest::function;
        install.write(enginetest::kDat, function("All_Function_1", 1, "a.exe", "") +
                                            function("All_Function_2", 7, "b.exe", "", false));
        window.load();
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }

    PresetDatabaseUpdate update{run()};
    MainWindow window{run(), nullptr, update};
};

} // namespace

TEST_F(MainWindowGui, GridOfFortyEightButtonsDownTheColumnsAndTheTabOrder) {
    const QRect first = button("Pic1")->geometry();
    EXPECT_EQ(button("Pic6")->geometry().left(), first.left());
    EXPECT_GT(button("Pic6")->geometry().top(), first.top());
    EXPECT_EQ(button("Pic7")->geometry().top(), first.top());
    EXPECT_GT(button("Pic7")->geometry().left(), first.left());
    EXPECT_EQ(window.windowTitle(), "Erweiterte Konfiguration Engineering - standalone");
    EXPECT_TRUE(button("CommandOK")->isEnabled());
    EXPECT_TRUE(button("Pic1")->isEnabled());
    EXPECT_FALSE(button("Pic7")->isEnabled());
    // Tab runs OK, Cancel, help, the buttons, Edit.
    EXPECT_EQ(button("CommandOK")->nextInFocusChain(), button("CommandCancel"));
    EXPECT_EQ(button("CommandCancel")->nextInFocusChain(), button("CommandQuest"));
    EXPECT_EQ(button("CommandQuest")->nextInFocusChain(), button("Pic1"));
    EXPECT_EQ(button("Pic48")->nextInFocusChain(), button("CommandEdit"));
}

TEST_F(MainWindowGui, HelpModeClickOnOkShowsItsHelpText) {
    program().HelpTexts[0] = "Saves and ends";
    QTest::mouseClick(button("CommandQuest"), Qt::LeftButton);
    EXPECT_EQ(button("CommandQuest")->palette().color(QPalette::Button), QColor(0, 255, 0));
    QTest::mouseClick(button("CommandOK"), Qt::LeftButton);
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text, "Saves and ends");
    QTest::mouseClick(button("CommandQuest"), Qt::LeftButton);
    EXPECT_EQ(button("CommandQuest")->palette().color(QPalette::Button), QColor(192, 192, 192));
}

TEST_F(MainWindowGui, ClosingAsksAndNoKeepsTheWindowOpen) {
    std::optional<int> ended;
    guitest::endByRecording(program(), ended);
    install.boxes.answer(false);
    QCloseEvent event;
    QApplication::sendEvent(&window, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(ended, std::nullopt);
    install.boxes.answer(true);
    QCloseEvent second;
    QApplication::sendEvent(&window, &second);
    EXPECT_TRUE(second.isAccepted());
    EXPECT_EQ(ended, framework::ExitOk);
}
