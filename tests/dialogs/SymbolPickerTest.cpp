#include "dialogs/PictureBox.h"
#include "dialogs/SymbolAuswahl.h"

#include "engineering/SymbolList.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using dialogs::PictureBox;
using dialogs::SymbolAuswahl;
using guitest::child;

namespace {

const QColor kGreen(0, 255, 0);
const QColor kLightGrey(192, 192, 192);

class SymbolPicker : public ::testing::Test {
protected:
    void TearDown() override { engineering::resetProgramSymbols(); }

    SymbolAuswahl& open(int symbolCount, const std::string& current = "") {
        guitest::fillSymbols(symbolCount);
        picker.SymbolName = current;
        picker.SymbolNummer = 0;
        picker.show();
        return picker;
    }

    PictureBox& slot(int s) {
        return child<PictureBox>(picker, QStringLiteral("Bild%1").arg(s).toLatin1().constData());
    }
    QScrollBar& scroll() { return child<QScrollBar>(picker, "Scroll"); }
    std::vector<int> greenSlots() {
        std::vector<int> green;
        for (int s = 1; s <= 20; ++s)
            if (slot(s).background() == kGreen)
                green.push_back(s);
            else
                EXPECT_EQ(slot(s).background(), kLightGrey) << s;
        return green;
    }

    testsupport::TestInstallation installation;
    SymbolAuswahl picker;
};

} // namespace

TEST_F(SymbolPicker, TheScrollBarCoversTheRowsBeyondTheFirstFive) {
    struct Case {
        int count;
        bool visible;
        int maximum;
        int slot17AtBottom;
    };
    for (const Case c : {Case{20, false, 0, 17}, Case{21, true, 1, 21}, Case{24, true, 1, 21},
                         Case{25, true, 2, 25}, Case{100, true, 20, 97}}) {
        open(c.count);
        EXPECT_EQ(scroll().isVisible(), c.visible) << c.count;
        EXPECT_EQ(scroll().minimum(), 0) << c.count;
        EXPECT_EQ(scroll().maximum(), c.maximum) << c.count;
        EXPECT_EQ(slot(17).accessibleName().toStdString(), guitest::symbolName(17)) << c.count;
        scroll().setValue(scroll().maximum());
        EXPECT_EQ(slot(17).accessibleName().toStdString(), guitest::symbolName(c.slot17AtBottom))
            << c.count;
        picker.hide();
    }
}

TEST_F(SymbolPicker, SlotsBeyondTheCountStayEmptyAndAClickThereDoesNothing) {
    open(5);
    EXPECT_EQ(slot(5).accessibleName().toStdString(), guitest::symbolName(5));
    EXPECT_TRUE(slot(6).accessibleName().isEmpty());
    QTest::mouseClick(&slot(6), Qt::LeftButton);
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.SymbolNummer, 0);
}

TEST_F(SymbolPicker, AClickReturnsTheEntryTheSlotShows) {
    open(30);
    scroll().setValue(2);
    QTest::mouseClick(&slot(1), Qt::LeftButton);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.SymbolNummer, 9);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

TEST_F(SymbolPicker, AbbruchEscapeAndTheCloseBoxReturnNothing) {
    const std::vector<std::function<void()>> closings = {
        [this] { child<QPushButton>(picker, "CommandEsc").click(); },
        [this] { QTest::keyClick(&picker, Qt::Key_Escape); },
        [this] { guitest::pressCloseBox(picker); }};
    for (const auto& close : closings) {
        open(30);
        close();
        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(picker.SymbolNummer, 0);
    }
    EXPECT_EQ(child<QPushButton>(picker, "CommandEsc").text(), "Abbruch");
    EXPECT_EQ(picker.windowTitle(), "Symbol");
}

TEST_F(SymbolPicker, TheCurrentSymbolIsMarkedGreenWhereverItIsShown) {
    open(30, "engineering\\s6_800.GIF");
    EXPECT_EQ(greenSlots(), std::vector<int>{6});
    scroll().setValue(1);
    EXPECT_EQ(greenSlots(), std::vector<int>{2});
    scroll().setValue(2); // entry 6 has scrolled out of sight
    EXPECT_EQ(greenSlots(), std::vector<int>{});
    scroll().setValue(0);
    EXPECT_EQ(greenSlots(), std::vector<int>{6});
    picker.hide();

    open(30, "");
    EXPECT_EQ(greenSlots(), std::vector<int>{});
}

TEST_F(SymbolPicker, EachShowingStartsAtTheTopRow) {
    open(100);
    scroll().setValue(20);
    picker.hide();
    open(100);
    EXPECT_EQ(scroll().value(), 0);
    EXPECT_EQ(slot(1).accessibleName().toStdString(), guitest::symbolName(1));
}

TEST_F(SymbolPicker, TheKeyboardAndTheWheelReachEverySymbol) {
    open(30, guitest::symbolName(2));
    EXPECT_EQ(picker.focusWidget(), &slot(2));
    EXPECT_EQ(slot(21 - 20).focusPolicy(), Qt::StrongFocus);

    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&picker, &down);
    EXPECT_GT(scroll().value(), 0);

    QTest::keyClick(&slot(3), Qt::Key_Return);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.SymbolNummer, 4 * scroll().value() + 3);
}

TEST_F(SymbolPicker, MissingOrBrokenPicturesShowEmptySlotsWithoutAMessage) {
    guitest::copySamplePicture(installation, "Pump_800.gif", "S1_800.gif");
    installation.write("Engineering/S2_800.gif", "not a picture at all");
    open(3);
    EXPECT_EQ(slot(1).picture().size(), QSize(60, 56));
    EXPECT_TRUE(slot(2).picture().isNull());
    EXPECT_TRUE(slot(3).picture().isNull()); // no file
    EXPECT_TRUE(slot(4).picture().isNull()); // beyond the count
    EXPECT_TRUE(installation.boxes.asked.empty());
}

TEST(SymbolPickerWindow, OpensCentredOnTheWindowThatOpensIt) {
    QWidget owner;
    owner.setGeometry(10, 20, 420, 400);
    owner.show();
    SymbolAuswahl picker(&owner);
    picker.show();
    EXPECT_LE((picker.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
              2);
}
