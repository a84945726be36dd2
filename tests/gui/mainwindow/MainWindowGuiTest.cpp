// The Qt main window under the offscreen platform, driven by clicks: loading,
// layout and tab order, help mode and the closing question. Edit mode, an
// edit and OK are EditEndToEndTest's.

#include "FunctionFilesFixture.h"
#include "GuiTestSupport.h"

#include "engineering/DatabaseUpdate.h"
#include "mainwindow/MainWindow.h"
#include "run/ErrorProtocol.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>

using namespace engineering;
using namespace mainwindow;

namespace {

// Button 1 shows the sample's pump, button 7 is disabled and its picture
// missing, button 3's picture cannot be decoded.
class MainWindowGui : public enginetest::FunctionFilesTest {
protected:
    MainWindowGui() {
        using enginetest::function;
        install.write(
            enginetest::kDat,
            function("All_Function_1", 1, "a.exe", "Engineering\\Pump.gif") +
                function("All_Function_2", 7, "b.exe", "Engineering\\Missing.gif", false) +
                function("All_Function_3", 3, "c.exe", "Engineering\\Broken.gif"));
        guitest::copySamplePicture(install, "Pump_800.gif", "Pump_800.gif");
        install.write("Engineering/Broken_800.gif", "not a picture");
        window.load();
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QColor colour(const char* name) { return button(name)->palette().color(QPalette::Button); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    PresetDatabaseUpdate update{run()};
    MainWindow window{run(), nullptr, update};
};

const QColor kGreen(0, 255, 0);
const QColor kGrey(192, 192, 192);

} // namespace

TEST_F(MainWindowGui, LoadingShowsTheFunctionsInAGridDownTheColumnsAndReportsBadPictures) {
    const QRect first = button("Pic1")->geometry();
    const QRect sixth = button("Pic6")->geometry(), seventh = button("Pic7")->geometry();
    EXPECT_TRUE(sixth.left() == first.left() && sixth.top() > first.top());
    EXPECT_TRUE(seventh.top() == first.top() && seventh.left() > first.left());
    EXPECT_EQ(window.windowTitle(), "Erweiterte Konfiguration Engineering - standalone");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint) << "its size is fixed";
    EXPECT_TRUE(button("CommandOK")->isEnabled());
    EXPECT_FALSE(button("Pic1")->icon().isNull());
    EXPECT_FALSE(button("Pic7")->isEnabled());
    EXPECT_FALSE(button("Pic48")->isEnabled()) << "a button without a function";
    ASSERT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_EQ(install.boxes.asked[0].text, "Engineering\\Missing_800.gif not found");
    EXPECT_EQ(install.boxes.asked[1].text, "Engineering\\Broken_800.gif cannot be shown: the "
                                           "picture is damaged");
    // Tab runs OK, Cancel, help, the buttons, Edit.
    EXPECT_EQ(button("CommandOK")->nextInFocusChain(), button("CommandCancel"));
    EXPECT_EQ(button("CommandCancel")->nextInFocusChain(), button("CommandQuest"));
    EXPECT_EQ(button("CommandQuest")->nextInFocusChain(), button("Pic1"));
    EXPECT_EQ(button("Pic48")->nextInFocusChain(), button("CommandEdit"));
}

TEST_F(MainWindowGui, HelpModeShowsHelpTextsInsteadOfActing) {
    install.boxes.asked.clear();
    program().HelpTexts[0] = "Saves and ends";
    program().HelpTexts[9] = "A<crlf>button";
    program().HelpTexts[1] = "0"; // Cancel's; Edit's is empty
    click("CommandQuest");
    EXPECT_EQ(colour("CommandQuest"), kGreen);
    for (const char* name : {"CommandOK", "Pic1", "CommandEdit", "CommandCancel"})
        click(name);
    ASSERT_EQ(install.boxes.asked.size(), 4u);
    EXPECT_EQ(install.boxes.asked[0].text, "Saves and ends");
    EXPECT_EQ(install.boxes.asked[1].text, "A\r\nbutton");
    EXPECT_EQ(install.boxes.asked[2].text, "There is no help for this control.");
    EXPECT_EQ(install.boxes.asked[3].text, "There is no help for this control.");
    EXPECT_EQ(colour("CommandEdit"), kGrey) << "no edit mode";
    click("CommandQuest");
    EXPECT_EQ(colour("CommandQuest"), kGrey);
}

// Closing and Cancel ask first; confirmed, the run ends writing nothing.
TEST_F(MainWindowGui, ClosingAsksAndNoKeepsTheWindowOpen) {
    std::optional<int> ended;
    guitest::endByRecording(program(), ended);
    install.boxes.asked.clear();
    install.boxes.answer(false);
    QCloseEvent event;
    QApplication::sendEvent(&window, &event);
    EXPECT_FALSE(event.isAccepted());
    click("CommandCancel"); // no answer: the question's default, No
    EXPECT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_EQ(ended, std::nullopt);
    install.boxes.answer(true);
    QCloseEvent second;
    QApplication::sendEvent(&window, &second);
    EXPECT_TRUE(second.isAccepted());
    EXPECT_EQ(ended, run::ExitOk);
    EXPECT_FALSE(install.exists(enginetest::kInt));
}
