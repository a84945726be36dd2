#include "dialogs/SymbolAuswahl.h"
#include "widgets/PictureBox.h"

#include "GuiTestSupport.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using guitest::child;
using guitest::symbolName;
using widgets::PictureBox;

namespace {

class SymbolPicker : public ::testing::Test {
protected:
    void open(int symbolCount, const std::string& current = "") {
        picker.hide();
        guitest::fillSymbols(run, symbolCount);
        picker.SymbolName = current;
        picker.SymbolNummer = 0;
        picker.show();
    }
    PictureBox& slot(int s) {
        return child<PictureBox>(picker, QStringLiteral("Bild%1").arg(s).toLatin1().constData());
    }
    std::string shown(int s) { return slot(s).accessibleName().toStdString(); }
    QScrollBar& scroll() { return child<QScrollBar>(picker, "Scroll"); }
    testsupport::TestInstallation installation;
    testsupport::TestRun run{installation};
    dialogs::SymbolAuswahl picker{run};
};

} // namespace

// Five rows of four show at a time; the scroll bar covers the rows beyond.
TEST_F(SymbolPicker, TheScrollBarMovesTheSlotsAndTheGreenMark) {
    for (const auto& [count, maximum] : {std::pair(20, 0), {21, 1}, {25, 2}, {100, 20}}) {
        open(count);
        EXPECT_EQ(scroll().isVisible(), maximum > 0) << count;
        EXPECT_EQ(scroll().maximum(), maximum) << count;
        scroll().setValue(maximum);
        EXPECT_EQ(shown(17), symbolName(17 + 4 * maximum)) << count;
    }
    const QColor green(0, 255, 0);
    open(30, "engineering\\s6_800.GIF");
    EXPECT_EQ(slot(6).background(), green);
    scroll().setValue(1);
    EXPECT_EQ(shown(17), symbolName(21));
    EXPECT_EQ(slot(2).background(), green);
    EXPECT_EQ(slot(6).background(), QColor(192, 192, 192));
    open(30, "Engineering\\Gone_800.gif");
    EXPECT_EQ(scroll().value(), 0) << "each showing starts at the top row";
    for (int s = 1; s <= 20; ++s)
        EXPECT_NE(slot(s).background(), green) << s;
}

// A click on an empty slot does nothing.
TEST_F(SymbolPicker, AClickOnASymbolReturnsItsEntryAndEveryOtherWayOutReturnsNothing) {
    open(5);
    QTest::mouseClick(&slot(6), Qt::LeftButton);
    EXPECT_TRUE(picker.isVisible() && picker.SymbolNummer == 0);
    open(30);
    scroll().setValue(2);
    QTest::mouseClick(&slot(1), Qt::LeftButton);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.SymbolNummer, 9);
    for (const std::function<void()>& close : std::vector<std::function<void()>>{
             [this] { child<QPushButton>(picker, "CommandEsc").click(); },
             [this] { QTest::keyClick(&picker, Qt::Key_Escape); }, [this] { picker.close(); }}) {
        open(30);
        close();
        EXPECT_TRUE(!picker.isVisible() && picker.SymbolNummer == 0);
    }
}
